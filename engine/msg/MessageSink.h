// The process-wide message sink: every part of the program that tells the
// user something writes the text and kind here and shows one box.
#pragma once

#include <string>

enum MessageKind
{
    MessageKindInformation = 1,
    MessageKindError = 2,
    MessageKindQuestion = 3,
};

// Text of the next message or question (markup: a literal "<" or "&" must be
// written as markup) and its kind. Both stay as the last caller left them.
extern std::wstring g_strMessageText;
extern int g_nMessageKind;

// Shows g_strMessageText with g_nMessageKind. isQuestion selects the Yes/No
// box. Returns 1 for OK or Yes, 2 for anything else.
typedef int (*MessagePresenter)(const wchar_t* text, int kind, int isQuestion);

// Installs the function that shows the boxes (the application's message
// dialogs, or a test's recorder that answers at once); returns the previous
// one. A null presenter restores the plain system message box.
MessagePresenter SetMessagePresenter(MessagePresenter presenter);

// Shows the current text and kind in a box with one OK button.
int ShowMessageBox();
// Shows the current text and kind as a Yes/No question; 1 means Yes.
int ShowQuestionBox();

// Convenience forms: assign text and kind, then show.
int ShowMessage(const wchar_t* text, int kind);
int AskQuestion(const wchar_t* text);

// Text of an image path or name made safe for the message box's markup:
// "&", "<", ">" and '"' become entities. Every name put into a message goes
// through it.
std::wstring EscapeMarkup(const std::wstring& text);

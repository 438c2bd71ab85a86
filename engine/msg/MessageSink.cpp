#include "msg/MessageSink.h"

#include <windows.h>

std::wstring g_strMessageText;
int g_nMessageKind = 0;

namespace {

// Fallback until the application installs its dialogs: the system box.
int SystemBoxPresenter(const wchar_t* text, int kind, int isQuestion)
{
    UINT style = MB_SETFOREGROUND | MB_TASKMODAL;
    if (kind == MessageKindInformation)
        style |= MB_ICONINFORMATION;
    else if (kind == MessageKindError)
        style |= MB_ICONERROR;
    else if (kind == MessageKindQuestion)
        style |= MB_ICONQUESTION;
    if (isQuestion)
        return MessageBoxW(NULL, text, L"Tesmir for VHD", style | MB_YESNO) == IDYES ? 1 : 2;
    return MessageBoxW(NULL, text, L"Tesmir for VHD", style | MB_OK) == IDOK ? 1 : 2;
}

MessagePresenter volatile g_presenter = SystemBoxPresenter;

int Present(int isQuestion)
{
    // The text is copied first so that a report from another thread cannot
    // change it while this box is being built.
    std::wstring text = g_strMessageText;
    return g_presenter(text.c_str(), g_nMessageKind, isQuestion) == 1 ? 1 : 2;
}

}  // namespace

MessagePresenter SetMessagePresenter(MessagePresenter presenter)
{
    MessagePresenter previous = g_presenter;
    g_presenter = presenter ? presenter : SystemBoxPresenter;
    return previous == SystemBoxPresenter ? nullptr : previous;
}

int ShowMessageBox() { return Present(0); }

int ShowQuestionBox() { return Present(1); }

int ShowMessage(const wchar_t* text, int kind)
{
    g_strMessageText = text;
    g_nMessageKind = kind;
    return ShowMessageBox();
}

int AskQuestion(const wchar_t* text)
{
    g_strMessageText = text;
    g_nMessageKind = MessageKindQuestion;
    return ShowQuestionBox();
}

std::wstring EscapeMarkup(const std::wstring& text)
{
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        switch (c) {
        case L'&': out += L"&amp;"; break;
        case L'<': out += L"&lt;"; break;
        case L'>': out += L"&gt;"; break;
        case L'"': out += L"&quot;"; break;
        default: out += c; break;
        }
    }
    return out;
}

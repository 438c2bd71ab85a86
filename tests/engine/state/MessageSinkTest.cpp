// The message sink: text and kind stay as the last caller left them, and the
// installed presenter shows and answers every box.
#include <gtest/gtest.h>

#include "MessageRecorder.h"

namespace {

TEST(MessageSinkTest, ShowsTextAndKindAndReturnsTheAnswer)
{
    CMessageRecorder recorder(2);
    EXPECT_EQ(ShowMessage(L"Disk error", MessageKindError), 2);
    EXPECT_EQ(g_strMessageText, L"Disk error");
    EXPECT_EQ(g_nMessageKind, MessageKindError);

    // A caller that sets only the text shows it with the previous kind.
    g_strMessageText = L"Again";
    ShowMessageBox();

    recorder.SetAnswer(1);
    EXPECT_EQ(AskQuestion(L"Continue ?"), 1);
    EXPECT_EQ(g_nMessageKind, MessageKindQuestion);

    ASSERT_EQ(recorder.messages().size(), 3u);
    EXPECT_EQ(recorder.messages()[0].isQuestion, 0);
    EXPECT_EQ(recorder.messages()[1].text, L"Again");
    EXPECT_EQ(recorder.messages()[1].kind, MessageKindError);
    EXPECT_EQ(recorder.messages()[2].isQuestion, 1);
}

// Any answer other than 1 counts as "No" / closed.
TEST(MessageSinkTest, AnswersAreOneOrTwo)
{
    CMessageRecorder recorder(7);
    EXPECT_EQ(AskQuestion(L"Stop ?"), 2);
    EXPECT_EQ(ShowMessage(L"Done", MessageKindInformation), 2);
}

// Names from the image or the user are put into markup texts.
TEST(MessageSinkTest, EscapeMarkupTurnsMarkupCharactersIntoEntities)
{
    EXPECT_EQ(EscapeMarkup(L"a&b<c>\"d"), L"a&amp;b&lt;c&gt;&quot;d");
    EXPECT_EQ(EscapeMarkup(L"plain name.txt"), L"plain name.txt");
}

}  // namespace

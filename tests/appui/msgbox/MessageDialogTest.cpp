// The message dialogs with their presenter installed: the HTML message box
// for the three message kinds, the skinned forms for any other, what each
// button, Esc and Close give, boxes shown from a worker, the background
// pixels, and a test's recorder answering instead.
#include <gtest/gtest.h>

#include <afxwin.h>

#include "CMessageDlg.h"
#include "CRichMessageBox.h"
#include "CYesNoDlg.h"
#include "MessageRecorder.h"
#include "ModalDriver.h"
#include "Screenshots.h"
#include "appuires.h"
#include "msg/MessageSink.h"

#include <TestSupport.h>

using msgbox_test::BoxButton;
using msgbox_test::CModalDriver;
using tesmir::test::CDibCanvas;

namespace {

class MessageDialogs : public testing::Test
{
protected:
    void SetUp() override
    {
        m_pPrevious = SetMessagePresenter(nullptr);
        InstallMessageDialogs();
        g_strMessageText = L"The message text";
    }
    void TearDown() override { SetMessagePresenter(m_pPrevious); }

    // Shows the sink's box (a question with bQuestion) under the script.
    static int Show(bool bQuestion, std::vector<CModalDriver::Step> steps, CModalDriver** ppDriver = nullptr)
    {
        CModalDriver driver(std::move(steps));
        int nResult = 0;
        if (bQuestion)
        {
            CYesNoDlg dlg;
            nResult = (int)dlg.DoModal();
        }
        else
        {
            CMessageDlg dlg;
            nResult = (int)dlg.DoModal();
        }
        EXPECT_FALSE(driver.TimedOut());
        (void)ppDriver;
        return nResult;
    }

    MessagePresenter m_pPrevious = nullptr;
};

std::vector<int> Ids(const std::vector<BoxButton>& buttons)
{
    std::vector<int> ids;
    for (const BoxButton& b : buttons)
        ids.push_back(b.id);
    return ids;
}

// The box's client area as its own paint code draws it.
void PaintBox(HWND hBox, CDibCanvas& canvas)
{
    ::PatBlt(canvas.Dc(), 0, 0, canvas.Width(), canvas.Height(), BLACKNESS);
    ::SendMessageW(hBox, WM_PRINTCLIENT, (WPARAM)canvas.Dc(), PRF_CLIENT | PRF_ERASEBKGND);
}

}  // namespace

// Kinds 1 to 3: the HTML message box captioned "Tesmir for VHD", OK only or
// Yes and No; Yes gives 1 and No 2; Esc on an OK box gives 2, Esc and Close
// on a Yes/No box are ignored.
TEST_F(MessageDialogs, KnownKindsShowTheHtmlBox)
{
    for (int nKind : {MessageKindInformation, MessageKindError, MessageKindQuestion})
    {
        g_nMessageKind = nKind;
        std::wstring caption;
        std::vector<BoxButton> buttons;
        auto record = CModalDriver::Run([&](HWND hBox) {
            caption = CModalDriver::Caption(hBox);
            buttons = CModalDriver::Buttons(hBox);
        });
        EXPECT_EQ(1, Show(false, {record, CModalDriver::Click(IDOK)})) << nKind;
        EXPECT_EQ(L"Tesmir for VHD", caption);
        EXPECT_EQ(std::vector<int>{IDOK}, Ids(buttons)) << nKind;
        EXPECT_EQ(2, Show(false, {CModalDriver::PressEscape()})) << nKind;

        EXPECT_EQ(1, Show(true, {record, CModalDriver::Click(IDYES)})) << nKind;
        EXPECT_EQ(L"Tesmir for VHD", caption);
        EXPECT_EQ((std::vector<int>{IDYES, IDNO}), Ids(buttons)) << nKind;
        EXPECT_EQ(2, Show(true, {CModalDriver::PressEscape(), CModalDriver::Close(), CModalDriver::Wait(300),
                                 CModalDriver::Click(IDNO)}))
            << nKind;
    }
}

// The HTML box's background is the flat light grey outside its text and
// buttons.
TEST_F(MessageDialogs, HtmlBoxBackgroundIsFlatGrey)
{
    g_nMessageKind = MessageKindInformation;
    CDibCanvas* pCanvas = nullptr;
    std::unique_ptr<CDibCanvas> canvas;
    Show(false, {CModalDriver::Run([&](HWND hBox) {
                     RECT rc;
                     ::GetClientRect(hBox, &rc);
                     canvas.reset(new CDibCanvas(rc.right, rc.bottom));
                     PaintBox(hBox, *canvas);
                 }),
                 CModalDriver::Click(IDOK)});
    pCanvas = canvas.get();
    ASSERT_NE(nullptr, pCanvas);
    appui_test::SaveScreenshot(*pCanvas, L"message-box-information");
    const int cx = pCanvas->Width(), cy = pCanvas->Height();
    for (const POINT& pt : {POINT{2, 2}, POINT{cx - 3, 2}, POINT{2, cy - 3}, POINT{cx - 3, cy - 3}})
        EXPECT_EQ(RGB(242, 242, 242), pCanvas->Pixel(pt.x, pt.y)) << pt.x << "," << pt.y;
}

// Any other kind: the skinned templates, the text in control 1079, the skin's
// accent band along the top; Esc is 2 on both.
TEST_F(MessageDialogs, OtherKindsShowTheSkinnedForm)
{
    g_nMessageKind = 0;
    for (bool bQuestion : {false, true})
    {
        std::wstring caption, text;
        std::vector<BoxButton> buttons;
        COLORREF clrTop = 0, clrBelow = 0;
        auto record = CModalDriver::Run([&](HWND hBox) {
            caption = CModalDriver::Caption(hBox);
            text = CModalDriver::Caption(::GetDlgItem(hBox, IDC_MESSAGE_TEXT));
            buttons = CModalDriver::Buttons(hBox);
            ::RedrawWindow(hBox, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            CWnd* pBox = CWnd::FromHandle(hBox);
            appui_test::SaveWindowScreenshot(pBox, bQuestion ? L"message-skinned-yesno" : L"message-skinned-ok");
            HDC hdc = ::GetDC(hBox);
            clrTop = ::GetPixel(hdc, 3, 1);
            clrBelow = ::GetPixel(hdc, 3, 6);
            ::ReleaseDC(hBox, hdc);
        });
        EXPECT_EQ(1, Show(bQuestion, {record, CModalDriver::Click(IDOK)})) << bQuestion;
        EXPECT_EQ(L"Tesmir for VHD", caption);
        EXPECT_EQ(L"The message text", text);
        if (bQuestion)
        {
            ASSERT_EQ(2u, buttons.size());
            EXPECT_EQ(IDOK, buttons[0].id);
            EXPECT_EQ(L"&Yes", buttons[0].caption);
            EXPECT_EQ(IDCANCEL, buttons[1].id);
            EXPECT_EQ(L"&No", buttons[1].caption);
        }
        else
        {
            ASSERT_EQ(2u, buttons.size());
            EXPECT_EQ(IDOK, buttons[0].id);
            EXPECT_EQ(L"&Ok", buttons[0].caption);
        }
        EXPECT_EQ(RGB(29, 117, 189), clrTop);
        EXPECT_EQ(RGB(242, 242, 242), clrBelow);
        EXPECT_EQ(2, Show(bQuestion, {CModalDriver::PressEscape()})) << bQuestion;
    }
    EXPECT_EQ(2, Show(true, {CModalDriver::Click(IDCANCEL)}));
}

// A box shown from a worker is modal there and returns there.
TEST_F(MessageDialogs, BoxFromAWorkerReturnsOnTheWorker)
{
    struct Job
    {
        HDESK hDesktop;
        int nResult;
        DWORD dwThread;
        DWORD dwBoxThread;
    } job = {::GetThreadDesktop(::GetCurrentThreadId()), 0, 0, 0};
    g_nMessageKind = MessageKindInformation;
    CWinThread* pThread = AfxBeginThread(
        [](LPVOID pParam) -> UINT {
            Job* pJob = static_cast<Job*>(pParam);
            ::SetThreadDesktop(pJob->hDesktop);
            pJob->dwThread = ::GetCurrentThreadId();
            CModalDriver driver({CModalDriver::Run([pJob](HWND hBox) {
                                     pJob->dwBoxThread = ::GetWindowThreadProcessId(hBox, NULL);
                                 }),
                                 CModalDriver::Click(IDOK)});
            CMessageDlg dlg;
            pJob->nResult = (int)dlg.DoModal();
            return 0;
        },
        &job, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, pThread);
    pThread->m_bAutoDelete = FALSE;
    pThread->ResumeThread();
    EXPECT_TRUE(tesmir::test::PumpUntil(
        [&] { return ::WaitForSingleObject(pThread->m_hThread, 0) == WAIT_OBJECT_0; }, 30000));
    delete pThread;
    EXPECT_EQ(1, job.nResult);
    EXPECT_NE(0u, job.dwThread);
    EXPECT_EQ(job.dwThread, job.dwBoxThread);
}

// With a recorder installed instead, no window is made and its answer comes
// back.
TEST_F(MessageDialogs, RecorderAnswersWithoutAWindow)
{
    g_nMessageKind = MessageKindError;
    CMessageRecorder recorder(2);
    CModalDriver driver({CModalDriver::Click(IDOK)});
    CMessageDlg message;
    EXPECT_EQ(2, (int)message.DoModal());
    recorder.SetAnswer(1);
    CYesNoDlg question;
    EXPECT_EQ(1, (int)question.DoModal());
    EXPECT_EQ(0, driver.Creations());
    EXPECT_EQ(2u, recorder.messages().size());
}

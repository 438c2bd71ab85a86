// The browser-control view on a real frame: its host dialog covers the
// browser but an 8-pixel strip at the right and the bottom after every
// resize and keeps the focus; navigating to a page, a picture or a workbook
// never blocks (the test prefix's control has no HTML engine, so nothing is
// shown) and leaves the preview-ok flag set.
#include "CEx_StyleDoc.h"
#include "CHtmlHostDlg.h"
#include "CHtml_View.h"
#include "IPreviewHost.h"
#include "MfcTestSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using tesmir::test::BuildPath;
using tesmir::test::PaintNow;

namespace {

class CBrowserHostFrame : public CFrameWnd, public IPreviewHost
{
public:
    void SetPreviewView(CMainPreviewView*) override {}
    void SetPreviewOk(BOOL bOk) override { m_bOk = bOk; }
    BOOL IsPreviewOk() const override { return m_bOk; }
    void SetPreviewSupported(BOOL) override {}
    BOOL m_bOk = TRUE;
};

TEST(BrowserView, HostDialogFollowsTheViewAndKeepsTheFocus)
{
    tesmir::test::CScopedApp app;
    CBrowserHostFrame* pFrame = new CBrowserHostFrame;
    ASSERT_TRUE(pFrame->Create(NULL, _T("Browser preview"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(30, 30, 830, 630)));
    app.m_pMainWnd = pFrame;
    CEx_StyleDoc doc;
    doc.m_bAutoDelete = FALSE;

    CCreateContext context;
    context.m_pCurrentDoc = &doc;
    context.m_pNewViewClass = RUNTIME_CLASS(CHtml_View);
    CHtml_View* pView = (CHtml_View*)pFrame->CreateView(&context, AFX_IDW_PANE_FIRST);
    ASSERT_NE(nullptr, pView) << "the web browser control could not be made";
    ASSERT_NE(nullptr, pView->m_pHostDlg);
    HWND hHost = pView->m_pHostDlg->GetSafeHwnd();
    ASSERT_NE(nullptr, hHost);
    EXPECT_EQ(pView->GetSafeHwnd(), ::GetParent(hHost));
    EXPECT_TRUE(::IsWindowVisible(hHost));
    EXPECT_TRUE(::GetWindowLongW(hHost, GWL_EXSTYLE) & WS_EX_TRANSPARENT);

    const SIZE sizes[] = {{600, 400}, {300, 220}, {781, 555}, {120, 90}, {5, 5}};
    for (const SIZE& size : sizes) {
        pView->MoveWindow(0, 0, size.cx, size.cy);
        PaintNow(pFrame);
        CRect client, host;
        pView->GetClientRect(&client);
        ::GetWindowRect(hHost, &host);
        pView->ScreenToClient(&host);
        SCOPED_TRACE(std::to_string(size.cx) + "x" + std::to_string(size.cy));
        EXPECT_EQ(CRect(0, 0, std::max(0, client.Width() - 8), std::max(0, client.Height() - 8)), host);
        EXPECT_EQ(hHost, ::GetFocus());
    }

    // Navigation returns at once whatever the file, and nothing reports a
    // failure.
    for (const wchar_t* name : {L"page.htm", L"q160x120.gif", L"sheet.xls"}) {
        std::wstring path = BuildPath((std::wstring(L"preview-images\\") + name).c_str());
        doc.m_strPreviewPath = path.c_str();
        pView->Navigate2(path.c_str(), 0, NULL, NULL, NULL, 0);
        PaintNow(pFrame);
        EXPECT_TRUE(pFrame->m_bOk) << tesmir::test::Utf8(name);
    }
    pView->MoveWindow(0, 0, 700, 500);
    PaintNow(pFrame);
    {
        tesmir::test::CCapture capture(pView);
        capture.Canvas().SaveBmp(tesmir::test::ScreenshotPath(L"browser_view.bmp"));
    }

    pView->DestroyWindow();
    pFrame->DestroyWindow();
    app.m_pMainWnd = NULL;
}

} // namespace

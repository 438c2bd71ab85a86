// The centred edit lays its one line out in the vertical middle of the
// control, with white bands above and below, however it was created.
#include <gtest/gtest.h>

#include <afxwin.h>

#include "CCentredEdit.h"
#include "ControlsTestSupport.h"

using namespace appui_test;

namespace {

class CentredEditTest : public CanvasTest
{
protected:
    void SetUp() override
    {
        CanvasTest::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(m_font.CreateFont(-15, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, _T("Arial")));
        m_nLine = LineHeight(m_font);
        // Three lines tall, inside a client edge.
        m_rect.SetRect(20, 20, 220, 20 + 3 * m_nLine + 2 * ::GetSystemMetrics(SM_CYEDGE));
    }

    // The client area's top and bottom gaps inside the window.
    void ClientGaps(CWnd& edit, int& nTop, int& nBottom)
    {
        CRect rectWindow, rectClient;
        edit.GetWindowRect(&rectWindow);
        edit.GetClientRect(&rectClient);
        edit.ClientToScreen(&rectClient);
        nTop = rectClient.top - rectWindow.top;
        nBottom = rectWindow.bottom - rectClient.bottom;
    }

    // The layout is centred: equal gaps, and the text line's middle at the
    // window's middle.
    void ExpectCentred(CCentredEdit& edit)
    {
        int nTop = 0, nBottom = 0;
        ClientGaps(edit, nTop, nBottom);
        EXPECT_LE(abs(nTop - nBottom), 1) << nTop << " / " << nBottom;
        CRect rectWindow;
        edit.GetWindowRect(&rectWindow);
        CRect rectText;
        edit.GetRect(&rectText);   // the formatting rectangle, client coordinates
        int nMiddle = nTop + rectText.top + m_nLine / 2;
        EXPECT_LE(abs(nMiddle - rectWindow.Height() / 2), 2) << nMiddle << " in " << rectWindow.Height();
        EXPECT_LT(rectText.Height(), 2 * m_nLine);
        EXPECT_GE(rectText.Height(), m_nLine);

        // The bands between the frame and the text area are white.
        EXPECT_FALSE(edit.m_rectBandTop.IsRectEmpty());
        EXPECT_FALSE(edit.m_rectBandBottom.IsRectEmpty());
        CCapture capture(&edit, TRUE);
        int x = rectWindow.Width() / 2;
        int nBand = (nTop - ::GetSystemMetrics(SM_CYEDGE)) / 2;
        ASSERT_GT(nBand, 0);
        EXPECT_EQ(RGB(255, 255, 255), capture.Pixel(x, ::GetSystemMetrics(SM_CYEDGE) + nBand / 2));
        EXPECT_EQ(RGB(255, 255, 255), capture.Pixel(x, rectWindow.Height() - 1 - ::GetSystemMetrics(SM_CYEDGE) - nBand / 2));
    }

    CFont m_font;
    int m_nLine = 0;
    CRect m_rect;
};

TEST_F(CentredEditTest, CreatedAndLaidOutForItsFont)
{
    CCentredEdit edit;
    ASSERT_TRUE(edit.CreateEx(WS_EX_CLIENTEDGE, _T("EDIT"), _T("Ky centred"),
                              WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, m_rect, m_pCanvas, 200));
    edit.SetFont(&m_font);
    edit.SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    PaintNow(m_pCanvas);
    ExpectCentred(edit);
}

TEST_F(CentredEditTest, SubclassedControlIsLaidOutBeforeItsFirstPaintAndStaysSo)
{
    HWND hWnd = ::CreateWindowEx(WS_EX_CLIENTEDGE, _T("EDIT"), _T("Ky centred"), WS_CHILD | ES_AUTOHSCROLL,
                                 m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_pCanvas->m_hWnd,
                                 (HMENU)201, NULL, NULL);
    ASSERT_NE((HWND)NULL, hWnd);
    ::SendMessage(hWnd, WM_SETFONT, (WPARAM)m_font.m_hObject, FALSE);
    CCentredEdit edit;
    ASSERT_TRUE(edit.SubclassWindow(hWnd));
    EXPECT_TRUE(edit.m_rectBandTop.IsRectEmpty());

    // The first paint asks for the colours, and the frame is laid out.
    edit.ShowWindow(SW_SHOW);
    PaintNow(m_pCanvas);
    ExpectCentred(edit);

    // Laying the frame out again gives the same client area.
    CRect rectBefore;
    edit.GetClientRect(&rectBefore);
    int nTop = 0, nBottom = 0;
    ClientGaps(edit, nTop, nBottom);
    for (int i = 0; i < 3; i++)
        edit.SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    PaintNow(m_pCanvas);
    CRect rectAfter;
    edit.GetClientRect(&rectAfter);
    EXPECT_EQ(rectBefore, rectAfter);
    int nTopAfter = 0, nBottomAfter = 0;
    ClientGaps(edit, nTopAfter, nBottomAfter);
    EXPECT_EQ(nTop, nTopAfter);
    ExpectCentred(edit);
}

TEST_F(CentredEditTest, ControlShorterThanItsFontIsNotStretched)
{
    CCentredEdit edit;
    CRect rectLow(m_rect.left, m_rect.top, m_rect.right, m_rect.top + m_nLine / 2);
    ASSERT_TRUE(edit.CreateEx(WS_EX_CLIENTEDGE, _T("EDIT"), _T("Ky"), WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                              rectLow, m_pCanvas, 202));
    edit.SetFont(&m_font);
    edit.SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    PaintNow(m_pCanvas);
    CRect rectWindow, rectClient;
    edit.GetWindowRect(&rectWindow);
    edit.GetClientRect(&rectClient);
    EXPECT_LE(rectClient.Height(), rectWindow.Height());
    EXPECT_GE(rectClient.Height(), 0);
    // Painting settles: nothing is left to paint after one pass.
    EXPECT_FALSE(::GetUpdateRect(edit.m_hWnd, NULL, FALSE));
}

}  // namespace

// Helpers of the application control tests: a top-level window with a
// patterned background, and captures of what windows show.
#pragma once

#include <gtest/gtest.h>

#include <afxwin.h>

#include <MfcTestSupport.h>

namespace appui_test {

// Background pattern of CCanvasWnd, in client coordinates: 3x3 checks of two
// colours that no control paints by itself.
COLORREF CanvasPattern(int x, int y);

// A visible top-level framework window that paints CanvasPattern in
// WM_ERASEBKGND (and so reflects WM_CTLCOLOR to its controls).
class CCanvasWnd : public CWnd
{
public:
    BOOL CreateCanvas(int cx = 400, int cy = 300);
protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};

// The canvas the tests share, repainted (it lives until the process ends).
CCanvasWnd* SharedCanvas();

// A test on the shared canvas.
class CanvasTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pCanvas = SharedCanvas();
        ASSERT_NE(nullptr, m_pCanvas);
    }
    CCanvasWnd* m_pCanvas = NULL;
};

// Number of top-level windows the calling thread owns, for leak checks.
int CountThreadWindows();

using tesmir::test::CCapture;
using tesmir::test::LineHeight;
using tesmir::test::PaintNow;
using tesmir::test::TextSize;

}  // namespace appui_test

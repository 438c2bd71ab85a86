// Helpers of the application control tests: a top-level window with a
// patterned background, and captures of what windows show.
#pragma once

#include <gtest/gtest.h>

#include <afxwin.h>

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

// Pixels copied out of a window into a 32-bit DIB section.
class CCapture
{
public:
    // bWhole: the whole window (frame included) instead of the client area.
    explicit CCapture(CWnd* pWnd, BOOL bWhole = FALSE);
    ~CCapture();
    CCapture(const CCapture&) = delete;
    CCapture& operator=(const CCapture&) = delete;

    COLORREF Pixel(int x, int y) const;
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }
    CDC m_dc;   // the capture, for drawing references into

private:
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
    DWORD* m_pBits;
    int m_cx;
    int m_cy;
};

// Paints every pending update of pWnd and its children, then dispatches
// what is left in the queue.
void PaintNow(CWnd* pWnd);

// Height of "Ky" in a font, as DrawText measures it.
int LineHeight(HFONT hFont);

// Width and height of a text in a font.
CSize TextSize(HFONT hFont, LPCTSTR lpszText);

}  // namespace appui_test

// Helpers for test programs that link the framework (mfc/): answering
// message boxes, a scoped application object, and what windows show.
#pragma once

#include <afxwin.h>

#include "TestSupport.h"

#include <string>
#include <vector>

namespace tesmir {
namespace test {

// Answers every AfxMessageBox with nAnswer while in scope, recording the texts.
class CMessageBoxAnswer
{
public:
    explicit CMessageBoxAnswer(int nAnswer);
    ~CMessageBoxAnswer();
    CMessageBoxAnswer(const CMessageBoxAnswer&) = delete;
    CMessageBoxAnswer& operator=(const CMessageBoxAnswer&) = delete;

    std::vector<std::wstring> m_texts;
    std::vector<UINT> m_types;   // each box's MB_ flags
    const int m_nAnswer;

private:
    AFX_MESSAGEBOX_HOOK m_pfnOld;
    CMessageBoxAnswer* m_pOuter;   // the answer object this one hides, if any
};

// A CWinApp for the duration of a test (profile functions and AfxGetApp need
// one). The application that was current before, if any, is current again
// after it, so a test can use one inside a program that keeps its own.
class CScopedApp : public CWinApp
{
public:
    // pPrevious is captured before CWinApp's constructor makes this object
    // the current application; callers leave it to its default.
    explicit CScopedApp(LPCTSTR lpszName = NULL, CWinApp* pPrevious = AfxGetApp());
    ~CScopedApp() override;

private:
    CWinApp* m_pPrevious;
};

// Pixels copied out of a window (its client area, or the whole window with
// bWhole) as the screen shows them.
class CCapture
{
public:
    explicit CCapture(CWnd* pWnd, BOOL bWhole = FALSE);
    ~CCapture();
    CCapture(const CCapture&) = delete;
    CCapture& operator=(const CCapture&) = delete;

    COLORREF Pixel(int x, int y) const { return m_canvas.Pixel(x, y); }
    int Width() const { return m_canvas.Width(); }
    int Height() const { return m_canvas.Height(); }
    const CDibCanvas& Canvas() const { return m_canvas; }

private:
    CDibCanvas m_canvas;

public:
    CDC m_dc;   // the capture, for drawing references into
};

// Paints every pending update of pWnd and its children, then dispatches
// what is left in the queue.
void PaintNow(CWnd* pWnd);

// Height of "Ky" in a font, as DrawText measures it.
int LineHeight(HFONT hFont);

// Width and height of a text in a font.
CSize TextSize(HFONT hFont, LPCTSTR lpszText);

}  // namespace test
}  // namespace tesmir

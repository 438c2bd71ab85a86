// A test tab strip: a window with a tab manager and a real tab paint
// manager. Its Reposition lays the strip out over its rectangle and redraws,
// its icons come from a table (image value -> icon size and colour), and it
// paints itself double-buffered.
#pragma once

#include <afxwin.h>

#include <map>

#include "CVZPTabManager.h"
#include "CVZPTabPaintManager.h"

namespace vzpanes_test {

class CTestStrip;

// The strip's window. WM_APP releases the capture (a loss of capture in the
// middle of a modal loop).
class CTestStripWnd : public CWnd
{
public:
    explicit CTestStripWnd(CTestStrip* pStrip) : m_pStrip(pStrip) {}

    CTestStrip* m_pStrip;

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnDropCapture(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class CTestStrip : public CVZPTabManager
{
public:
    CTestStrip();
    ~CTestStrip() override;

    // A visible top-level window of the size of rcStrip (client area) at a
    // fixed place on the desktop; the strip covers its client area.
    BOOL CreateWnd(CSize szClient, DWORD dwExStyle = 0);
    HWND GetSafeHwnd() const { return m_wnd.GetSafeHwnd(); }

    CVZPTabPaintManager* GetPaintManager() const override { return m_pPaintManager; }
    void Reposition() override;
    void RedrawControl() override;
    BOOL DrawItemIcon(CDC* pDC, CPoint pt, CVZPTabManagerItem* pItem, BOOL bDraw, CSize* pszIcon) override;

    // Appends a tab.
    CVZPTabManagerItem* Add(LPCWSTR lpszCaption, DWORD dwImage = 0);
    // Draws the strip over m_rcStrip.
    void Paint(CDC* pDC);
    // The fixed caption font of the tests, given to the paint manager (the
    // system font off).
    static LOGFONT TestLogFont();
    // Re-reads the sets' metrics and lays out again.
    void Refresh();

    CVZPTabPaintManager* m_pPaintManager;
    CTestStripWnd m_wnd;
    CRect m_rcStrip;
    int m_nRepositions;
    int m_nRedraws;
    int m_nButtonClicks;
    // Icon table: image value -> size and colour; 0 has no icon.
    std::map<DWORD, std::pair<CSize, COLORREF>> m_icons;

    void OnNavigateButtonClick(int nId) override;
};

}  // namespace vzpanes_test

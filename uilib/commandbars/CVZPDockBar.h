// One of the four bars along the site's edges that hold docked toolbars in
// rows. Declared here as the plain child window the manager creates; rows,
// docking and its WM_SIZEPARENT layout are the dock bar's own.
#pragma once

#include <afxwin.h>

class CVZPCommandBars;
class CVZPToolBar;

class CVZPDockBar : public CWnd
{
    DECLARE_DYNAMIC(CVZPDockBar)
public:
    explicit CVZPDockBar(CVZPCommandBars* pCommandBars);
    ~CVZPDockBar() override;

    // A child of the parent with window style dwStyle (its CBRS_ALIGN_ and
    // CBRS_BORDER_ bits are the bar style) and control id nID.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

    CVZPCommandBars* GetCommandBars() const { return m_pCommandBars; }
    DWORD GetBarStyle() const { return m_dwStyle; }
    // 0 top, 1 bottom, 2 left, 3 right, from the alignment bits.
    int GetPosition() const;

    // Takes a toolbar in at the rectangle (NULL: the dock bar chooses).
    virtual BOOL DockCommandBar(CVZPToolBar* pBar, LPCRECT lpRect);
    // Takes the toolbar out; FALSE when it was not here.
    virtual BOOL RemoveCommandBar(CVZPToolBar* pBar);

protected:
    CVZPCommandBars* m_pCommandBars;
    DWORD m_dwStyle;

    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// The library's status bar: a control bar around the system status control
// whose panes may carry colours, an alignment, an icon and a child window,
// drawn by the command bars' paint manager when the bar is themed.
#pragma once

#include <afxwin.h>
#include <afxext.h>

class CVZPCommandBars;
class CVZPCommandBarPaintManager;
class CVZPImageManagerIcon;
class CVZPStatusBar;

// One pane of the bar.
class CVZPStatusBarPane : public CCmdTarget
{
    DECLARE_DYNAMIC(CVZPStatusBarPane)
public:
    CVZPStatusBarPane();

    // The font the pane's text is drawn in: the bar's.
    virtual CFont* GetTextFont();
    // The image drawn before the text; none in this class.
    virtual CVZPImageManagerIcon* GetIcon();

    UINT GetID() const { return m_nID; }
    int GetWidth() const { return m_cxText; }
    UINT GetStyle() const { return m_nStyle; }
    const CString& GetText() const { return m_strText; }
    BOOL IsVisible() const { return m_bVisible; }
    int GetIndex() const { return m_nIndex; }
    CVZPStatusBar* GetStatusBar() const { return m_pStatusBar; }

    enum UpdateFlags { updateText = 1 };   // the text changed while its update waited

    UINT m_nID;                 // 0: the pane that shows the bar's window text
    int m_cxText;               // width of the text area
    UINT m_nStyle;              // SBPS_*; the low word goes to SB_SETTEXT
    UINT m_nUpdateFlags;
    CString m_strText;
    BOOL m_bVisible;
    COLORREF m_clrText;         // (COLORREF)-1: the paint manager's text colour
    COLORREF m_clrBackground;   // (COLORREF)-1: no fill
    HWND m_hWndPane;            // a child window laid over the pane
    int m_nAlignment;           // 0 left, 1 centred, 2 right
    CVZPStatusBar* m_pStatusBar;
    int m_nIndex;               // place in the bar's pane list
    int m_nPart;                // the status control's part, among the visible panes
};

class CVZPStatusBar : public CControlBar
{
    DECLARE_DYNAMIC(CVZPStatusBar)
public:
    CVZPStatusBar();
    ~CVZPStatusBar() override;

    // Creates the status control as the parent's bar (with the size grip
    // when the parent has a sizing border).
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                        UINT nID = AFX_IDW_STATUS_BAR);

    // One pane per id: a non-zero id's text is its string resource and its
    // width the text's; id 0 is the message pane (the first such pane
    // stretches and has no borders).
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);

    CVZPStatusBarPane* GetPane(int nIndex) const;
    int GetPaneCount() const { return m_nCount; }
    int GetVisiblePaneCount() const;
    int CommandToIndex(UINT nIDFind) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);
    // Lays the panes' child windows over their panes.
    void PositionControls();

    // The paint manager the bar draws with; NULL when it is not themed.
    CVZPCommandBarPaintManager* GetPaintManager() const;
    void SetCommandBars(CVZPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    CVZPCommandBars* GetCommandBars() const { return m_pCommandBars; }
    void SetDrawThemed(BOOL bThemed) { m_bDrawThemed = bThemed; }
    BOOL IsDrawThemed() const { return m_bDrawThemed; }
    void SetDrawDisabledText(BOOL bDraw) { m_bDrawDisabledText = bDraw; }
    BOOL GetDrawDisabledText() const { return m_bDrawDisabledText; }
    CFont* GetFont() { return &m_font; }
    int GetMinHeight() const { return m_nMinHeight; }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    // Draws one pane's content (the paint manager's pane entry).
    virtual void DrawPaneEntry(CDC* pDC, int nIndex, CRect rcItem);
    // Draws the size grip over the client rectangle.
    virtual void DrawStretch(CDC* pDC, CRect rcClient);

    CVZPStatusBarPane** GetPaneArray() const { return (CVZPStatusBarPane**)m_pData; }
    // Replaces the panes by nCount new ones.
    BOOL AllocPanes(int nCount);
    BOOL HasSizeGrip() const;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg UINT OnNcHitTest(CPoint point);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetMinHeight(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    int m_nMinHeight;
    CFont m_font;
    BOOL m_bDrawDisabledText;
    CVZPCommandBars* m_pCommandBars;
    BOOL m_bDrawThemed;
};

// A plain child window meant to be laid over a pane; derived classes draw
// in OnDraw.
class CVZPStatusBarPaneWnd : public CWnd
{
    DECLARE_DYNAMIC(CVZPStatusBarPaneWnd)
public:
    virtual BOOL Create(LPCTSTR lpszText, CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                        UINT nID = 0xFFFF);
    const CString& GetText() const { return m_strWindowText; }

protected:
    virtual void OnDraw(CDC* pDC, CRect rcClient);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnEnable(BOOL bEnable);
    DECLARE_MESSAGE_MAP()

    CString m_strWindowText;
};

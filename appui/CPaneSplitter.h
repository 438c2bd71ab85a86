// A light splitter: a static control that adopts two existing child windows
// as its panes, side by side or one above the other, lets the user drag the
// bar between them and keeps the split in the application's profile.
#pragma once

#include <afxwin.h>

// Style bits of Create, besides the window styles: which kind of split.
#define PSS_VERTICAL    0x0001   // a vertical bar: the first pane left, the second right
#define PSS_HORIZONTAL  0x0002   // a horizontal bar: the first pane on top, the second below

// The panes stay owned by whoever made them; only their window parent
// changes. Positions are kept per control id in the profile sections
// "splt\init_v<id>" ("VertSplitPos": the left pane's width) and
// "splt\init_h<id>" ("HorizSplitPos": the bottom pane's height), written when
// the splitter's window is destroyed.
class CPaneSplitter : public CStatic
{
public:
    CPaneSplitter();
    ~CPaneSplitter() override;

    // Creates the static in pParentWnd, makes both panes its children (their
    // owner stays pParentWnd), and lays them out from the profile. The
    // minimums hold for both directions.
    BOOL Create(DWORD dwStyle, CWnd* pParentWnd, CWnd* pFirstPane, CWnd* pSecondPane, UINT nID, const RECT& rect,
                int nFirstMinimum, int nSecondMinimum);
    using CStatic::Create;

    // Vertical splits only: hide the first pane and give the second the whole
    // client area, and back.
    void ShowSecondPaneOnly();
    void RestorePanes();

    BOOL IsSecondPaneOnly() const { return m_bSecondPaneOnly; }
    BOOL IsDragging() const { return m_vert.bDragging || m_horz.bDragging; }
    int GetLeftWidth() const { return m_nLeftWidth; }
    int GetBottomHeight() const { return m_nBottomHeight; }

    // Esc ends a drag and leaves the panes where they were.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Default split of a vertical splitter without a stored position.
    static int DefaultVertSplitPos(UINT nID);

protected:
    // One direction of splitting: its panes, their last layout and the drag.
    struct SplitAxis
    {
        BOOL bEnabled = FALSE;
        CWnd* pFirst = NULL;         // left or top pane
        CWnd* pSecond = NULL;        // right or bottom pane
        int nFirstMinimum = 0;
        int nSecondMinimum = 0;
        CRect rectFirst;
        CRect rectSecond;
        CRect rectBar;               // hit area: 2 x bar width, centred on the split
        CRect rectTracker;           // the client area in the parent's window coordinates, moved with the mouse
        BOOL bCapturing = FALSE;
        BOOL bDragging = FALSE;
        int nDragStart = 0;
        int nLastPos = 0;
        HWND hWndPrevFocus = NULL;   // had the focus when the drag began
    };

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    void InitVertical();
    void InitHorizontal();
    void PlaceVertical(int x);
    void PlaceHorizontal(int y);
    void Place(SplitAxis& axis, int nPos);
    int Clamp(const SplitAxis& axis, int nPos) const;
    // The mouse position along the axis.
    int AxisPos(const SplitAxis& axis, CPoint point) const;
    void StoreSplit(const SplitAxis& axis);
    void BeginDrag(SplitAxis& axis, CPoint point);
    void DragTo(SplitAxis& axis, CPoint point);
    void EndDrag(SplitAxis& axis, CPoint point);
    void CancelDrag(SplitAxis& axis);
    // XOR line on the parent's window DC: drawing it twice erases it.
    void DrawTracker(const SplitAxis& axis);
    LPCTSTR SizingCursor(const SplitAxis& axis) const;
    CString SectionName(LPCTSTR lpszPrefix) const;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    CWnd* m_pParent;
    SplitAxis m_vert;
    SplitAxis m_horz;
    int m_nBarWidth;
    UINT m_nID;
    int m_nLeftWidth;
    int m_nBottomHeight;
    BOOL m_bSecondPaneOnly;
};

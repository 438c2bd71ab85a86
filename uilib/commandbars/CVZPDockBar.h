// One of the four strips along the site's edges in which toolbars dock. It
// keeps its toolbars in rows, chooses the row a dropped toolbar joins, and
// lays the rows out whenever the frame repositions its bars: bars keep their
// remembered places where they can, are pushed aside when they overlap,
// shrink when a row is too short and wrap to a further line when they cannot
// shrink enough.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include <vector>

struct AFX_SIZEPARENTPARAMS;
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
    // 0 top, 1 bottom, 2 left, 3 right, from the alignment and border bits.
    int GetPosition() const;
    // Top and bottom dock bars lay their rows out horizontally.
    BOOL IsHorizontal() const { return (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0; }

    // Takes a toolbar in with its window at lpRect (screen coordinates): it
    // joins the row under the rectangle's centre and remembers the place.
    // NULL appends it as a new last row.
    BOOL DockCommandBar(CVZPToolBar* pBar, LPCRECT lpRect);
    // Takes out the first entry of the bar other than nSkipIndex, and its
    // row when the row is left empty. Returns 0.
    int RemoveCommandBar(CVZPToolBar* pBar, int nSkipIndex = -1);
    // Index of the first entry holding the bar other than nSkipIndex; -1
    // when none.
    int FindBar(CVZPToolBar* pBar, int nSkipIndex = -1) const;
    // Appends the visible bars of the row holding entry nIndex, in the order
    // of their windows along the dock bar.
    void GetVisibleBarsInRow(int nIndex, CArray<CVZPToolBar*, CVZPToolBar*>& arrBars) const;
    // The layout mode a bar is measured with in a dock bar of that direction.
    DWORD GetLayoutMode(BOOL bHorz, CVZPToolBar* pBar) const;
    // Lays every row out for the length; with a deferred-positioning handle
    // in lpLayout the bars' windows are moved. Returns the size taken.
    CSize CalcDockBarLayout(int nLength, DWORD dwMode, AFX_SIZEPARENTPARAMS* lpLayout);

    // The entries: bars in rows, each row ended by NULL, led by a NULL.
    int GetEntryCount() const { return (int)m_arrBars.GetSize(); }
    CVZPToolBar* GetEntry(int nIndex) const { return m_arrBars[nIndex]; }
    // Number of rows (empty rows never stay).
    int GetRowCount() const;
    // Inserts an entry (a bar, or NULL ending a row) before the entry at the
    // index; an index past the end grows the array (a restored layout).
    void InsertEntry(int nIndex, CVZPToolBar* pBar) { m_arrBars.InsertAt(nIndex, pBar); }

protected:
    // Bar style: creation style masked with CBRS_ALL.
    DWORD m_dwStyle;
    CArray<CVZPToolBar*, CVZPToolBar*> m_arrBars;
    CVZPCommandBars* m_pCommandBars;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // Places the bar in the row whose band holds the centre (client
    // coordinates); returns the index of its new entry.
    int InsertBar(CVZPToolBar* pBar, CPoint ptCenter);
    // Gives every stretched bar a row of its own.
    void SeparateStretchedBars();
    // The bar's window rectangle in this dock bar's client coordinates.
    CRect GetBarRect(CVZPToolBar* pBar) const;
    // Places the bars of one row at the offset, wrapping to further lines
    // when they cannot share one; returns the thickness used.
    int LayoutRow(std::vector<CVZPToolBar*> bars, int nOffset, int nLength, BOOL bHorz,
                  AFX_SIZEPARENTPARAMS* lpLayout);
    // Places the bars on one line; FALSE (with the bar to set aside) when
    // they cannot share it.
    BOOL PlaceRow(const std::vector<CVZPToolBar*>& bars, int nOffset, int nLength, BOOL bHorz,
                  AFX_SIZEPARENTPARAMS* lpLayout, int& nThickness, CVZPToolBar*& pFailed);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPrint(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

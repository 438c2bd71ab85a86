// The window-less node of the pane tree that lines its children up side by
// side (horizontal) or stacked (vertical), shares the length among them by
// their docking sizes within their limits, and keeps a splitter bar window
// between every two visible neighbours. Dragging a bar moves the boundary
// between its neighbours, as an outline or live.
#pragma once

#include "CVZPDockingPaneBase.h"

class CVZPDockingPaneSplitterContainer;

// A splitter bar between two children of a splitter container.
class CVZPDockingPaneSplitterWnd : public CWnd
{
public:
    CVZPDockingPaneSplitterWnd();
    ~CVZPDockingPaneSplitterWnd() override;

    // Creates the bar on the container's host window.
    virtual BOOL CreateBar(CVZPDockingPaneSplitterContainer* pContainer, CVZPDockingPaneBase* pBefore,
                           CVZPDockingPaneBase* pAfter);
    // TRUE when the bar lies across a vertical container.
    BOOL IsBarHorizontal() const;
    // The bar's movement limits (screen coordinates, along its axis) from
    // the union of its neighbours; FALSE when there is no room.
    BOOL GetLimits(CRect* pUnion, int* pnMin, int* pnMax) const;
    // Gives the neighbours the sizes that put the boundary at nPos (screen
    // coordinate of the bar's leading edge).
    void ApplyPosition(const CRect& rcUnion, int nPos);

    CVZPDockingPaneSplitterContainer* m_pContainer;
    CVZPDockingPaneBase* m_pBefore;
    CVZPDockingPaneBase* m_pAfter;
    HCURSOR m_hCursor;

protected:
    // The live drag: the bar follows the cursor and the frame is laid out at
    // each step.
    void TrackLive(CPoint ptStart, const CRect& rcUnion, int nMin, int nMax);

    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};

typedef CList<CVZPDockingPaneSplitterWnd*, CVZPDockingPaneSplitterWnd*> CVZPDockingPaneSplitterWndList;

class CVZPDockingPaneSplitterContainer : public CVZPDockingPaneBase
{
public:
    explicit CVZPDockingPaneSplitterContainer(CVZPDockingPaneLayout* pLayout);
    ~CVZPDockingPaneSplitterContainer() override;

    virtual CVZPDockingPaneSplitterWnd* CreateSplitterWindow();

    // The first child of a new container; the child takes this container
    // as its parent, and the container its docking size.
    void InitFirstChild(CVZPDockingPaneBase* pChild, BOOL bHorizontal, CWnd* pHost);
    // Next to the neighbour (after or before it); without a neighbour that
    // is a child, at the end or the start.
    void InsertChild(CVZPDockingPaneBase* pChild, CVZPDockingPaneBase* pNeighbour, BOOL bAfter);
    void ReplaceChild(CVZPDockingPaneBase* pOld, CVZPDockingPaneBase* pNew);
    // Appends a child while a layout is loaded.
    void AppendLoadedChild(CVZPDockingPaneBase* pChild);
    void CollectChildren(int nType, CVZPDockingPaneBaseList* pList);
    BOOL IsChildBefore(CVZPDockingPaneBase* pChild, POSITION pos) const;
    void RebuildBars();

    // The rectangle (screen) the object would get next to the neighbour
    // among this container's visible children.
    CRect ComputeChildRect(CVZPDockingPaneBase* pObject, int nSide, CVZPDockingPaneBase* pNeighbour);
    // The rectangle (screen) the object would get when the neighbour's
    // rectangle is split between the two.
    static CRect ComputeSplitRect(CVZPDockingPaneBase* pNeighbour, CVZPDockingPaneBase* pObject, int nSide);
    // The object's rectangle when the list is laid out in the rectangle.
    static CRect ComputeRectAmong(BOOL bHorizontal, CVZPDockingPaneBaseList& list, CRect rc,
                                  CVZPDockingPaneBase* pObject);
    // Gives each child its layout length (weight or negated fixed length);
    // with bApply the child holding the client keeps the sizes it is given.
    static void ShareLengths(CVZPDockingPaneManager* pManager, CVZPDockingPaneBaseList& list, CRect rc,
                             BOOL bHorizontal, BOOL bApply, int* pnTotal, int* pnAvailable);
    // The length of the next child of a laid-out list (weights take their
    // share of what is left).
    static int TakeLength(CVZPDockingPaneBase* pChild, int* pnTotal, int* pnAvailable);

    BOOL IsHorizontal() const { return m_bHorizontal; }
    CVZPDockingPaneBaseList& GetChildren() { return m_lstChildren; }
    CVZPDockingPaneSplitterWndList& GetBars() { return m_lstBars; }

    INT_PTR ContainsPane(CVZPDockingPaneBase* pPane) override;
    void CollectPanes(int nType, CVZPDockingPaneBaseList* pList) override;
    void GetMinMaxInfo(MINMAXINFO* pInfo) override;
    void PlaceInFrame(CWnd* pParent, CRect rc, AFX_SIZEPARENTPARAMS* pParams) override;
    void OnChildChanged(CVZPDockingPaneBase* pChild) override;
    void OnAttached(CVZPDockingPaneBase* pParent) override;
    BOOL ExchangeProperties(CVZPPropExchange* pPX) override;
    CVZPDockingPaneBase* Clone(CVZPDockingPaneLayout* pLayout, CMapPtrToPtr* pMap, DWORD dwIgnoredOptions) override;
    void RemoveChild(CVZPDockingPaneBase* pChild) override;
    BOOL IsEmpty() override;

    CVZPDockingPaneBaseList m_lstChildren;
    CVZPDockingPaneSplitterWndList m_lstBars;
    BOOL m_bHorizontal;
    BOOL m_bInLayout;

protected:
    void DeleteBars();
    void DelayHostLayout();
};

// Asks the frame that is (or holds) the window for a delayed layout.
void VZPDelayFrameLayout(CWnd* pWnd);

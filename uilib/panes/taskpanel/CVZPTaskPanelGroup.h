// A group of the task panel: a captioned, collapsible box of items.
#pragma once

#include <afxcmn.h>

#include "CVZPTaskPanelItem.h"

class CVZPTaskPanelGroupItem;
class CVZPTaskPanelGroupItems;

class CVZPTaskPanelGroup : public CVZPTaskPanelItem
{
    DECLARE_SERIAL(CVZPTaskPanelGroup)
public:
    // pPanel becomes the item list's panel (NULL when created by name).
    explicit CVZPTaskPanelGroup(CVZPTaskPanel* pPanel = NULL);
    ~CVZPTaskPanelGroup() override;

    BOOL CanTakeFocus() override;
    CVZPTaskPanelItem* GetOwnerGroup() override { return this; }
    // The current caption rectangle in client coordinates.
    CRect GetRectOnPanel() override;
    void DoPropExchange(CVZPPropExchange* pPX) override;
    // Draws the face image at the bottom right of the body.
    virtual void DrawFaceImage(CDC* pDC, CRect rcBody);

    CVZPTaskPanelGroupItems* GetItems() const { return m_pItems; }
    BOOL IsSpecial() const { return m_bSpecial; }
    CVZPTaskPanelGroupItem* GetItem(int nIndex) const;
    int GetItemCount() const;
    CVZPTaskPanelGroupItem* GetNextVisibleItem(int nIndex, int nStep) const;
    // The current rectangle differs from the target and the group is
    // visible.
    BOOL IsAnimating() const;
    // Expandable, the panel lets the user expand groups, and enabled.
    BOOL IsUserToggleable() const;
    void SetExpanded(BOOL bExpand);
    BOOL IsExpanded() const;
    BOOL IsExpanding() const { return m_bExpanding; }
    BOOL IsCaptionVisible() const { return m_bCaptionVisible; }
    int GetLayout() const;
    CSize GetGroupIconSize() const;
    // Caption and body rectangles in content coordinates, now and at the
    // target; a scroll button on the caption shortens it.
    CRect GetCaptionRect() const;
    CRect GetCaptionTargetRect() const;
    CRect GetBodyRect() const;
    CRect GetBodyTargetRect() const;

    // Lays the items out in rc (the panel's client narrowed by its margins,
    // top 0): rectangles, expanded body height and caption height.
    void LayoutItems(CDC* pDC, CRect rc);
    // The target from (left, y, right, y): outer margins, caption and body.
    CRect SetTargetRect(CRect rc, BOOL bAnimate);
    // The body height left over for the open group in the single-group
    // modes.
    int GetFreeBodyHeight() const;
    // Shares nExtra pixels among the visible auto-height items by their
    // weights (item height, or 1), moving the items below down.
    void DistributeExtraHeight(int nExtra);
    void AdjustFirstVisibleItem();
    // Moves the current rectangle one step toward the target (nSteps 0 or
    // less: all the way); notification 7 when an expand or collapse ends.
    void StepAnimation(int nSteps);
    void DrawGroup(CDC* pDC);
    // The visible item under the point (client coordinates); its rectangle
    // in client coordinates when asked.
    CVZPTaskPanelGroupItem* HitTestItem(CPoint pt, CRect* pRect = NULL) const;
    void SelectOnly(CVZPTaskPanelGroupItem* pItem);
    BOOL HoldsDropTarget() const;

    // Scrolling of the items in the single-group modes.
    int GetFirstVisibleIndex() const;
    int GetFirstVisibleOffset() const;
    void SetFirstVisibleIndex(int nIndex, BOOL bRepaint);
    void ScrollItems(int nDelta);
    BOOL CanScroll(BOOL bUp) const;
    BOOL IsItemInView(const CVZPTaskPanelGroupItem* pItem, BOOL bByTop) const;
    void ScrollToItem(CVZPTaskPanelGroupItem* pItem, BOOL bRepaint);

    CRect m_rcTarget;
    CRect m_rcCurrent;
    CRect m_rcOuterMargins;
    CRect m_rcInnerMargins;
    int m_nCaptionHeight;
    BOOL m_bSpecial;
    BOOL m_bExpandable;
    BOOL m_bExpanded;
    BOOL m_bExpanding;
    int m_nExpandedBodyHeight;
    BOOL m_bCaptionVisible;
    CImageList m_ilFaceImage;
    int m_nFaceImageOffsetX;
    int m_nFaceImageOffsetY;
    int m_nFirstVisibleItem;
    int m_nItemsPerRow;
    CSize m_szIcon;
    CVZPTaskPanelGroupItems* m_pItems;
    int m_nLayout;

    // Accessibility: expanded or collapsed, and the expand action.
    HRESULT get_accState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
    HRESULT accDoDefaultAction(VARIANT varChild) override;
};

// An item inside a group: a link, a text or a hosted child window.
class CVZPTaskPanelGroupItem : public CVZPTaskPanelItem
{
    DECLARE_SERIAL(CVZPTaskPanelGroupItem)
public:
    CVZPTaskPanelGroupItem();
    // Hides a hosted window that still exists.
    ~CVZPTaskPanelGroupItem() override;

    CVZPTaskPanelItem* GetOwnerGroup() override;
    // The item rectangle in client coordinates.
    CRect GetRectOnPanel() override;
    void DoPropExchange(CVZPPropExchange* pPX) override;
    virtual CRect CalcItemRect(CRect rc);
    virtual void DrawItem(CDC* pDC, CRect rc);
    virtual CString GetDragText();

    CVZPTaskPanelGroup* GetGroup() const;
    BOOL IsBold() const { return m_bBold; }
    // The focused item when the panel's focus is the selection, else the
    // flag; a panel-less item has only its flag.
    BOOL IsSelected() const;
    void SetSelected(BOOL bSelected);
    // Places the hosted window: shown at rest, a snapshot while animating.
    void PositionControl();
    // Snapshot of pWnd (WM_PRINT) on the body colour into *pBitmap.
    void CaptureControlImage(CWnd* pWnd, CBitmap* pBitmap);
    COLORREF GetControlBackColor() const;
    // Caches the item in the clipboard format and, with bWithText, its drag
    // text as CF_TEXT.
    BOOL PutOnDataSource(COleDataSource* pDataSource, BOOL bWithText);

    // Accessibility: selectable, selected, and the click action.
    HRESULT get_accState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
    HRESULT accSelect(long flagsSelect, VARIANT varChild) override;
    HRESULT accDoDefaultAction(VARIANT varChild) override;

    CRect m_rcMargins;
    CRect m_rcItem;
    BOOL m_bBold;
    BOOL m_bSelected;
    HWND m_hWndControl;
    CSize m_szItem;
    CBitmap m_bmpCached;
    int m_nCachedWidth;
    int m_nCachedHeight;
    CString m_strDragText;
    BOOL m_bAutoHeight;
};

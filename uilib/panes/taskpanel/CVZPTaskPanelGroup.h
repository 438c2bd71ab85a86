// A group of the task panel: a captioned, collapsible box of items.
#pragma once

#include <afxcmn.h>

#include "CVZPTaskPanelItem.h"

class CVZPTaskPanelGroupItems;

class CVZPTaskPanelGroup : public CVZPTaskPanelItem
{
    DECLARE_SERIAL(CVZPTaskPanelGroup)
public:
    // pPanel becomes the item list's panel (NULL when created by name).
    explicit CVZPTaskPanelGroup(CVZPTaskPanel* pPanel = NULL);
    ~CVZPTaskPanelGroup() override;

    CVZPTaskPanelItem* GetOwnerGroup() override { return this; }
    // Draws the face image at the bottom right of the body.
    virtual void DrawFaceImage(CDC* pDC, CRect rcBody);

    CVZPTaskPanelGroupItems* GetItems() const { return m_pItems; }
    BOOL IsSpecial() const { return m_bSpecial; }

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
    virtual CRect CalcItemRect(CRect rc);
    virtual void DrawItem(CDC* pDC, CRect rc);
    virtual CString GetDragText();

    BOOL IsSelected() const { return m_bSelected; }

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

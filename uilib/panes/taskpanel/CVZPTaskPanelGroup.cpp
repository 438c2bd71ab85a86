#include "CVZPTaskPanelGroup.h"

#include "CVZPTaskPanel.h"

IMPLEMENT_SERIAL(CVZPTaskPanelGroup, CVZPTaskPanelItem, VERSIONABLE_SCHEMA | 16)
IMPLEMENT_SERIAL(CVZPTaskPanelGroupItem, CVZPTaskPanelItem, VERSIONABLE_SCHEMA | 16)

namespace {
const CRect kDefaultRect(VZP_TASKPANEL_DEFAULT, VZP_TASKPANEL_DEFAULT, VZP_TASKPANEL_DEFAULT,
                         VZP_TASKPANEL_DEFAULT);
}  // namespace

CVZPTaskPanelGroup::CVZPTaskPanelGroup(CVZPTaskPanel* pPanel)
    : m_rcTarget(0, 0, 0, 0), m_rcCurrent(0, 0, 0, 0), m_rcOuterMargins(kDefaultRect), m_rcInnerMargins(kDefaultRect),
      m_nCaptionHeight(0), m_bSpecial(FALSE), m_bExpandable(TRUE), m_bExpanded(TRUE), m_bExpanding(FALSE),
      m_nExpandedBodyHeight(0), m_bCaptionVisible(TRUE), m_nFaceImageOffsetX(0), m_nFaceImageOffsetY(0),
      m_nFirstVisibleItem(0), m_nItemsPerRow(1), m_szIcon(0, 0), m_pItems(NULL), m_nLayout(0)
{
    m_nType = vzpTaskItemGroup;
    m_pItems = new CVZPTaskPanelGroupItems(pPanel, this);
}

CVZPTaskPanelGroup::~CVZPTaskPanelGroup()
{
    if (m_pItems != NULL)
        m_pItems->InternalRelease();
    m_pItems = NULL;
}

void CVZPTaskPanelGroup::DrawFaceImage(CDC* pDC, CRect rcBody)
{
    if (m_ilFaceImage.GetSafeHandle() != NULL && m_ilFaceImage.GetImageCount() == 1)
        ImageList_Draw(m_ilFaceImage, 0, pDC->GetSafeHdc(), rcBody.right - m_nFaceImageOffsetX,
                       rcBody.bottom - m_nFaceImageOffsetY, ILD_NORMAL);
}

CVZPTaskPanelGroupItem::CVZPTaskPanelGroupItem()
    : m_rcMargins(kDefaultRect), m_rcItem(0, 0, 0, 0), m_bBold(FALSE), m_bSelected(FALSE), m_hWndControl(NULL),
      m_szItem(0, 0), m_nCachedWidth(0), m_nCachedHeight(0), m_bAutoHeight(FALSE)
{
    m_nType = vzpTaskItemText;
}

CVZPTaskPanelGroupItem::~CVZPTaskPanelGroupItem()
{
    if (m_nType == vzpTaskItemControl && ::IsWindow(m_hWndControl))
        ::ShowWindow(m_hWndControl, SW_HIDE);
    m_strDragText.Empty();
    m_bmpCached.DeleteObject();
}

CVZPTaskPanelItem* CVZPTaskPanelGroupItem::GetOwnerGroup()
{
    if (m_pCollection == NULL)
        return NULL;
    return DYNAMIC_DOWNCAST(CVZPTaskPanelItem, m_pCollection->m_pOwner);
}

// Items are measured and drawn by the panel's layout.
CRect CVZPTaskPanelGroupItem::CalcItemRect(CRect rc)
{
    return rc;
}

void CVZPTaskPanelGroupItem::DrawItem(CDC* /*pDC*/, CRect /*rc*/)
{
}

CString CVZPTaskPanelGroupItem::GetDragText()
{
    return m_strDragText;
}

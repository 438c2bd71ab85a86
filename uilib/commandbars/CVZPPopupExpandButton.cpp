#include "CVZPPopupExpandButton.h"

#include "CVZPCommandBarPaintManager.h"
#include "CVZPPopupBar.h"

IMPLEMENT_DYNCREATE(CVZPPopupExpandButton, CVZPControlButton)

namespace {
// The paint manager's code for the expand button of a popup.
const int kSpecialPopupExpand = 1;
}  // namespace

CVZPPopupExpandButton::CVZPPopupExpandButton()
{
    m_controlType = vzpControlButton;
    m_dwFlags = kFlags;
}

CVZPPopupExpandButton::~CVZPPopupExpandButton()
{
}

CSize CVZPPopupExpandButton::GetSize(CDC* pDC)
{
    return GetPaintManager()->DrawSpecialControl(pDC, kSpecialPopupExpand, this, m_pParent, FALSE, NULL);
}

void CVZPPopupExpandButton::Draw(CDC* pDC)
{
    GetPaintManager()->DrawSpecialControl(pDC, kSpecialPopupExpand, this, m_pParent, TRUE, NULL);
}

void CVZPPopupExpandButton::OnExecute()
{
    // Expanding is all it does: no command reaches the site and the menu
    // stays open.
    if (CVZPPopupBar* pPopup = DYNAMIC_DOWNCAST(CVZPPopupBar, m_pParent))
        pPopup->ExpandHiddenControls();
}

#include "CVZCaptionButton.h"

#include "CVZCaption.h"
#include "CVZCaptionButtonTheme.h"
#include "CVZPColorManager.h"

IMPLEMENT_DYNAMIC(CVZCaptionButton, CVZButton)

CVZCaptionButton::CVZCaptionButton()
    : CVZButton(RUNTIME_CLASS(CVZCaptionButtonThemeFactory)), m_pCaption(NULL)
{
}

DWORD CVZCaptionButton::SetDrawStyle(DWORD dwStyle, BOOL bRedraw)
{
    (void)dwStyle;
    CVZCaption* pCaption = ::IsWindow(m_hWnd) ? DYNAMIC_DOWNCAST(CVZCaption, GetParent()) : NULL;
    if (pCaption == NULL)
        return GetDrawStyle();
    SetFaceColor(pCaption->m_clrFace);
    SetTextColor(pCaption->m_clrText);
    SetShadowColor(GetColorManager()->GetColor(COLOR_3DDKSHADOW));
    if (CVZButtonThemeClassic* pTheme = GetTheme())
        pTheme->SetFont(pCaption->GetFont());
    InvalidateIfCreated(bRedraw);
    return GetDrawStyle();
}

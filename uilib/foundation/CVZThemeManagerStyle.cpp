#include "CVZThemeManagerStyle.h"

#include "VZPRects.h"
#include "VZPSelectors.h"

CVZThemeManagerStyle::CVZThemeManagerStyle() : m_pFactory(NULL), m_nStyle(0)
{
}

CVZThemeManagerStyle::~CVZThemeManagerStyle()
{
}

void CVZThemeManagerStyle::RefreshMetrics()
{
}

BOOL CVZThemeManagerStyle::CaptureParentBackground(CWnd* pControl)
{
    CWnd* pParent = pControl != NULL ? pControl->GetParent() : NULL;
    if (pParent == NULL || !::IsWindow(pParent->GetSafeHwnd()))
        return FALSE;
    m_bmpParentBackground.DeleteObject();

    CRect rect = CVZPWindowAreaRect(pControl);
    pParent->ScreenToClient(&rect);

    CWindowDC dcParent(pParent);
    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(&dcParent) ||
        !m_bmpParentBackground.CreateCompatibleBitmap(&dcParent, rect.Width(), rect.Height()))
        return FALSE;
    CVZPBitmapSelector selector(&dcMem, &m_bmpParentBackground);
    dcMem.BitBlt(0, 0, rect.Width(), rect.Height(), &dcParent, rect.left, rect.top, SRCCOPY);
    return TRUE;
}

BOOL CVZThemeManagerStyle::DrawParentBackground(CDC* pDC, CWnd* pControl)
{
    if (pDC == NULL || pControl == NULL || (pControl->GetExStyle() & WS_EX_TRANSPARENT) == 0)
        return FALSE;
    if (!CaptureParentBackground(pControl))
        return FALSE;
    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(pDC))
        return FALSE;
    CVZPBitmapSelector selector(&dcMem, &m_bmpParentBackground);
    const CRect rcClient = CVZPClientAreaRect(pControl);
    pDC->BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcMem, 0, 0, SRCCOPY);
    return TRUE;
}

#include "VZPThemedControl.h"

#include "CVZPColorManager.h"
#include "CVZPCommandBarPaintManager.h"
#include "VZPColorIndex.h"
#include "VZPCommandBarsDefs.h"

LRESULT VZPThemedControlAfterBase(CWnd* pWnd, UINT message, LPARAM lParam, LRESULT lBaseResult)
{
    switch (message)
    {
    case WM_CREATE:
    {
        if (lBaseResult == -1)
            return -1;
        if (VZPPaintManager() == NULL)
            CVZPCommandBarPaintManager::SetTheme(vzpThemeOffice2000);
        HFONT hFont = NULL;
        if (CVZPCommandBarPaintManager* pPaintManager = VZPPaintManager())
            hFont = (HFONT)pPaintManager->m_fontRegular.GetSafeHandle();
        if (hFont == NULL)
            hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
        pWnd->SendMessage(WM_SETFONT, (WPARAM)hFont, TRUE);
        return 0;
    }
    case WM_NCCALCSIZE:
        // The first rectangle, whether or not the others follow it.
        ::InflateRect((RECT*)lParam, -1, -1);
        return 1;
    case WM_NCPAINT:
    {
        CWindowDC dc(pWnd);
        CRect rect;
        pWnd->GetWindowRect(&rect);
        COLORREF clrBorder = GetColorManager()->GetColor(VZPCOLOR_FLAT_DISABLED_BORDER);
        dc.Draw3dRect(0, 0, rect.Width(), rect.Height(), clrBorder, clrBorder);
        return 1;
    }
    default:
        return lBaseResult;
    }
}

#include "VZPPaneMetrics.h"

int VZPMeasureSpaceHeight(CFont* pFont)
{
    CWindowDC dc(CWnd::GetDesktopWindow());
    CFont* pOldFont = dc.SelectObject(pFont);
    int cy = dc.GetTextExtent(L" ", 1).cy;
    if (pOldFont != NULL)
        dc.SelectObject(pOldFont);
    return cy;
}

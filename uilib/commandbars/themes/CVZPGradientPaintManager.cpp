#include "CVZPGradientPaintManager.h"

CVZPGradientPaintManager::CVZPGradientPaintManager()
{
}

CVZPGradientPaintManager::~CVZPGradientPaintManager()
{
}

void CVZPGradientPaintManager::ExcludeCornerPixels(CDC* pDC, int nLeft, int nTop, int nRight, int nBottom)
{
    pDC->ExcludeClipRect(nLeft, nTop, nLeft + 1, nTop + 1);
    pDC->ExcludeClipRect(nRight - 1, nTop, nRight, nTop + 1);
    pDC->ExcludeClipRect(nLeft, nBottom - 1, nLeft + 1, nBottom);
    pDC->ExcludeClipRect(nRight - 1, nBottom - 1, nRight, nBottom);
}

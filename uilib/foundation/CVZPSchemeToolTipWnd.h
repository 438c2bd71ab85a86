// The library's tip window with a background by colour scheme: a gradient
// framed in the scheme's colour (blue, olive, silver), or from the tip colour
// to white framed in black without a scheme.
#pragma once

#include "CVZPToolTipWnd.h"

class CVZPSchemeToolTipWnd : public CVZPToolTipWnd
{
public:
    explicit CVZPSchemeToolTipWnd(CVZPTooltipService* pService) : CVZPToolTipWnd(pService) {}

    void DrawTipBackground(CDC* pDC, LPCTSTR pszText, const CRect& rect) override;
};

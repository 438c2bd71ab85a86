#include "CVZPSchemeGradientPaintManager.h"

#include "CVZPColorManager.h"

CVZPSchemeGradientPaintManager::CVZPSchemeGradientPaintManager()
{
    // The gradient theme's own scheme sets never apply here, so neither do
    // its orange state gradients.
    m_nColorScheme = 0;
    m_bSingleSeparators = TRUE;
}

CVZPSchemeGradientPaintManager::~CVZPSchemeGradientPaintManager()
{
}

void CVZPSchemeGradientPaintManager::RefreshMetrics()
{
    CVZPGradientPaintManager::RefreshMetrics();
    m_grcExpandButton.SetStandardValue(CVZPColorManager::BlendColors(GetColor(COLOR_WINDOW), GetColor(COLOR_BTNFACE), 550),
                                       GetColor(COLOR_BTNSHADOW), 0.5f);
    switch (GetColorManager()->GetCurrentColorScheme())
    {
    case 1:
    case 2:
        m_grcToolBar.SetStandardValue(RGB(250, 249, 245), RGB(192, 192, 168), 0.75f);
        m_grcDockBar.SetStandardValue(RGB(229, 229, 215), RGB(244, 241, 231), 0.5f);
        m_grcExpandedGutter.SetStandardValue(RGB(204, 199, 186), RGB(204, 199, 186), 0.5f);
        m_clrToolbarLine = RGB(163, 163, 124);
        m_grcKnob.SetStandardFrom(m_grcToolBar);
        if (GetColorManager()->GetCurrentColorScheme() == 1)
        {
            m_grcExpandButton.SetStandardValue(RGB(238, 237, 234), RGB(152, 152, 126), 0.75f);
            m_grcFace.SetStandardValue(RGB(247, 245, 249), RGB(122, 121, 153), 0.5f);
        }
        else
        {
            m_grcExpandButton.SetStandardValue(RGB(238, 237, 234), RGB(176, 172, 158), 0.75f);
            m_grcFace.SetStandardValue(RGB(236, 233, 216), RGB(172, 168, 153), 0.5f);
            const int indexes[] = {31, 33, 36, 47};
            const COLORREF colors[] = {RGB(182, 198, 141), RGB(147, 160, 112), RGB(182, 198, 141), RGB(255, 255, 255)};
            SetColors(_countof(indexes), indexes, colors);
        }
        break;
    case 3:
    {
        m_grcToolBar.SetStandardValue(RGB(243, 244, 250), RGB(153, 151, 181), 0.75f);
        m_grcExpandButton.SetStandardValue(RGB(179, 178, 200), RGB(118, 116, 146), 0.75f);
        m_grcDockBar.SetStandardValue(RGB(215, 215, 229), RGB(243, 243, 247), 0.5f);
        m_grcExpandedGutter.SetStandardValue(RGB(215, 215, 226), RGB(133, 131, 162), 0.5f);
        m_grcKnob.SetStandardValue(RGB(232, 232, 241), RGB(176, 174, 197), 0.5f);
        m_grcFace.SetStandardValue(RGB(247, 245, 249), RGB(122, 121, 153), 0.5f);
        m_clrToolbarLine = RGB(124, 124, 148);
        m_clrTearOffFace = RGB(192, 192, 211);
        m_clrFloatingCaption = RGB(122, 121, 153);
        const int indexes[] = {60, 35, 39, 38, 30, 31, 32, 37, 50, 33, 36, 47};
        const COLORREF colors[] = {RGB(141, 141, 141), RGB(141, 141, 141), RGB(110, 109, 143), RGB(84, 84, 117),
                                   RGB(219, 218, 228), RGB(255, 238, 194), RGB(75, 75, 111),  RGB(75, 75, 111),
                                   RGB(75, 75, 111),   RGB(254, 128, 62),  RGB(255, 192, 111), RGB(0, 0, 0)};
        SetColors(_countof(indexes), indexes, colors);
        break;
    }
    default:
        break;
    }
    CreateKnobImage();
}

#include "CVZPColorManager.h"

#include "CVZPVisualStyle.h"
#include "VZPColorSpace.h"
#include "VZPDrawHelpers.h"

#include <algorithm>
#include <stdlib.h>
#include <wchar.h>

namespace {

// Indexes the derivation reads by name.
const int W = COLOR_WINDOW;        // 5
const int H = COLOR_HIGHLIGHT;     // 13
const int F = COLOR_BTNFACE;       // 15
const int S = COLOR_BTNSHADOW;     // 16
const int G = COLOR_GRAYTEXT;      // 17

const COLORREF kNone = COLORREF(-1);
const int kFirstLibraryColor = 30;
const int kLastSystemColor = COLOR_GRADIENTACTIVECAPTION;   // 27

// Classic value of indexes 30 to 60: the index whose colour they take
// (0, always black, for 59).
const int kClassicSource[] = {
    F, W, H, H, S, G, W, H, S, S,             // 30 to 39
    S, W, S, S, COLOR_WINDOWTEXT, COLOR_MENUTEXT, COLOR_BTNTEXT, COLOR_HIGHLIGHTTEXT, F, COLOR_BTNTEXT,   // 40 to 49
    H, F, S, F, S, F, F, S, G, 0,             // 50 to 59
    S,                                        // 60
};

// The scheme colours: index, then blue, olive and silver.
struct SchemeColor
{
    int nIndex;
    COLORREF clr[3];
};
const SchemeColor kSchemeColors[] = {
    { 30, { RGB(158, 190, 245), RGB(217, 217, 167), RGB(215, 215, 229) } },
    { 31, { RGB(255, 238, 194), RGB(255, 238, 194), RGB(255, 238, 194) } },
    { 32, { RGB(0, 0, 128), RGB(63, 93, 56), RGB(75, 75, 111) } },
    { 33, { RGB(254, 128, 62), RGB(254, 128, 62), RGB(254, 128, 62) } },
    { 36, { RGB(255, 192, 111), RGB(255, 192, 111), RGB(255, 192, 111) } },
    { 37, { RGB(0, 0, 128), RGB(63, 93, 56), RGB(75, 75, 111) } },
    { 38, { RGB(39, 65, 118), RGB(81, 94, 51), RGB(84, 84, 117) } },
    { 39, { RGB(106, 140, 203), RGB(96, 128, 88), RGB(110, 109, 143) } },
    { 40, { RGB(109, 150, 208), RGB(159, 174, 122), RGB(168, 167, 190) } },
    { 41, { RGB(246, 246, 246), RGB(244, 244, 238), RGB(253, 250, 255) } },
    { 43, { RGB(0, 45, 150), RGB(117, 141, 94), RGB(124, 124, 148) } },
    { 47, { RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0) } },
    { 50, { RGB(0, 0, 128), RGB(63, 93, 56), RGB(75, 75, 111) } },
    { 59, { RGB(22, 30, 54), RGB(31, 34, 25), RGB(36, 32, 41) } },
};

// standard[nDest] = BlendColors(col(nA), col(nB), nWeight), in this order.
struct BlendRule
{
    int nDest, nA, nB, nWeight;
};
const BlendRule kBlendRules[] = {
    { 30, W, F, 165 }, { 31, H, W, 30 }, { 33, H, W, 50 }, { 41, F, W, 143 }, { 35, G, W, 70 },
    { 38, S, W, 75 },  { 39, S, W, 70 }, { 43, 46, S, 20 }, { 40, S, W, 90 }, { 42, F, S, 90 },
};

// When col(nMoved) lies within the scaled threshold of col(nRef), standard[nDest]
// becomes col(nMoved) pushed away from col(nRef); in this order.
struct ContrastRule
{
    int nDest, nRef, nMoved;
    double dThreshold;
};
const ContrastRule kContrastRules[] = {
    { 31, 30, 31, 50 },  { 32, 30, 13, 100 }, { 33, 30, 33, 30 },  { 35, 41, 35, 80 },  { 37, 33, 37, 100 },
    { 38, 30, 38, 85 },  { 39, 30, 39, 50 },  { 43, 47, 43, 100 }, { 40, 30, 40, 80 },  { 44, 41, 44, 180 },
    { 45, 31, 45, 180 }, { 46, 30, 46, 180 }, { 47, 33, 47, 180 },
};

// Gradients 0 to 6 and the frame colour (index 54) of the three schemes.
struct SchemeGradient
{
    COLORREF clrStart, clrEnd;
    float fFactor;
};
const SchemeGradient kSchemeGradients[3][7] = {
    {   // blue
        { RGB(89, 135, 214), RGB(0, 45, 150), 0.5f },
        { RGB(158, 190, 245), RGB(196, 218, 250), 0.5f },
        { RGB(89, 135, 214), RGB(0, 45, 150), 0.5f },
        { RGB(221, 236, 254), RGB(129, 169, 226), 0.75f },
        { RGB(227, 239, 255), RGB(135, 173, 228), 0.5f },
        { RGB(203, 221, 246), RGB(121, 161, 220), 0.5f },
        { RGB(227, 239, 255), RGB(147, 181, 231), 0.5f },
    },
    {   // olive
        { RGB(175, 192, 130), RGB(99, 122, 68), 0.5f },
        { RGB(217, 217, 167), RGB(242, 241, 228), 0.5f },
        { RGB(120, 142, 111), RGB(73, 91, 67), 0.5f },
        { RGB(244, 247, 222), RGB(183, 198, 145), 0.3f },
        { RGB(255, 255, 237), RGB(184, 199, 146), 0.3f },
        { RGB(230, 230, 209), RGB(164, 180, 120), 0.3f },
        { RGB(236, 240, 213), RGB(194, 206, 159), 0.5f },
    },
    {   // silver
        { RGB(168, 167, 191), RGB(112, 111, 145), 0.5f },
        { RGB(215, 215, 229), RGB(243, 243, 247), 0.5f },
        { RGB(168, 167, 191), RGB(119, 118, 151), 0.5f },
        { RGB(249, 249, 255), RGB(156, 155, 183), 0.75f },
        { RGB(249, 249, 255), RGB(159, 157, 185), 0.75f },
        { RGB(215, 215, 226), RGB(128, 126, 158), 0.75f },
        { RGB(233, 231, 241), RGB(186, 185, 205), 0.5f },
    },
};
const COLORREF kSchemeFrame[3] = { RGB(0, 45, 150), RGB(96, 128, 88), RGB(124, 124, 148) };

// Visual-style property TMT_BORDERCOLOR.
const int kThemeBorderColor = 3801;

BOOL ThemeNamesFromVisualStyle(LPWSTR pszFileName, int cchFileName, LPWSTR pszColorName, int cchColorName)
{
    if (!CVZPVisualStyle::IsThemeActive())
        return FALSE;
    return SUCCEEDED(
        CVZPVisualStyle::GetCurrentThemeName(pszFileName, cchFileName, pszColorName, cchColorName, NULL, 0));
}

int MaxChannel(COLORREF clr)
{
    int m = GetRValue(clr);
    if (GetGValue(clr) > m)
        m = GetGValue(clr);
    if (GetBValue(clr) > m)
        m = GetBValue(clr);
    return m;
}

// Every channel scaled by nNew / nMax, truncated.
COLORREF ScaleChannels(COLORREF clr, int nNew, int nMax)
{
    return RGB(GetRValue(clr) * nNew / nMax, GetGValue(clr) * nNew / nMax, GetBValue(clr) * nNew / nMax);
}

CVZPColorManager* g_pColorManager = NULL;
// GetTickCount of the last throttled refresh made while a main window existed.
DWORD g_dwLastThrottledRefresh = 0;

void DestroyColorManager()
{
    delete g_pColorManager;
    g_pColorManager = NULL;
}

}  // namespace

CVZPColorManager::CVZPColorManager()
    : m_bNoVisualStyle(FALSE), m_pfnSysColor(NULL), m_pfnThemeNames(NULL), m_nChosenScheme(4),
      m_nDetectedScheme(0)
{
    for (int i = 0; i < VZP_COLOR_COUNT; i++)
    {
        m_clrStandard[i] = 0;
        m_clrOverride[i] = kNone;
        m_clrScheme[i] = kNone;
    }
    RefreshColors();
    // The gradient themes' highlight gradients never change.
    m_gradients[7].SetStandardValue(RGB(255, 213, 140), RGB(255, 173, 85));
    m_gradients[8].SetStandardValue(RGB(254, 142, 75), RGB(255, 207, 139));
    m_gradients[9].SetStandardValue(RGB(255, 242, 200), RGB(255, 212, 151));
}

CVZPColorManager::~CVZPColorManager() {}

COLORREF CVZPColorManager::GetColor(int nIndex) const
{
    if (unsigned(nIndex) >= unsigned(VZP_COLOR_COUNT))
        return COLORREF(nIndex);
    return m_clrOverride[nIndex] != kNone ? m_clrOverride[nIndex] : m_clrStandard[nIndex];
}

COLORREF CVZPColorManager::GetSchemeColor(int nIndex) const
{
    if (nIndex >= kFirstLibraryColor && nIndex < VZP_COLOR_COUNT && m_clrScheme[nIndex] != kNone)
        return m_clrScheme[nIndex];
    return GetColor(nIndex);
}

int CVZPColorManager::GetCurrentColorScheme() const
{
    return (m_nChosenScheme == 4 || m_nChosenScheme == 5) ? m_nDetectedScheme : m_nChosenScheme;
}

COLORREF CVZPColorManager::BlendColors(COLORREF clrA, COLORREF clrB, int nWeight)
{
    const int nDivisor = nWeight < 100 ? 100 : 1000;
    auto blend = [&](int a, int b) { return (a * nWeight + b * (nDivisor - nWeight) + nDivisor / 2) / nDivisor; };
    return RGB(blend(GetRValue(clrA), GetRValue(clrB)), blend(GetGValue(clrA), GetGValue(clrB)),
               blend(GetBValue(clrA), GetBValue(clrB)));
}

int CVZPColorManager::DetectColorScheme() const
{
    WCHAR szFile[MAX_PATH] = {};
    WCHAR szColor[MAX_PATH] = {};
    PFNTHEMENAMESOURCE pfnSource = m_pfnThemeNames != NULL ? m_pfnThemeNames : ThemeNamesFromVisualStyle;
    if (!pfnSource(szFile, MAX_PATH, szColor, MAX_PATH))
        return 0;
    szFile[MAX_PATH - 1] = 0;
    szColor[MAX_PATH - 1] = 0;
    _wcslwr(szFile);
    _wcslwr(szColor);
    if (wcsstr(szFile, L"luna.msstyles") != NULL)
    {
        if (wcscmp(szColor, L"normalcolor") == 0)
            return 1;
        if (wcscmp(szColor, L"homestead") == 0)
            return 2;
        if (wcscmp(szColor, L"metallic") == 0)
            return 3;
    }
    if (wcsstr(szFile, L"royale.msstyles") != NULL && wcscmp(szColor, L"normalcolor") == 0)
        return 1;
    return 0;
}

COLORREF CVZPColorManager::SysColor(int nIndex) const
{
    return m_pfnSysColor != NULL ? m_pfnSysColor(nIndex) : ::GetSysColor(nIndex);
}

void CVZPColorManager::RefreshColors()
{
    m_nDetectedScheme = DetectColorScheme();
    const BOOL bLowColor = IsLowColorDisplay(NULL);

    m_clrStandard[0] = 0;
    for (int i = 1; i <= kLastSystemColor; i++)
        m_clrStandard[i] = SysColor(i);

    for (int i = 0; i < int(sizeof(kClassicSource) / sizeof(kClassicSource[0])); i++)
        m_clrStandard[kFirstLibraryColor + i] = GetColor(kClassicSource[i]);

    const int nScheme = m_bNoVisualStyle ? 0 : GetCurrentColorScheme();
    if (nScheme >= 1 && nScheme <= 3)
    {
        for (const SchemeColor& entry : kSchemeColors)
            m_clrScheme[entry.nIndex] = entry.clr[nScheme - 1];
    }
    else
    {
        for (int i = 0; i < VZP_COLOR_COUNT; i++)
            m_clrScheme[i] = kNone;
    }

    // Gradients need more than 256 colours; so do the blended colours.
    if (bLowColor)
    {
        RefreshGradients();
        return;
    }

    for (const BlendRule& rule : kBlendRules)
        m_clrStandard[rule.nDest] = BlendColors(GetColor(rule.nA), GetColor(rule.nB), rule.nWeight);

    // Keep the bar face near the 3-D face.
    if (IsColorDistanceAbove(GetColor(F), GetColor(30), TRUE, 35.0))
        m_clrStandard[30] = PullColorToward(GetColor(F), GetColor(30), 35.0);

    for (const ContrastRule& rule : kContrastRules)
    {
        const COLORREF clrRef = GetColor(rule.nRef);
        const COLORREF clrMoved = GetColor(rule.nMoved);
        if (!IsColorDistanceAbove(clrRef, clrMoved, TRUE, rule.dThreshold))
            m_clrStandard[rule.nDest] = PushColorAway(clrRef, clrMoved, rule.dThreshold);
    }

    // Keep disabled text near the menu face.
    if (IsColorDistanceAbove(GetColor(41), GetColor(35), TRUE, 145.0))
        m_clrStandard[35] = PullColorToward(GetColor(41), GetColor(35), 145.0);

    const COLORREF clrBar = GetColor(30), clrWindow = GetColor(W), clrHighlight = GetColor(H);
    auto checked = [](int nBar, int nWindow, int nHighlight) {
        return nBar * 50 / 100 + nWindow * 40 / 100 + nHighlight * 10 / 100;
    };
    m_clrStandard[36] = RGB(checked(GetRValue(clrBar), GetRValue(clrWindow), GetRValue(clrHighlight)),
                            checked(GetGValue(clrBar), GetGValue(clrWindow), GetGValue(clrHighlight)),
                            checked(GetBValue(clrBar), GetBValue(clrWindow), GetBValue(clrHighlight)));

    const COLORREF clrFace = GetColor(F);
    const int nFaceMax = MaxChannel(clrFace);
    if (nFaceMax == 0)
        m_clrStandard[48] = RGB(35, 35, 35);
    else
        m_clrStandard[48] = ScaleChannels(clrFace, nFaceMax + std::min(255 - nFaceMax, 35), nFaceMax);

    if (clrFace == RGB(0, 0, 0))
        m_clrStandard[49] = RGB(127, 127, 127);
    else
    {
        const COLORREF clrShadow = GetColor(S);
        const int nShadowMax = MaxChannel(clrShadow);
        m_clrStandard[49] = nShadowMax == 0 ? RGB(0, 0, 0) : ScaleChannels(clrShadow, std::max(nShadowMax - 43, 0), nShadowMax);
    }

    const COLORREF clrHot = m_clrStandard[31];
    m_clrStandard[34] = RGB(int(GetRValue(clrHot) * 0.75), int(GetGValue(clrHot) * 0.75), int(GetBValue(clrHot) * 0.75));

    auto lighter = [](int n) { return std::min(n + 15, 255); };
    m_clrStandard[COLOR_3DLIGHT] = RGB(lighter(GetRValue(clrFace)), lighter(GetGValue(clrFace)), lighter(GetBValue(clrFace)));
    m_clrStandard[53] = GetColor(30);
    m_clrStandard[58] = GetColor(40);
    m_clrStandard[60] = m_clrStandard[40];

    RefreshGradients();

    CVZPVisualStyle treeView;
    treeView.Open(NULL, L"TREEVIEW");
    if (treeView.IsAppThemed())
    {
        COLORREF clrBorder = 0;
        if (SUCCEEDED(treeView.GetColor(0, 0, kThemeBorderColor, &clrBorder)))
            m_clrStandard[VZPCOLOR_CONTROL_BORDER] = clrBorder;
    }
}

void CVZPColorManager::RefreshGradients()
{
    const int nScheme = m_bNoVisualStyle ? 0 : GetCurrentColorScheme();
    if (nScheme >= 1 && nScheme <= 3)
    {
        for (int i = 0; i < 7; i++)
        {
            const SchemeGradient& g = kSchemeGradients[nScheme - 1][i];
            m_gradients[i].SetStandardValue(g.clrStart, g.clrEnd, g.fFactor);
        }
        m_clrStandard[VZPCOLOR_FRAME_BORDER] = kSchemeFrame[nScheme - 1];
        return;
    }
    const COLORREF clrFace = GetColor(F), clrWindow = GetColor(W), clrShadow = GetColor(S);
    m_gradients[0].SetStandardValue(clrShadow, clrShadow);
    m_gradients[1].SetStandardValue(clrFace, BlendColors(clrFace, clrWindow, 215));
    m_gradients[2].SetStandardValue(clrFace, clrShadow);
    m_gradients[3].SetStandardValue(BlendColors(clrFace, clrWindow, 205), clrFace);
    m_gradients[4].SetStandardValue(BlendColors(clrFace, clrWindow, 145), BlendColors(clrFace, clrWindow, 93));
    m_gradients[5].SetStandardValue(BlendColors(clrFace, clrWindow, 40), BlendColors(clrFace, clrShadow, 95));
    m_gradients[6].SetStandardValue(BlendColors(clrFace, clrWindow, 165), BlendColors(clrFace, clrWindow, 42));
}

CVZPColorManager* GetColorManager()
{
    if (g_pColorManager == NULL)
    {
        g_pColorManager = new CVZPColorManager;
        atexit(DestroyColorManager);
    }
    return g_pColorManager;
}

void RefreshColorsThrottled()
{
    if (::GetTickCount() - g_dwLastThrottledRefresh <= 500)
        return;
    GetColorManager()->RefreshColors();
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL && pThread->GetMainWnd() != NULL)
        g_dwLastThrottledRefresh = ::GetTickCount();
}

BOOL IsVisualStyleDisabled()
{
    return GetColorManager()->m_bNoVisualStyle;
}

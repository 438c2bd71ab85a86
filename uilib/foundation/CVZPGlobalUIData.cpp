#include "CVZPGlobalUIData.h"

#include <stdlib.h>

#include "CVZNonClientMetrics.h"
#include "CVZPColorManager.h"
#include "CVZPProfileStore.h"
#include "CVZPResourceLoader.h"
#include "CVZPVisualStyle.h"
#include "CVZPWindowsVersion.h"
#include "VZPDrawHelpers.h"
#include "uilibres.h"

const int CVZPGlobalUIData::s_nCopiedColorIndex[copiedColorCount] = {
    15, 16, 21, 20, 22, 18, 17, 13, 14, 4, 7, 5, 6, 8, 2, 3, 27, 28, 9, 19,
    30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49,
};

namespace {

const int kKeep = -1;

// Makes the font from a copy of the LOGFONT with the overrides given (kKeep:
// keep the field); a font the object already holds is deleted first.
BOOL MakeFont(CFont& font, const LOGFONTW& lfBase, int nWeight = kKeep, int nUnderline = kKeep,
              int nEscapement = kKeep, int nOrientation = kKeep)
{
    LOGFONTW lf = lfBase;
    if (nWeight != kKeep)
        lf.lfWeight = nWeight;
    if (nUnderline != kKeep)
        lf.lfUnderline = static_cast<BYTE>(nUnderline);
    if (nEscapement != kKeep)
        lf.lfEscapement = nEscapement;
    if (nOrientation != kKeep)
        lf.lfOrientation = nOrientation;
    font.DeleteObject();
    return font.CreateFontIndirect(&lf);
}

void SetFace(LOGFONTW& lf, LPCWSTR pszFace)
{
    lstrcpynW(lf.lfFaceName, pszFace, LF_FACESIZE);
}

BYTE ScreenCharset()
{
    HDC hDC = ::GetDC(NULL);
    if (hDC == NULL)
        return DEFAULT_CHARSET;
    const int nCharset = ::GetTextCharsetInfo(hDC, NULL, 0);
    ::ReleaseDC(NULL, hDC);
    return static_cast<BYTE>(nCharset);
}

CVZPGlobalUIData* g_pGlobalUIData = NULL;

void DestroyGlobalUIData()
{
    delete g_pGlobalUIData;
    g_pGlobalUIData = NULL;
}

}  // namespace

CVZPGlobalUIData::CVZPGlobalUIData()
    : m_clrCopied(),
      m_hcurDragCopy(NULL),
      m_hcurDragMove(NULL),
      m_hcurDragRemove(NULL),
      m_hcurHand(NULL),
      m_hcurSplitHorz(NULL),
      m_hcurSplitVert(NULL),
      m_hcurSizeAll(NULL),
      m_nSmallIconWidth(0),
      m_nSmallIconHeight(0),
      m_nFixedWidth(0),
      m_nFixedHeight(0),
      m_nScrollThumbWidth(0),
      m_nScrollThumbHeight(0),
      m_nMenuHeight(0),
      m_bWin95(FALSE),
      m_bWin98(FALSE),
      m_bWinNT4(FALSE),
      m_bWin2000(FALSE),
      m_bWinXP(FALSE),
      m_bPreferTahoma(FALSE),
      m_nReserved{0, 1, 0},
      m_dwComCtl32Version(static_cast<DWORD>(-1)),
      m_pProfileFileName(&VZPGetProfileIniFile())
{
    const CVZPWindowsVersion& version = GetWindowsVersion();
    m_bWin95 = version.IsWindows95();
    m_bWin98 = version.IsWindows98();
    m_bWinNT4 = version.IsWindowsNT4();
    m_bWin2000 = version.IsWindows2000();
    m_bWinXP = version.IsWindowsXP();

    GetComCtl32Version();
    CopyColors();

    m_nSmallIconWidth = ::GetSystemMetrics(SM_CXSMICON);
    m_nSmallIconHeight = ::GetSystemMetrics(SM_CYSMICON);
    m_nFixedWidth = 18;
    m_nFixedHeight = 18;
    m_nScrollThumbWidth = ::GetSystemMetrics(SM_CXHTHUMB);
    m_nScrollThumbHeight = ::GetSystemMetrics(SM_CYVTHUMB);
    m_nMenuHeight = ::GetSystemMetrics(SM_CYMENU);

    LoadCursors();
    UpdateFonts();
}

CVZPGlobalUIData::~CVZPGlobalUIData()
{
    // The CFont members delete their fonts; cursors are shared and stay.
}

void CVZPGlobalUIData::CopyColors()
{
    RefreshColorsThrottled();
    CVZPColorManager* pColors = GetColorManager();
    for (int i = 0; i < copiedColorCount; i++)
        m_clrCopied[i] = pColors->GetColor(s_nCopiedColorIndex[i]);
}

void CVZPGlobalUIData::LoadCursors()
{
    CVZPResourceLoader* pLoader = GetResourceLoader();
    // In this order; the first missing cursor leaves the rest NULL.
    if ((m_hcurDragRemove = pLoader->LoadCursor(VZP_IDC_DRAG_DELETE)) == NULL)
        return;
    if ((m_hcurDragCopy = pLoader->LoadCursor(VZP_IDC_DRAG_COPY)) == NULL)
        return;
    if ((m_hcurDragMove = pLoader->LoadCursor(VZP_IDC_DRAG_MOVE)) == NULL)
        return;
    m_hcurHand = ::LoadCursorW(NULL, IDC_HAND);
    if (m_hcurHand == NULL && (m_hcurHand = pLoader->LoadCursor(VZP_IDC_HAND)) == NULL)
        return;
    if ((m_hcurSplitHorz = pLoader->LoadCursor(VZP_IDC_SPLIT_HORZ)) == NULL)
        return;
    if ((m_hcurSplitVert = pLoader->LoadCursor(VZP_IDC_SPLIT_VERT)) == NULL)
        return;
    m_hcurSizeAll = ::LoadCursorW(NULL, IDC_SIZEALL);
}

BOOL CVZPGlobalUIData::UpdateFonts(LPCWSTR pszFaceName, LPCWSTR pszVertFaceName)
{
    CFont* const fonts[] = {&m_fontNormal,    &m_fontBold,          &m_fontUnderline, &m_fontVert,
                            &m_fontVertBold,  &m_fontIconTitle,     &m_fontIconTitleBold,
                            &m_fontSymbol,    &m_fontStatus,        &m_fontSmallCaption};
    for (CFont* pFont : fonts)
        pFont->DeleteObject();

    CVZNonClientMetrics metrics;
    LOGFONTW lfBase = {};
    lfBase.lfHeight = metrics.lfMenuFont.lfHeight;
    lfBase.lfWeight = metrics.lfMenuFont.lfWeight;
    lfBase.lfItalic = metrics.lfMenuFont.lfItalic;
    lfBase.lfCharSet = ScreenCharset();
    SetFace(lfBase, metrics.lfMenuFont.lfFaceName);

    if (pszFaceName != NULL)
    {
        if (FontExists(pszFaceName))
        {
            SetFace(lfBase, pszFaceName);
            SetFace(metrics.lfStatusFont, pszFaceName);
            SetFace(metrics.lfSmCaptionFont, pszFaceName);
        }
    }
    else if (m_bPreferTahoma && metrics.lfMenuFont.lfCharSet <= SYMBOL_CHARSET && FontExists(L"Tahoma"))
    {
        SetFace(lfBase, L"Tahoma");
    }

    if (!MakeFont(m_fontNormal, lfBase) || !MakeFont(m_fontBold, lfBase, FW_BOLD) ||
        !MakeFont(m_fontUnderline, lfBase, kKeep, 1))
        return FALSE;

    if (pszVertFaceName != NULL)
    {
        if (FontExists(pszVertFaceName))
            SetFace(lfBase, pszVertFaceName);
    }
    else if (lstrcmpiW(metrics.lfMenuFont.lfFaceName, L"Tahoma") != 0 && FontExists(L"Arial"))
    {
        SetFace(lfBase, L"Arial");
    }
    if (!MakeFont(m_fontVert, lfBase, kKeep, kKeep, 2700, 900) ||
        !MakeFont(m_fontVertBold, lfBase, FW_BOLD, kKeep, 2700, 900))
        return FALSE;

    LOGFONTW lfIconTitle = {};
    ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(lfIconTitle), &lfIconTitle, 0);
    if (!MakeFont(m_fontIconTitle, lfIconTitle) || !MakeFont(m_fontIconTitleBold, lfIconTitle, FW_BOLD))
        return FALSE;

    LOGFONTW lfSymbol = {};
    lfSymbol.lfHeight = lfIconTitle.lfHeight;
    lfSymbol.lfCharSet = DEFAULT_CHARSET;
    SetFace(lfSymbol, L"Marlett");
    return MakeFont(m_fontStatus, metrics.lfStatusFont) && MakeFont(m_fontSmallCaption, metrics.lfSmCaptionFont) &&
           MakeFont(m_fontSymbol, lfSymbol);
}

DWORD CVZPGlobalUIData::GetComCtl32Version()
{
    if (m_dwComCtl32Version == static_cast<DWORD>(-1))
    {
        HMODULE hComCtl = ::LoadLibraryW(L"COMCTL32.DLL");
        const DWORD dwVersion = GetComCtl32PackedVersion(hComCtl);
        if (dwVersion != 0)
            m_dwComCtl32Version = dwVersion;
        if (hComCtl != NULL)
            ::FreeLibrary(hComCtl);
    }
    return m_dwComCtl32Version == static_cast<DWORD>(-1) ? 0 : m_dwComCtl32Version;
}

CVZPGlobalUIData* GetGlobalUIData()
{
    if (g_pGlobalUIData == NULL)
    {
        g_pGlobalUIData = new CVZPGlobalUIData;
        atexit(DestroyGlobalUIData);
    }
    return g_pGlobalUIData;
}

// The fonts, cursors, metrics and copied colours that the library's controls
// share. Built once, on first use, from the system's settings at that moment;
// later system changes are not picked up.
#pragma once

#include <afxwin.h>

class CVZPGlobalUIData
{
public:
    CVZPGlobalUIData();
    virtual ~CVZPGlobalUIData();
    CVZPGlobalUIData(const CVZPGlobalUIData&) = delete;
    CVZPGlobalUIData& operator=(const CVZPGlobalUIData&) = delete;

    // Slots of m_clrCopied and the colour-manager index each copies.
    enum CopiedColor
    {
        copied3DFace,                 // 15
        copied3DShadow,               // 16
        copied3DDarkShadow,           // 21
        copied3DHighlight,            // 20
        copied3DLight,                // 22
        copiedButtonText,             // 18
        copiedGrayText,               // 17
        copiedHighlight,              // 13
        copiedHighlightText,          // 14
        copiedMenu,                   // 4
        copiedMenuText,               // 7
        copiedWindow,                 // 5
        copiedWindowFrame,            // 6
        copiedWindowText,             // 8
        copiedActiveCaption,          // 2
        copiedInactiveCaption,        // 3
        copiedGradientActiveCaption,  // 27
        copiedGradientInactiveCaption,// 28: never filled, so 0
        copiedCaptionText,            // 9
        copiedInactiveCaptionText,    // 19
        copiedLibraryFirst,           // 30 to 49, in order
        copiedColorCount = copiedLibraryFirst + 20
    };
    // The colour-manager index of each slot.
    static const int s_nCopiedColorIndex[copiedColorCount];

    // Deletes every font and makes them again from the non-client metrics.
    // A face name that exists replaces the menu font's face (and the status
    // and small-caption faces); a vertical face name that exists replaces
    // the face of the vertical fonts. FALSE when a font could not be made
    // (that font and the ones after it stay empty).
    BOOL UpdateFonts(LPCWSTR pszFaceName = NULL, LPCWSTR pszVertFaceName = NULL);

    // comctl32's version as major << 16 | minor, read once; 0 when unknown.
    DWORD GetComCtl32Version();

    COLORREF m_clrCopied[copiedColorCount];

    HCURSOR m_hcurDragCopy;
    HCURSOR m_hcurDragMove;
    HCURSOR m_hcurDragRemove;
    HCURSOR m_hcurHand;
    HCURSOR m_hcurSplitHorz;
    HCURSOR m_hcurSplitVert;
    HCURSOR m_hcurSizeAll;

    int m_nSmallIconWidth;
    int m_nSmallIconHeight;
    int m_nFixedWidth;
    int m_nFixedHeight;
    int m_nScrollThumbWidth;
    int m_nScrollThumbHeight;
    int m_nMenuHeight;

    CFont m_fontNormal;
    CFont m_fontBold;
    CFont m_fontUnderline;
    CFont m_fontVert;
    CFont m_fontVertBold;
    CFont m_fontIconTitle;
    CFont m_fontIconTitleBold;
    CFont m_fontSymbol;          // "Marlett": caption glyphs
    CFont m_fontStatus;
    CFont m_fontSmallCaption;

    BOOL m_bWin95;
    BOOL m_bWin98;
    BOOL m_bWinNT4;
    BOOL m_bWin2000;
    BOOL m_bWinXP;
    BOOL m_bPreferTahoma;
    int m_nReserved[3];
    DWORD m_dwComCtl32Version;   // (DWORD)-1 until asked
    CString* m_pProfileFileName; // the profile store's INI file name

private:
    void CopyColors();
    void LoadCursors();
};

// The process-wide record, made on the first call and destroyed at exit.
CVZPGlobalUIData* GetGlobalUIData();

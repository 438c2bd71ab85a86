// The command bars' paint manager: the abstract drawing policy of every bar
// and control. It owns the bars' fonts and colour table, measures and draws
// controls, fills bars and draws grippers, separators, check marks and
// glyphs, and runs the popup animations. Concrete themes derive from it and
// are chosen by a theme number (VZPPaintTheme); one instance at a time is
// the process-wide current paint manager. Reference counted: the current
// instance is released, never deleted directly.
#pragma once

#include <afxwin.h>

#include "CVZPGradientColor.h"
#include "CVZPOverridableColor.h"

class CVZPCommandBar;
class CVZPCommandBars;
class CVZPControl;
class CVZPControlComboBox;
class CVZPControlEdit;
class CVZPDockBar;
class CVZPImageManagerIcon;
class CVZPPopupBar;
class CVZPStatusBarPane;

// A font the caller may set; RefreshFonts recreates it only while it is
// standard or has no handle.
class CVZPPaintManagerFont : public CFont
{
public:
    CVZPPaintManagerFont() : m_bStandardFont(TRUE) {}
    BOOL m_bStandardFont;
};

class CVZPCommandBarPaintManager : public CCmdTarget
{
public:
    enum { kColorCount = 62 };

    CVZPCommandBarPaintManager();
    ~CVZPCommandBarPaintManager() override;

    // --- The process-wide theme ---------------------------------------
    // Installs a theme of the number (CreatePaintManager, SetCustomTheme)
    // and then stores the number in its type field.
    static void AFX_CDECL SetTheme(int nTheme);
    // Makes the object current (the caller gives up its reference): the
    // previous instance is released with its fonts kept alive for windows
    // that were given them; the type field becomes 5 and RefreshMetrics runs.
    static void AFX_CDECL SetCustomTheme(CVZPCommandBarPaintManager* pPaintManager);
    // A new theme object of the number, without RefreshMetrics.
    static CVZPCommandBarPaintManager* AFX_CDECL CreatePaintManager(int nTheme);
    // Releases the current instance.
    static void AFX_CDECL ReleaseTheme();
    // The exit routine (run with the framework's clean-ups): releases the
    // current instance and frees the fonts of replaced ones.
    static void AFX_CDECL TerminateThemes();

    // --- Colours --------------------------------------------------------
    // The effective colour of an index 0 to 61; a larger value is itself
    // the colour.
    COLORREF GetColor(int nIndex) const;
    // Standard colours of the listed indexes; overrides stay.
    void SetColors(int nCount, const int* pIndexes, const COLORREF* pColors);
    // Overrides one index; -1 returns to the standard colour.
    void SetColorOverride(int nIndex, COLORREF clr);
    int GetColorScheme() const;

    // --- Fonts ------------------------------------------------------------
    void SetCommandBarsFontIndirect(LOGFONT* pLogFont, BOOL bStandardFont = FALSE);
    void RefreshFonts();
    // Test seam: the non-client metrics RefreshFonts reads come from the
    // function while it is set (NULL: the system's).
    typedef void (*PFNGETMETRICS)(NONCLIENTMETRICSW* pMetrics);
    static void AFX_CDECL SetMetricsSourceForTest(PFNGETMETRICS pfn);
    // The three icon options, in the order the options store them.
    BOOL* GetIconOptions() { return &m_bUseFadedIcons; }

    // --- Settings ---------------------------------------------------------
    BOOL IsBoldCheckMark() const { return m_bBoldCheckMark; }
    void SetBoldCheckMark(BOOL bBold) { m_bBoldCheckMark = bBold; }
    BOOL IsPopupShadows() const { return m_bShowShadow; }
    void SetPopupShadows(BOOL bShow) { m_bShowShadow = bShow; }
    int GetAnimationSteps() const { return m_nAnimationSteps; }
    void SetAnimationSteps(int nSteps) { m_nAnimationSteps = nSteps; }
    int GetAnimationDuration() const { return m_nAnimationTime; }
    void SetAnimationDuration(int nMilliseconds) { m_nAnimationTime = nMilliseconds; }
    int GetKeyboardCuesOverride() const { return m_nKeyboardCues; }
    void SetKeyboardCuesOverride(int nOverride) { m_nKeyboardCues = nOverride; }

    // --- Shared drawing helpers -------------------------------------------
    void Triangle(CDC* pDC, CPoint pt0, CPoint pt1, CPoint pt2, COLORREF clr);
    void Line(CDC* pDC, int x0, int y0, int x1, int y1);
    void Line(CDC* pDC, int x0, int y0, int x1, int y1, int nColor);
    void DrawRectangleEx(CDC* pDC, CRect rc, int nBorder, int nFill);
    void Draw3dRectEx(CDC* pDC, CRect rc, int nTopLeft, int nBottomRight);
    void GradientFill(CDC* pDC, LPCRECT lpRect, COLORREF clrStart, COLORREF clrEnd, BOOL bHorz,
                      LPCRECT lpClip = NULL);
    // Measures (FALSE) or draws (TRUE) a control through the operation for
    // its kind and bar.
    CSize DrawControl(CDC* pDC, CVZPControl* pControl, BOOL bDraw = TRUE);
    CSize DrawControlText(CDC* pDC, const CString& strCaption, CRect rcText, BOOL bVert, BOOL bDraw,
                          BOOL bCentered, BOOL bArrow, BOOL bEmbossed, BOOL bKeyboardCues);
    CSize DrawControlTextAndImage(CDC* pDC, const CString& strCaption, CRect rcText, BOOL bVert, BOOL bDraw,
                                  BOOL bEmbossed, BOOL bArrow, int nButtonWidth, int nButtonHeight, BOOL bImage,
                                  BOOL bKeyboardCues);

    // --- Virtual operations, in slot order --------------------------------
    virtual CSize DrawControlPopupParent(CDC* pDC, CVZPControl* pControl, BOOL bDraw) = 0;
    virtual CSize DrawControlToolBarParent(CDC* pDC, CVZPControl* pControl, BOOL bDraw);
    virtual void DrawSplitButtonFrame(CDC* pDC, CVZPControl* pControl, CRect rcButton);
    virtual CSize DrawComboBox(CDC* pDC, CVZPControlComboBox* pControl, BOOL bDraw) = 0;
    virtual CSize DrawEdit(CDC* pDC, CVZPControlEdit* pControl, BOOL bDraw) = 0;
    virtual CSize DrawListBoxControl(CDC* pDC, CVZPControl* pControl, CRect rcButton, BOOL bSelected, BOOL bDraw,
                                     CVZPCommandBars* pCommandBars = NULL) = 0;
    virtual void FillCommandBarEntry(CDC* pDC, CVZPCommandBar* pBar) = 0;
    virtual void DrawControlRectangle(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected, BOOL bPressed,
                                      BOOL bChecked, BOOL bPopuped, int barPosition) = 0;
    virtual void DrawControlEntry(CDC* pDC, CVZPControl* pControl);
    virtual void DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                               BOOL bPopuped, BOOL bToolBar, int barPosition) = 0;
    virtual CSize DrawCommandBarGripper(CDC* pDC, CVZPCommandBar* pBar, BOOL bDraw) = 0;
    virtual CSize DrawCommandBarSeparator(CDC* pDC, CVZPCommandBar* pBar, CVZPControl* pControl, BOOL bDraw) = 0;
    virtual void AdjustExcludeRect(CRect& rc, CVZPControl* pControl, BOOL bVertical) = 0;
    virtual void DrawStatusBarPaneEntry(CDC* pDC, CRect rc, CVZPStatusBarPane* pPane);
    virtual void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL bGripperPane);
    virtual void DrawStatusBarGripper(CDC* pDC, CRect rcGripper);
    virtual void FillDockBar(CDC* pDC, CVZPDockBar* pBar);
    virtual void FillStatusBar(CDC* pDC, CWnd* pBar);
    virtual void RefreshMetrics();
    virtual BOOL IsFlatStyle() const { return FALSE; }
    virtual CSize DrawSpecialControl(CDC* pDC, int nCode, CVZPControl* pControl, CVZPCommandBar* pBar, BOOL bDraw,
                                     LPVOID lpParam);
    virtual CRect GetCommandBarBorders(CVZPCommandBar* pBar);
    virtual CSize DrawTearOffGripper(CDC* pDC, CRect rcGripper, BOOL bSelected, BOOL bDraw) = 0;
    virtual void DrawImage(CDC* pDC, CPoint pt, CSize sz, CVZPImageManagerIcon* pImage, BOOL bSelected,
                           BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped, BOOL bToolBarImage) = 0;
    virtual CSize DrawCommandBarGripperEx(CDC* pDC, CVZPCommandBar* pBar, BOOL bDraw) = 0;
    virtual int GetThemeType() const = 0;
    virtual CFont* GetCommandBarFont(CVZPCommandBar* pBar, BOOL bBold = FALSE);
    virtual void DrawCheckMark(CDC* pDC, CRect rcCheck, COLORREF clr, BOOL bLayoutRTL = FALSE);
    virtual void DrawDropDownGlyph(CDC* pDC, CRect rc, COLORREF clr);
    virtual void Animate(CDC* pDestDC, CDC* pSrcDC, CRect rc, int animationType);
    virtual int AnimateExpanding(CVZPPopupBar* pPopup, CDC* pDestDC, CDC* pSrcDC, BOOL bExpandDown);
    virtual void AdjustRightToLeftCaption(CString& strCaption) { (void)strCaption; }

    // --- Members, in declaration order ------------------------------------
    COLORREF m_clrShadowFactor;   // tint of popup shadows
    COLORREF m_clrStatusTextColor;
    CVZPGradientColor m_grcFace;  // bar-face gradient
    BOOL m_bBoldCheckMark;
    BOOL m_bShowShadow;
    CFont m_fontRegular;
    CFont m_fontRegularBold;
    CFont m_fontVert;
    CFont m_fontVertBold;
    CVZPPaintManagerFont m_fontSmCaption;
    CVZPPaintManagerFont m_fontIcon;
    CVZPPaintManagerFont m_fontIconBold;
    int m_nTextHeight;            // " " in the regular font plus 6
    BOOL m_bUseOfficeFont;        // the Tahoma flag
    BOOL m_bUseStandardFont;
    int m_nThemeType;             // the number the theme was chosen by (5: custom)
    BOOL m_bUseFadedIcons;
    BOOL m_bUseDisabledIcons;
    BOOL m_bIconsWithShadow;
    BOOL m_bGenerateDisabledIcons;
    int m_nAnimationSteps;
    int m_nAnimationTime;
    int m_nKeyboardCues;          // -1 follows the caller, 0 or 1 replaces it
    CVZPOverridableColor m_arrColor[kColorCount];
    int m_nColorScheme;           // selector: 0-3 a scheme, 4 detected, 5 current

protected:
    // Moves a font's handle to the process-wide list of retired fonts (freed
    // at exit), so that windows given the font never draw with a deleted one.
    static void RetireFont(CFont& font);
    // Retires every font of this instance.
    void RetireFonts();
    // Blends pSrcDC over pDestDC in n - 1 frames (the fade animation).
    void AnimateFade(CDC* pDestDC, CDC* pSrcDC, CRect rc);
};

// The process-wide paint manager; NULL until SetTheme or SetCustomTheme.
CVZPCommandBarPaintManager* VZPPaintManager();

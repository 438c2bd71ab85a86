// The themed push button and its classic, flat and gradient themes: frames,
// fills, layout and images drawn on DIB canvases, and the button's own
// painting, clicks and hot tracking on real windows.
#include <gtest/gtest.h>

#include "CVZButton.h"
#include "CVZButtonThemeFactory.h"
#include "CVZButtonThemeFlat.h"
#include "CVZButtonThemeGradient.h"
#include "CVZPColorManager.h"
#include "CVZPImageManagerIcon.h"
#include "FoundationTestSupport.h"
#include "MfcTestSupport.h"
#include "TestSupport.h"

#include <memory>

using tesmir::test::CCapture;
using tesmir::test::CDibCanvas;
using tesmir::test::PaintNow;
using tesmir::test::PumpUntil;
using vzfoundation_test::ScreenshotPath;

namespace button_test {

COLORREF Color(int nIndex)
{
    return GetColorManager()->GetColor(nIndex);
}

// A button whose hot flag a test can set.
class CTestButton : public CVZButton
{
public:
    void SetHotForTest(BOOL bHot) { m_bHot = bHot; }
};

// A visible, topmost popup that counts its children's BN_CLICKED.
class CButtonHost : public CFrameWnd
{
public:
    CButtonHost()
    {
        VERIFY(CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW),
                                                           (HBRUSH)(COLOR_3DFACE + 1)),
                        L"button test", WS_POPUP | WS_VISIBLE, CRect(40, 40, 440, 240), NULL, 0));
        ::SetForegroundWindow(m_hWnd);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (HIWORD(wParam) == BN_CLICKED)
            m_nClicks++;
        return CFrameWnd::OnCommand(wParam, lParam);
    }
    int m_nClicks = 0;
};

// A solid 16 x 16 icon of one colour (destroyed with the object).
class CSolidIcon
{
public:
    explicit CSolidIcon(COLORREF clr)
    {
        CDibCanvas colour(16, 16, clr);
        HBITMAP hMask = ::CreateBitmap(16, 16, 1, 1, NULL);
        HDC hdc = ::CreateCompatibleDC(NULL);
        HGDIOBJ hOld = ::SelectObject(hdc, hMask);
        ::PatBlt(hdc, 0, 0, 16, 16, BLACKNESS);   // all opaque
        ::SelectObject(hdc, hOld);
        ::DeleteDC(hdc);
        ICONINFO info = { TRUE, 0, 0, hMask, colour.Bitmap() };
        m_hIcon = ::CreateIconIndirect(&info);
        ::DeleteObject(hMask);
    }
    ~CSolidIcon() { ::DestroyIcon(m_hIcon); }
    HICON m_hIcon;
};

const int kWidth = 80;
const int kHeight = 30;

// A button child of the host at (10, 10), kWidth x kHeight, with the GUI font.
void CreateButton(CVZButton& button, CWnd* pParent, LPCTSTR lpszText, DWORD dwStyle = 0, UINT nID = 100)
{
    ASSERT_TRUE(button.Create(lpszText, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | dwStyle,
                              CRect(10, 10, 10 + kWidth, 10 + kHeight), pParent, nID));
    button.SendMessage(WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), FALSE);
}

// Draws the button's item on a canvas of its size in an item state.
void DrawOn(CVZButton& button, CDibCanvas& canvas, UINT nState)
{
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = nState;
    dis.hwndItem = button.m_hWnd;
    dis.hDC = canvas.Dc();
    dis.rcItem = CRect(0, 0, canvas.Width(), canvas.Height());
    button.DrawItem(&dis);
}

// The bounding box of the pixels of one colour; empty when none.
CRect BoundsOf(const CDibCanvas& canvas, COLORREF clr)
{
    CRect rc(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    for (int y = 0; y < canvas.Height(); y++)
        for (int x = 0; x < canvas.Width(); x++)
            if (canvas.Pixel(x, y) == clr)
            {
                rc.left = std::min<int>(rc.left, x);
                rc.top = std::min<int>(rc.top, y);
                rc.right = std::max<int>(rc.right, x + 1);
                rc.bottom = std::max<int>(rc.bottom, y + 1);
            }
    return rc.left == INT_MAX ? CRect() : rc;
}

}  // namespace button_test

using namespace button_test;

TEST(ButtonTheme, FactoryMakesTheLookOfEachStyle)
{
    CVZButtonThemeFactory factory;
    for (int nStyle : { 0, 1, 2, 3 })
    {
        std::unique_ptr<CVZThemeManagerStyle> pTheme(factory.CreateTheme(nStyle));
        EXPECT_EQ(pTheme->m_nStyle, nStyle);
        const bool bGradient = dynamic_cast<CVZButtonThemeGradient*>(pTheme.get()) != nullptr;
        const bool bFlat = dynamic_cast<CVZButtonThemeFlat*>(pTheme.get()) != nullptr;
        EXPECT_EQ(bGradient, nStyle == 2) << nStyle;
        EXPECT_EQ(bFlat, nStyle == 1 || nStyle == 2) << nStyle;
    }
}

TEST(ButtonTheme, GradientFramesFollowTheColourScheme)
{
    // Silver's frame is the scheme's navy-grey, not a near-black olive.
    struct Case { int nScheme; COLORREF clrFrame; } cases[] = {
        { 1, RGB(0, 0, 128) }, { 2, RGB(63, 93, 56) }, { 3, RGB(75, 75, 111) },
    };
    CVZPColorManager* pColors = GetColorManager();
    for (const Case& c : cases)
    {
        pColors->SetColorScheme(c.nScheme);
        pColors->RefreshColors();
        CVZButtonThemeGradient theme;
        theme.RefreshMetrics();
        EXPECT_EQ(theme.m_clrLight.GetColor(), c.clrFrame) << c.nScheme;
        EXPECT_EQ(theme.m_clrText.GetColor(), RGB(0, 0, 0));
        EXPECT_EQ(theme.m_clrHotFill.GetColor(), RGB(255, 238, 194));
        EXPECT_EQ(theme.GetFaceColor(), Color(COLOR_3DFACE));   // scheme face only with an idle border
    }
    pColors->SetColorScheme(0);
    pColors->RefreshColors();
}

TEST(ButtonTheme, ClassicFramesByStateAndStyle)
{
    CButtonHost host;
    CTestButton button;
    CreateButton(button, &host, L"");
    const COLORREF face = Color(COLOR_3DFACE), light = Color(COLOR_3DFACE), shadow = Color(COLOR_3DSHADOW),
                   hilite = Color(COLOR_3DHIGHLIGHT), dark = Color(COLOR_3DDKSHADOW);
    // Each row: draw style, hot, item state; the outer corners, then the
    // inner corners (one pixel in).
    struct Case { DWORD dwStyle; BOOL bHot; UINT nState; COLORREF tl, br, tlIn, brIn; } cases[] = {
        { 0, FALSE, 0, hilite, dark, light, shadow },
        { 0, FALSE, ODS_SELECTED, dark, hilite, shadow, light },
        { VZBS_FLAT, FALSE, 0, face, face, face, face },
        { VZBS_FLAT, TRUE, 0, hilite, shadow, face, face },
        { VZBS_FLAT, TRUE, ODS_SELECTED, shadow, hilite, face, face },
        { VZBS_THINBORDER, FALSE, 0, hilite, shadow, face, face },
        { VZBS_THINBORDER, FALSE, ODS_SELECTED, shadow, hilite, face, face },
    };
    for (const Case& c : cases)
    {
        button.SetDrawStyle(c.dwStyle);
        button.SetHotForTest(c.bHot);
        CDibCanvas canvas(kWidth, kHeight, RGB(1, 2, 3));
        DrawOn(button, canvas, c.nState);
        SCOPED_TRACE(testing::Message() << "style " << c.dwStyle << " hot " << c.bHot << " state " << c.nState);
        EXPECT_EQ(canvas.Pixel(0, 0), c.tl);
        EXPECT_EQ(canvas.Pixel(kWidth - 1, kHeight - 1), c.br);
        EXPECT_EQ(canvas.Pixel(1, 1), c.tlIn);
        EXPECT_EQ(canvas.Pixel(kWidth - 2, kHeight - 2), c.brIn);
        EXPECT_EQ(canvas.Pixel(kWidth / 2, kHeight / 2), face);
    }

    // The checker face while pressed: neighbours alternate 3-D face and highlight.
    button.SetDrawStyle(VZBS_FLAT | VZBS_CHECKERPRESSED);
    CDibCanvas canvas(kWidth, kHeight);
    DrawOn(button, canvas, ODS_SELECTED);
    const COLORREF a = canvas.Pixel(10, 10), b = canvas.Pixel(11, 10);
    EXPECT_NE(a, b);
    EXPECT_TRUE((a == face && b == hilite) || (a == hilite && b == face));
    EXPECT_EQ(canvas.Pixel(10, 11), b);
}

TEST(ButtonTheme, FlatThemeFillsHotAndPressed)
{
    CButtonHost host;
    CTestButton button;
    CreateButton(button, &host, L"");
    button.SetDrawStyle(VZBS_FLATTHEME);
    ASSERT_EQ(button.GetTheme()->m_nStyle, 1);
    struct Case { BOOL bHot; UINT nState; COLORREF fill; COLORREF frame; } cases[] = {
        { FALSE, 0, Color(COLOR_3DFACE), Color(COLOR_3DFACE) },
        { TRUE, 0, Color(VZPCOLOR_HIGHLIGHT), Color(VZPCOLOR_HIGHLIGHT_BORDER) },
        { FALSE, ODS_SELECTED, Color(VZPCOLOR_HIGHLIGHT_PUSHED), Color(VZPCOLOR_HIGHLIGHT_BORDER) },
        { TRUE, ODS_SELECTED, Color(VZPCOLOR_HIGHLIGHT_PUSHED), Color(VZPCOLOR_HIGHLIGHT_BORDER) },
    };
    for (const Case& c : cases)
    {
        button.SetHotForTest(c.bHot);
        CDibCanvas canvas(kWidth, kHeight);
        DrawOn(button, canvas, c.nState);
        EXPECT_EQ(canvas.Pixel(kWidth / 2, kHeight / 2), c.fill) << c.bHot << " " << c.nState;
        EXPECT_EQ(canvas.Pixel(0, 0), c.frame) << c.bHot << " " << c.nState;
    }

    // SetFlatColors reaches a flat theme only.
    button.SetFlatColors(RGB(1, 1, 1), RGB(2, 2, 2), RGB(3, 3, 3));
    button.SetHotForTest(TRUE);
    CDibCanvas canvas(kWidth, kHeight);
    DrawOn(button, canvas, 0);
    EXPECT_EQ(canvas.Pixel(kWidth / 2, kHeight / 2), RGB(2, 2, 2));
    EXPECT_EQ(canvas.Pixel(0, 0), RGB(1, 1, 1));
    button.SetDrawStyle(VZBS_FLAT);
    button.SetFlatColors(RGB(1, 1, 1), RGB(2, 2, 2), RGB(3, 3, 3));
    DrawOn(button, canvas, 0);
    EXPECT_EQ(canvas.Pixel(0, 0), Color(COLOR_3DHIGHLIGHT));
}

TEST(ButtonTheme, CaptionAndImageAreCentred)
{
    CButtonHost host;
    const COLORREF clrText = RGB(200, 0, 0);
    CTestButton caption;
    CreateButton(caption, &host, L"MM&M", BS_CENTER);
    caption.SetDrawStyle(VZBS_FLAT);
    caption.SetTextColor(clrText);
    CDibCanvas canvas(kWidth, kHeight);
    DrawOn(caption, canvas, 0);
    const CSize sizeText = tesmir::test::TextSize((HFONT)::GetStockObject(DEFAULT_GUI_FONT), L"MMM");
    const int nGap = caption.m_nBorderGap;
    const int x = nGap + (kWidth - nGap - sizeText.cx - nGap) / 2;
    const int y = (kHeight - sizeText.cy) / 2;
    const CRect rcInk = BoundsOf(canvas, clrText);
    ASSERT_FALSE(rcInk.IsRectEmpty());
    EXPECT_GE(rcInk.left, x);
    EXPECT_LE(rcInk.left, x + 2);
    EXPECT_LE(rcInk.right, x + sizeText.cx);
    EXPECT_GE(rcInk.right, x + sizeText.cx - 2);
    EXPECT_GE(rcInk.top, y);
    EXPECT_LE(rcInk.bottom, y + sizeText.cy + 1);   // the mnemonic underline sits on the last row

    CSolidIcon icon(RGB(0, 160, 0));
    CTestButton image;
    CreateButton(image, &host, L"", BS_CENTER | BS_VCENTER, 101);
    image.SetDrawStyle(VZBS_FLAT);
    ASSERT_TRUE(image.SetIcon(CSize(0, 0), icon.m_hIcon));
    EXPECT_EQ(image.GetImageSize(), CSize(16, 16));
    canvas.Fill(RGB(255, 255, 255));
    DrawOn(image, canvas, 0);
    EXPECT_EQ(BoundsOf(canvas, RGB(0, 160, 0)), CRect(CPoint((kWidth - 16) / 2, (kHeight - 16) / 2), CSize(16, 16)));

    // Hidden images read as no image: the caption lays out without one.
    image.ToggleImages();
    EXPECT_EQ(image.GetImageSize(), CSize(0, 0));
    canvas.Fill(RGB(255, 255, 255));
    DrawOn(image, canvas, 0);
    EXPECT_TRUE(BoundsOf(canvas, RGB(0, 160, 0)).IsRectEmpty());
    image.ToggleImages();
}

TEST(ButtonTheme, DisabledButtonDrawsTheDisabledImageAndGreyCaption)
{
    CButtonHost host;
    CSolidIcon icon(RGB(0, 160, 0));
    CTestButton button;
    CreateButton(button, &host, L"Off", BS_LEFT);
    button.SetDrawStyle(VZBS_FLAT);
    ASSERT_TRUE(button.SetIcon(CSize(0, 0), icon.m_hIcon));
    CDibCanvas canvas(kWidth, kHeight);
    DrawOn(button, canvas, ODS_DISABLED);
    EXPECT_TRUE(button.GetIcon()->HasDisabledIcon());
    EXPECT_TRUE(BoundsOf(canvas, RGB(0, 160, 0)).IsRectEmpty());
    // The generated image fills the icon's place with something not the face.
    const CPoint ptImage(button.m_nBorderGap, (kHeight - 16) / 2);
    EXPECT_NE(canvas.Pixel(ptImage.x + 8, ptImage.y + 8), Color(COLOR_3DFACE));
    const CRect rcGrey = BoundsOf(canvas, Color(COLOR_GRAYTEXT));
    ASSERT_FALSE(rcGrey.IsRectEmpty());
    // BS_LEFT: the caption starts after the image and the image-text gap.
    EXPECT_GE(rcGrey.left, button.m_nBorderGap + button.m_nImageGap + 16);
    EXPECT_TRUE(BoundsOf(canvas, Color(COLOR_BTNTEXT)).IsRectEmpty() ||
                Color(COLOR_BTNTEXT) == Color(COLOR_3DFACE));
    canvas.SaveBmp(ScreenshotPath(L"button-disabled.bmp"));
}

TEST(Button, StartPageButtonPaintsFaceAndWhiteCaption)
{
    CButtonHost host;
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, L"MS Shell Dlg"));
    CVZButton button;
    ASSERT_TRUE(button.Create(L"Select", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 130, 50), &host, 100));
    button.SetFont(&font);
    button.SetFaceColor(RGB(29, 117, 189));
    button.SetTextColor(RGB(255, 255, 255));
    EXPECT_EQ(button.GetFaceColor(), RGB(29, 117, 189));
    button.Invalidate();
    PaintNow(&host);
    CCapture capture(&button);
    capture.Canvas().SaveBmp(ScreenshotPath(L"button-select.bmp"));
    EXPECT_EQ(capture.Pixel(60, 4), RGB(29, 117, 189));
    EXPECT_GT(capture.Canvas().Count(CRect(0, 0, 120, 40), RGB(29, 117, 189)), 120 * 40 / 2);
    EXPECT_GT(capture.Canvas().Count(CRect(0, 0, 120, 40), RGB(255, 255, 255)), 10);

    // The colours went into the shared classic theme: put it back.
    CVZButtonThemeClassic* pShared = button.GetTheme();
    pShared->m_clrFace.m_clrOverride = COLORREF(-1);
    pShared->m_clrText.m_clrOverride = COLORREF(-1);
}

TEST(Button, SubclassedButtonBecomesOwnerDrawn)
{
    CButtonHost host;
    HWND hWnd = ::CreateWindowW(L"BUTTON", L"x", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 50, 20, host.m_hWnd,
                                (HMENU)100, NULL, NULL);
    CVZButton button;
    ASSERT_TRUE(button.SubclassWindow(hWnd));
    EXPECT_EQ(button.GetStyle() & BS_TYPEMASK, (DWORD)BS_OWNERDRAW);
    CVZButton created;
    CreateButton(created, &host, L"y", 0, 101);
    EXPECT_EQ(created.GetStyle() & BS_TYPEMASK, (DWORD)BS_OWNERDRAW);
}

TEST(Button, DoubleClickGivesTwoClicks)
{
    CButtonHost host;
    CVZButton button;
    CreateButton(button, &host, L"Twice");
    const LPARAM lParam = MAKELPARAM(20, 10);
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
    button.SendMessage(WM_LBUTTONUP, 0, lParam);
    button.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, lParam);
    EXPECT_TRUE(button.IsLeftButtonDown());
    button.SendMessage(WM_LBUTTONUP, 0, lParam);
    EXPECT_FALSE(button.IsLeftButtonDown());
    PumpUntil([&] { return host.m_nClicks >= 2; }, 2000);
    EXPECT_EQ(host.m_nClicks, 2);
}

TEST(Button, HotTimerFollowsTheCursor)
{
    CButtonHost host;
    CVZButton flat;
    CreateButton(flat, &host, L"Hot");
    flat.SetDrawStyle(VZBS_FLAT);
    CRect rc;
    flat.GetWindowRect(&rc);
    ::SetCursorPos(rc.right + 100, rc.bottom + 100);
    PumpUntil([] { return false; }, 50);
    ::SetCursorPos(rc.CenterPoint().x, rc.CenterPoint().y);
    ASSERT_TRUE(PumpUntil([&] { return flat.IsHot(); }, 5000));
    PaintNow(&host);
    CCapture capture(&flat);
    capture.Canvas().SaveBmp(ScreenshotPath(L"button-hot.bmp"));
    EXPECT_EQ(capture.Pixel(0, 0), Color(COLOR_3DHIGHLIGHT));
    ::SetCursorPos(rc.right + 100, rc.bottom + 100);
    ASSERT_TRUE(PumpUntil([&] { return !flat.IsHot(); }, 5000));
    EXPECT_FALSE(::KillTimer(flat.m_hWnd, 1));   // already stopped

    // A shared classic theme without a flat or thin border wants no tracking.
    flat.DestroyWindow();
    CVZButton plain;
    CreateButton(plain, &host, L"Cold", 0, 101);
    plain.SetDrawStyle(0);
    ::SetCursorPos(rc.CenterPoint().x, rc.CenterPoint().y);
    PumpUntil([] { return false; }, 300);
    EXPECT_FALSE(plain.IsHot());
    EXPECT_FALSE(::KillTimer(plain.m_hWnd, 1));
}

// The self-drawn group box in its frame and panel styles: where its border
// and caption land for each alignment, and its setters.
#include <gtest/gtest.h>

#include <afxwin.h>

#include "CXPGroupBox.h"
#include "ControlsTestSupport.h"

#include <TestSupport.h>

using namespace appui_test;
using tesmir::test::CDibCanvas;

namespace {

const COLORREF kBorder = RGB(200, 0, 0);
const COLORREF kText = RGB(0, 0, 255);
const COLORREF kCaptionBack = RGB(255, 255, 0);
const COLORREF kBody = RGB(0, 255, 255);
const COLORREF kWhite = RGB(255, 255, 255);
const int kWidth = 200;
const int kHeight = 120;

class GroupBoxTest : public CanvasTest
{
protected:
    void SetUp() override
    {
        CanvasTest::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(m_box.Create(_T("Group"), WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(0, 0, kWidth, kHeight),
                                 m_pCanvas, 400));
        LOGFONT lf = {};
        lf.lfHeight = -16;
        lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfQuality = NONANTIALIASED_QUALITY;
        lstrcpy(lf.lfFaceName, _T("Arial"));
        m_box.SetFont(lf)
            .SetBorderColor(kBorder)
            .SetCaptionTextColor(kText)
            .SetBackgroundColor(kCaptionBack, kBody);
        ASSERT_TRUE(m_font.CreateFontIndirect(&lf));
    }
    void TearDown() override { m_box.DestroyWindow(); }

    CSize CaptionSize(LPCTSTR lpszCaption)
    {
        CDibCanvas canvas(1, 1);
        HGDIOBJ hOld = ::SelectObject(canvas.Dc(), m_font.GetSafeHandle());
        SIZE size = {};
        ::GetTextExtentPoint32(canvas.Dc(), lpszCaption, lstrlen(lpszCaption), &size);
        ::SelectObject(canvas.Dc(), hOld);
        return size;
    }

    void Render(CDibCanvas& canvas)
    {
        canvas.Fill(kWhite);
        m_box.PaintTo(*CDC::FromHandle(canvas.Dc()));
    }

    // Every pixel of the colour lies inside rect, and some do.
    static void ExpectOnlyInside(const CDibCanvas& canvas, COLORREF cr, const CRect& rect, const char* what)
    {
        int nAll = canvas.Count(CRect(0, 0, canvas.Width(), canvas.Height()), cr);
        EXPECT_GT(nAll, 0) << what;
        EXPECT_EQ(nAll, canvas.Count(rect, cr)) << what;
    }

    CXPGroupBox m_box;
    CFont m_font;
};

TEST_F(GroupBoxTest, FrameStyleDrawsARoundedFrameThroughTheCaption)
{
    CSize size = CaptionSize(_T(" Group "));
    // The box's rectangle is the client area less one pixel on every side.
    const struct
    {
        int nAlignment;
        int nLeft;
    } cases[] = {
        { 0, 1 + 10 },
        { 1, 1 + (kWidth - 2 - size.cx) / 2 },
        { 2, kWidth - 1 - 10 - size.cx },
        { 7, 1 + 10 },   // anything else is left
    };
    for (const auto& c : cases)
    {
        m_box.SetAlignment(c.nAlignment);
        CDibCanvas canvas(kWidth, kHeight);
        Render(canvas);
        CRect rectCaption(c.nLeft, 1, c.nLeft + size.cx, 1 + size.cy);
        EXPECT_EQ(rectCaption, m_box.CaptionRect(*CDC::FromHandle(canvas.Dc()))) << c.nAlignment;
        ExpectOnlyInside(canvas, kText, rectCaption, "caption text");
        EXPECT_EQ(size.cx * size.cy, canvas.Count(rectCaption, kText) + canvas.Count(rectCaption, kCaptionBack))
            << "the caption's background hides the frame line";

        // The frame: straight edges one pixel in, the top one through the
        // caption's middle, rounded corners, nothing inside.
        int yTop = 1 + size.cy / 2;
        EXPECT_EQ(kBorder, canvas.Pixel(1, kHeight / 2 + 10)) << c.nAlignment;
        EXPECT_EQ(kBorder, canvas.Pixel(kWidth - 2, kHeight / 2 + 10));
        EXPECT_EQ(kBorder, canvas.Pixel(kWidth / 2, kHeight - 2));
        int xFree = c.nAlignment == 2 ? 20 : kWidth - 20;
        EXPECT_EQ(kBorder, canvas.Pixel(xFree, yTop)) << c.nAlignment;
        EXPECT_EQ(kWhite, canvas.Pixel(1, kHeight - 2)) << "rounded corner";
        EXPECT_EQ(kWhite, canvas.Pixel(kWidth / 2, kHeight / 2 + 10)) << "no fill";
        EXPECT_EQ(0, canvas.Count(CRect(3, yTop + 2, kWidth - 3, kHeight - 3), kBorder));
        EXPECT_EQ(0, canvas.Count(CRect(0, 0, kWidth, kHeight), kBody));
    }
    EXPECT_EQ(0, m_box.GetAlignment());
}

TEST_F(GroupBoxTest, PanelStyleDrawsACaptionBarOverTheBody)
{
    m_box.SetGroupStyle(CXPGroupBox::stylePanel);
    CSize size = CaptionSize(_T(" Group "));
    const struct
    {
        int nAlignment;
        int nLeft;
    } cases[] = { { 0, 1 + 2 }, { 1, 1 + (kWidth - 2 - size.cx) / 2 }, { 2, kWidth - 1 - 2 - size.cx } };
    for (const auto& c : cases)
    {
        m_box.SetAlignment(c.nAlignment);
        CDibCanvas canvas(kWidth, kHeight);
        Render(canvas);
        CRect rectCaption(c.nLeft, 3, c.nLeft + size.cx, 3 + size.cy);
        ExpectOnlyInside(canvas, kText, rectCaption, "caption text");
        int yBody = 1 + size.cy + 4;
        EXPECT_EQ(kCaptionBack, canvas.Pixel(kWidth / 2, yBody - 2)) << c.nAlignment;
        EXPECT_EQ(kBody, canvas.Pixel(kWidth / 2, (yBody + kHeight) / 2));
        EXPECT_EQ(kBorder, canvas.Pixel(1, (yBody + kHeight) / 2));
        EXPECT_EQ(kBorder, canvas.Pixel(kWidth / 2, yBody)) << "the body's top edge";
        EXPECT_EQ(kWhite, canvas.Pixel(1, 1)) << "rounded corner";
    }
}

TEST_F(GroupBoxTest, CaptionAndFontSetters)
{
    // Before the window exists SetText changes nothing.
    CXPGroupBox box;
    box.SetText(_T("Early"));
    EXPECT_TRUE(box.GetCaption().IsEmpty());

    m_box.SetText(_T("Drive"));
    EXPECT_EQ(CString(_T(" Drive ")), m_box.GetCaption());
    CSize size = CaptionSize(_T(" Drive "));
    CDibCanvas canvas(kWidth, kHeight);
    Render(canvas);
    ExpectOnlyInside(canvas, kText, CRect(11, 1, 11 + size.cx, 1 + size.cy), "new caption");

    // The setters keep the face and change one property each.
    m_box.SetFontBold(TRUE).SetFontItalic(TRUE).SetFontUnderline(TRUE);
    EXPECT_EQ(FW_BOLD, m_box.GetLogFont().lfWeight);
    EXPECT_EQ(1, m_box.GetLogFont().lfItalic);
    EXPECT_EQ(1, m_box.GetLogFont().lfUnderline);
    m_box.SetFontSize(12);
    CFont pointFont;
    ASSERT_TRUE(pointFont.CreatePointFont(120, _T("Arial")));
    LOGFONT lf = {};
    pointFont.GetLogFont(&lf);
    EXPECT_EQ(lf.lfHeight, m_box.GetLogFont().lfHeight);
    EXPECT_STREQ(_T("Arial"), m_box.GetLogFont().lfFaceName);
    m_box.SetFontName(_T("Courier New"), ANSI_CHARSET);
    EXPECT_STREQ(_T("Courier New"), m_box.GetLogFont().lfFaceName);
    EXPECT_EQ(ANSI_CHARSET, m_box.GetLogFont().lfCharSet);

    // The system draws no caption of its own.
    EXPECT_TRUE(m_box.GetStyle() & BS_ICON);
}

TEST_F(GroupBoxTest, LooksRightOnScreen)
{
    CXPGroupBox& box = m_box;
    box.SetBackgroundColor(kWhite);
    box.SetAlignment(1);
    PaintNow(m_pCanvas);
    CCapture capture(&box);
    CSize size = CaptionSize(_T(" Group "));
    int nLeft = 1 + (kWidth - 2 - size.cx) / 2;
    EXPECT_GT(capture.Width(), 0);
    int nText = 0;
    int nOutside = 0;
    for (int y = 0; y < capture.Height(); y++)
        for (int x = 0; x < capture.Width(); x++)
        {
            if (capture.Pixel(x, y) != kText)
                continue;
            if (x >= nLeft && x < nLeft + size.cx && y >= 1 && y < 1 + size.cy)
                nText++;
            else
                nOutside++;
        }
    EXPECT_GT(nText, 0);
    EXPECT_EQ(0, nOutside);
}

}  // namespace

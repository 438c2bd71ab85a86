// The picture, icon and thumbnail views on a real frame with the preview
// document: where the picture view draws, what the icon view stretches into
// its margins (and that a narrow view draws nothing), the thumbnails'
// geometry, numbering and empty images, and the preview-ok flag on failure.
#include "CEx_StyleDoc.h"
#include "IPreviewHost.h"
#include "MfcTestSupport.h"
#include "TestSupport.h"
#include "image/CImage_View.h"
#include "image/CTextView.h"
#include "image/CThumbView.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <string>

using tesmir::test::BuildPath;
using tesmir::test::CCapture;
using tesmir::test::CDibCanvas;
using tesmir::test::PaintNow;
using tesmir::test::ScreenshotPath;

namespace {

const COLORREF kRed = RGB(255, 0, 0), kLime = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);
const COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);

std::wstring ImagePath(const std::wstring& name) { return BuildPath((L"preview-images\\" + name).c_str()); }

// A frame that keeps the preview flags as the main frame does.
class CHostFrame : public CFrameWnd, public IPreviewHost
{
public:
    void SetPreviewView(CMainPreviewView*) override {}
    void SetPreviewOk(BOOL bOk) override { m_bOk = bOk; }
    BOOL IsPreviewOk() const override { return m_bOk; }
    void SetPreviewSupported(BOOL) override {}
    BOOL m_bOk = TRUE;
};

// The frame, the document the preview pane fills in, and one view at a time
// filling the frame's client area.
class ViewsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CHostFrame;
        ASSERT_TRUE(m_pFrame->Create(NULL, _T("Picture preview"), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     CRect(10, 10, 810, 560)));
        m_app.m_pMainWnd = m_pFrame;
        m_doc.m_bAutoDelete = FALSE;
    }
    void TearDown() override
    {
        Close();
        m_pFrame->DestroyWindow();
        m_app.m_pMainWnd = NULL;
    }
    CView* Open(CRuntimeClass* pClass, const std::wstring& path, int cx = 0, int cy = 0)
    {
        Close();
        m_pFrame->m_bOk = TRUE;
        m_doc.m_strPreviewPath = path.c_str();
        CCreateContext context;
        context.m_pCurrentDoc = &m_doc;
        context.m_pNewViewClass = pClass;
        m_pView = (CView*)m_pFrame->CreateView(&context, AFX_IDW_PANE_FIRST);
        CRect rc;
        m_pFrame->GetClientRect(&rc);
        m_pView->MoveWindow(0, 0, cx ? cx : rc.Width(), cy ? cy : rc.Height());
        m_pView->OnInitialUpdate();
        m_pView->Invalidate();
        PaintNow(m_pFrame);
        return m_pView;
    }
    void Close()
    {
        if (m_pView) {
            m_pView->DestroyWindow();
            m_pView = nullptr;
        }
    }
    void Screenshot(const wchar_t* name)
    {
        CCapture capture(m_pView);
        capture.Canvas().SaveBmp(ScreenshotPath(name));
    }

    tesmir::test::CScopedApp m_app;
    CHostFrame* m_pFrame = nullptr;
    CEx_StyleDoc m_doc;
    CView* m_pView = nullptr;
};

TEST(ImageViewGeometry, PictureRectFollowsTheRatio)
{
    // 400 x 300: 200 x 175 at y = 22; square: 200 x 200 at y = 10.
    EXPECT_EQ(CRect(300, 22, 500, 197), CImage_View::PictureRect(800, 400, 300));
    EXPECT_EQ(CRect(300, 10, 500, 210), CImage_View::PictureRect(800, 200, 200));
    // Taller than wide: b = 133, so y = (120 - 133) / 2 = -6, the top cut off.
    EXPECT_EQ(CRect(-50, -6, 150, 227), CImage_View::PictureRect(100, 300, 400));
}

TEST_F(ViewsTest, ImageViewDrawsThePictureNearTheTop)
{
    const struct
    {
        const wchar_t* name;
        int y;
        int cy;
    } cases[] = {{L"q400x300.png", 22, 175}, {L"q200x200.bmp", 10, 200}, {L"q400x300.tga", 22, 175},
                 {L"q200x200.pcx", 10, 200}};
    for (const auto& c : cases) {
        SCOPED_TRACE(tesmir::test::Utf8(c.name));
        CView* pView = Open(RUNTIME_CLASS(CImage_View), ImagePath(c.name));
        EXPECT_TRUE(m_pFrame->m_bOk);
        CRect client;
        pView->GetClientRect(&client);
        int x = client.Width() / 2 - 100;
        CCapture capture(pView);
        EXPECT_EQ(kRed, capture.Pixel(x, c.y));
        EXPECT_EQ(kRed, capture.Pixel(x + 50, c.y + c.cy / 4));
        EXPECT_EQ(kLime, capture.Pixel(x + 199, c.y));
        EXPECT_EQ(kBlue, capture.Pixel(x, c.y + c.cy - 1));
        EXPECT_EQ(kWhite, capture.Pixel(x + 199, c.y + c.cy - 1));
        // Nothing of the picture outside its rectangle.
        EXPECT_NE(kRed, capture.Pixel(x - 1, c.y + 5));
        EXPECT_NE(kLime, capture.Pixel(x + 200, c.y + 5));
        EXPECT_NE(kBlue, capture.Pixel(x + 5, c.y + c.cy));
        if (c.y > 0) {
            EXPECT_NE(kRed, capture.Pixel(x + 5, c.y - 1));
        }
    }
    Open(RUNTIME_CLASS(CImage_View), ImagePath(L"q400x300.jpg"));
    Screenshot(L"image_view_400x300.bmp");
}

TEST_F(ViewsTest, ImageViewClearsTheFlagForAnUnreadablePicture)
{
    for (const wchar_t* name : {L"empty.png", L"png-named.bmp", L"q300x400.jp2", L"pcx-huge.pcx", L"missing.tga"}) {
        Open(RUNTIME_CLASS(CImage_View), ImagePath(name));
        EXPECT_FALSE(m_pFrame->m_bOk) << tesmir::test::Utf8(name);
    }
    // A name without a picture code leaves the flag alone.
    Open(RUNTIME_CLASS(CImage_View), ImagePath(L"notes.txt"));
    EXPECT_TRUE(m_pFrame->m_bOk);
}

TEST_F(ViewsTest, PictureViewStretchesIconsAndMetafilesIntoTheMargins)
{
    CTextView* pView = (CTextView*)Open(RUNTIME_CLASS(CTextView), ImagePath(L"icon16.ico"));
    ASSERT_TRUE(m_pFrame->m_bOk);
    ASSERT_NE(nullptr, pView->m_pPicture);
    EXPECT_EQ(CSize(16, 16), pView->m_sizePixels);
    DWORD attributes = 0;
    pView->m_pPicture->get_Attributes(&attributes);
    EXPECT_TRUE(attributes & PICTURE_TRANSPARENT);
    CRect client;
    pView->GetClientRect(&client);
    CRect margin = CTextView::MarginRect(client);
    EXPECT_EQ(CRect(200, 10, client.Width() - 200, client.Height() - 10), margin);
    {
        CCapture capture(pView);
        // The red square covers the middle half of the icon.
        EXPECT_EQ(kRed, capture.Pixel(margin.CenterPoint().x, margin.CenterPoint().y));
        EXPECT_NE(kRed, capture.Pixel(199, margin.CenterPoint().y));
        EXPECT_NE(kRed, capture.Pixel(margin.CenterPoint().x, 9));
    }
    Screenshot(L"picture_view_icon.bmp");

    pView = (CTextView*)Open(RUNTIME_CLASS(CTextView), ImagePath(L"rect.emf"));
    ASSERT_TRUE(m_pFrame->m_bOk);
    ASSERT_NE(nullptr, pView->m_pPicture);
    attributes = 0;
    pView->m_pPicture->get_Attributes(&attributes);
    EXPECT_EQ((DWORD)(PICTURE_TRANSPARENT | PICTURE_SCALABLE), attributes & (PICTURE_TRANSPARENT | PICTURE_SCALABLE));
    {
        CCapture capture(pView);
        // The rectangle's white inside, stretched, sits in the middle.
        EXPECT_EQ(kWhite, capture.Pixel(margin.CenterPoint().x, margin.CenterPoint().y));
        int blacks = 0;
        for (int x = margin.left; x < margin.right; ++x)
            blacks += capture.Pixel(x, margin.CenterPoint().y) == kBlack;
        EXPECT_GE(blacks, 2);
    }
    Screenshot(L"picture_view_emf.bmp");
}

// Narrower than 400 pixels the margins leave nothing to draw into: nothing
// is drawn (never a mirrored picture).
TEST_F(ViewsTest, NarrowPictureViewDrawsNothing)
{
    CView* pView = Open(RUNTIME_CLASS(CTextView), ImagePath(L"icon16.ico"), 300, 300);
    ASSERT_TRUE(m_pFrame->m_bOk);
    CCapture capture(pView);
    int red = 0;
    for (int y = 0; y < 300; y += 2)
        for (int x = 0; x < 300; x += 2)
            red += capture.Pixel(x, y) == kRed;
    EXPECT_EQ(0, red);
}

TEST_F(ViewsTest, PictureViewClearsTheFlagForAnUnreadableFile)
{
    for (const wchar_t* name : {L"missing.ico", L"empty.png", L"emf-cut.emf"}) {
        CTextView* pView = (CTextView*)Open(RUNTIME_CLASS(CTextView), ImagePath(name));
        EXPECT_FALSE(m_pFrame->m_bOk) << tesmir::test::Utf8(name);
        EXPECT_EQ(nullptr, pView->m_pPicture);
    }
}

TEST(ThumbGeometry, PicturesFitTheThumbnail)
{
    EXPECT_EQ(CRect(35, 0, 125, 120), CThumbView::ThumbnailRect(300, 400));
    EXPECT_EQ(CRect(0, 0, 160, 120), CThumbView::ThumbnailRect(160, 120));
    EXPECT_EQ(CRect(0, 20, 160, 100), CThumbView::ThumbnailRect(400, 200));
    EXPECT_EQ(CRect(20, 0, 140, 120), CThumbView::ThumbnailRect(200, 200));
}

// Draws image n of the view's list onto a canvas of its size.
void DrawThumb(CThumbView* pView, int n, CDibCanvas& canvas)
{
    canvas.Fill(RGB(1, 2, 3));
    ImageList_Draw(pView->m_imageList.GetSafeHandle(), n, canvas.Dc(), 0, 0, ILD_NORMAL);
}

TEST_F(ViewsTest, ThumbnailsOfAFolder)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"tesmir_thumbs_" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), NULL);
    // The document lists them sorted: tall, small, unreadable.
    CopyFileW(ImagePath(L"q300x400.png").c_str(), (folder + L"\\A-Tall.PNG").c_str(), FALSE);
    CopyFileW(ImagePath(L"q160x120.tga").c_str(), (folder + L"\\b-small.tga").c_str(), FALSE);
    CopyFileW(ImagePath(L"empty.png").c_str(), (folder + L"\\c-broken.png").c_str(), FALSE);
    CopyFileW(ImagePath(L"q160x120.png").c_str(), (folder + L"\\d-notes.txt").c_str(), FALSE);

    CThumbView* pView = (CThumbView*)Open(RUNTIME_CLASS(CThumbView), folder);
    m_doc.ListImageFiles(folder.c_str());
    ASSERT_EQ(3, (int)m_doc.m_vecImageFiles.GetSize());
    pView->LoadThumbnails();
    PaintNow(m_pFrame);

    CListCtrl& list = pView->GetListCtrl();
    ASSERT_EQ(3, list.GetItemCount());
    EXPECT_EQ(CString(_T("1")), list.GetItemText(0, 0));
    EXPECT_EQ(CString(_T("2")), list.GetItemText(1, 0));
    EXPECT_EQ(CString(_T("3")), list.GetItemText(2, 0));
    EXPECT_EQ(3, pView->m_imageList.GetImageCount());
    EXPECT_EQ(pView->m_imageList.GetSafeHandle(), (HIMAGELIST)list.SendMessage(LVM_GETIMAGELIST, LVSIL_NORMAL));
    DWORD style = pView->GetStyle();
    EXPECT_EQ((DWORD)LVS_ICON, style & LVS_TYPEMASK);
    EXPECT_TRUE(style & LVS_SINGLESEL);
    EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
    EXPECT_TRUE(style & LVS_AUTOARRANGE);

    CDibCanvas canvas(160, 120);
    // 300 x 400: 90 x 120 at x = 35 on white, in a black one-pixel frame.
    DrawThumb(pView, 0, canvas);
    canvas.SaveBmp(ScreenshotPath(L"thumb_tall.bmp"));
    for (int x = 0; x < 160; x += 7) {
        EXPECT_EQ(kBlack, canvas.Pixel(x, 0)) << x;
        EXPECT_EQ(kBlack, canvas.Pixel(x, 119)) << x;
    }
    for (int y = 0; y < 120; y += 7) {
        EXPECT_EQ(kBlack, canvas.Pixel(0, y)) << y;
        EXPECT_EQ(kBlack, canvas.Pixel(159, y)) << y;
    }
    EXPECT_EQ(kWhite, canvas.Pixel(1, 60));
    EXPECT_EQ(kWhite, canvas.Pixel(34, 30));
    EXPECT_EQ(kRed, canvas.Pixel(35, 30));
    EXPECT_EQ(kLime, canvas.Pixel(124, 30));
    EXPECT_EQ(kWhite, canvas.Pixel(125, 30));
    EXPECT_EQ(kBlue, canvas.Pixel(35, 100));
    EXPECT_EQ(kWhite, canvas.Pixel(158, 100));

    // 160 x 120 fills its image (the frame drawn over its edge).
    DrawThumb(pView, 1, canvas);
    canvas.SaveBmp(ScreenshotPath(L"thumb_small.bmp"));
    EXPECT_EQ(kBlack, canvas.Pixel(0, 0));
    EXPECT_EQ(kRed, canvas.Pixel(1, 1));
    EXPECT_EQ(kLime, canvas.Pixel(158, 1));
    EXPECT_EQ(kBlue, canvas.Pixel(1, 118));
    EXPECT_EQ(kWhite, canvas.Pixel(158, 118));
    EXPECT_EQ(kBlack, canvas.Pixel(159, 119));

    // The unreadable picture's image stays empty: one colour throughout.
    DrawThumb(pView, 2, canvas);
    COLORREF first = canvas.Pixel(0, 0);
    int others = 0;
    for (int y = 0; y < 120; y += 3)
        for (int x = 0; x < 160; x += 3)
            others += canvas.Pixel(x, y) != first;
    EXPECT_EQ(0, others);
    EXPECT_NE(kWhite, canvas.Pixel(80, 60));

    Screenshot(L"thumb_view.bmp");

    // Loading again (another folder listed) starts from an empty list.
    m_doc.ListImageFiles((folder + L"\\none").c_str());
    pView->LoadThumbnails();
    EXPECT_EQ(0, list.GetItemCount());
    EXPECT_EQ(0, pView->m_imageList.GetImageCount());

    m_doc.DeleteFolderFiles(folder.c_str());
    RemoveDirectoryW(folder.c_str());
}

} // namespace

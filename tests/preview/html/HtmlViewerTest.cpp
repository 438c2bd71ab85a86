// The HTML view on a real frame: the page painted through the back buffer,
// the ready text, link hover, selection by click, the yellow page of a
// picture link, form submission by URL, drag scrolling, the pathological
// pages, and closing while pictures are still on their way.
#include <gtest/gtest.h>

#include <objbase.h>
#include <tlhelp32.h>

#include <functional>
#include <string>

#include "CEx_StyleDoc.h"
#include "HtmlPages.h"
#include "HtmlTestSupport.h"
#include "MfcTestSupport.h"
#include "TestSupport.h"
#include "html/CCustomHTMLViewer.h"
#include "html/CHtmlBrowser.h"
#include "html/CHtmlImageLoader.h"
#include "html/HtmlMessages.h"
#include "image/CThumbView.h"

namespace {

using tesmir::test::CDibCanvas;
using tesmir::test::PumpUntil;
using tesmir::test::Utf8;

const COLORREF kPageColor = RGB(0xE0, 0xF0, 0xFF);

std::wstring TempFolder()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"tesmir_html_" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder + L"\\";
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
    CloseHandle(file);
}

// A 24-bit BMP file of one colour.
void WriteBmp(const std::wstring& path, int cx, int cy, COLORREF color)
{
    int stride = (cx * 3 + 3) & ~3;
    BITMAPFILEHEADER fh = {};
    BITMAPINFOHEADER ih = {};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + sizeof(ih);
    fh.bfSize = fh.bfOffBits + (DWORD)(stride * cy);
    ih.biSize = sizeof(ih);
    ih.biWidth = cx;
    ih.biHeight = cy;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    std::string bytes((const char*)&fh, sizeof(fh));
    bytes.append((const char*)&ih, sizeof(ih));
    std::string row((size_t)stride, '\0');
    for (int x = 0; x < cx; ++x) {
        row[(size_t)x * 3] = (char)GetBValue(color);
        row[(size_t)x * 3 + 1] = (char)GetGValue(color);
        row[(size_t)x * 3 + 2] = (char)GetRValue(color);
    }
    for (int y = 0; y < cy; ++y)
        bytes += row;
    WriteFileBytes(path, bytes);
}

std::string Narrow(const std::wstring& text)
{
    return Utf8(text);
}

int ThreadCount()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL ok = Thread32First(snapshot, &entry); ok; ok = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == GetCurrentProcessId();
    CloseHandle(snapshot);
    return count;
}

// A frame with the document as the preview pane leaves it and an active
// view, on which the HTML view is created for a file.
class CViewerHarness
{
public:
    CViewerHarness()
    {
        // The pointer waits off the frame: a view appearing under it would
        // take its hover.
        tesmir::test::PlaceCursorByInput(1200, 1000);
        m_pFrame = new CFrameWnd;
        m_pFrame->Create(NULL, _T("HTML preview"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 680, 520));
        m_app.m_pMainWnd = m_pFrame;
        m_pDoc = new CEx_StyleDoc;
        m_pDoc->m_bAutoDelete = FALSE;  // it outlives each view shown on it
        CCreateContext context;
        context.m_pCurrentDoc = m_pDoc;
        context.m_pNewViewClass = RUNTIME_CLASS(CThumbView);
        CView* pThumbs = (CView*)m_pFrame->CreateView(&context, AFX_IDW_PANE_FIRST + 1);
        pThumbs->ShowWindow(SW_HIDE);
        m_pFrame->SetActiveView(pThumbs, FALSE);
    }
    ~CViewerHarness()
    {
        Close();
        m_pFrame->DestroyWindow();
        m_app.m_pMainWnd = NULL;
        delete m_pDoc;
    }

    // Shows path in a new view filling the frame's client area.
    void Open(const std::wstring& path)
    {
        Close();
        m_pDoc->m_strPreviewPath = path.c_str();
        CCreateContext context;
        context.m_pCurrentDoc = m_pDoc;
        context.m_pNewViewClass = RUNTIME_CLASS(CCustomHTMLViewer);
        m_pView = (CView*)m_pFrame->CreateView(&context, AFX_IDW_PANE_FIRST);
        CRect rc;
        m_pFrame->GetClientRect(&rc);
        m_pView->MoveWindow(0, 0, rc.Width(), rc.Height());
    }
    void Close()
    {
        if (m_pView) {
            m_pView->DestroyWindow();
            m_pView = nullptr;
        }
    }

    CHtmlBrowser& Browser() const { return *CCustomHTMLViewer::GetBrowser(); }
    CHtmlDocument& Doc() const { return *Browser().GetDocument(); }
    HWND Canvas() const { return CCustomHTMLViewer::GetCanvas(); }
    std::wstring Status() const
    {
        wchar_t text[256] = L"";
        GetWindowTextW(CCustomHTMLViewer::GetStatusBar(), text, 256);
        return text;
    }
    bool WaitReady(DWORD timeoutMs = 30000) const
    {
        return PumpUntil([&] { return Status().compare(0, 6, L"Ready,") == 0; }, timeoutMs);
    }
    int HPos() const { return (int)SendMessageW(Canvas(), WM_HTML_GETHPOS, 0, 0); }
    int VPos() const { return (int)SendMessageW(Canvas(), WM_HTML_GETVPOS, 0, 0); }

    // The first element whose text is text, anywhere in the page.
    const CHtmlElement* Find(const wchar_t* text) const
    {
        const CHtmlElement* found = nullptr;
        std::function<void(const CHtmlElementList&)> walk = [&](const CHtmlElementList& items) {
            for (const CHtmlElement* e : items) {
                if (!found && e->pszText && wcscmp(e->pszText, text) == 0)
                    found = e;
                walk(e->children);
            }
        };
        walk(Doc().GetItems());
        return found;
    }
    // The element's box in canvas client coordinates.
    RECT ClientBox(const CHtmlElement* e) const
    {
        RECT rc = {e->x - HPos(), e->y - VPos(), e->x - HPos() + e->cx, e->y - VPos() + e->cy};
        return rc;
    }
    POINT ScreenCentre(const CHtmlElement* e) const
    {
        RECT rc = ClientBox(e);
        POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
        ClientToScreen(Canvas(), &pt);
        return pt;
    }
    // What the screen shows of the canvas.
    void Capture(CDibCanvas& canvas) const
    {
        RedrawWindow(Canvas(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        tesmir::test::CaptureWindow(Canvas(), canvas);
    }
    void Screenshot(const wchar_t* name) const
    {
        CDibCanvas canvas(640, 480);
        tesmir::test::CaptureWindow(m_pFrame->m_hWnd, canvas);
        canvas.SaveBmp(tesmir::test::ScreenshotPath(name));
    }

    CFrameWnd* m_pFrame;

private:
    tesmir::test::CScopedApp m_app;
    CEx_StyleDoc* m_pDoc;
    CView* m_pView = nullptr;
};

class HtmlViewer : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        CoInitialize(nullptr);
        s_folder = TempFolder();
        WriteBmp(s_folder + L"red.bmp", 16, 8, RGB(255, 0, 0));
        std::string page =
            "<html><head><title>Viewer page</title></head><body bgcolor=#e0f0ff>\n"
            "<font size=+10>Hello</font> <a href=\"next.html\">link</a> words here<br>\n"
            "<img src=\"red.bmp\"> <img src=\"red.bmp\" width=32> <a href=\"pic.png\">picture</a>\n";
        for (int i = 0; i < 4; ++i)
            page += "<form action=\"missing" + std::to_string(i) + ".html\"><input type=hidden name=f value=" +
                    std::to_string(i) + "></form>\n";
        page += "<pre>" + std::string(120, 'x') + "</pre>\n";
        for (int i = 0; i < 40; ++i)
            page += "line " + std::to_string(i) + "<br>\n";
        page += "</body></html>\n";
        WriteFileBytes(s_folder + L"viewer.html", page);
    }
    static void TearDownTestSuite() { CoUninitialize(); }

    static std::wstring s_folder;
};

std::wstring HtmlViewer::s_folder;


TEST_F(HtmlViewer, PaintsThroughTheBackBufferAndEndsOnTheReadyText)
{
    CViewerHarness h;
    h.Open(s_folder + L"viewer.html");
    ASSERT_TRUE(h.WaitReady()) << Narrow(h.Status());
    int items = 0, images = 0, links = 0, level = 0;
    h.Doc().GetStatusCounts(&items, &images, &links, &level);
    wchar_t ready[128];
    swprintf(ready, 128, L"Ready, items:%d, images:%d, links:%d, level:%d", items, images, links, level);
    EXPECT_EQ(std::wstring(ready), h.Status());
    EXPECT_EQ(1, images);  // one picture, used twice
    EXPECT_EQ(2, links);
    CString title;
    CWnd::FromHandle(GetParent(h.Canvas()))->GetWindowText(title);
    EXPECT_EQ(CString(_T("Viewer page")), title);

    PumpUntil([&] { return h.Find(L"Hello") && h.Find(L"Hello")->cx > 0; });
    CDibCanvas canvas(640, 480);
    h.Capture(canvas);
    h.Screenshot(L"html_viewer_page.bmp");
    RECT client;
    GetClientRect(h.Canvas(), &client);
    // The page colour where nothing is drawn, the text's ink in its box.
    EXPECT_EQ(kPageColor, canvas.Pixel(client.right - 5, 5));
    RECT hello = h.ClientBox(h.Find(L"Hello"));
    int area = (hello.right - hello.left) * (hello.bottom - hello.top);
    EXPECT_LT(canvas.Count(hello, kPageColor), area);
    EXPECT_GT(canvas.Count(hello, RGB(0, 0, 0)), 0);
    // Both pictures: the red of the bitmap, the second stretched to 32.
    int red = 0;
    RECT all = {0, 0, client.right, client.bottom};
    red = canvas.Count(all, RGB(255, 0, 0));
    EXPECT_EQ(16 * 8 + 32 * 16, red);
}

TEST_F(HtmlViewer, HoverPaintsTheLinkRedAndLeavingRestoresTheReadyText)
{
    CViewerHarness h;
    h.Open(s_folder + L"viewer.html");
    ASSERT_TRUE(h.WaitReady()) << Narrow(h.Status());
    std::wstring ready = h.Status();
    ASSERT_TRUE(tesmir::test::BringToFront(h.m_pFrame->m_hWnd));
    const CHtmlElement* link = h.Find(L"link");
    ASSERT_NE(nullptr, link);
    POINT away = h.ScreenCentre(h.Find(L"Hello"));
    ASSERT_TRUE(tesmir::test::SendMouseInput(away));
    ASSERT_TRUE(tesmir::test::SendMouseInput(h.ScreenCentre(link)));
    std::wstring url = h.Doc().GetLinks().GetCell(0, link->nLink);
    EXPECT_TRUE(PumpUntil([&] { return h.Status() == url; })) << Narrow(h.Status());
    CDibCanvas canvas(640, 480);
    h.Capture(canvas);
    h.Screenshot(L"html_viewer_hover.bmp");
    RECT box = h.ClientBox(link);
    EXPECT_GT(canvas.Count(box, RGB(255, 0, 0)), 0);
    EXPECT_EQ(0, canvas.Count(box, RGB(0, 0, 255)));

    ASSERT_TRUE(tesmir::test::SendMouseInput(away));
    EXPECT_TRUE(PumpUntil([&] { return h.Status() == ready; })) << Narrow(h.Status());
    h.Capture(canvas);
    EXPECT_EQ(0, canvas.Count(box, RGB(255, 0, 0)));
    EXPECT_GT(canvas.Count(box, RGB(0, 0, 255)), 0);
}

TEST_F(HtmlViewer, AClickSelectsTheWordWhiteOnNavyAndClearsTheEarlierSelection)
{
    CViewerHarness h;
    h.Open(s_folder + L"viewer.html");
    ASSERT_TRUE(h.WaitReady()) << Narrow(h.Status());
    ASSERT_TRUE(tesmir::test::BringToFront(h.m_pFrame->m_hWnd));
    const CHtmlElement* words = h.Find(L"words");
    const CHtmlElement* here = h.Find(L"here");
    ASSERT_TRUE(words && here);
    const COLORREF navy = RGB(0, 0, 0x80);
    CDibCanvas canvas(640, 480);
    ASSERT_TRUE(tesmir::test::SendMouseInput(h.ScreenCentre(h.Find(L"Hello"))));
    tesmir::test::SendMouseButtons(h.ScreenCentre(words), {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
    EXPECT_TRUE(PumpUntil([&] { return words->bSelected != 0 && GetCapture() == nullptr; }));
    h.Capture(canvas);
    RECT box = h.ClientBox(words);
    EXPECT_GT(canvas.Count(box, navy), 0);
    EXPECT_GT(canvas.Count(box, RGB(255, 255, 255)), 0);
    EXPECT_EQ(0, canvas.Count(box, RGB(0, 0, 0)));
    EXPECT_FALSE(here->bSelected);
    h.Screenshot(L"html_viewer_selection.bmp");

    tesmir::test::SendMouseButtons(h.ScreenCentre(here), {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
    EXPECT_TRUE(PumpUntil([&] { return here->bSelected != 0 && GetCapture() == nullptr; }));
    h.Capture(canvas);
    EXPECT_EQ(0, canvas.Count(box, navy));
    EXPECT_GT(canvas.Count(h.ClientBox(here), navy), 0);
    EXPECT_FALSE(words->bSelected);
}

TEST_F(HtmlViewer, APictureLinkGivesTheYellowPageWithoutFetching)
{
    CViewerHarness h;
    h.Open(s_folder + L"viewer.html");
    ASSERT_TRUE(h.WaitReady()) << Narrow(h.Status());
    ASSERT_TRUE(tesmir::test::BringToFront(h.m_pFrame->m_hWnd));
    std::wstring pageUrl = h.Browser().GetCurrentUrl();
    int rows = h.Browser().GetHistory().GetRowCount();
    const CHtmlElement* picture = h.Find(L"picture");
    ASSERT_NE(nullptr, picture);
    std::wstring target = h.Doc().GetLinks().GetCell(0, picture->nLink);
    ASSERT_TRUE(tesmir::test::SendMouseInput(h.ScreenCentre(h.Find(L"Hello"))));
    tesmir::test::SendMouseButtons(h.ScreenCentre(picture), {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
    ASSERT_TRUE(PumpUntil([&] { return h.Browser().GetHistory().GetRowCount() == rows + 1; }));
    EXPECT_STREQ(target.c_str(), h.Browser().GetHistory().GetCell(rows, 0));
    EXPECT_EQ(0, wcsncmp(h.Browser().GetHistory().GetCell(rows, 1), L"<body bgcolor=ffff00><img src=\"", 31));
    // No page was fetched: the current URL is still the page's.
    EXPECT_EQ(pageUrl, h.Browser().GetCurrentUrl());
    CDibCanvas canvas(640, 480);
    EXPECT_TRUE(PumpUntil([&] {
        h.Capture(canvas);
        return canvas.Pixel(300, 200) == RGB(255, 255, 0);
    }));
    h.Screenshot(L"html_viewer_yellow.bmp");
}

TEST_F(HtmlViewer, SubmitByUrlSubmitsThatFormAndAddsNoHistoryRow)
{
    CViewerHarness h;
    h.Open(s_folder + L"viewer.html");
    ASSERT_TRUE(h.WaitReady()) << Narrow(h.Status());
    int rows = h.Browser().GetHistory().GetRowCount();
    h.Browser().Navigate(L"Submit(3)");
    EXPECT_EQ(rows, h.Browser().GetHistory().GetRowCount());
    // Form 3 went to its action with its field (the file is missing, so
    // the page stays).
    std::wstring url = h.Browser().GetCurrentUrl();
    EXPECT_NE(std::wstring::npos, url.find(L"missing3.html?f=3")) << Narrow(url);
    EXPECT_NE(nullptr, h.Find(L"Hello"));
}

TEST_F(HtmlViewer, ADragLeavingTheCanvasScrollsByTheDistanceNeverPastTheRange)
{
    CViewerHarness h;
    h.Open(s_folder + L"viewer.html");
    ASSERT_TRUE(h.WaitReady()) << Narrow(h.Status());
    ASSERT_TRUE(tesmir::test::BringToFront(h.m_pFrame->m_hWnd));
    int range = (int)SendMessageW(h.Canvas(), WM_HTML_GETHRANGE, 0, 0);
    ASSERT_GT(range, 60);
    ASSERT_EQ(0, h.HPos());
    RECT client;
    GetClientRect(h.Canvas(), &client);
    POINT start = {client.right / 2, 10};
    POINT out = {client.right + 40, 10};
    POINT beyond = {client.right + range + 200, 10};
    ClientToScreen(h.Canvas(), &start);
    ClientToScreen(h.Canvas(), &out);
    ClientToScreen(h.Canvas(), &beyond);
    ASSERT_TRUE(tesmir::test::SendMouseInput(h.ScreenCentre(h.Find(L"Hello"))));
    tesmir::test::SendMouseButtons(start, {MOUSEEVENTF_LEFTDOWN});
    ASSERT_TRUE(PumpUntil([&] { return GetCapture() == h.Canvas(); }));
    ASSERT_TRUE(tesmir::test::SendMouseInput(out));
    EXPECT_TRUE(PumpUntil([&] { return h.HPos() == 40; })) << h.HPos();
    ASSERT_TRUE(tesmir::test::SendMouseInput(beyond));
    EXPECT_TRUE(PumpUntil([&] { return h.HPos() == range; })) << h.HPos();
    tesmir::test::SendMouseButtons(beyond, {MOUSEEVENTF_LEFTUP});
    PumpUntil([&] { return GetCapture() == nullptr; });
    EXPECT_EQ(range, h.HPos());
    h.Screenshot(L"html_viewer_scrolled.bmp");
}

TEST_F(HtmlViewer, PathologicalPagesLoadLayOutAndPaint)
{
    CViewerHarness h;
    for (const auto& page : html_test::PathologicalPages()) {
        SCOPED_TRACE(Utf8(page.name));
        std::wstring path = s_folder + page.name + L".html";
        WriteFileBytes(path, Utf8(page.text));
        h.Open(path);
        ASSERT_NE(nullptr, CCustomHTMLViewer::GetBrowser());
        // Loaded and laid out: the view answers, and the canvas paints.
        EXPECT_TRUE(PumpUntil([&] {
            std::wstring s = h.Status();
            return s.compare(0, 6, L"Ready,") == 0 || s.compare(0, 7, L"Parsing") == 0;
        }, 30000)) << Narrow(h.Status());
        if (h.Doc().GetLoader()->GetImageCount() > 0) {
            EXPECT_TRUE(h.WaitReady()) << Narrow(h.Status());
        }
        CDibCanvas canvas(640, 480);
        h.Capture(canvas);
        h.Screenshot((std::wstring(L"html_viewer_") + page.name + L".bmp").c_str());
        h.Close();
    }
}

TEST_F(HtmlViewer, ClosingWhilePicturesComeSlowlyLeavesNoThread)
{
    std::wstring base = html_test::ServerUrl(L"");
    ASSERT_FALSE(base.empty()) << "the loopback server is not running";
    std::wstring tag = html_test::UniqueTag(L"close");
    std::string page = "<body>slow pictures ";
    for (int i = 0; i < 30; ++i)
        page += "<img src=\"" + Utf8(base) + "/slow/" + Utf8(tag) + "/" + std::to_string(i) + ".gif?ms=1500\">";
    page += "</body>";
    WriteFileBytes(s_folder + L"slow.html", page);
    // WinINet keeps threads of its own once used: count from there.
    html_test::HttpGet(html_test::ServerUrl(L"/page.html"));
    int threads = ThreadCount();
    {
        CViewerHarness h;
        h.Open(s_folder + L"slow.html");
        ASSERT_TRUE(PumpUntil([&] { return h.Find(L"slow") != nullptr; }));
        h.Close();
        EXPECT_EQ(nullptr, CCustomHTMLViewer::GetBrowser());
    }
    EXPECT_TRUE(PumpUntil([&] { return ThreadCount() <= threads; }, 10000)) << ThreadCount() << " " << threads;
}

TEST_F(HtmlViewer, FixturePagesShowWithTheirFormControlsInPlace)
{
    CViewerHarness h;
    for (const wchar_t* name : {L"fonts.html", L"blocks.html", L"tables.html", L"forms.html", L"entities.html",
                                L"text.txt"}) {
        SCOPED_TRACE(Utf8(name));
        h.Open(html_test::PagePath(name));
        ASSERT_NE(nullptr, CCustomHTMLViewer::GetBrowser());
        EXPECT_TRUE(PumpUntil([&] {
            std::wstring s = h.Status();
            return s.compare(0, 6, L"Ready,") == 0 || s.compare(0, 7, L"Parsing") == 0;
        })) << Narrow(h.Status());
        if (h.Doc().GetLoader()->GetImageCount() > 0) {
            EXPECT_TRUE(h.WaitReady()) << Narrow(h.Status());
        }
        if (wcscmp(name, L"forms.html") == 0) {
            // Every control sits on the canvas where its element was laid
            // out; check boxes and radio buttons take the page's colours,
            // push buttons keep their own face.
            int placed = 0;
            std::function<void(const CHtmlElementList&)> walk = [&](const CHtmlElementList& items) {
                for (const CHtmlElement* e : items) {
                    walk(e->children);
                    if (!e->hControl)
                        continue;
                    ++placed;
                    EXPECT_EQ(h.Canvas(), GetParent(e->hControl));
                    RECT rc;
                    GetWindowRect(e->hControl, &rc);
                    MapWindowPoints(nullptr, h.Canvas(), (POINT*)&rc, 2);
                    EXPECT_EQ(e->x - h.HPos(), rc.left);
                    EXPECT_EQ(e->y - h.VPos(), rc.top);
                    wchar_t cls[32] = L"";
                    GetClassNameW(e->hControl, cls, 32);
                    if (_wcsicmp(cls, L"button") != 0)
                        continue;
                    HDC dc = GetDC(e->hControl);
                    LRESULT brush = SendMessageW(h.Canvas(), WM_CTLCOLORBTN, (WPARAM)dc, (LPARAM)e->hControl);
                    ReleaseDC(e->hControl, dc);
                    bool pushButton = (GetWindowLongW(e->hControl, GWL_STYLE) & 0xF) == 0;
                    EXPECT_EQ(pushButton, brush != (LRESULT)GetStockObject(NULL_BRUSH));
                }
            };
            walk(h.Doc().GetItems());
            EXPECT_EQ(9, placed);
        }
        if (wcscmp(name, L"tables.html") == 0) {
            // Laid out to the canvas's width (its right float at the right
            // edge), the page needs no horizontal scrolling, whatever scroll
            // bars the first, narrower layout showed.
            EXPECT_EQ(0, SendMessageW(h.Canvas(), WM_HTML_GETHRANGE, 0, 0));
        }
        std::wstring shot = L"html_page_" + std::wstring(name) + L".bmp";
        h.Screenshot(shot.c_str());
        h.Close();
    }
}

}  // namespace

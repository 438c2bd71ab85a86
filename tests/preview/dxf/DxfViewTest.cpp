// The DXF viewer over the stand-in engine (built apart from this program
// and found through SetDllDirectoryW): creation, loading and fitting, the
// refusals (late header, binary drawings, File Trace, missing files, paths
// the code page cannot carry), the wheel zoom about the centre and the pan
// by dragging with real input; and without the engine, the failure path.
#include <gtest/gtest.h>

#include <math.h>

#include <algorithm>

#include <string>
#include <vector>

#include "CDFXView.h"
#include "CEx_StyleDoc.h"
#include "IPreviewHost.h"
#include "MfcTestSupport.h"
#include "TestSupport.h"
#include "state/EngineState.h"

class CDxfBlankView : public CView
{
    DECLARE_DYNCREATE(CDxfBlankView)
protected:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CDxfBlankView, CView)

namespace {

using tesmir::test::Utf8;

std::wstring Drawing(const wchar_t* name) { return std::wstring(TESMIR_DXF_FIXTURES) + L"\\" + name; }

std::string Ansi(const std::wstring& text)
{
    char buffer[600] = "";
    ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, buffer, sizeof(buffer), NULL, NULL);
    return buffer;
}

class CHostFrame : public CFrameWnd, public IPreviewHost
{
public:
    void SetPreviewView(CMainPreviewView*) override {}
    void SetPreviewOk(BOOL bOk) override { m_bPreviewOk = bOk; }
    BOOL IsPreviewOk() const override { return m_bPreviewOk; }
    void SetPreviewSupported(BOOL) override {}
    BOOL m_bPreviewOk = FALSE;
};

typedef void(__stdcall* PFN_RESET)(int, int);
typedef int(__stdcall* PFN_LOG)(char*, int);
typedef void(__stdcall* PFN_VIEW)(void*);

class DxfView : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CHostFrame;
        m_pFrame->Create(NULL, _T("DXF preview"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 660, 420));
        m_app.m_pMainWnd = m_pFrame;
        m_pDoc = new CEx_StyleDoc;
        m_pDoc->m_bAutoDelete = FALSE;
        CCreateContext context;
        context.m_pCurrentDoc = m_pDoc;
        context.m_pNewViewClass = RUNTIME_CLASS(CDxfBlankView);
        CView* pBlank = (CView*)m_pFrame->CreateView(&context, AFX_IDW_PANE_FIRST + 1);
        pBlank->ShowWindow(SW_HIDE);
        m_pFrame->SetActiveView(pBlank, FALSE);
        // The engine's folder; the test keeps the module loaded, so its
        // state is read between views.
        ::SetDllDirectoryW(TESMIR_DXF_DOUBLE_DIR);
        m_hDouble = ::LoadLibraryW(L"DXF.dll");
        ASSERT_NE(nullptr, m_hDouble);
        m_pfnReset = reinterpret_cast<PFN_RESET>(reinterpret_cast<void*>(::GetProcAddress(m_hDouble, "dblReset")));
        m_pfnLog = reinterpret_cast<PFN_LOG>(reinterpret_cast<void*>(::GetProcAddress(m_hDouble, "dblLog")));
        m_pfnView = reinterpret_cast<PFN_VIEW>(reinterpret_cast<void*>(::GetProcAddress(m_hDouble, "dblView")));
        ASSERT_TRUE(m_pfnReset && m_pfnLog && m_pfnView);
        m_pfnReset(0, 0);
    }
    void TearDown() override
    {
        Close();
        m_pFrame->DestroyWindow();
        m_app.m_pMainWnd = NULL;
        delete m_pDoc;
        if (m_hDouble)
            ::FreeLibrary(m_hDouble);
        ::SetDllDirectoryW(NULL);
        g_ScanMode = 0;
    }

    CDFXView* Show(const std::wstring& path, int cx = 600, int cy = 360)
    {
        Close();
        m_pFrame->m_bPreviewOk = 2;   // neither answer
        m_pDoc->m_strPreviewPath = path.c_str();
        CCreateContext context;
        context.m_pCurrentDoc = m_pDoc;
        context.m_pNewViewClass = RUNTIME_CLASS(CDFXView);
        m_pView = (CDFXView*)m_pFrame->CreateView(&context, AFX_IDW_PANE_FIRST);
        m_pView->MoveWindow(0, 0, cx, cy);
        return m_pView;
    }
    void Close()
    {
        if (m_pView) {
            m_pView->DestroyWindow();
            m_pView = nullptr;
        }
    }
    BOOL Ok() const { return m_pFrame->m_bPreviewOk; }
    std::vector<std::string> Calls()
    {
        std::vector<char> text((size_t)m_pfnLog(NULL, 0) + 1);
        m_pfnLog(text.data(), (int)text.size());
        std::vector<std::string> lines;
        std::string line;
        for (char c : std::string(text.data())) {
            if (c == '\n') {
                lines.push_back(line);
                line.clear();
            } else {
                line += c;
            }
        }
        return lines;
    }
    DxfViewRecord View()
    {
        DxfViewRecord record;
        m_pfnView(record.bytes);
        return record;
    }
    void Screenshot(const wchar_t* name)
    {
        tesmir::test::PumpUntil([] { return false; }, 150);
        m_pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        tesmir::test::CDibCanvas canvas(640, 400);
        tesmir::test::CaptureWindow(m_pFrame->m_hWnd, canvas);
        canvas.SaveBmp(tesmir::test::ScreenshotPath(name));
    }

    tesmir::test::CScopedApp m_app;
    CHostFrame* m_pFrame = nullptr;
    CEx_StyleDoc* m_pDoc = nullptr;
    CDFXView* m_pView = nullptr;
    HMODULE m_hDouble = NULL;
    PFN_RESET m_pfnReset = nullptr;
    PFN_LOG m_pfnLog = nullptr;
    PFN_VIEW m_pfnView = nullptr;
};

typedef std::vector<std::string> Texts;

TEST_F(DxfView, CreatesLoadsAndFitsTheDrawingOnEveryResize)
{
    const std::wstring path = Drawing(L"minimal.dxf");
    CDFXView* pView = Show(path);
    CRect client;
    pView->GetClientRect(&client);
    EXPECT_EQ(TRUE, Ok());
    EXPECT_TRUE(pView->m_library.IsReady());
    std::vector<std::string> calls = Calls();
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ("drwCreate", calls[0]);
    // Loaded with 0, 0, the ANSI path and the (live) progress window.
    EXPECT_EQ("drwLoadDataFromFile 1 0 0 " + Ansi(path) + " 1", calls[1]);
    // Fitted to the canvas at creation (its first size) and on the resize.
    EXPECT_EQ("drwInitView 1 0 0 600 200", calls[2]);
    EXPECT_EQ("drwZoomExtents 1", calls[3]);
    EXPECT_EQ("drwInitView 1 0 0 " + std::to_string(client.Width()) + " " + std::to_string(client.Height()),
              calls[calls.size() - 2]);
    EXPECT_EQ("drwZoomExtents 1", calls.back());

    // The canvas covers the view and shows the engine's cross.
    CRect canvas;
    pView->m_canvas.GetClientRect(&canvas);
    EXPECT_EQ(client.Size(), canvas.Size());
    Screenshot(L"dxf_minimal.bmp");
    tesmir::test::CCapture capture(&pView->m_canvas);
    const CPoint mid = canvas.CenterPoint();
    EXPECT_EQ(RGB(255, 255, 255), capture.Pixel(mid.x, mid.y) & 0xFFFFFF);
    EXPECT_EQ(RGB(0, 0, 0), capture.Pixel(mid.x, 20) & 0xFFFFFF);

    // A zoom, then a resize: the whole drawing is fitted again.
    pView->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_DOUBLE_EQ(1.5, View().Get(DxfViewRecord::Zoom));
    pView->MoveWindow(0, 0, 404, 304);
    pView->GetClientRect(&client);
    EXPECT_DOUBLE_EQ(1.0, View().Get(DxfViewRecord::Zoom));
    EXPECT_EQ("drwInitView 1 0 0 " + std::to_string(client.Width()) + " " + std::to_string(client.Height()),
              Calls()[Calls().size() - 2]);
    // The engine fits 200 x 100 units into the new size.
    EXPECT_DOUBLE_EQ(std::min(client.Width() / 200.0, client.Height() / 100.0),
                     View().Get(DxfViewRecord::PixelsPerUnit));

    // The view's end destroys the drawing.
    Close();
    EXPECT_EQ("drwDestroy 1", Calls().back());
}

// Files the engine is never given, and files it cannot read: the flag is
// cleared each time.
TEST_F(DxfView, RefusedDrawingsClearTheFlag)
{
    struct Case
    {
        const wchar_t* name;
        const wchar_t* file;   // null: the name as given
        int scanMode;
        bool reachesLoad;
    } cases[] = {
        {L"late header", L"late_header.dxf", 0, false},
        {L"binary", L"binary.dxf", 0, false},
        {L"file trace", L"minimal.dxf", 1, false},
        {L"missing file", L"no_such_drawing.dxf", 0, false},
    };
    for (const Case& c : cases) {
        m_pfnReset(0, 0);
        g_ScanMode = c.scanMode;
        Show(Drawing(c.file));
        EXPECT_EQ(FALSE, Ok()) << Utf8(c.name);
        size_t loads = 0;
        for (const std::string& call : Calls())
            loads += call.rfind("drwLoadDataFromFile", 0) == 0;
        EXPECT_EQ(0u, loads) << Utf8(c.name);
        g_ScanMode = 0;
    }

    // The engine refuses to create, or to load.
    Close();
    m_pfnReset(1, 0);
    Show(Drawing(L"minimal.dxf"));
    EXPECT_EQ(FALSE, Ok());
    EXPECT_EQ((Texts{"drwCreate"}), Calls());
    Close();
    m_pfnReset(0, 1);
    Show(Drawing(L"minimal.dxf"));
    EXPECT_EQ(FALSE, Ok());
}

// A path the ANSI code page cannot carry, or one longer than its buffer,
// is never handed over in a mangled form.
TEST_F(DxfView, PathsTheCodePageCannotCarryAreRefused)
{
    char ansi[260];
    EXPECT_TRUE(CDFXView::ToAnsiPath(L"C:\\temp\\tmp1.dxf", ansi));
    EXPECT_STREQ("C:\\temp\\tmp1.dxf", ansi);
    EXPECT_FALSE(CDFXView::ToAnsiPath(std::wstring(300, L'a').c_str(), ansi));
    EXPECT_FALSE(CDFXView::ToAnsiPath(L"C:\\temp\\\x4E2D\x6587.dxf", ansi));
    EXPECT_TRUE(CDFXView::ToAnsiPath(std::wstring(259, L'a').c_str(), ansi));

    // A copy of the drawing under such a name gives no preview.
    std::wstring odd = Drawing(L"\x4E2D\x6587.dxf");
    ASSERT_TRUE(::CopyFileW(Drawing(L"minimal.dxf").c_str(), odd.c_str(), FALSE));
    Show(odd);
    EXPECT_EQ(FALSE, Ok());
    ::DeleteFileW(odd.c_str());
}

TEST_F(DxfView, WheelZoomKeepsTheCentrePoint)
{
    CDFXView* pView = Show(Drawing(L"minimal.dxf"));
    ASSERT_EQ(TRUE, Ok());
    // Move the drawing away from the origin first, so the test sees the
    // origin move.
    DxfViewRecord start = View();
    const double ppu = start.Get(DxfViewRecord::PixelsPerUnit);
    const RECT rc = start.Window();
    auto centre = [&](const DxfViewRecord& r, int axis) {
        const double s = 1.0 / (r.Get(DxfViewRecord::Zoom) * r.Get(DxfViewRecord::PixelsPerUnit));
        const int half = axis == 0 ? (rc.right - rc.left) / 2 : (rc.bottom - rc.top) / 2;
        return r.Get(axis == 0 ? DxfViewRecord::OriginX : DxfViewRecord::OriginY) + half * s;
    };
    const double cx = centre(start, 0), cy = centre(start, 1);
    for (int i = 0; i < 3; ++i)
        pView->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(300, 200));
    DxfViewRecord after = View();
    EXPECT_NEAR(3.375, after.Get(DxfViewRecord::Zoom), 1e-12);
    EXPECT_DOUBLE_EQ(ppu, after.Get(DxfViewRecord::PixelsPerUnit));
    EXPECT_NEAR(cx, centre(after, 0), 1e-9);
    EXPECT_NEAR(cy, centre(after, 1), 1e-9);
    // A turn down divides by 1.5.
    pView->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)-WHEEL_DELTA), MAKELPARAM(300, 200));
    EXPECT_NEAR(2.25, View().Get(DxfViewRecord::Zoom), 1e-12);
    EXPECT_NEAR(cx, centre(View(), 0), 1e-9);
    Screenshot(L"dxf_zoomed.bmp");
}

TEST_F(DxfView, DraggingWithLeftOrMiddleButtonPans)
{
    CDFXView* pView = Show(Drawing(L"minimal.dxf"));
    ASSERT_EQ(TRUE, Ok());
    pView->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    ASSERT_TRUE(tesmir::test::BringToFront(m_pFrame->m_hWnd));
    struct
    {
        DWORD down, up;
        int dx, dy;
    } drags[] = {{MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 40, 25},
                 {MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP, -30, 10}};
    for (const auto& d : drags) {
        DxfViewRecord before = View();
        const double s = 1.0 / (before.Get(DxfViewRecord::Zoom) * before.Get(DxfViewRecord::PixelsPerUnit));
        POINT from = {200, 150};
        ::ClientToScreen(pView->m_canvas.m_hWnd, &from);
        POINT to = {from.x + d.dx, from.y + d.dy};
        ASSERT_TRUE(tesmir::test::SendMouseSteps({{from, 0}, {from, d.down}, {to, 0}, {to, d.up}}));
        ASSERT_TRUE(tesmir::test::PumpUntil([&] { return !pView->m_canvas.m_bDragging; }));
        DxfViewRecord after = View();
        EXPECT_NEAR(before.Get(DxfViewRecord::OriginX) - s * d.dx, after.Get(DxfViewRecord::OriginX), 1e-9);
        EXPECT_NEAR(before.Get(DxfViewRecord::OriginY) + s * d.dy, after.Get(DxfViewRecord::OriginY), 1e-9);
    }
    // Moving without a button changes nothing.
    DxfViewRecord before = View();
    POINT a = {100, 100}, b = {180, 160};
    ::ClientToScreen(pView->m_canvas.m_hWnd, &a);
    ::ClientToScreen(pView->m_canvas.m_hWnd, &b);
    ASSERT_TRUE(tesmir::test::SendMouseInput(a));
    ASSERT_TRUE(tesmir::test::SendMouseInput(b));
    tesmir::test::PumpUntil([] { return false; }, 100);
    EXPECT_EQ(0, memcmp(before.bytes, View().bytes, sizeof(before.bytes)));
    Screenshot(L"dxf_panned.bmp");
}

// Without the engine: no drawing, the flag cleared, the canvas black.
TEST_F(DxfView, WithoutTheEngineTheFlagIsClearedAndTheCanvasIsBlack)
{
    ::FreeLibrary(m_hDouble);
    m_hDouble = NULL;
    ::SetDllDirectoryW(NULL);
    CDFXView* pView = Show(Drawing(L"minimal.dxf"));
    EXPECT_FALSE(pView->m_library.IsLoaded());
    EXPECT_EQ(FALSE, Ok());
    tesmir::test::PumpUntil([] { return false; }, 100);
    pView->m_canvas.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    tesmir::test::CCapture capture(&pView->m_canvas);
    EXPECT_EQ(RGB(0, 0, 0), capture.Pixel(50, 50) & 0xFFFFFF);
    Screenshot(L"dxf_no_engine.bmp");
}

}  // namespace

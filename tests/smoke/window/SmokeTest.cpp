// The runtime the program needs: a window under Wine and Xvfb, file reads
// through CreateFileW/ReadFile from the generated fixtures, threads.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "TestSupport.h"

using tesmir::test::FixturePath;
using tesmir::test::PumpUntil;

namespace {

int g_paints = 0;

LRESULT CALLBACK SmokeWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        ++g_paints;
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

TEST(Smoke, WindowIsCreatedShownAndPainted)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = SmokeWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TesmirSmoke";
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    ASSERT_NE(RegisterClassW(&wc), 0);

    HWND hwnd = CreateWindowExW(0, L"TesmirSmoke", L"Smoke", WS_OVERLAPPEDWINDOW, 10, 10, 320, 200,
                                nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(hwnd, nullptr);
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    EXPECT_TRUE(PumpUntil([] { return g_paints > 0; }));
    EXPECT_TRUE(IsWindowVisible(hwnd));

    RECT rc;
    ASSERT_TRUE(GetClientRect(hwnd, &rc));
    EXPECT_GT(rc.right, 0);
    DestroyWindow(hwnd);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST(Smoke, ReadsGeneratedFixtureThroughCreateFile)
{
    // smoke.bin holds bytes 0..255 repeated 64 times.
    const std::string data = tesmir::test::ReadWholeFile(FixturePath(L"smoke.bin"));
    ASSERT_EQ(data.size(), 256u * 64u);
    for (size_t i = 0; i < data.size(); ++i)
        ASSERT_EQ(static_cast<unsigned char>(data[i]), i % 256) << "at " << i;
}

TEST(Smoke, ReadAtOffsetWithSetFilePointerEx)
{
    HANDLE h = CreateFileW(FixturePath(L"smoke.bin").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    LARGE_INTEGER pos;
    pos.QuadPart = 256 * 10 + 200;
    ASSERT_TRUE(SetFilePointerEx(h, pos, nullptr, FILE_BEGIN));
    unsigned char buf[100];
    DWORD got = 0;
    ASSERT_TRUE(ReadFile(h, buf, sizeof(buf), &got, nullptr));
    ASSERT_EQ(got, 100u);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(buf[i], (200 + i) % 256);
    CloseHandle(h);
}

TEST(Smoke, PosixThreadRuntimeHasStdMutexAndThread)
{
    std::mutex m;
    std::atomic<int> n{0};
    std::thread t([&] {
        std::lock_guard<std::mutex> lock(m);
        n = 42;
    });
    t.join();
    EXPECT_EQ(n.load(), 42);
}

// The shared pixel canvas: rows are top-down and colours read back as the
// COLORREF that was drawn.
TEST(Smoke, DibCanvasReadsBackWhatGdiDrew)
{
    tesmir::test::CDibCanvas canvas(20, 10, RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(19, 9));
    HBRUSH brush = CreateSolidBrush(RGB(200, 10, 40));
    RECT top = {0, 0, 20, 2};
    FillRect(canvas.Dc(), &top, brush);
    DeleteObject(brush);
    EXPECT_EQ(RGB(200, 10, 40), canvas.Pixel(5, 0));
    EXPECT_EQ(RGB(200, 10, 40), canvas.Pixel(5, 1));
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(5, 2));
    RECT all = {-5, -5, 100, 100};
    EXPECT_EQ(40, canvas.Count(all, RGB(200, 10, 40)));
    EXPECT_EQ(CLR_INVALID, canvas.Pixel(20, 0));
    canvas.SetPixel(3, 3, RGB(9, 8, 7));
    EXPECT_EQ(RGB(9, 8, 7), GetPixel(canvas.Dc(), 3, 3));
}

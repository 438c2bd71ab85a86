// Page pictures: decoding of fetched GIF, BMP and JPEG bytes, the white
// placeholder, at most eleven fetches at the server at once, teardown while
// fetches are in flight, and a page of two thousand pictures.
#include <gtest/gtest.h>

#include <objbase.h>
#include <tlhelp32.h>

#include <algorithm>
#include <string>

#include "HtmlTestSupport.h"
#include "TestSupport.h"
#include "html/CHtmlImageLoader.h"

namespace {

using html_test::CBrowserWindow;
using html_test::ServerUrl;
using tesmir::test::CDibCanvas;
using tesmir::test::PumpUntil;
using tesmir::test::Utf8;

// A browser that counts the threads inside its fetch and progress
// callbacks, and (optionally) sends a message to the UI thread from each
// fetch, as a cross-thread window call would.
class CCountingBrowser : public CHtmlBrowser
{
public:
    CCountingBrowser(CBrowserWindow& w, bool sendToUi)
        : CHtmlBrowser(w.Canvas(), w.Owner(), w.Status(), nullptr, nullptr), m_hOwner(w.Owner()),
          m_bSendToUi(sendToUi)
    {
    }

    BYTE* FetchData(const wchar_t* url, int* length) override
    {
        InterlockedIncrement(&m_nInside);
        if (m_bSendToUi)
            SendMessageW(m_hOwner, WM_NULL, 0, 0);
        BYTE* data = CHtmlBrowser::FetchData(url, length);
        InterlockedIncrement(&m_nFetched);
        InterlockedDecrement(&m_nInside);
        return data;
    }

    void OnImagesProgress(int loaded, int total) override
    {
        InterlockedIncrement(&m_nInside);
        CHtmlBrowser::OnImagesProgress(loaded, total);
        if (loaded == total)
            InterlockedExchange(&m_nLastComplete, total);
        InterlockedDecrement(&m_nInside);
    }

    volatile LONG m_nInside = 0;
    volatile LONG m_nFetched = 0;
    volatile LONG m_nLastComplete = 0;

private:
    HWND m_hOwner;
    bool m_bSendToUi;
};

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

bool AllFetched(const CHtmlImageLoader& loader)
{
    for (int i = 0; i < loader.GetImageCount(); ++i)
        if (!loader.GetImage(i)->IsFetchDone())
            return false;
    return true;
}

class HtmlImages : public testing::Test
{
protected:
    void SetUp() override
    {
        // Picture decoders other than BMP are COM objects.
        CoInitialize(nullptr);
        ASSERT_FALSE(ServerUrl(L"").empty()) << "the loopback server is not running";
    }
    void TearDown() override { CoUninitialize(); }

    CCountingBrowser& Attach(bool sendToUi = false)
    {
        CCountingBrowser* b = new CCountingBrowser(m_window, sendToUi);
        m_window.Attach(b);
        return *b;
    }

    CBrowserWindow m_window;
};

bool Near(COLORREF a, COLORREF b)
{
    return abs(GetRValue(a) - GetRValue(b)) <= 8 && abs(GetGValue(a) - GetGValue(b)) <= 8 &&
           abs(GetBValue(a) - GetBValue(b)) <= 8;
}

TEST_F(HtmlImages, PicturesDecodeAndFailuresShowThePlaceholder)
{
    CCountingBrowser& browser = Attach();
    CHtmlImageLoader loader(&browser);
    const struct
    {
        const wchar_t* path;
        int cx, cy;
        COLORREF color;
    } cases[] = {
        {L"/pic.gif", 16, 8, RGB(255, 0, 0)},
        {L"/pic.bmp", 16, 8, RGB(0, 255, 0)},
        {L"/pic.jpg", 16, 8, RGB(0, 0, 255)},
        {L"/missing.gif", 60, 40, RGB(255, 255, 255)},
        {L"/page.html", 60, 40, RGB(255, 255, 255)},
    };
    for (const auto& c : cases)
        loader.AddImage(ServerUrl(c.path).c_str(), 0);
    loader.AddImage(L"http://127.0.0.1:1/nothing-listens-here.gif", 1);
    ASSERT_TRUE(PumpUntil([&] { return AllFetched(loader); }, 20000));
    EXPECT_TRUE(PumpUntil([&] { return browser.m_nLastComplete == 6; }));

    CDibCanvas canvas(400, 60, RGB(1, 2, 3));
    int x = 0;
    for (int i = 0; i < 5; ++i) {
        const auto& c = cases[i];
        CHtmlImage* image = loader.GetImage(i);
        ASSERT_EQ(1, image->Decode(0)) << Utf8(c.path);
        EXPECT_EQ(c.cx, image->GetWidth()) << Utf8(c.path);
        EXPECT_EQ(c.cy, image->GetHeight()) << Utf8(c.path);
        EXPECT_EQ(c.cx == 60, image->GetBitmap() == loader.GetPlaceholder()) << Utf8(c.path);
        image->Draw(canvas.Dc(), x, 0, image->GetWidth(), image->GetHeight());
        EXPECT_TRUE(Near(c.color, canvas.Pixel(x + c.cx / 2, c.cy / 2))) << Utf8(c.path);
        // Unscaled: beyond the picture nothing is drawn over the canvas.
        RECT box = {x, 0, x + c.cx, c.cy};
        EXPECT_EQ(0, canvas.Count(box, RGB(1, 2, 3))) << Utf8(c.path);
        x += c.cx + 4;
    }
    CHtmlImage* failed = loader.GetImage(5);
    ASSERT_EQ(1, failed->Decode(0));
    EXPECT_EQ(loader.GetPlaceholder(), failed->GetBitmap());

    // Stretched into a larger box.
    CHtmlImage* gif = loader.GetImage(0);
    gif->DrawStretched(canvas.Dc(), 300, 0, 64, 32);
    RECT stretched = {300, 0, 364, 32};
    EXPECT_EQ(64 * 32, canvas.Count(stretched, RGB(255, 0, 0)));
    canvas.SaveBmp(tesmir::test::BuildPath(L"html_pictures.bmp"));

    // A page load frees the bitmap; the kept bytes decode again.
    gif->FreeBitmap();
    EXPECT_EQ(nullptr, gif->GetBitmap());
    EXPECT_EQ(1, gif->Decode(0));
    EXPECT_EQ(16, gif->GetWidth());
    failed->FreeBitmap();
    EXPECT_NE(nullptr, loader.GetPlaceholder());

    const struct
    {
        int w, h, fitW, fitH;
    } fits[] = {{0, 0, 16, 8}, {32, 0, 32, 16}, {0, 4, 8, 4}, {5, 7, 5, 7}};
    for (const auto& f : fits) {
        int w = f.w, h = f.h;
        gif->FitSize(&w, &h);
        EXPECT_EQ(f.fitW, w);
        EXPECT_EQ(f.fitH, h);
    }
}

TEST_F(HtmlImages, NoMoreThanElevenFetchesAtOnce)
{
    CCountingBrowser& browser = Attach();
    std::wstring tag = html_test::UniqueTag(L"peak");
    {
        CHtmlImageLoader loader(&browser);
        for (int i = 0; i < 25; ++i)
            loader.AddImage(ServerUrl((L"/slow/" + tag + L"/" + std::to_wstring(i) + L".gif?ms=300").c_str()).c_str(),
                            0);
        // A picture still being fetched is not decoded yet.
        EXPECT_EQ(0, loader.GetImage(24)->Decode(0));
        ASSERT_TRUE(PumpUntil([&] { return AllFetched(loader); }, 30000));
        EXPECT_EQ(1, loader.GetImage(24)->Decode(0));
        EXPECT_EQ(16, loader.GetImage(24)->GetWidth());
    }
    int peak = atoi(html_test::HttpGet(ServerUrl((L"/peak/" + tag).c_str())).c_str());
    EXPECT_LE(peak, CHtmlImageLoader::kMaxFetches);
    EXPECT_GE(peak, 2);
}

TEST_F(HtmlImages, TeardownWaitsOnlyForTheFetchesInFlight)
{
    // Each fetch also sends a message to this thread, which waits in the
    // teardown: the wait must serve it or both threads hang.
    CCountingBrowser& browser = Attach(true);
    std::wstring tag = html_test::UniqueTag(L"teardown");
    CHtmlImageLoader* loader = new CHtmlImageLoader(&browser);
    for (int i = 0; i < 25; ++i)
        loader->AddImage(ServerUrl((L"/slow/" + tag + L"/" + std::to_wstring(i) + L".gif?ms=3000").c_str()).c_str(),
                         0);
    ASSERT_TRUE(PumpUntil([&] { return browser.m_nInside > 0; }));
    DWORD start = GetTickCount();
    delete loader;
    DWORD elapsed = GetTickCount() - start;
    // The fetches in flight end (3 s); the fourteen queued never start,
    // which would take two more rounds.
    EXPECT_LT(elapsed, 8500u);
    EXPECT_EQ(0, browser.m_nInside);
    EXPECT_LE(browser.m_nFetched, CHtmlImageLoader::kMaxFetches);
    // Posted progress that arrives after the loader is gone is harmless.
    PumpUntil([] { return false; }, 100);
}

TEST_F(HtmlImages, TwoThousandPicturesAllFinish)
{
    CCountingBrowser& browser = Attach();
    int baseline = ThreadCount();
    int most = baseline;
    {
        CHtmlImageLoader loader(&browser);
        for (int i = 0; i < 2000; ++i) {
            loader.AddImage(ServerUrl((L"/pic.gif?n=" + std::to_wstring(i)).c_str()).c_str(), i % 7 == 0);
            if (i % 100 == 0)
                most = std::max(most, ThreadCount());
        }
        int polls = 0;
        ASSERT_TRUE(PumpUntil(
            [&] {
                if (++polls % 20 == 0)
                    most = std::max(most, ThreadCount());
                return AllFetched(loader);
            },
            240000));
        EXPECT_EQ(2000, browser.m_nFetched);
        EXPECT_TRUE(PumpUntil([&] { return browser.m_nLastComplete == 2000; }));
        for (int i = 0; i < 2000; i += 199) {
            ASSERT_EQ(1, loader.GetImage(i)->Decode(0));
            EXPECT_EQ(16, loader.GetImage(i)->GetWidth());
        }
    }
    // The loader's own threads: the pool and the polling thread.
    EXPECT_LE(most - baseline, CHtmlImageLoader::kMaxFetches + 1 + 4);
}

}  // namespace

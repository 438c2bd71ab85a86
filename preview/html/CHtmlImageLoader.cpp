#include "CHtmlImageLoader.h"

#include <limits.h>

#include "CHtmlRendererHost.h"

namespace {

// Waits for a thread to end while serving the messages other threads send
// to this one, so a thread inside a cross-thread SendMessage cannot
// deadlock the wait.
void WaitServingSentMessages(HANDLE thread)
{
    for (;;) {
        DWORD r = MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE);
        if (r != WAIT_OBJECT_0 + 1)
            return;
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

}  // namespace

CHtmlImageLoader::CHtmlImageLoader(CHtmlRendererHost* host)
    : m_pHost(host), m_hWork(CreateSemaphoreW(nullptr, 0, LONG_MAX, nullptr)),
      m_hStop(CreateEventW(nullptr, TRUE, FALSE, nullptr)), m_hStopPolling(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
    InitializeCriticalSection(&m_cs);
    HDC screen = GetDC(nullptr);
    m_hPlaceholder = CreateCompatibleBitmap(screen, kPlaceholderWidth, kPlaceholderHeight);
    if (m_hPlaceholder) {
        HDC dc = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(dc, m_hPlaceholder);
        RECT rc = {0, 0, kPlaceholderWidth, kPlaceholderHeight};
        FillRect(dc, &rc, (HBRUSH)GetStockObject(WHITE_BRUSH));
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    ReleaseDC(nullptr, screen);
    m_hPollThread = CreateThread(nullptr, 0, PollThreadProc, this, 0, nullptr);
}

CHtmlImageLoader::~CHtmlImageLoader()
{
    StopPolling();
    SetEvent(m_hStop);
    for (HANDLE thread : m_fetchThreads) {
        WaitServingSentMessages(thread);
        CloseHandle(thread);
    }
    for (CHtmlImage* image : m_images)
        delete image;
    if (m_hPlaceholder)
        DeleteObject(m_hPlaceholder);
    CloseHandle(m_hWork);
    CloseHandle(m_hStop);
    CloseHandle(m_hStopPolling);
    DeleteCriticalSection(&m_cs);
}

void CHtmlImageLoader::StopPolling()
{
    if (!m_hPollThread)
        return;
    SetEvent(m_hStopPolling);
    WaitServingSentMessages(m_hPollThread);
    CloseHandle(m_hPollThread);
    m_hPollThread = nullptr;
}

DWORD WINAPI CHtmlImageLoader::PollThreadProc(void* param)
{
    CHtmlImageLoader* loader = static_cast<CHtmlImageLoader*>(param);
    while (WaitForSingleObject(loader->m_hStopPolling, 10) == WAIT_TIMEOUT) {
        EnterCriticalSection(&loader->m_cs);
        LeaveCriticalSection(&loader->m_cs);
    }
    return 0;
}

int CHtmlImageLoader::AddImage(const wchar_t* url, int background)
{
    CHtmlImage* image = new CHtmlImage(url, background, m_pHost, this);
    EnterCriticalSection(&m_cs);
    m_images.push_back(image);
    int index = (int)m_images.size() - 1;
    bool startThread = (int)m_fetchThreads.size() < kMaxFetches;
    if (m_images.size() % 10 == 0)
        for (CHtmlImage* other : m_images)
            if (!other->IsFetchDone())
                other->Decode(0);
    LeaveCriticalSection(&m_cs);

    if (startThread) {
        HANDLE thread = CreateThread(nullptr, 0, FetchThreadProc, this, 0, nullptr);
        if (thread)
            m_fetchThreads.push_back(thread);
    }
    if (!m_fetchThreads.empty()) {
        ReleaseSemaphore(m_hWork, 1, nullptr);
    } else {
        // No thread could be started for any picture: this one counts as
        // fetched without bytes, so nothing waits for it.
        EnterCriticalSection(&m_cs);
        ++m_nNextFetch;
        ++m_nRunning;
        LeaveCriticalSection(&m_cs);
        image->FinishFetch(nullptr, 0);
        OnImageDone();
    }
    return index;
}

CHtmlImage* CHtmlImageLoader::GetImage(int index) const
{
    EnterCriticalSection(&m_cs);
    CHtmlImage* image = index >= 0 && index < (int)m_images.size() ? m_images[index] : nullptr;
    LeaveCriticalSection(&m_cs);
    return image;
}

int CHtmlImageLoader::GetImageCount() const
{
    EnterCriticalSection(&m_cs);
    int count = (int)m_images.size();
    LeaveCriticalSection(&m_cs);
    return count;
}

DWORD WINAPI CHtmlImageLoader::FetchThreadProc(void* param)
{
    static_cast<CHtmlImageLoader*>(param)->ServeFetches();
    return 0;
}

void CHtmlImageLoader::ServeFetches()
{
    HANDLE waits[2] = {m_hStop, m_hWork};
    // The stop event comes first: at teardown no new fetch starts.
    while (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        CHtmlImage* image = nullptr;
        EnterCriticalSection(&m_cs);
        if (m_nNextFetch < (int)m_images.size()) {
            image = m_images[m_nNextFetch++];
            ++m_nRunning;
        }
        LeaveCriticalSection(&m_cs);
        if (!image)
            continue;
        image->Fetch();
        OnImageDone();
    }
}

void CHtmlImageLoader::OnImageDone()
{
    EnterCriticalSection(&m_cs);
    int done = ++m_nDone;
    --m_nRunning;
    int total = (int)m_images.size();
    LeaveCriticalSection(&m_cs);
    if (m_pHost)
        m_pHost->OnImagesProgress(done, total);
}

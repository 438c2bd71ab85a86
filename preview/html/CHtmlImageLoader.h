// The pictures of a page. A small pool of fetch threads (at most
// kMaxFetches) serves them in the order they were added, so a page with
// thousands of pictures never holds thousands of threads; progress goes to
// the host after each fetch. The list outlives page loads: a later page
// naming the same URL reuses the fetched bytes.
#pragma once

#include <windows.h>

#include <vector>

#include "CHtmlImage.h"

class CHtmlRendererHost;

class CHtmlImageLoader
{
public:
    static constexpr int kMaxFetches = 11;
    static constexpr int kPlaceholderWidth = 60;
    static constexpr int kPlaceholderHeight = 40;

    explicit CHtmlImageLoader(CHtmlRendererHost* host);
    // Waits for the fetches in progress (serving sent messages meanwhile),
    // skips those not started, then frees every picture.
    ~CHtmlImageLoader();
    CHtmlImageLoader(const CHtmlImageLoader&) = delete;
    CHtmlImageLoader& operator=(const CHtmlImageLoader&) = delete;

    // Adds a picture and queues its fetch; returns its index.
    int AddImage(const wchar_t* url, int background);
    CHtmlImage* GetImage(int index) const;
    int GetImageCount() const;
    HBITMAP GetPlaceholder() const { return m_hPlaceholder; }
    // Ends the polling thread.
    void StopPolling();

private:
    static DWORD WINAPI FetchThreadProc(void* param);
    static DWORD WINAPI PollThreadProc(void* param);
    void ServeFetches();
    // After a fetch: counts it, frees its slot and reports progress.
    void OnImageDone();

    CHtmlRendererHost* m_pHost;
    std::vector<CHtmlImage*> m_images;
    int m_nRunning = 0;      // fetches in progress
    int m_nNextFetch = 0;    // the first picture no thread has taken
    int m_nDone = 0;         // fetches finished
    mutable CRITICAL_SECTION m_cs;  // guards the list and the three counts
    HBITMAP m_hPlaceholder = nullptr;

    std::vector<HANDLE> m_fetchThreads;
    HANDLE m_hWork;          // semaphore: one count per picture added
    HANDLE m_hStop;          // set at teardown: threads take no more work
    HANDLE m_hPollThread = nullptr;
    HANDLE m_hStopPolling;
};

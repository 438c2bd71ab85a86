// The HTML renderer's browser object: the host of a parsed page. It keeps
// the navigation state (current URL, history, status text), fetches pages
// and pictures (res://, file:// and WinINet), creates and submits the
// page's form controls on the canvas, and handles the canvas's messages.
// Plain Win32: failures give null results and leave the previous page.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "CHtmlDocument.h"
#include "CHtmlRendererHost.h"
#include "CHtmlStringTable.h"
#include "HtmlUrl.h"

class CHtmlBrowser : public CHtmlRendererHost
{
public:
    // The current URL holds at most this many characters with its 0.
    static constexpr int kMaxUrl = 2048;

    // canvas: the window the page is drawn on and the parent of the form
    // controls; owner receives the title; status the progress texts;
    // address and backButton are optional.
    CHtmlBrowser(HWND canvas, HWND owner, HWND status, HWND address, HWND backButton);
    ~CHtmlBrowser() override;
    CHtmlBrowser(const CHtmlBrowser&) = delete;
    CHtmlBrowser& operator=(const CHtmlBrowser&) = delete;

    // CHtmlRendererHost
    int OnParseProgress(int kind, int position, int length) override;
    void Navigate(const wchar_t* url) override;
    void OnLinkHover(int over, const wchar_t* url) override;
    void SetTitle(const wchar_t* text) override;
    wchar_t* FetchText(const wchar_t* url, int* length) override;
    BYTE* FetchData(const wchar_t* url, int* length) override;
    void OnImagesProgress(int loaded, int total) override;
    int AddForm(const wchar_t* action, const wchar_t* method) override;
    HWND CreateEditControl(int limitFlag, int lengthLimit, int width, int height, const wchar_t* text,
                           int multiLine, const wchar_t* name, int form, int password) override;
    HWND CreateSubmitButton(int width, int height, const wchar_t* caption, const wchar_t* name,
                            int form) override;
    HWND CreateRadioButton(int width, int height, const wchar_t* caption, const wchar_t* name, int form) override;
    HWND CreateCheckBox(int width, int height, const wchar_t* caption, const wchar_t* name, int form) override;
    HWND CreateComboBox(int width, int height, const CHtmlStringTable& options, int selection,
                        const wchar_t* name, int form) override;
    void PlaceControl(HWND control, int x, int y) override;
    void InvalidateDocRect(const RECT& rc) override;

    // The canvas's message handling; what it does not answer goes on to the
    // canvas scrolling. Returns the result for the canvas's window manager.
    LRESULT CanvasProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Lays the page out for the canvas's client width and tells the canvas
    // the content's size.
    void RelayoutPage();
    CHtmlDocument* GetDocument() const { return m_pDocument; }
    // The last ready text ("Ready, items:...").
    const wchar_t* GetReadyText() const { return m_szStatus; }

    // Shows "Reading %d" or "Reading %d of %d"; nothing for received < 0.
    void OnFetchProgress(int received, int total);
    // Destroys every form control (and its option values); forgets the forms.
    void DestroyFormControls();
    // Submits form (or, with form -1, the form of the push button window
    // with id buttonId): GET navigates, anything else posts.
    void SubmitForm(int form, HWND button, int buttonId);
    static std::wstring UrlEncode(const wchar_t* text) { return HtmlUrlEncode(text); }
    // Posts the query (without its "?") to action as form data; the answer
    // as UTF-16 text, or null. *length: the bytes received.
    wchar_t* PostForm(const wchar_t* action, const wchar_t* query, int* length);

    std::wstring GetCurrentUrl() const;
    const CHtmlStringTable& GetHistory() const { return m_history; }
    const CHtmlStringTable& GetControls() const { return m_controls; }
    const CHtmlStringTable& GetForms() const { return m_forms; }

private:
    // Refuses (false) a URL that does not fit rather than cutting it.
    bool SetCurrentUrl(const wchar_t* url);
    // Sets the status bar's text; from another thread it is handed to the
    // UI thread through the canvas, so a fetch thread never waits for it.
    void SetStatusText(const wchar_t* text);
    bool IsUiThread() const { return GetCurrentThreadId() == m_dwUiThread; }
    void ShowPendingStatus();
    void ShowImagesProgress(int loaded, int total);

    // The bytes of a res://, file:// or WinINet URL. With navigating the
    // URL becomes the current URL; with location a redirect's target comes
    // back there.
    bool ReadUrl(const wchar_t* url, bool navigating, std::vector<BYTE>& body, std::wstring* location);
    bool ReadResource(const wchar_t* url, std::vector<BYTE>& body);
    bool ReadFileUrl(const wchar_t* url, std::vector<BYTE>& body);
    bool ReadInternetUrl(const wchar_t* url, bool navigating, std::vector<BYTE>& body, std::wstring* location);
    // Reads a request's body, reporting progress; false beyond the size cap.
    bool ReadBody(void* request, std::vector<BYTE>& body, const wchar_t* contentLength, bool post);

    void AddHistoryRow(const wchar_t* url, const wchar_t* text);
    // Replaces the page by text, resolved against baseUrl.
    void LoadPage(const wchar_t* text, const wchar_t* baseUrl);

    void ReplaceBackBuffer();
    void OnCanvasPaint(HWND hwnd);
    void OnCanvasMouseMove(HWND hwnd, int x, int y);
    void OnCanvasButtonDown(HWND hwnd, int x, int y);
    // The selection rectangle from the anchor to the last pointer position,
    // in document coordinates.
    RECT SelectionRect(HWND hwnd) const;

    HWND AddControl(const wchar_t* windowClass, DWORD exStyle, DWORD style, const wchar_t* text, int width,
                    int height, int stockFont, const wchar_t* name, int form, int type, const wchar_t* caption);

    HWND m_hCanvas;
    HWND m_hOwner;
    HWND m_hStatus;
    HWND m_hAddress;
    HWND m_hBackButton;
    wchar_t m_szCurrentUrl[kMaxUrl];
    wchar_t m_szStatus[128];
    CHtmlStringTable m_history;
    CHtmlStringTable m_controls;
    CHtmlStringTable m_forms;
    CHtmlDocument* m_pDocument = nullptr;
    HBITMAP m_hBackBuffer = nullptr;
    POINT m_ptAnchor = {0, 0};
    POINT m_ptLast = {0, 0};
    wchar_t* m_pszHoverUrl = nullptr;
    int m_bNavigating = 0;
    int m_nFontSize = 15;
    wchar_t m_szFontFace[50];

    DWORD m_dwUiThread;
    // Guards the current URL (fetch threads read it for the Referer) and
    // the status text waiting for the UI thread.
    mutable CRITICAL_SECTION m_cs;
    wchar_t m_szPendingStatus[128];
    bool m_bStatusPosted = false;
};

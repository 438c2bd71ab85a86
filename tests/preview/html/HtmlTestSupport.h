// Shared by the renderer's fetch, form and picture tests: the loopback
// server's URLs, a plain HTTP GET for its reports, and a bare canvas window
// with a status bar and a browser on it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "html/CHtmlBrowser.h"

namespace html_test {

// "http://127.0.0.1:PORT" + path, the port from the fixture's state file;
// empty when the server is not running.
std::wstring ServerUrl(const wchar_t* path);
// The body of a GET of url, without the renderer (for the server's reports).
std::string HttpGet(const std::wstring& url);
// A name no other test of this run uses, for the server's counters.
std::wstring UniqueTag(const wchar_t* prefix);

// An owner window, a bare canvas child that forwards its messages to the
// browser, and a status bar; the browser is created by Attach.
class CBrowserWindow
{
public:
    CBrowserWindow();
    ~CBrowserWindow();

    // Makes browser the canvas's browser (taking ownership).
    void Attach(CHtmlBrowser* browser);
    CHtmlBrowser& Browser() { return *m_browser; }
    HWND Owner() const { return m_hOwner; }
    HWND Canvas() const { return m_hCanvas; }
    HWND Status() const { return m_hStatus; }
    std::wstring StatusText() const;
    int ChildCount() const;

private:
    static LRESULT CALLBACK CanvasWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hOwner = nullptr;
    HWND m_hCanvas = nullptr;
    HWND m_hStatus = nullptr;
    std::unique_ptr<CHtmlBrowser> m_browser;
};

}  // namespace html_test

#include "CHtmlBrowser.h"

#include <stdio.h>
#include <wchar.h>

#include <algorithm>

#include "HtmlCanvas.h"

namespace {

// Copies text into a fixed buffer, cut to fit (for display texts only).
template <size_t N>
void CopyText(wchar_t (&buffer)[N], const wchar_t* text)
{
    wcsncpy(buffer, text ? text : L"", N - 1);
    buffer[N - 1] = 0;
}

bool IsPictureUrl(const wchar_t* url)
{
    const wchar_t* dot = wcsrchr(url, L'.');
    return dot && (_wcsicmp(dot + 1, L"jpg") == 0 || _wcsicmp(dot + 1, L"gif") == 0 ||
                   _wcsicmp(dot + 1, L"png") == 0);
}

}  // namespace

CHtmlBrowser::CHtmlBrowser(HWND canvas, HWND owner, HWND status, HWND address, HWND backButton)
    : m_hCanvas(canvas), m_hOwner(owner), m_hStatus(status), m_hAddress(address), m_hBackButton(backButton),
      m_dwUiThread(GetCurrentThreadId())
{
    m_szCurrentUrl[0] = 0;
    m_szStatus[0] = 0;
    m_szPendingStatus[0] = 0;
    CopyText(m_szFontFace, L"Arial");
    InitializeCriticalSection(&m_cs);
    m_pDocument = new CHtmlDocument(this);
}

CHtmlBrowser::~CHtmlBrowser()
{
    DestroyFormControls();
    if (m_hBackBuffer)
        DeleteObject(m_hBackBuffer);
    // The document first waits for its picture fetches, which call back here.
    delete m_pDocument;
    m_pDocument = nullptr;
    delete[] m_pszHoverUrl;
    HtmlCanvasWndProc(nullptr, 0, 0, 0);
    DeleteCriticalSection(&m_cs);
}

std::wstring CHtmlBrowser::GetCurrentUrl() const
{
    EnterCriticalSection(&m_cs);
    std::wstring url = m_szCurrentUrl;
    LeaveCriticalSection(&m_cs);
    return url;
}

bool CHtmlBrowser::SetCurrentUrl(const wchar_t* url)
{
    if (wcslen(url) >= (size_t)kMaxUrl)
        return false;
    EnterCriticalSection(&m_cs);
    wcscpy(m_szCurrentUrl, url);
    LeaveCriticalSection(&m_cs);
    return true;
}

void CHtmlBrowser::SetStatusText(const wchar_t* text)
{
    if (IsUiThread()) {
        if (m_hStatus)
            SetWindowTextW(m_hStatus, text);
        return;
    }
    EnterCriticalSection(&m_cs);
    CopyText(m_szPendingStatus, text);
    bool post = !m_bStatusPosted;
    m_bStatusPosted = true;
    LeaveCriticalSection(&m_cs);
    if (post && !PostMessageW(m_hCanvas, WM_HTML_STATUS, 0, 0)) {
        EnterCriticalSection(&m_cs);
        m_bStatusPosted = false;
        LeaveCriticalSection(&m_cs);
    }
}

void CHtmlBrowser::ShowPendingStatus()
{
    wchar_t text[128];
    EnterCriticalSection(&m_cs);
    CopyText(text, m_szPendingStatus);
    m_bStatusPosted = false;
    LeaveCriticalSection(&m_cs);
    if (m_hStatus)
        SetWindowTextW(m_hStatus, text);
}

int CHtmlBrowser::OnParseProgress(int kind, int position, int length)
{
    if (kind == 0) {
        wchar_t text[128];
        swprintf(text, 128, L"%ls %d of %d", L"Parsing", position, length);
        SetStatusText(text);
    }
    return kind;
}

void CHtmlBrowser::AddHistoryRow(const wchar_t* url, const wchar_t* text)
{
    int row = m_history.AddRow() - 1;
    m_history.AppendCell(row, url);
    m_history.AppendCell(row, text);
    if (m_hBackButton)
        EnableWindow(m_hBackButton, m_history.GetRowCount() > 1);
}

void CHtmlBrowser::LoadPage(const wchar_t* text, const wchar_t* baseUrl)
{
    DestroyFormControls();
    delete[] m_pszHoverUrl;
    m_pszHoverUrl = nullptr;
    m_pDocument->Load(text, m_szFontFace, m_nFontSize, RGB(0, 0, 0), baseUrl);
}

void CHtmlBrowser::RelayoutPage()
{
    RECT rc = {0, 0, 0, 0};
    GetClientRect(m_hCanvas, &rc);
    m_pDocument->Layout(rc);
    SendMessageW(m_hCanvas, WM_HTML_SETDOCSIZE, (WPARAM)rc.right, (LPARAM)rc.bottom);
}

void CHtmlBrowser::Navigate(const wchar_t* url)
{
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    m_szStatus[0] = 0;
    if (_wcsnicmp(url, L"Submit(", 7) == 0) {
        SubmitForm(_wtoi(url + 7), nullptr, 0);
        return;
    }
    int rows = m_history.GetRowCount();
    if (rows) {
        wchar_t pos[16];
        swprintf(pos, 16, L"%d", (int)SendMessageW(m_hCanvas, WM_HTML_GETVPOS, 0, 0));
        if (m_history.GetRow(rows - 1).GetCount() == 2)
            m_history.AppendCell(rows - 1, pos);
        else
            m_history.SetCell(rows - 1, 2, pos);
    }
    if (IsPictureUrl(url)) {
        // A picture gets a made-up yellow page that shows it.
        if (m_hAddress)
            SetWindowTextW(m_hAddress, url);
        std::wstring page = L"<body bgcolor=ffff00><img src=\"";
        page += url;
        page += L"\"></body>";
        AddHistoryRow(url, page.c_str());
        LoadPage(page.c_str(), L"");
    } else {
        SetStatusText(L"From Internet");
        int length = 0;
        m_bNavigating = 1;
        wchar_t* text = FetchText(url, &length);
        m_bNavigating = 0;
        if (!text)
            return;
        std::wstring current = GetCurrentUrl();
        AddHistoryRow(current.c_str(), text);
        LoadPage(text, current.c_str());
        delete[] text;
        if (m_hAddress)
            SetWindowTextW(m_hAddress, current.c_str());
    }
    RelayoutPage();
    SendMessageW(m_hCanvas, WM_HTML_SETHPOS, 0, 0);
    SendMessageW(m_hCanvas, WM_HTML_SETVPOS, 0, 0);
    InvalidateRect(m_hCanvas, nullptr, FALSE);
    UpdateWindow(m_hCanvas);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

void CHtmlBrowser::OnLinkHover(int over, const wchar_t* url)
{
    if (!m_pszHoverUrl || wcscmp(m_pszHoverUrl, url) != 0) {
        // The link left repaints in its own colour.
        if (m_pszHoverUrl)
            m_pDocument->InvalidateLink(m_pszHoverUrl);
        delete[] m_pszHoverUrl;
        m_pszHoverUrl = new wchar_t[wcslen(url) + 1];
        wcscpy(m_pszHoverUrl, url);
    }
    if (over) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        m_pDocument->InvalidateLink(url);
        SetStatusText(url);
    } else {
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        SetStatusText(m_szStatus);
    }
}

void CHtmlBrowser::SetTitle(const wchar_t* text)
{
    if (m_hOwner)
        SetWindowTextW(m_hOwner, text);
}

void CHtmlBrowser::OnImagesProgress(int loaded, int total)
{
    if (IsUiThread())
        ShowImagesProgress(loaded, total);
    else
        PostMessageW(m_hCanvas, WM_HTML_IMAGESPROGRESS, (WPARAM)loaded, (LPARAM)total);
}

void CHtmlBrowser::ShowImagesProgress(int loaded, int total)
{
    // A relayout every tenth of the pictures (by the power of ten above
    // the total) and at the end; repaints in between.
    int p = 10;
    while (p < total && p < 1000000000)
        p *= 10;
    if (loaded != total && loaded % (p / 10) != 0)
        InvalidateRect(m_hCanvas, nullptr, FALSE);
    else
        PostMessageW(m_hCanvas, WM_HTML_RELAYOUT, 0, 0);
    if (loaded < total) {
        wchar_t text[128];
        swprintf(text, 128, L"Loaded Image %d of %d", loaded, total);
        SetStatusText(text);
    } else if (loaded == total) {
        int items = 0, images = 0, links = 0, level = 0;
        m_pDocument->GetStatusCounts(&items, &images, &links, &level);
        swprintf(m_szStatus, 128, L"Ready, items:%d, images:%d, links:%d, level:%d", items, images, links, level);
        SetStatusText(m_szStatus);
    }
}

void CHtmlBrowser::PlaceControl(HWND control, int x, int y)
{
    int hPos = (int)SendMessageW(m_hCanvas, WM_HTML_GETHPOS, 0, 0);
    int vPos = (int)SendMessageW(m_hCanvas, WM_HTML_GETVPOS, 0, 0);
    SetWindowPos(control, nullptr, x - hPos, y - vPos, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(control, SW_SHOWNA);
    InvalidateRect(control, nullptr, TRUE);
    UpdateWindow(control);
}

void CHtmlBrowser::InvalidateDocRect(const RECT& rc)
{
    int hPos = (int)SendMessageW(m_hCanvas, WM_HTML_GETHPOS, 0, 0);
    int vPos = (int)SendMessageW(m_hCanvas, WM_HTML_GETVPOS, 0, 0);
    RECT r = {rc.left - hPos, rc.top - vPos, rc.right - hPos, rc.bottom - vPos};
    InvalidateRect(m_hCanvas, &r, FALSE);
}

void CHtmlBrowser::ReplaceBackBuffer()
{
    if (m_hBackBuffer)
        DeleteObject(m_hBackBuffer);
    m_hBackBuffer = nullptr;
    RECT rc;
    GetClientRect(m_hCanvas, &rc);
    HDC screen = GetDC(m_hCanvas);
    if (rc.right > 0 && rc.bottom > 0)
        m_hBackBuffer = CreateCompatibleBitmap(screen, rc.right, rc.bottom);
    ReleaseDC(m_hCanvas, screen);
}

void CHtmlBrowser::OnCanvasPaint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT rc;
    GetClientRect(hwnd, &rc);
    if (!m_hBackBuffer)
        ReplaceBackBuffer();
    if (m_hBackBuffer) {
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, m_hBackBuffer);
        int hPos = (int)SendMessageW(hwnd, WM_HTML_GETHPOS, 0, 0);
        int vPos = (int)SendMessageW(hwnd, WM_HTML_GETVPOS, 0, 0);
        m_pDocument->Draw(memory, rc, hPos, vPos);
        BitBlt(dc, 0, 0, rc.right, rc.bottom, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    EndPaint(hwnd, &ps);
}

RECT CHtmlBrowser::SelectionRect(HWND hwnd) const
{
    int hPos = (int)SendMessageW(hwnd, WM_HTML_GETHPOS, 0, 0);
    int vPos = (int)SendMessageW(hwnd, WM_HTML_GETVPOS, 0, 0);
    RECT rc = {std::min(m_ptAnchor.x, m_ptLast.x) + hPos, std::min(m_ptAnchor.y, m_ptLast.y) + vPos,
               std::max(m_ptAnchor.x, m_ptLast.x) + hPos, std::max(m_ptAnchor.y, m_ptLast.y) + vPos};
    return rc;
}

void CHtmlBrowser::OnCanvasMouseMove(HWND hwnd, int x, int y)
{
    int hPos = (int)SendMessageW(hwnd, WM_HTML_GETHPOS, 0, 0);
    int vPos = (int)SendMessageW(hwnd, WM_HTML_GETVPOS, 0, 0);
    m_pDocument->OnMouseMove(x + hPos, y + vPos);
    if (GetCapture() != hwnd)
        return;
    m_ptLast.x = x;
    m_ptLast.y = y;
    m_pDocument->SelectRect(SelectionRect(hwnd));
    InvalidateRect(hwnd, nullptr, FALSE);

    // Dragging out of the canvas scrolls toward the pointer, the anchor
    // staying on the same document point.
    RECT rc;
    GetClientRect(hwnd, &rc);
    if (x < 0) {
        int to = std::max(0, hPos + x);
        m_ptAnchor.x += hPos - to;
        SendMessageW(hwnd, WM_HTML_SETHPOS, 0, to);
    } else if (x > rc.right) {
        int range = (int)SendMessageW(hwnd, WM_HTML_GETHRANGE, 0, 0);
        int to = std::min<int>(range, hPos + (x - rc.right));
        if (to > hPos) {
            m_ptAnchor.x -= to - hPos;
            SendMessageW(hwnd, WM_HTML_SETHPOS, 0, to);
        }
    }
    if (y < 0) {
        int to = std::max(0, vPos + y);
        m_ptAnchor.y += vPos - to;
        SendMessageW(hwnd, WM_HTML_SETVPOS, 0, to);
    } else if (y > rc.bottom) {
        int range = (int)SendMessageW(hwnd, WM_HTML_GETVRANGE, 0, 0);
        int to = std::min<int>(range, vPos + (y - rc.bottom));
        if (to > vPos) {
            m_ptAnchor.y -= to - vPos;
            SendMessageW(hwnd, WM_HTML_SETVPOS, 0, to);
        }
    }
}

void CHtmlBrowser::OnCanvasButtonDown(HWND hwnd, int x, int y)
{
    int hPos = (int)SendMessageW(hwnd, WM_HTML_GETHPOS, 0, 0);
    int vPos = (int)SendMessageW(hwnd, WM_HTML_GETVPOS, 0, 0);
    // A click may navigate and replace the page; the selection then marks
    // the new one.
    m_pDocument->OnClick(x + hPos, y + vPos);
    m_ptAnchor.x = m_ptLast.x = x;
    m_ptAnchor.y = m_ptLast.y = y;
    m_pDocument->SelectRect(SelectionRect(hwnd));
    InvalidateRect(hwnd, nullptr, FALSE);
    HWND focus = GetFocus();
    if (focus && focus != hwnd && IsChild(hwnd, focus)) {
        HWND parent = m_hAddress ? GetParent(m_hAddress) : nullptr;
        SetFocus(parent ? GetDlgItem(parent, 1) : nullptr);
    }
    SetCapture(hwnd);
}

LRESULT CHtmlBrowser::CanvasProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_HTML_STATUS:
        ShowPendingStatus();
        return 0;
    case WM_HTML_IMAGESPROGRESS:
        ShowImagesProgress((int)wParam, (int)lParam);
        return 0;
    case WM_SIZE:
    case WM_HTML_RELAYOUT:
        if (m_pDocument) {
            ReplaceBackBuffer();
            RelayoutPage();
            InvalidateRect(hwnd, nullptr, FALSE);
            UpdateWindow(hwnd);
            // The new document size may have shown or hidden a scroll bar
            // meanwhile: the scrolling goes on from the client size as it
            // is now, not as the message had it.
            if (message == WM_SIZE) {
                RECT rc;
                GetClientRect(hwnd, &rc);
                lParam = MAKELPARAM(rc.right, rc.bottom);
            }
        }
        break;
    case WM_PAINT:
        if (m_pDocument) {
            OnCanvasPaint(hwnd);
            return 1;
        }
        break;
    case WM_MOUSEMOVE:
        if (m_pDocument) {
            OnCanvasMouseMove(hwnd, (short)LOWORD(lParam), (short)HIWORD(lParam));
            return 0;
        }
        break;
    case WM_LBUTTONDOWN:
        if (m_pDocument) {
            OnCanvasButtonDown(hwnd, (short)LOWORD(lParam), (short)HIWORD(lParam));
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        if (GetCapture() == hwnd)
            ReleaseCapture();
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        // Check boxes and radio buttons show the page behind them.
        if (GetWindowLongW((HWND)lParam, GWL_STYLE) & 0xF) {
            SetBkMode((HDC)wParam, TRANSPARENT);
            return (LRESULT)GetStockObject(NULL_BRUSH);
        }
        break;
    case WM_CTLCOLORDLG:
        return (LRESULT)GetStockObject(NULL_BRUSH);
    default:
        break;
    }
    return HtmlCanvasWndProc(hwnd, message, wParam, lParam);
}

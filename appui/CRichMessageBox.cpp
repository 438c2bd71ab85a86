#include "CRichMessageBox.h"

#include <stdio.h>
#include <stdlib.h>

namespace {

const int kCellPadding = 5;
const int kMarginX = 14;
const int kMarginY = 14;
const int kCheckGap = 10;
const int kCheckSize = 13;
const int kButtonGap = 11;
const int kBottomMargin = 11;
const UINT_PTR kTimerId = 1;

struct ButtonText
{
    UINT id;
    UINT stringId;
    LPCWSTR text;
};

const ButtonText kButtonTexts[] = {
    {IDOK, 9001, L"OK"},           {IDCANCEL, 9002, L"Cancel"},     {IDABORT, 9005, L"Abort"},
    {IDRETRY, 9004, L"Retry"},     {IDIGNORE, 9003, L"Ignore"},     {IDYES, 9007, L"Yes"},
    {IDNO, 9008, L"No"},           {IDHELP, 9006, L"Help"},         {IDTRYAGAIN, 9015, L"Try again"},
    {IDCONTINUE, 9009, L"Continue"}, {IDSKIP, 9018, L"Skip"},       {IDSKIPALL, 9019, L"Skip all"},
    {IDIGNOREALL, 9017, L"Ignore all"}, {IDYESTOALL, 9013, L"Yes to all"}, {IDNOTOALL, 9014, L"No to all"},
    {IDREPORT, 9016, L"Report"},   {IDLESS, 9011, L"<< More"},      {IDMORE, 9010, L"More >>"},
    {IDCHECKBOX, 9012, L"Do not show again"}, {IDCOUNTDOWN, 9020, L"%s (%d seconds remaining)"},
};

bool IsStringId(LPCTSTR p)
{
    return p != NULL && IS_INTRESOURCE(p);
}

// Appends the box's style and text to the file named by TESMIR_MESSAGE_LOG.
void LogMessage(UINT nStyle, LPCTSTR lpszText)
{
    WCHAR path[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(L"TESMIR_MESSAGE_LOG", path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return;
    CString line;
    line.Format(L"0x%08X %s\n", nStyle, lpszText != NULL && !IsStringId(lpszText) ? lpszText : L"");
    const int cb = WideCharToMultiByte(CP_UTF8, 0, line, line.GetLength(), NULL, 0, NULL, NULL);
    if (cb <= 0)
        return;
    std::vector<char> utf8((size_t)cb);
    WideCharToMultiByte(CP_UTF8, 0, line, line.GetLength(), utf8.data(), cb, NULL, NULL);
    HANDLE hFile = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(hFile, utf8.data(), (DWORD)cb, &written, NULL);
    CloseHandle(hFile);
}

// A pointer to a non-empty text (not a string id).
bool HasText(LPCTSTR p)
{
    return p != NULL && !IsStringId(p) && p[0] != 0;
}

// HKCU path of the remembered answers: Software\<company>\<exe>\QHMessageBox.
CString RegistryPath(LPCTSTR lpszCompany)
{
    WCHAR szModule[MAX_PATH] = {};
    GetModuleFileNameW(NULL, szModule, MAX_PATH);
    LPCWSTR name = wcsrchr(szModule, L'\\') != NULL ? wcsrchr(szModule, L'\\') + 1 : szModule;
    CString path;
    if (HasText(lpszCompany))
        path.Format(L"Software\\%s\\%s\\QHMessageBox", lpszCompany, name);
    else
        path.Format(L"Software\\%s\\QHMessageBox", name);
    return path;
}

}  // namespace

MessageBoxAreaStyle::MessageBoxAreaStyle()
    : nSeparator(0), nSeparatorAlign(0), lpszSeparatorText(NULL), nEffect(-1),
      crStart(GetSysColor(COLOR_BTNFACE)), crMiddle(GetSysColor(COLOR_BTNFACE)), crEnd(GetSysColor(COLOR_BTNFACE))
{
}

MessageBoxParams::MessageBoxParams()
    : hwndOwner(NULL), hInstanceStrings(NULL), hInstanceIcon(NULL), lpszCaption(NULL), lpszCheckValuePrefix(NULL),
      lpszCompany(NULL), nCheckValueNumber(0), nReportMessage(0), nHeaderHeight(0), lpszHeader(NULL),
      lpszText(NULL), nButtonAlign(2), dwStyle(0x30), lpszMore(NULL), nTimeout(0), nDisabledSeconds(0),
      bCountdownInCaption(FALSE), dwHelpContextId(0), lpszIcon(NULL), lpszCustomButtons(NULL),
      lpszCheckBoxText(NULL), pButtonCaptions(NULL)
{
}

int RichMessageBox(HWND hwndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nStyle,
                   const MessageBoxParams* pParams)
{
    MessageBoxParams params = pParams != NULL ? *pParams : MessageBoxParams();
    params.hwndOwner = hwndOwner;
    params.lpszText = lpszText;
    params.lpszCaption = lpszCaption;
    params.dwStyle = nStyle;
    return RichMessageBoxIndirect(&params);
}

int RichMessageBoxIndirect(const MessageBoxParams* pParams)
{
    MessageBoxParams params = pParams != NULL ? *pParams : MessageBoxParams();
    if (params.hwndOwner == NULL)
    {
        HWND hActive = GetActiveWindow();
        params.hwndOwner = hActive != NULL ? GetLastActivePopup(hActive) : NULL;
    }
    WCHAR szOwnerText[260] = {};
    if (params.lpszCaption == NULL || (!IsStringId(params.lpszCaption) && params.lpszCaption[0] == 0))
    {
        if (params.hwndOwner != NULL)
            GetWindowTextW(params.hwndOwner, szOwnerText, 260);
        params.lpszCaption = szOwnerText[0] != 0 ? szOwnerText : L"Error";
    }
    if ((params.dwStyle & MB_DONOTSHOWAGAIN) && HasText(params.lpszCheckValuePrefix))
    {
        int nAnswer = 0;
        HKEY hKey = NULL;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, RegistryPath(params.lpszCompany), 0, KEY_QUERY_VALUE, &hKey) ==
            ERROR_SUCCESS)
        {
            CString value;
            value.Format(L"%s%d", params.lpszCheckValuePrefix, params.nCheckValueNumber);
            DWORD data = 0, cb = sizeof(data), type = 0;
            if (RegQueryValueExW(hKey, value, NULL, &type, (BYTE*)&data, &cb) == ERROR_SUCCESS &&
                type == REG_DWORD && cb == sizeof(data))
                nAnswer = (int)data;
            RegCloseKey(hKey);
        }
        if (nAnswer != 0)
            return nAnswer;
    }
    if (!(params.dwStyle & MB_NOSOUND))
        MessageBeep(params.dwStyle & 0xF0);
    LogMessage(params.dwStyle, params.lpszText);
    CRichMessageBox box(params);
    return box.DoModal();
}

CRichMessageBox::CRichMessageBox(const MessageBoxParams& params)
    : m_bCheckBox(FALSE), m_hCheckBox(NULL), m_hCheckLabel(NULL), m_cxButton(80), m_cyButton(23), m_hIcon(NULL),
      m_params(params), m_nDefault(0), m_hFont(NULL), m_cyHeader(0), m_cyMessage(0), m_cyButtons(0), m_cyMore(0),
      m_bCancelAllowed(TRUE), m_bUnfolded(FALSE), m_nSecondsLeft(0), m_hBackground(NULL), m_hWnd(NULL)
{
    if (m_params.hInstanceStrings == NULL)
        m_params.hInstanceStrings = GetModuleHandleW(NULL);
    if (m_params.hInstanceIcon == NULL)
        m_params.hInstanceIcon = GetModuleHandleW(NULL);
    m_strCaption = ResolveText(m_params.lpszCaption);
    NONCLIENTMETRICSW ncm = {};
    ncm.cbSize = sizeof(ncm);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
        m_hFont = CreateFontIndirectW(&ncm.lfMessageFont);
    switch (m_params.dwStyle & 0xF0)
    {
    case MB_ICONHAND: m_hIcon = LoadIconW(NULL, (LPCWSTR)IDI_HAND); break;
    case MB_ICONQUESTION: m_hIcon = LoadIconW(NULL, (LPCWSTR)IDI_QUESTION); break;
    case MB_ICONEXCLAMATION: m_hIcon = LoadIconW(NULL, (LPCWSTR)IDI_EXCLAMATION); break;
    case MB_ICONASTERISK: m_hIcon = LoadIconW(NULL, (LPCWSTR)IDI_ASTERISK); break;
    case MB_USERICON:
        if (m_params.lpszIcon != NULL)
            m_hIcon = (HICON)LoadImageW(m_params.hInstanceIcon, m_params.lpszIcon, IMAGE_ICON, 0, 0,
                                        LR_DEFAULTSIZE);
        break;
    default: break;
    }
}

CRichMessageBox::~CRichMessageBox()
{
    if (m_hFont != NULL)
        DeleteObject(m_hFont);
    if (m_hBackground != NULL)
        DeleteObject(m_hBackground);
    if ((m_params.dwStyle & 0xF0) == MB_USERICON && m_hIcon != NULL)
        DestroyIcon(m_hIcon);
}

CString CRichMessageBox::ResolveText(LPCTSTR lpszTextOrId) const
{
    if (lpszTextOrId == NULL)
        return CString();
    if (!IsStringId(lpszTextOrId))
        return CString(lpszTextOrId);
    if (m_params.dwStyle & MB_NORESOURCE)
        return CString();
    WCHAR sz[260] = {};
    LoadStringW(m_params.hInstanceStrings, (UINT)(UINT_PTR)lpszTextOrId, sz, 260);
    return CString(sz);
}

CString CRichMessageBox::ButtonCaption(UINT nId) const
{
    if (m_params.pButtonCaptions != NULL)
    {
        auto it = m_params.pButtonCaptions->find(nId);
        if (it != m_params.pButtonCaptions->end())
            return ResolveText(it->second);
    }
    for (const ButtonText& b : kButtonTexts)
    {
        if (b.id != nId)
            continue;
        if (!(m_params.dwStyle & MB_NORESOURCE))
        {
            WCHAR sz[260] = {};
            if (LoadStringW(m_params.hInstanceStrings, b.stringId, sz, 260) > 0)
                return CString(sz);
        }
        if (nId == IDCHECKBOX && m_params.lpszCheckBoxText != NULL)
        {
            const CString given = ResolveText(m_params.lpszCheckBoxText);
            if (!given.IsEmpty())
                return given;
        }
        return CString(b.text);
    }
    return CString();
}

int CRichMessageBox::DoModal()
{
    // A zeroed template: no controls, 100 x 100 dialog units; every control
    // is made by hand in WM_INITDIALOG.
    HGLOBAL hTemplate = GlobalAlloc(GMEM_ZEROINIT, 36);
    if (hTemplate == NULL)
        return IDCANCEL;
    DLGTEMPLATE* pTemplate = (DLGTEMPLATE*)GlobalLock(hTemplate);
    pTemplate->style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_CENTER | DS_MODALFRAME;
    pTemplate->cx = 100;
    pTemplate->cy = 100;
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(NULL), pTemplate, m_params.hwndOwner,
                                                   DialogProc, (LPARAM)this);
    GlobalUnlock(hTemplate);
    GlobalFree(hTemplate);
    return result == -1 ? IDCANCEL : (int)result;
}

INT_PTR CALLBACK CRichMessageBox::DialogProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CRichMessageBox* pBox = NULL;
    if (nMsg == WM_INITDIALOG)
    {
        pBox = (CRichMessageBox*)lParam;
        SetWindowLongPtrW(hWnd, DWLP_USER, (LONG_PTR)pBox);
        pBox->m_hWnd = hWnd;
    }
    else
    {
        pBox = (CRichMessageBox*)GetWindowLongPtrW(hWnd, DWLP_USER);
    }
    return pBox != NULL ? pBox->OnMessage(nMsg, wParam, lParam) : FALSE;
}

INT_PTR CRichMessageBox::OnMessage(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg)
    {
    case WM_INITDIALOG:
        OnInitDialog();
        return FALSE;
    case WM_ERASEBKGND:
        SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, 1);
        return TRUE;
    case WM_PAINT:
    {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(m_hWnd, &ps);
        PaintTo(hdc);
        EndPaint(m_hWnd, &ps);
        return TRUE;
    }
    case WM_PRINTCLIENT:
        PaintTo((HDC)wParam);
        return TRUE;
    case WM_RICHMSGBOX_REDRAW:
        InvalidateRect(m_hWnd, NULL, FALSE);
        return TRUE;
    case WM_CTLCOLORSTATIC:
        SetBkMode((HDC)wParam, TRANSPARENT);
        return (INT_PTR)GetStockObject(NULL_BRUSH);
    case WM_SETCURSOR:
    {
        POINT pt;
        GetCursorPos(&pt);
        ScreenToClient(m_hWnd, &pt);
        BOOL bLink = FALSE;
        if (m_cyHeader > 0)
            bLink = m_header.OnSetCursor(pt) || bLink;
        if (m_cyMessage > 0)
            bLink = m_message.OnSetCursor(pt) || bLink;
        if (m_cyMore > 0 && m_bUnfolded)
            bLink = m_moreText.OnSetCursor(pt) || bLink;
        if (!bLink)
            return FALSE;
        SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    case WM_LBUTTONDOWN:
    {
        POINT pt = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
        if (m_cyHeader > 0)
            m_header.OnClick(pt);
        if (m_cyMessage > 0)
            m_message.OnClick(pt);
        if (m_cyMore > 0 && m_bUnfolded)
            m_moreText.OnClick(pt);
        return TRUE;
    }
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return TRUE;
    case WM_TIMER:
        if (wParam == kTimerId)
            OnTimer();
        return TRUE;
    case WM_DESTROY:
        KillTimer(m_hWnd, kTimerId);
        DestroyControls();
        return FALSE;
    default:
        return FALSE;
    }
}

void CRichMessageBox::OnInitDialog()
{
    if (m_params.nDisabledSeconds > 0)
        m_nSecondsLeft = m_params.nDisabledSeconds;
    if (m_params.nTimeout > 0)
        m_nSecondsLeft = m_params.nTimeout;
    m_header.SetNotifyWindow(m_hWnd, WM_RICHMSGBOX_REDRAW, 0);
    m_message.SetNotifyWindow(m_hWnd, WM_RICHMSGBOX_REDRAW, 0);
    m_moreText.SetNotifyWindow(m_hWnd, WM_RICHMSGBOX_REDRAW, 0);

    m_strMessage = ResolveText(m_params.lpszText);
    if (m_params.dwStyle & MB_RIGHT)
    {
        CString wrapped;
        wrapped.Format(L"<right>%s</right>", (LPCWSTR)m_strMessage);
        m_strMessage = wrapped;
    }
    if (m_hIcon != NULL)
    {
        CString wrapped;
        wrapped.Format(L"<table cellpadding=%d><tr><td width=%d><icon handle=0x%X></td><td>%s</td></tr></table>",
                       kCellPadding, GetSystemMetrics(SM_CXICON), (unsigned)(UINT_PTR)m_hIcon,
                       (LPCWSTR)m_strMessage);
        m_strMessage = wrapped;
    }
    m_strHeader = ResolveText(m_params.lpszHeader);
    m_strMore = ResolveText(m_params.lpszMore);
    m_strHeaderSeparator = ResolveText(m_params.asHeader.lpszSeparatorText);
    m_strButtonSeparator = ResolveText(m_params.asButtons.lpszSeparatorText);
    m_strMoreSeparator = ResolveText(m_params.asMore.lpszSeparatorText);
    m_strCountdownFormat = ButtonCaption(IDCOUNTDOWN);
    m_strMoreCaption = ButtonCaption(IDMORE);
    m_strLess = ButtonCaption(IDLESS);

    BuildControls();

    const BOOL bDisabledPeriod = m_params.nDisabledSeconds > 0 && m_nSecondsLeft > 0;
    if (bDisabledPeriod && m_params.bCountdownInCaption)
        ShowCountdown();
    else
        SetWindowTextW(m_hWnd, m_strCaption);
    const Button* pDefault = DefaultButton();
    if (!m_bCancelAllowed || (bDisabledPeriod && m_params.bCountdownInCaption) ||
        (bDisabledPeriod && !m_params.bCountdownInCaption && pDefault != NULL && pDefault->id == IDCANCEL))
        EnableCloseItem(FALSE);

    // Centre on the parent's rectangle, or on the screen.
    RECT rcWindow;
    GetWindowRect(m_hWnd, &rcWindow);
    const int cx = rcWindow.right - rcWindow.left, cy = rcWindow.bottom - rcWindow.top;
    RECT rcParent;
    HWND hParent = GetParent(m_hWnd);
    if (hParent == NULL || !GetWindowRect(hParent, &rcParent))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcParent, 0);
    SetWindowPos(m_hWnd, NULL, rcParent.left + (rcParent.right - rcParent.left - cx) / 2,
                 rcParent.top + (rcParent.bottom - rcParent.top - cy) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    LayoutControls();
    if (m_params.dwStyle & MB_TOPMOST)
        SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (m_params.dwStyle & MB_SETFOREGROUND)
        SetForegroundWindow(m_hWnd);
    if (m_nSecondsLeft > 0)
        SetTimer(m_hWnd, kTimerId, 1000, NULL);
    if (pDefault != NULL && pDefault->hWnd != NULL)
        SetFocus(pDefault->hWnd);
}

int CRichMessageBox::TextWidth(HDC hdc, const CString& text) const
{
    SIZE size = {0, 0};
    GetTextExtentPoint32W(hdc, text, text.GetLength(), &size);
    return size.cx;
}

void CRichMessageBox::DestroyControls()
{
    for (Button& b : m_buttons)
        if (b.hWnd != NULL)
            DestroyWindow(b.hWnd);
    m_buttons.clear();
    if (m_hCheckBox != NULL)
        DestroyWindow(m_hCheckBox);
    if (m_hCheckLabel != NULL)
        DestroyWindow(m_hCheckLabel);
    m_hCheckBox = m_hCheckLabel = NULL;
}

void CRichMessageBox::BuildControls()
{
    DestroyControls();

    HDC hdc = GetDC(NULL);
    HGDIOBJ hOldFont = SelectObject(hdc, m_hFont != NULL ? (HGDIOBJ)m_hFont : GetStockObject(DEFAULT_GUI_FONT));
    int contentWidth = 0;
    auto grow = [&contentWidth](int w) { contentWidth = w > contentWidth ? w : contentWidth; };

    m_cyHeader = m_cyMessage = m_cyMore = 0;
    SIZE doc;
    if (m_params.nHeaderHeight != 0)
    {
        m_header.Measure(hdc, m_strHeader, doc);
        m_cyHeader = doc.cy + 2 * kMarginY > m_params.nHeaderHeight ? doc.cy + 2 * kMarginY : m_params.nHeaderHeight;
        grow(doc.cx + 2 * kMarginX);
        if (m_params.asHeader.nSeparator != 0)
            grow(TextWidth(hdc, m_strHeaderSeparator) + 2 * kCellPadding);
    }
    if (!m_strMessage.IsEmpty())
    {
        m_message.Measure(hdc, m_strMessage, doc);
        m_cyMessage = doc.cy + 2 * kMarginY;
        grow(doc.cx + 2 * kMarginX);
    }
    if (!m_strMore.IsEmpty())
    {
        m_moreText.Measure(hdc, m_strMore, doc);
        m_cyMore = doc.cy + 2 * kMarginY;
        grow(doc.cx + 2 * kMarginX);
    }
    m_cyButtons = kBottomMargin;
    if (m_params.asButtons.nEffect != -1 || m_params.asButtons.nSeparator != 0)
    {
        m_cyButtons = 22;
        if (m_params.asButtons.nSeparator != 0)
            grow(TextWidth(hdc, m_strButtonSeparator) + 2 * kCellPadding);
    }

    m_bCheckBox = (m_params.dwStyle & MB_DONOTSHOWAGAIN) != 0;
    if (m_bCheckBox)
    {
        m_cyButtons += kCheckSize + kButtonGap;
        const CString caption = ButtonCaption(IDCHECKBOX);
        const int captionWidth = TextWidth(hdc, caption);
        grow(captionWidth + 2 * kCheckGap + 20);
        m_hCheckBox = CreateWindowExW(0, L"BUTTON", L"", 0x50010003, 0, 0, kCheckSize, kCheckSize, m_hWnd, NULL,
                                      GetModuleHandleW(NULL), NULL);
        if (m_params.dwStyle & MB_CHECKBOXCHECKED)
            SendMessageW(m_hCheckBox, BM_SETCHECK, BST_CHECKED, 0);
        m_hCheckLabel = CreateWindowExW(0, L"STATIC", caption, 0x50000000, 0, 0, captionWidth, kCheckSize, m_hWnd,
                                        NULL, GetModuleHandleW(NULL), NULL);
        SendMessageW(m_hCheckLabel, WM_SETFONT, (WPARAM)m_hFont, FALSE);
    }

    // The buttons: custom lines, else the style's set; then Help, Report
    // and More.
    std::vector<UINT> ids;
    std::vector<CString> customCaptions;
    CString custom = ResolveText(m_params.lpszCustomButtons);
    custom.Remove(L'\r');
    int pos = 0;
    while (pos <= custom.GetLength() && customCaptions.size() < 4 && !custom.IsEmpty())
    {
        int end = custom.Find(L'\n', pos);
        if (end < 0)
            end = custom.GetLength();
        const CString line = custom.Mid(pos, end - pos);
        if (!line.IsEmpty())
            customCaptions.push_back(line);
        pos = end + 1;
    }
    for (size_t i = 0; i < customCaptions.size(); ++i)
        ids.push_back(IDCUSTOM1 + (UINT)i);
    m_bCancelAllowed = FALSE;
    if (customCaptions.empty())
    {
        UINT set = m_params.dwStyle & 0xF;
        // Sets 10 to 15 have no button to press: they behave as set 0.
        if (set >= 10)
            set = 0;
        const BOOL bYesToAll = (m_params.dwStyle & MB_YESTOALL) != 0, bNoToAll = (m_params.dwStyle & MB_NOTOALL) != 0;
        switch (set)
        {
        case 0: ids = {IDOK}; m_bCancelAllowed = TRUE; break;
        case 1: ids = {IDOK, IDCANCEL}; m_bCancelAllowed = TRUE; break;
        case 2: ids = {IDABORT, IDRETRY, IDIGNORE}; break;
        case 3:
        case 4:
            ids.push_back(IDYES);
            if (bYesToAll)
                ids.push_back(IDYESTOALL);
            ids.push_back(IDNO);
            if (bNoToAll)
                ids.push_back(IDNOTOALL);
            if (set == 3)
            {
                ids.push_back(IDCANCEL);
                m_bCancelAllowed = TRUE;
            }
            break;
        case 5: ids = {IDRETRY, IDCANCEL}; m_bCancelAllowed = TRUE; break;
        case 6: ids = {IDCANCEL, IDTRYAGAIN, IDCONTINUE}; m_bCancelAllowed = TRUE; break;
        case 7: ids = {IDCONTINUE, IDABORT}; break;
        case 8: ids = {IDSKIP, IDSKIPALL, IDCANCEL}; m_bCancelAllowed = TRUE; break;
        case 9: ids = {IDIGNORE, IDIGNOREALL, IDCANCEL}; m_bCancelAllowed = TRUE; break;
        default: break;
        }
    }
    if (m_params.dwStyle & MB_HELP)
        ids.push_back(IDHELP);
    if (m_params.nReportMessage != 0 && m_params.hwndOwner != NULL)
        ids.push_back(IDREPORT);
    if (!m_strMore.IsEmpty())
        ids.push_back(IDMORE);

    m_nDefault = (int)((m_params.dwStyle >> 8) & 0xF);
    if (m_nDefault >= (int)ids.size())
        m_nDefault = 0;

    m_cxButton = 80;
    m_cyButton = 23;
    for (size_t i = 0; i < ids.size(); ++i)
    {
        Button b = {ids[i], NULL, ids[i] >= IDCUSTOM1 && ids[i] <= IDCUSTOM4 ? customCaptions[ids[i] - IDCUSTOM1]
                                                                              : ButtonCaption(ids[i])};
        CString measured = b.caption;
        if (b.id == IDMORE && TextWidth(hdc, m_strLess) > TextWidth(hdc, measured))
            measured = m_strLess;
        SIZE size = {0, 0};
        GetTextExtentPoint32W(hdc, measured, measured.GetLength(), &size);
        const int w = MulDiv(size.cx, 80, 45), h = MulDiv(size.cy, 23, 13);
        m_cxButton = w > m_cxButton ? w : m_cxButton;
        m_cyButton = h > m_cyButton ? h : m_cyButton;
        m_buttons.push_back(b);
    }
    const BOOL bDisabledPeriod = m_params.nDisabledSeconds > 0 && m_nSecondsLeft > 0;
    const BOOL bInCaption = bDisabledPeriod && m_params.bCountdownInCaption;
    const BOOL bOnButton = bDisabledPeriod && !m_params.bCountdownInCaption;
    for (size_t i = 0; i < m_buttons.size(); ++i)
    {
        Button& b = m_buttons[i];
        DWORD style = 0x50010000;
        CString text = b.caption;
        const BOOL bDefault = (int)i == m_nDefault;
        if (bDefault)
        {
            m_strDefaultCaption = b.caption;
            const BOOL bCount = b.id == IDHELP ? (m_params.nTimeout > 0 || bOnButton) : m_nSecondsLeft > 0;
            if (bCount && !bInCaption)
                text.Format(L"%s = %d", (LPCWSTR)b.caption, m_nSecondsLeft);
        }
        if (bInCaption)
        {
            if (b.id != IDHELP)
                style |= WS_DISABLED;
        }
        else if (bOnButton && bDefault && b.id != IDHELP)
        {
            style |= WS_DISABLED;
        }
        else if (bDefault)
        {
            style |= BS_DEFPUSHBUTTON;
        }
        b.hWnd = CreateWindowExW(0, L"BUTTON", text, style, 0, 0, m_cxButton, m_cyButton, m_hWnd,
                                 (HMENU)(UINT_PTR)(b.id & 0xFFFF), GetModuleHandleW(NULL), NULL);
        SendMessageW(b.hWnd, WM_SETFONT, (WPARAM)m_hFont, FALSE);
    }
    if (!m_buttons.empty())
    {
        grow((int)m_buttons.size() * (m_cxButton + kButtonGap) + kButtonGap);
        m_cyButtons += m_cyButton;
    }
    SelectObject(hdc, hOldFont);
    ReleaseDC(NULL, hdc);

    // The window around a client area of the content's size.
    RECT rc = {0, 0, contentWidth, m_cyHeader + m_cyMessage + m_cyButtons};
    AdjustWindowRectEx(&rc, (DWORD)GetWindowLongPtrW(m_hWnd, GWL_STYLE), FALSE,
                       (DWORD)GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE));
    SetWindowPos(m_hWnd, NULL, 0, 0, rc.right - rc.left, rc.bottom - rc.top, SWP_NOMOVE | SWP_NOZORDER);
}

void CRichMessageBox::LayoutControls()
{
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    const int clientHeight = m_cyHeader + m_cyMessage + m_cyButtons;
    const BOOL bBelow = m_bCheckBox && (m_params.dwStyle & MB_CHECKBOXBELOW);
    int top = clientHeight - kBottomMargin - m_cyButton;
    if (bBelow)
        top -= kCheckSize + kButtonGap;
    const int n = (int)m_buttons.size();
    const int total = n * (m_cxButton + kButtonGap) - kButtonGap;
    int left = (rc.right - total) / 2;
    if (m_params.nButtonAlign == 0)
        left = kButtonGap;
    else if (m_params.nButtonAlign == 1)
        left = rc.right - kButtonGap - total;
    for (const Button& b : m_buttons)
    {
        SetWindowPos(b.hWnd, NULL, left, top, m_cxButton, m_cyButton, SWP_NOZORDER);
        left += m_cxButton + kButtonGap;
    }
    if (m_hCheckBox != NULL)
    {
        const int checkTop = bBelow ? clientHeight - kBottomMargin - kCheckSize
                                    : clientHeight - kBottomMargin - m_cyButton - kButtonGap - kCheckSize;
        SetWindowPos(m_hCheckBox, NULL, kCheckGap, checkTop, kCheckSize, kCheckSize, SWP_NOZORDER);
        SetWindowPos(m_hCheckLabel, NULL, kCheckGap + kCheckSize + 6, checkTop, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    }
}

CRichMessageBox::Button* CRichMessageBox::FindButton(UINT nId)
{
    for (Button& b : m_buttons)
        if (b.id == nId)
            return &b;
    return NULL;
}

CRichMessageBox::Button* CRichMessageBox::DefaultButton()
{
    return m_nDefault >= 0 && m_nDefault < (int)m_buttons.size() ? &m_buttons[(size_t)m_nDefault] : NULL;
}

void CRichMessageBox::EnableCloseItem(BOOL bEnable)
{
    HMENU hMenu = GetSystemMenu(m_hWnd, FALSE);
    if (hMenu != NULL)
        EnableMenuItem(hMenu, SC_CLOSE, MF_BYCOMMAND | (bEnable ? MF_ENABLED : MF_GRAYED));
}

void CRichMessageBox::ShowCountdown()
{
    CString text;
    text.Format(m_strCountdownFormat, (LPCWSTR)m_strCaption, m_nSecondsLeft);
    SetWindowTextW(m_hWnd, text);
}

void CRichMessageBox::OnTimer()
{
    if (m_nSecondsLeft > 0)
        --m_nSecondsLeft;
    const BOOL bDisabledPeriod = m_params.nDisabledSeconds > 0;
    Button* pDefault = DefaultButton();
    if (m_nSecondsLeft > 0)
    {
        if (bDisabledPeriod && m_params.bCountdownInCaption)
            ShowCountdown();
        else if (pDefault != NULL)
        {
            CString text;
            text.Format(L"%s = %d", (LPCWSTR)m_strDefaultCaption, m_nSecondsLeft);
            SetWindowTextW(pDefault->hWnd, text);
        }
        return;
    }
    KillTimer(m_hWnd, kTimerId);
    if (bDisabledPeriod)
    {
        if (m_bCancelAllowed)
            EnableCloseItem(TRUE);
        if (m_params.bCountdownInCaption)
        {
            SetWindowTextW(m_hWnd, m_strCaption);
            for (Button& b : m_buttons)
                EnableWindow(b.hWnd, TRUE);
        }
        else if (pDefault != NULL)
        {
            SetWindowTextW(pDefault->hWnd, m_strDefaultCaption);
        }
        if (pDefault != NULL)
        {
            EnableWindow(pDefault->hWnd, TRUE);
            SendMessageW(m_hWnd, DM_SETDEFID, pDefault->id, 0);
        }
        return;
    }
    if (pDefault != NULL)
    {
        SetWindowTextW(pDefault->hWnd, m_strDefaultCaption);
        SendMessageW(m_hWnd, WM_COMMAND, (WPARAM)(pDefault->id | 0x80000000u), 0);
    }
}

void CRichMessageBox::ToggleMore()
{
    m_bUnfolded = !m_bUnfolded;
    RECT rc;
    GetWindowRect(m_hWnd, &rc);
    const int height = rc.bottom - rc.top + (m_bUnfolded ? m_cyMore : -m_cyMore);
    SetWindowPos(m_hWnd, NULL, 0, 0, rc.right - rc.left, height, SWP_NOMOVE | SWP_NOZORDER);
    if (Button* pMore = FindButton(IDMORE))
        SetWindowTextW(pMore->hWnd, m_bUnfolded ? m_strLess : m_strMoreCaption);
    InvalidateRect(m_hWnd, NULL, FALSE);
}

void CRichMessageBox::Remember(int nResult) const
{
    if (!HasText(m_params.lpszCheckValuePrefix))
        return;
    HKEY hKey = NULL;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, RegistryPath(m_params.lpszCompany), 0, NULL, 0, KEY_SET_VALUE, NULL, &hKey, NULL) !=
        ERROR_SUCCESS)
        return;
    CString value;
    value.Format(L"%s%d", m_params.lpszCheckValuePrefix, m_params.nCheckValueNumber);
    const DWORD data = (DWORD)nResult;
    RegSetValueExW(hKey, value, 0, REG_DWORD, (const BYTE*)&data, sizeof(data));
    RegCloseKey(hKey);
}

void CRichMessageBox::OnCommand(UINT nId)
{
    if (nId == 0)
        return;
    if (nId == IDCANCEL && !m_bCancelAllowed)
        return;
    // A disabled button cannot be pressed from the keyboard either.
    if (Button* pButton = FindButton(nId))
        if (!IsWindowEnabled(pButton->hWnd))
            return;
    switch (nId)
    {
    case IDHELP:
    {
        WCHAR szPath[MAX_PATH] = {};
        GetModuleFileNameW(NULL, szPath, MAX_PATH - 4);
        WCHAR* dot = wcsrchr(szPath, L'.');
        if (dot != NULL)
            *dot = 0;
        wcscat(szPath, L".hlp");
        if (m_params.dwHelpContextId != 0)
            WinHelpW(m_hWnd, szPath, HELP_CONTEXT, m_params.dwHelpContextId);
        else
            WinHelpW(m_hWnd, szPath, HELP_PARTIALKEY, (ULONG_PTR)L"");
        return;
    }
    case IDREPORT:
        if (m_params.hwndOwner != NULL)
            SendMessageW(m_params.hwndOwner, m_params.nReportMessage, 0, 0);
        return;
    case IDLESS:
    case IDMORE:
        ToggleMore();
        return;
    default:
        break;
    }
    KillTimer(m_hWnd, kTimerId);
    int nResult = (int)nId;
    if (m_hCheckBox != NULL && SendMessageW(m_hCheckBox, BM_GETCHECK, 0, 0) == BST_CHECKED)
    {
        if (m_params.dwStyle & MB_CHECKBOXCHECKED)
            nResult |= MB_CHECKBOXCHECKED;
        Remember(nResult);
    }
    EndDialog(m_hWnd, nResult);
}

void CRichMessageBox::FillArea(HDC hdc, const RECT& rc, const MessageBoxAreaStyle& style)
{
    if (style.nEffect == -1)
    {
        FillRect(hdc, &rc, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    m_message.GetImageEffects().FillEffect(hdc, style.nEffect, rc, style.crStart, style.crMiddle, style.crEnd, 0, 0);
}

void CRichMessageBox::DrawSeparator(HDC hdc, const RECT& area, const MessageBoxAreaStyle& style, const CString& text)
{
    if (style.nSeparator == 0)
        return;
    const int y = area.top;
    int left = area.left + 5, right = area.right - 5;
    auto line = [&](int x1, int x2) {
        if (x2 <= x1)
            return;
        if (style.nSeparator == 1)
        {
            RECT edge = {x1, y, x2, y + 2};
            DrawEdge(hdc, &edge, EDGE_ETCHED, BF_TOP);
        }
        else
        {
            m_message.GetImageEffects().DrawLine(hdc, x1, y, x2, y, style.nSeparator == 2 ? RGB(0, 0, 0)
                                                                                          : RGB(255, 255, 255),
                                                 1, 1);
        }
    };
    if (text.IsEmpty())
    {
        line(left, right);
        return;
    }
    HGDIOBJ hOld = SelectObject(hdc, m_hFont);
    SIZE size = {0, 0};
    GetTextExtentPoint32W(hdc, text, text.GetLength(), &size);
    int textLeft = left;
    if (style.nSeparatorAlign == 1)
        textLeft = right - size.cx;
    else if (style.nSeparatorAlign == 2)
        textLeft = (left + right - size.cx) / 2;
    RECT rcText = {textLeft, y - size.cy / 2, textLeft + size.cx, y - size.cy / 2 + size.cy};
    const int oldMode = SetBkMode(hdc, TRANSPARENT);
    DrawStateW(hdc, NULL, NULL, (LPARAM)(LPCWSTR)text, (WPARAM)text.GetLength(), rcText.left, rcText.top, size.cx,
               size.cy, DST_TEXT | DSS_DISABLED);
    SetBkMode(hdc, oldMode);
    SelectObject(hdc, hOld);
    if (style.nSeparatorAlign == 0)
        line(rcText.right + 5, right);
    else if (style.nSeparatorAlign == 1)
        line(left, rcText.left - 5);
    else
    {
        line(left, rcText.left - 5);
        line(rcText.right + 5, right);
    }
}

HBITMAP CRichMessageBox::BuildBackground(int cx, int cy)
{
    HDC hScreen = GetDC(NULL);
    HBITMAP hBitmap = CreateCompatibleBitmap(hScreen, cx, cy);
    HDC hdc = CreateCompatibleDC(hScreen);
    ReleaseDC(NULL, hScreen);
    if (hBitmap == NULL || hdc == NULL)
    {
        if (hdc != NULL)
            DeleteDC(hdc);
        if (hBitmap != NULL)
            DeleteObject(hBitmap);
        return NULL;
    }
    HGDIOBJ hOld = SelectObject(hdc, hBitmap);
    RECT all = {0, 0, cx, cy};
    FillArea(hdc, all, m_params.asDialog);
    if (m_cyHeader > 0)
    {
        RECT header = {0, 0, cx, m_cyHeader};
        if (m_params.asHeader.nEffect != -1)
            FillArea(hdc, header, m_params.asHeader);
        RECT bottom = {0, m_cyHeader, cx, m_cyHeader};
        DrawSeparator(hdc, bottom, m_params.asHeader, m_strHeaderSeparator);
    }
    RECT buttons = {0, m_cyHeader + m_cyMessage, cx, m_cyHeader + m_cyMessage + m_cyButtons};
    if (m_params.asButtons.nEffect != -1)
        FillArea(hdc, buttons, m_params.asButtons);
    DrawSeparator(hdc, buttons, m_params.asButtons, m_strButtonSeparator);
    if (m_cyMore > 0)
    {
        RECT more = {0, buttons.bottom, cx, cy};
        if (m_params.asMore.nEffect != -1)
            FillArea(hdc, more, m_params.asMore);
        DrawSeparator(hdc, more, m_params.asMore, m_strMoreSeparator);
    }
    SelectObject(hdc, hOld);
    DeleteDC(hdc);
    return hBitmap;
}

void CRichMessageBox::PaintTo(HDC hdc)
{
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    const int cx = rc.right, cy = rc.bottom;
    if (cx <= 0 || cy <= 0)
        return;
    const int fullHeight = m_cyHeader + m_cyMessage + m_cyButtons + m_cyMore;
    if (m_hBackground == NULL)
        m_hBackground = BuildBackground(cx, fullHeight > cy ? fullHeight : cy);
    HDC hMem = CreateCompatibleDC(hdc);
    HBITMAP hFrame = CreateCompatibleBitmap(hdc, cx, cy);
    if (hMem == NULL || hFrame == NULL || m_hBackground == NULL)
    {
        if (hMem != NULL)
            DeleteDC(hMem);
        if (hFrame != NULL)
            DeleteObject(hFrame);
        return;
    }
    HGDIOBJ hOldFrame = SelectObject(hMem, hFrame);
    HDC hCache = CreateCompatibleDC(hdc);
    HGDIOBJ hOldCache = SelectObject(hCache, m_hBackground);
    BitBlt(hMem, 0, 0, cx, cy, hCache, 0, 0, SRCCOPY);
    SelectObject(hCache, hOldCache);
    DeleteDC(hCache);
    if (m_cyHeader > 0)
    {
        RECT header = {kMarginX, kMarginY, cx - kMarginX, m_cyHeader - kMarginY};
        m_header.Draw(hMem, header);
    }
    if (m_cyMessage > 0)
    {
        RECT message = {kMarginX, m_cyHeader + kMarginY, cx - kMarginX, m_cyHeader + m_cyMessage - kMarginY};
        m_message.Draw(hMem, message);
    }
    if (m_bUnfolded && m_cyMore > 0)
    {
        RECT more = {kMarginX, cy - m_cyMore + kMarginY, cx - kMarginX, cy};
        m_moreText.Draw(hMem, more);
    }
    BitBlt(hdc, 0, 0, cx, cy, hMem, 0, 0, SRCCOPY);
    SelectObject(hMem, hOldFrame);
    DeleteObject(hFrame);
    DeleteDC(hMem);
}

#include "Driver.h"

#include <wincodec.h>

#include <cstdio>
#include <cwchar>

namespace tdrive {

namespace {

const wchar_t kCaption[] = L"Tesmir for VHD";
const UINT kViewId = 0xE900;

struct FindById
{
    UINT id;
    HWND found;
};

BOOL CALLBACK FindByIdProc(HWND hwnd, LPARAM lParam)
{
    FindById* f = reinterpret_cast<FindById*>(lParam);
    if ((UINT)GetDlgCtrlID(hwnd) == f->id) {
        f->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

struct FindByClass
{
    const wchar_t* name;
    HWND found;
};

BOOL CALLBACK FindByClassProc(HWND hwnd, LPARAM lParam)
{
    FindByClass* f = reinterpret_cast<FindByClass*>(lParam);
    if (_wcsicmp(ClassName(hwnd).c_str(), f->name) == 0) {
        f->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

struct TopLevels
{
    DWORD pid;
    std::vector<HWND> windows;
};

BOOL CALLBACK TopLevelProc(HWND hwnd, LPARAM lParam)
{
    TopLevels* t = reinterpret_cast<TopLevels*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == t->pid)
        t->windows.push_back(hwnd);
    return TRUE;
}

// Windows of the process that are no step's business: tooltips, menus,
// the IME's and the desktop's helpers.
bool IsPassive(HWND hwnd)
{
    const std::wstring cls = ClassName(hwnd);
    return cls == L"tooltips_class32" || cls == L"#32768" || cls == L"IME" || cls == L"#32769" ||
           cls.find(L"ToolTip") != std::wstring::npos;
}

}  // namespace

std::string Narrow(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), NULL, 0, NULL, NULL);
    std::string out((size_t)n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), &out[0], n, NULL, NULL);
    return out;
}

std::wstring Widen(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), (int)text.size(), NULL, 0);
    std::wstring out((size_t)n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), (int)text.size(), &out[0], n);
    return out;
}

const char* StepName(Step step)
{
    switch (step) {
    case Step::StartPage: return "start page";
    case Step::DriveStep: return "drive step";
    case Step::ScanStep: return "scan step";
    case Step::FileSystemStep: return "file-system step";
    case Step::RecoveryStep: return "recovery step";
    default: return "no step";
    }
}

UINT StepMarker(Step step)
{
    // A test-only switch makes one marker wrong, to show how a failed step
    // is reported.
    static const std::wstring wrong = Env(L"TDRIVE_WRONG_MARKER");
    UINT marker = 0;
    switch (step) {
    case Step::StartPage: marker = 61492; break;
    case Step::DriveStep: marker = 32822; break;
    case Step::ScanStep: marker = 61463; break;
    case Step::FileSystemStep: marker = 32824; break;
    case Step::RecoveryStep: marker = 165; break;
    default: return 0;
    }
    if (!wrong.empty() && Narrow(wrong) == StepName(step))
        marker = 4242;
    return marker;
}

std::wstring Env(const wchar_t* name)
{
    wchar_t buffer[4096];
    const DWORD n = GetEnvironmentVariableW(name, buffer, 4096);
    return n > 0 && n < 4096 ? std::wstring(buffer, n) : std::wstring();
}

HWND FindDescendant(HWND parent, UINT id)
{
    FindById f = {id, NULL};
    EnumChildWindows(parent, FindByIdProc, (LPARAM)&f);
    return f.found;
}

HWND FindDescendantClass(HWND parent, const wchar_t* className)
{
    FindByClass f = {className, NULL};
    EnumChildWindows(parent, FindByClassProc, (LPARAM)&f);
    return f.found;
}

std::wstring WindowText(HWND hwnd)
{
    wchar_t buffer[2048] = L"";
    // WM_GETTEXT reaches other processes' controls (GetWindowText does not).
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 2048, (LPARAM)buffer, SMTO_ABORTIFHUNG, 5000, NULL);
    buffer[2047] = 0;
    return buffer;
}

std::wstring ClassName(HWND hwnd)
{
    wchar_t buffer[256] = L"";
    GetClassNameW(hwnd, buffer, 256);
    return buffer;
}

void PostClick(HWND button)
{
    if (!button)
        throw StepFailure("no button to press");
    PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), (LPARAM)button);
}

void PostMouseClick(HWND hwnd, POINT pt)
{
    const LPARAM at = MAKELPARAM(pt.x, pt.y);
    PostMessageW(hwnd, WM_MOUSEMOVE, 0, at);
    PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(hwnd, WM_LBUTTONUP, 0, at);
}

void PostDoubleClick(HWND hwnd, POINT pt)
{
    const LPARAM at = MAKELPARAM(pt.x, pt.y);
    PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(hwnd, WM_LBUTTONUP, 0, at);
    PostMessageW(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageW(hwnd, WM_LBUTTONUP, 0, at);
}

void RealClick(POINT screen)
{
    const int cx = GetSystemMetrics(SM_CXSCREEN) - 1, cy = GetSystemMetrics(SM_CYSCREEN) - 1;
    auto input = [&](int x, int y, DWORD flags) {
        INPUT in = {};
        in.type = INPUT_MOUSE;
        in.mi.dx = (x * 65535 + cx / 2) / cx;
        in.mi.dy = (y * 65535 + cy / 2) / cy;
        in.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | flags;
        return in;
    };
    // From beside the point, so the move to it is a real move.
    INPUT steps[4] = {input(screen.x + 7, screen.y + 5, 0), input(screen.x, screen.y, 0),
                      input(screen.x, screen.y, MOUSEEVENTF_LEFTDOWN), input(screen.x, screen.y, MOUSEEVENTF_LEFTUP)};
    SendInput(2, steps, sizeof(INPUT));
    PollUntil(
        [&] {
            POINT now;
            GetCursorPos(&now);
            return now.x == screen.x && now.y == screen.y;
        },
        2000);
    SendInput(2, steps + 2, sizeof(INPUT));
}

bool PollUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (done())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        // The driver has no windows: it waits for the program, not for
        // messages of its own.
        MsgWaitForMultipleObjects(0, NULL, FALSE, 100, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
}

Program::Program() {}

Program::~Program()
{
    if (m_process)
        CloseHandle(m_process);
}

void Program::Start(const std::wstring& exe, const std::wstring& arguments)
{
    std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/"));
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(exe.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL, folder.c_str(), &si, &pi))
        throw StepFailure("the program did not start: " + Narrow(exe) + " (error " + std::to_string(GetLastError()) +
                          ")");
    CloseHandle(pi.hThread);
    if (m_process)
        CloseHandle(m_process);
    m_process = pi.hProcess;
    m_pid = pi.dwProcessId;
    m_frame = NULL;
    m_scratch = NULL;
}

void Program::Kill()
{
    if (m_process && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_process, 99);
        WaitForSingleObject(m_process, 10000);
    }
}

DWORD Program::WaitExit(DWORD timeoutMs)
{
    if (!m_process)
        return STILL_ACTIVE;
    WaitForSingleObject(m_process, timeoutMs);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(m_process, &code);
    return code;
}

bool Program::Running() const { return m_process && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT; }

HWND Program::Frame()
{
    if (m_frame && IsWindow(m_frame))
        return m_frame;
    m_frame = NULL;
    TopLevels t = {m_pid, {}};
    EnumWindows(TopLevelProc, (LPARAM)&t);
    for (HWND hwnd : t.windows) {
        if (WindowText(hwnd) == kCaption && GetDlgItem(hwnd, kViewId) != NULL) {
            m_frame = hwnd;
            break;
        }
    }
    return m_frame;
}

HWND Program::WaitFrame(DWORD timeoutMs)
{
    if (!PollUntil([&] { return Frame() != NULL && IsWindowVisible(Frame()); }, timeoutMs))
        throw StepFailure("the frame \"Tesmir for VHD\" did not show");
    return Frame();
}

HWND Program::CurrentView()
{
    HWND frame = Frame();
    return frame ? GetDlgItem(frame, kViewId) : NULL;
}

Step Program::CurrentStep()
{
    HWND view = CurrentView();
    if (!view)
        return Step::None;
    for (Step step : {Step::StartPage, Step::DriveStep, Step::ScanStep, Step::FileSystemStep, Step::RecoveryStep}) {
        if (FindDescendant(view, StepMarker(step)))
            return step;
    }
    return Step::None;
}

HWND Program::WaitStep(Step step, DWORD timeoutMs)
{
    if (!PollUntil([&] { return CurrentStep() == step && IsWindowVisible(CurrentView()); }, timeoutMs))
        throw StepFailure(std::string("the ") + StepName(step) + " did not show (now: " + StepName(CurrentStep()) +
                          ")");
    return CurrentView();
}

std::vector<HWND> Program::Popups()
{
    TopLevels t = {m_pid, {}};
    EnumWindows(TopLevelProc, (LPARAM)&t);
    std::vector<HWND> popups;
    for (HWND hwnd : t.windows) {
        if (hwnd != Frame() && IsWindowVisible(hwnd) && !IsPassive(hwnd))
            popups.push_back(hwnd);
    }
    return popups;
}

HWND Program::WaitPopup(const char* what, const std::function<bool(HWND)>& match, DWORD timeoutMs)
{
    HWND found = NULL;
    PollUntil(
        [&] {
            for (HWND hwnd : Popups()) {
                if (match(hwnd)) {
                    found = hwnd;
                    return true;
                }
            }
            return !Running();
        },
        timeoutMs);
    if (!found) {
        std::string shown;
        for (HWND hwnd : Popups())
            shown += " \"" + Narrow(WindowText(hwnd)) + "\" (" + Narrow(ClassName(hwnd)) + ")";
        throw StepFailure(std::string("no ") + what + " showed" +
                          (shown.empty() ? std::string() : "; shown instead:" + shown));
    }
    return found;
}

void Program::WaitPopupGone(const char* what, HWND hwnd, DWORD timeoutMs)
{
    if (!PollUntil([&] { return !IsWindow(hwnd) || !IsWindowVisible(hwnd); }, timeoutMs))
        throw StepFailure(std::string("the ") + what + " did not close");
}

void* Program::RemoteAlloc(size_t bytes)
{
    void* p = VirtualAllocEx(m_process, NULL, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!p)
        throw StepFailure("no memory in the program's process");
    return p;
}

void Program::RemoteWrite(void* remote, const void* data, size_t bytes)
{
    SIZE_T done = 0;
    if (!WriteProcessMemory(m_process, remote, data, bytes, &done) || done != bytes)
        throw StepFailure("writing the program's memory failed");
}

void Program::RemoteRead(const void* remote, void* data, size_t bytes)
{
    SIZE_T done = 0;
    if (!ReadProcessMemory(m_process, remote, data, bytes, &done) || done != bytes)
        throw StepFailure("reading the program's memory failed");
}

// One scratch page in the program: a structure at its start, a text
// buffer after it.
namespace {
const size_t kScratchBytes = 65536;
const size_t kTextOffset = 1024;
const int kTextChars = (int)((kScratchBytes - kTextOffset) / sizeof(wchar_t));
}  // namespace

std::wstring Program::TreeItemText(HWND tree, HTREEITEM item)
{
    if (!m_scratch)
        m_scratch = RemoteAlloc(kScratchBytes);
    TVITEMW tvi = {};
    tvi.mask = TVIF_TEXT | TVIF_HANDLE;
    tvi.hItem = item;
    tvi.pszText = (LPWSTR)((char*)m_scratch + kTextOffset);
    tvi.cchTextMax = kTextChars;
    RemoteWrite(m_scratch, &tvi, sizeof(tvi));
    if (!SendMessageW(tree, TVM_GETITEMW, 0, (LPARAM)m_scratch))
        return std::wstring();
    std::vector<wchar_t> text((size_t)kTextChars);
    RemoteRead((char*)m_scratch + kTextOffset, text.data(), text.size() * sizeof(wchar_t));
    text.back() = 0;
    return text.data();
}

UINT Program::TreeItemState(HWND tree, HTREEITEM item)
{
    return (UINT)SendMessageW(tree, TVM_GETITEMSTATE, (WPARAM)item, 0xFFFF);
}

RECT Program::TreeItemRect(HWND tree, HTREEITEM item, bool labelOnly)
{
    if (!m_scratch)
        m_scratch = RemoteAlloc(kScratchBytes);
    // The item's handle goes in where the rectangle comes back.
    RemoteWrite(m_scratch, &item, sizeof(item));
    RECT rc = {};
    if (!SendMessageW(tree, TVM_GETITEMRECT, labelOnly ? TRUE : FALSE, (LPARAM)m_scratch))
        throw StepFailure("a tree item has no rectangle (not visible)");
    RemoteRead(m_scratch, &rc, sizeof(rc));
    return rc;
}

UINT Program::TreeHitTest(HWND tree, POINT pt, HTREEITEM* item)
{
    if (!m_scratch)
        m_scratch = RemoteAlloc(kScratchBytes);
    TVHITTESTINFO hit = {};
    hit.pt = pt;
    RemoteWrite(m_scratch, &hit, sizeof(hit));
    SendMessageW(tree, TVM_HITTEST, 0, (LPARAM)m_scratch);
    RemoteRead(m_scratch, &hit, sizeof(hit));
    if (item)
        *item = hit.hItem;
    return hit.flags;
}

HTREEITEM Program::TreeFind(HWND tree, HTREEITEM parent, const std::wstring& text)
{
    HTREEITEM child = (HTREEITEM)SendMessageW(tree, TVM_GETNEXTITEM, parent ? TVGN_CHILD : TVGN_ROOT, (LPARAM)parent);
    for (; child; child = (HTREEITEM)SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)child)) {
        if (TreeItemText(tree, child) == text)
            return child;
    }
    return NULL;
}

HTREEITEM Program::TreeFindPrefix(HWND tree, HTREEITEM parent, const std::wstring& prefix)
{
    HTREEITEM child = (HTREEITEM)SendMessageW(tree, TVM_GETNEXTITEM, parent ? TVGN_CHILD : TVGN_ROOT, (LPARAM)parent);
    for (; child; child = (HTREEITEM)SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)child)) {
        if (TreeItemText(tree, child).compare(0, prefix.size(), prefix) == 0)
            return child;
        if (HTREEITEM below = TreeFindPrefix(tree, child, prefix))
            return below;
    }
    return NULL;
}

std::vector<std::wstring> Program::TreeChildTexts(HWND tree, HTREEITEM parent)
{
    std::vector<std::wstring> texts;
    HTREEITEM child = (HTREEITEM)SendMessageW(tree, TVM_GETNEXTITEM, parent ? TVGN_CHILD : TVGN_ROOT, (LPARAM)parent);
    for (; child; child = (HTREEITEM)SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)child))
        texts.push_back(TreeItemText(tree, child));
    return texts;
}

int Program::ListCount(HWND list) { return (int)SendMessageW(list, LVM_GETITEMCOUNT, 0, 0); }

std::wstring Program::ListText(HWND list, int row, int column)
{
    if (!m_scratch)
        m_scratch = RemoteAlloc(kScratchBytes);
    LVITEMW lvi = {};
    lvi.iSubItem = column;
    lvi.pszText = (LPWSTR)((char*)m_scratch + kTextOffset);
    lvi.cchTextMax = kTextChars;
    RemoteWrite(m_scratch, &lvi, sizeof(lvi));
    const int n = (int)SendMessageW(list, LVM_GETITEMTEXTW, row, (LPARAM)m_scratch);
    if (n <= 0)
        return std::wstring();
    std::vector<wchar_t> text((size_t)n + 1);
    RemoteRead((char*)m_scratch + kTextOffset, text.data(), (size_t)n * sizeof(wchar_t));
    return std::wstring(text.data(), (size_t)n);
}

RECT Program::ListItemRect(HWND list, int row, int code)
{
    if (!m_scratch)
        m_scratch = RemoteAlloc(kScratchBytes);
    RECT rc = {};
    rc.left = code;
    RemoteWrite(m_scratch, &rc, sizeof(rc));
    if (!SendMessageW(list, LVM_GETITEMRECT, row, (LPARAM)m_scratch))
        throw StepFailure("a list row has no rectangle");
    RemoteRead(m_scratch, &rc, sizeof(rc));
    return rc;
}

int Program::ListFind(HWND list, const std::wstring& text)
{
    const int n = ListCount(list);
    for (int row = 0; row < n; ++row) {
        if (ListText(list, row, 0) == text)
            return row;
    }
    return -1;
}

std::wstring SaveScreen(const std::wstring& path)
{
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(NULL);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = -cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = NULL;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, cx, cy, screen, 0, 0, SRCCOPY | CAPTUREBLT);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(NULL, screen);
    // Opaque pixels for viewers that read the fourth byte as alpha.
    BYTE* p = (BYTE*)bits;
    for (int i = 0; i < cx * cy; ++i)
        p[i * 4 + 3] = 0xFF;

    std::wstring written;
    CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* factory = NULL;
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                   (void**)&factory))) {
        IWICStream* stream = NULL;
        IWICBitmapEncoder* encoder = NULL;
        IWICBitmapFrameEncode* frame = NULL;
        bool ok = SUCCEEDED(factory->CreateStream(&stream)) &&
                  SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
                  SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, NULL, &encoder)) &&
                  SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
                  SUCCEEDED(encoder->CreateNewFrame(&frame, NULL)) && SUCCEEDED(frame->Initialize(NULL)) &&
                  SUCCEEDED(frame->SetSize(cx, cy));
        WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
        ok = ok && SUCCEEDED(frame->SetPixelFormat(&format));
        ok = ok && IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA) &&
             SUCCEEDED(frame->WritePixels(cy, cx * 4, cx * cy * 4, (BYTE*)bits)) && SUCCEEDED(frame->Commit()) &&
             SUCCEEDED(encoder->Commit());
        if (frame)
            frame->Release();
        if (encoder)
            encoder->Release();
        if (stream)
            stream->Release();
        factory->Release();
        if (ok)
            written = path;
    }
    if (written.empty()) {
        // No PNG encoder: the same pixels as a BMP beside the asked name.
        std::wstring bmp = path.substr(0, path.find_last_of(L'.')) + L".bmp";
        HANDLE file = CreateFileW(bmp.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        if (file != INVALID_HANDLE_VALUE) {
            BITMAPFILEHEADER fh = {};
            fh.bfType = 0x4D42;
            fh.bfOffBits = sizeof(fh) + sizeof(bi.bmiHeader);
            fh.bfSize = fh.bfOffBits + (DWORD)(cx * cy * 4);
            DWORD done = 0;
            WriteFile(file, &fh, sizeof(fh), &done, NULL);
            WriteFile(file, &bi.bmiHeader, sizeof(bi.bmiHeader), &done, NULL);
            WriteFile(file, bits, (DWORD)(cx * cy * 4), &done, NULL);
            CloseHandle(file);
            written = bmp;
        }
    }
    DeleteObject(dib);
    return written;
}

}  // namespace tdrive

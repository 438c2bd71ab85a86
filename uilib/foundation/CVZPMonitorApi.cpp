#include "CVZPMonitorApi.h"

#include "CVZPWindowsVersion.h"

namespace {
// Zero-initialised: entry points missing, not yet looked up.
CVZPMonitorApi g_monitorApi;
// The work area a test put in place of the real ones.
BOOL g_bTestWorkArea = FALSE;
RECT g_rcTestWorkArea = {0, 0, 0, 0};

template <class TFn>
TFn Lookup(HMODULE hModule, const char* pszName)
{
    FARPROC pfn = ::GetProcAddress(hModule, pszName);
    return reinterpret_cast<TFn>(reinterpret_cast<void (*)()>(pfn));
}

CRect PrimaryWorkArea()
{
    CRect rect(0, 0, 0, 0);
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rect, 0);
    return rect;
}
}  // namespace

CVZPMonitorApi& CVZPMonitorApi::GetInstance()
{
    return g_monitorApi;
}

void CVZPMonitorApi::InitializeProcessState()
{
    g_monitorApi.m_bInitialized = FALSE;
}

void CVZPMonitorApi::SetMissingForTest(BOOL bMissing)
{
    g_monitorApi.Clear();
    g_monitorApi.m_bInitialized = bMissing;
}

void CVZPMonitorApi::SetWorkAreaForTest(LPCRECT lpRect)
{
    g_bTestWorkArea = lpRect != NULL;
    if (lpRect != NULL)
        g_rcTestWorkArea = *lpRect;
}

void CVZPMonitorApi::Clear()
{
    m_pfnGetSystemMetrics = NULL;
    m_pfnMonitorFromWindow = NULL;
    m_pfnMonitorFromRect = NULL;
    m_pfnMonitorFromPoint = NULL;
    m_pfnGetMonitorInfo = NULL;
}

void CVZPMonitorApi::Resolve()
{
    if (m_bInitialized)
        return;
    m_bInitialized = TRUE;
    Clear();
    // Multiple monitors came with Windows 98 and Windows 2000.
    const OSVERSIONINFOW& version = GetWindowsVersion().GetInfo();
    const BOOL bNt = version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    const BOOL bHasMonitors = bNt ? version.dwMajorVersion >= 5
                                  : (version.dwMajorVersion > 4 || (version.dwMajorVersion == 4 && version.dwMinorVersion >= 10));
    if (!bHasMonitors)
        return;
    HMODULE hUser = ::GetModuleHandleW(L"USER32");
    if (hUser == NULL)
        return;
    m_pfnGetSystemMetrics = Lookup<PFNGETSYSTEMMETRICS>(hUser, "GetSystemMetrics");
    m_pfnMonitorFromWindow = Lookup<PFNMONITORFROMWINDOW>(hUser, "MonitorFromWindow");
    m_pfnMonitorFromRect = Lookup<PFNMONITORFROMRECT>(hUser, "MonitorFromRect");
    m_pfnMonitorFromPoint = Lookup<PFNMONITORFROMPOINT>(hUser, "MonitorFromPoint");
    m_pfnGetMonitorInfo = Lookup<PFNGETMONITORINFO>(hUser, bNt ? "GetMonitorInfoW" : "GetMonitorInfoA");
    if (m_pfnGetSystemMetrics == NULL || m_pfnMonitorFromWindow == NULL || m_pfnMonitorFromRect == NULL ||
        m_pfnMonitorFromPoint == NULL || m_pfnGetMonitorInfo == NULL)
        Clear();
}

CRect CVZPMonitorApi::WorkAreaOf(HMONITOR hMonitor) const
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);   // 40: no device name
    if (hMonitor != NULL && m_pfnGetMonitorInfo != NULL && m_pfnGetMonitorInfo(hMonitor, &info))
        return CRect(info.rcWork);
    return PrimaryWorkArea();
}

CRect CVZPMonitorApi::GetWorkArea(LPCRECT lpRect)
{
    if (g_bTestWorkArea)
        return CRect(g_rcTestWorkArea);
    Resolve();
    if (m_pfnMonitorFromRect == NULL || lpRect == NULL)
        return PrimaryWorkArea();
    return WorkAreaOf(m_pfnMonitorFromRect(lpRect, MONITOR_DEFAULTTONULL));
}

CRect CVZPMonitorApi::GetWorkArea(POINT pt)
{
    if (g_bTestWorkArea)
        return CRect(g_rcTestWorkArea);
    Resolve();
    if (m_pfnMonitorFromPoint == NULL)
        return PrimaryWorkArea();
    return WorkAreaOf(m_pfnMonitorFromPoint(pt, MONITOR_DEFAULTTONULL));
}

CRect CVZPMonitorApi::GetWorkArea(HWND hWnd)
{
    if (g_bTestWorkArea)
        return CRect(g_rcTestWorkArea);
    Resolve();
    if (m_pfnMonitorFromWindow == NULL)
        return PrimaryWorkArea();
    return WorkAreaOf(m_pfnMonitorFromWindow(hWnd, MONITOR_DEFAULTTONULL));
}

CRect GetWorkAreaForRect(LPCRECT lpRect)
{
    return CVZPMonitorApi::GetInstance().GetWorkArea(lpRect);
}

CRect GetWorkAreaForPoint(POINT pt)
{
    return CVZPMonitorApi::GetInstance().GetWorkArea(pt);
}

CRect GetWorkAreaForWindow(CWnd* pWnd)
{
    return CVZPMonitorApi::GetInstance().GetWorkArea(pWnd != NULL ? pWnd->GetSafeHwnd() : HWND(NULL));
}

void MoveRectToContainPoint(LPRECT lpRect, int x, int y)
{
    if (lpRect == NULL)
        return;
    int dx = 0, dy = 0;
    if (x < lpRect->left)
        dx = x - lpRect->left;
    else if (x > lpRect->right)
        dx = x - lpRect->right;
    if (y < lpRect->top)
        dy = y - lpRect->top;
    else if (y > lpRect->bottom)
        dy = y - lpRect->bottom;
    ::OffsetRect(lpRect, dx, dy);
}

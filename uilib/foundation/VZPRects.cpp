#include "VZPRects.h"

CVZPWindowAreaRect::CVZPWindowAreaRect(HWND hWnd)
{
    SetRectEmpty();
    if (hWnd != NULL && ::IsWindow(hWnd))
        ::GetWindowRect(hWnd, this);
}

CVZPWindowAreaRect::CVZPWindowAreaRect(const CWnd* pWnd) : CVZPWindowAreaRect(pWnd != NULL ? pWnd->GetSafeHwnd() : NULL)
{
}

CVZPClientAreaRect::CVZPClientAreaRect(const CWnd* pWnd)
{
    SetRectEmpty();
    HWND hWnd = pWnd != NULL ? pWnd->GetSafeHwnd() : NULL;
    if (hWnd != NULL && ::IsWindow(hWnd))
        ::GetClientRect(hWnd, this);
}

CVZPClientCursorPos::CVZPClientCursorPos(const CWnd* pWnd) : CPoint(0, 0)
{
    ::GetCursorPos(this);
    ::ScreenToClient(pWnd->GetSafeHwnd(), this);
}

CRect ConstructRectCopy(RECT rect)
{
    return CRect(rect);
}

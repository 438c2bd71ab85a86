// The interface through which bars and shadow windows receive hooked
// messages.
#pragma once

#include <afxwin.h>

class CVZPHookReceiver
{
public:
    virtual ~CVZPHookReceiver() {}
    // 0 not handled, 1 handled (result set), 2 not handled and ask no
    // further receiver. wParam and lParam may be changed on the way.
    virtual int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) = 0;
};

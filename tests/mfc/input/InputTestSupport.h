// Helpers of the input tests: real pointer and keyboard input, activation,
// and a message pump that runs the framework's pre-translation.
#pragma once

#include <afxwin.h>

#include <functional>

namespace mfcinput_test {

// Moves the pointer to screen point (x, y) with SendInput.
void MoveCursorTo(int x, int y);
// Presses and releases the keys in order, releasing in reverse (SendInput).
void PressKeys(std::initializer_list<WORD> keys);

// Pumps through the framework (AfxPumpMessage, so PreTranslateMessage and
// tool tips see every message) until pred() holds or timeoutMs passes.
bool PumpFrameworkUntil(const std::function<bool()>& pred, DWORD timeoutMs = 5000);

// Makes hWnd the foreground window and waits until it is.
bool BringToForeground(HWND hWnd);

// A visible popup window of the framework's default class; the object is
// not deleted when the window goes.
BOOL CreatePopup(CWnd& wnd, const RECT& rect, LPCTSTR lpszTitle = _T("input test"), CWnd* pOwner = NULL);

}  // namespace mfcinput_test

// Helpers of the input tests: real pointer and keyboard input, activation,
// and a message pump that runs the framework's pre-translation.
#pragma once

#include <afxwin.h>

#include <functional>

#include <TestSupport.h>

namespace mfcinput_test {

using tesmir::test::MoveCursorTo;
using tesmir::test::PlaceCursorByInput;
using tesmir::test::PressKeys;

// Pumps through the framework (AfxPumpMessage, so PreTranslateMessage and
// tool tips see every message) until pred() holds or timeoutMs passes.
bool PumpFrameworkUntil(const std::function<bool()>& pred, DWORD timeoutMs = 5000);

// Makes hWnd the foreground window and waits until it is.
bool BringToForeground(HWND hWnd);

// A visible popup window of the framework's default class; the object is
// not deleted when the window goes.
BOOL CreatePopup(CWnd& wnd, const RECT& rect, LPCTSTR lpszTitle = _T("input test"), CWnd* pOwner = NULL);

}  // namespace mfcinput_test

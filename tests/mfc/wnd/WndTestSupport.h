// Helpers shared by the window tests.
#pragma once

#include <afxwin.h>

#include "MfcTestSupport.h"

namespace mfcwnd_test {

using tesmir::test::CMessageBoxAnswer;
using tesmir::test::CScopedApp;

// A hidden top-level test window of the framework's default class (hidden
// windows are destroyed without waiting for the display).
BOOL CreateTopLevel(CWnd& wnd, LPCTSTR lpszTitle = _T("test"), int cx = 300, int cy = 200);

}  // namespace mfcwnd_test

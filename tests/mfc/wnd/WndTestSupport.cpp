#include "WndTestSupport.h"

namespace mfcwnd_test {

BOOL CreateTopLevel(CWnd& wnd, LPCTSTR lpszTitle, int cx, int cy)
{
    return wnd.CreateEx(0, NULL, lpszTitle, WS_OVERLAPPEDWINDOW, 40, 40, cx, cy, NULL, NULL);
}

}  // namespace mfcwnd_test

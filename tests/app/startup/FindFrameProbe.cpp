// Tells whether a visible top-level window with the given caption exists in
// this Wine prefix's default desktop: exit status 0 when it does, 1 when not.
#include <windows.h>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return 2;
    HWND hwnd = FindWindowW(NULL, argv[1]);
    return hwnd != NULL && IsWindowVisible(hwnd) ? 0 : 1;
}

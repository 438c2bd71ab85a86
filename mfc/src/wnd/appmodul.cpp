// Program entry: the C run-time calls wWinMain, which runs the application.
// Kept alone in its file so that only programs which need it link it. The
// run-time's reference comes after the library on the link line, so a
// program asks for it with -Wl,-u,_wWinMain@16 (and links with -mwindows).
#include <afxwin.h>

extern "C" int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}

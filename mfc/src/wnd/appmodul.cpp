// Program entry: the C run-time calls wWinMain, which runs the application.
// Kept alone in its file so that only programs which need it link it.
#include <afxwin.h>

extern "C" int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}

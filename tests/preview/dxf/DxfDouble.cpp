// A stand-in for the drawing engine "DXF.dll", for tests only: the twenty
// entry points with undecorated names, a record of every call, the 72-byte
// view record that drwInitView and drwZoomExtents set, loading of any file
// it can open, refusals on request, and a cross painted by drwPaint. Tests
// reach its state through the dbl... entry points of the loaded module.
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include <string>

namespace {

std::string g_log;
unsigned char g_view[72];
int g_nextHandle = 1;
int g_refuseCreate = 0;
int g_refuseLoad = 0;
// The drawing's extents in drawing units: (0, 0) to (200, 100).
const double kExtentWidth = 200.0, kExtentHeight = 100.0;

void Log(const char* format, ...)
{
    char line[600];
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof(line), format, args);
    va_end(args);
    g_log += line;
    g_log += '\n';
}

void PutInt(int offset, int v) { memcpy(g_view + offset, &v, 4); }
int GetInt(int offset)
{
    int v;
    memcpy(&v, g_view + offset, 4);
    return v;
}
void PutDouble(int offset, double v) { memcpy(g_view + offset, &v, 8); }

}  // namespace

#define DRW_EXPORT extern "C" __declspec(dllexport)

DRW_EXPORT int __stdcall drwCreate()
{
    Log("drwCreate");
    if (g_refuseCreate)
        return 0;
    memset(g_view, 0, sizeof(g_view));
    return g_nextHandle++;
}

DRW_EXPORT int __stdcall drwDestroy(int h)
{
    Log("drwDestroy %d", h);
    return 1;
}

DRW_EXPORT int __stdcall drwLoadDataFromFile(int h, int a, int b, const char* path, HWND hwndProgress)
{
    Log("drwLoadDataFromFile %d %d %d %s %d", h, a, b, path ? path : "(null)", hwndProgress != NULL && IsWindow(hwndProgress));
    if (g_refuseLoad || path == NULL)
        return 0;
    FILE* f = fopen(path, "rb");
    if (f == NULL)
        return 0;
    fclose(f);
    return 1;
}

DRW_EXPORT void __stdcall drwInitView(int h, int x, int y, int w, int hgt)
{
    Log("drwInitView %d %d %d %d %d", h, x, y, w, hgt);
    PutInt(4, x);
    PutInt(8, y);
    PutInt(12, x + w);
    PutInt(16, y + hgt);
    PutDouble(24, 0.0);
    PutDouble(32, 0.0);
    PutDouble(56, 1.0);
    PutDouble(64, 1.0);
}

DRW_EXPORT void __stdcall drwZoomExtents(int h)
{
    Log("drwZoomExtents %d", h);
    const int w = GetInt(12) - GetInt(4), hgt = GetInt(16) - GetInt(8);
    double ppu = w > 0 && hgt > 0 ? (w / kExtentWidth < hgt / kExtentHeight ? w / kExtentWidth : hgt / kExtentHeight)
                                  : 1.0;
    PutDouble(56, ppu);
    PutDouble(64, 1.0);
    PutDouble(24, 0.0);
    PutDouble(32, 0.0);
}

DRW_EXPORT int __stdcall drwGetViewProperties(int h, void* record)
{
    (void)h;
    memcpy(record, g_view, sizeof(g_view));
    return 1;
}

DRW_EXPORT int __stdcall drwSetViewProperties(int h, void* record)
{
    Log("drwSetViewProperties %d", h);
    memcpy(g_view, record, sizeof(g_view));
    return 1;
}

// A white cross over the window on black.
DRW_EXPORT void __stdcall drwPaint(int h, HDC hdc)
{
    (void)h;
    RECT rc = {GetInt(4), GetInt(8), GetInt(12), GetInt(16)};
    FillRect(hdc, &rc, (HBRUSH)GetStockObject(BLACK_BRUSH));
    HPEN pen = CreatePen(PS_SOLID, 3, RGB(255, 255, 255));
    HGDIOBJ old = SelectObject(hdc, pen);
    MoveToEx(hdc, rc.left, rc.top, NULL);
    LineTo(hdc, rc.right, rc.bottom);
    MoveToEx(hdc, rc.right, rc.top, NULL);
    LineTo(hdc, rc.left, rc.bottom);
    SelectObject(hdc, old);
    DeleteObject(pen);
}

#define DRW_STUB(name)                         \
    DRW_EXPORT int __stdcall name(int h)       \
    {                                          \
        Log(#name " %d", h);                   \
        return 0;                              \
    }
DRW_STUB(drwAddTableType)
DRW_STUB(drwDeleteTableType)
DRW_STUB(drwFindTableType)
DRW_STUB(drwAddBlock)
DRW_STUB(drwDeleteBlock)
DRW_STUB(drwFindBlock)
DRW_STUB(drwAddEntity)
DRW_STUB(drwDeleteEntity)
DRW_STUB(drwChangeEntity)
DRW_STUB(drwFindEntity)
DRW_STUB(drwSaveDataToFile)
DRW_STUB(drwGetDrawingBorder)

// The tests' side.
DRW_EXPORT void __stdcall dblReset(int refuseCreate, int refuseLoad)
{
    g_log.clear();
    g_nextHandle = 1;
    g_refuseCreate = refuseCreate;
    g_refuseLoad = refuseLoad;
}

DRW_EXPORT int __stdcall dblLog(char* buffer, int size)
{
    if (buffer && size > 0) {
        strncpy(buffer, g_log.c_str(), (size_t)size - 1);
        buffer[size - 1] = 0;
    }
    return (int)g_log.size();
}

DRW_EXPORT void __stdcall dblView(void* record) { memcpy(record, g_view, sizeof(g_view)); }

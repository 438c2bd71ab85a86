// The drawing engine "DXF.dll", bound at run time: twenty entry points
// looked up by name (all must be there), of which the viewer calls eight.
// Each wrapper returns 0 without calling when the library is missing.
#pragma once

#include <afxwin.h>

// The engine's view properties: 72 bytes, of which the viewer reads and
// writes the window rectangle (4), the origin (24, 32), the pixels per
// drawing unit (56) and the zoom factor (64); the rest goes back unchanged.
struct DxfViewRecord
{
    BYTE bytes[72];

    RECT Window() const;
    double Get(int nOffset) const;
    void Set(int nOffset, double value);

    enum { OriginX = 24, OriginY = 32, PixelsPerUnit = 56, Zoom = 64 };
};

class CDxfLibrary
{
public:
    CDxfLibrary();
    ~CDxfLibrary();
    CDxfLibrary(const CDxfLibrary&) = delete;
    CDxfLibrary& operator=(const CDxfLibrary&) = delete;

    void Load();
    void Unload();
    BOOL IsLoaded() const { return m_bLoaded; }
    BOOL IsReady() const { return m_bLoaded && m_hDrawing != 0; }

    BOOL CreateDrawing();
    BOOL DestroyDrawing();
    BOOL LoadFromFile(LPCSTR lpszAnsiPath, HWND hwndProgress);
    void InitView(int x, int y, int nWidth, int nHeight);
    void Paint(HDC hdc);
    BOOL GetViewProperties(DxfViewRecord* pRecord);
    BOOL SetViewProperties(DxfViewRecord* pRecord);
    void ZoomExtents();
    double GetZoom();
    // Sets the zoom, keeping the drawing point at the window's centre.
    BOOL SetZoom(double zoom);

    int m_hDrawing;
    BYTE m_bLoaded;
    HMODULE m_hModule;

private:
    typedef int(__stdcall* PFN_CREATE)();
    typedef int(__stdcall* PFN_HANDLE)(int);
    typedef int(__stdcall* PFN_LOAD)(int, int, int, LPCSTR, HWND);
    typedef void(__stdcall* PFN_INITVIEW)(int, int, int, int, int);
    typedef void(__stdcall* PFN_PAINT)(int, HDC);
    typedef int(__stdcall* PFN_VIEWPROPS)(int, void*);
    typedef void(__stdcall* PFN_ZOOMEXTENTS)(int);

    FARPROC m_entries[20];
    PFN_CREATE m_pfnCreate;
    PFN_HANDLE m_pfnDestroy;
    PFN_LOAD m_pfnLoad;
    PFN_INITVIEW m_pfnInitView;
    PFN_PAINT m_pfnPaint;
    PFN_VIEWPROPS m_pfnGetViewProperties;
    PFN_VIEWPROPS m_pfnSetViewProperties;
    PFN_ZOOMEXTENTS m_pfnZoomExtents;
};

#include "CDxfLibrary.h"

#include <string.h>

namespace {

const char* const kEntryNames[20] = {
    "drwCreate",         "drwDestroy",          "drwAddTableType",      "drwDeleteTableType",
    "drwFindTableType",  "drwAddBlock",         "drwDeleteBlock",       "drwFindBlock",
    "drwAddEntity",      "drwDeleteEntity",     "drwChangeEntity",      "drwFindEntity",
    "drwSaveDataToFile", "drwLoadDataFromFile", "drwInitView",          "drwPaint",
    "drwGetViewProperties", "drwSetViewProperties", "drwGetDrawingBorder", "drwZoomExtents"};

// Entry points are looked up untyped; the cast goes through a data pointer.
template <class T>
T EntryAs(FARPROC pfn)
{
    return reinterpret_cast<T>(reinterpret_cast<void*>(pfn));
}

int Int32At(const BYTE* p)
{
    int v;
    memcpy(&v, p, 4);
    return v;
}

}  // namespace

RECT DxfViewRecord::Window() const
{
    RECT rc = {Int32At(bytes + 4), Int32At(bytes + 8), Int32At(bytes + 12), Int32At(bytes + 16)};
    return rc;
}

double DxfViewRecord::Get(int nOffset) const
{
    double v;
    memcpy(&v, bytes + nOffset, sizeof(v));
    return v;
}

void DxfViewRecord::Set(int nOffset, double value) { memcpy(bytes + nOffset, &value, sizeof(value)); }

CDxfLibrary::CDxfLibrary()
    : m_hDrawing(0), m_bLoaded(0), m_hModule(NULL), m_pfnCreate(NULL), m_pfnDestroy(NULL), m_pfnLoad(NULL),
      m_pfnInitView(NULL), m_pfnPaint(NULL), m_pfnGetViewProperties(NULL), m_pfnSetViewProperties(NULL),
      m_pfnZoomExtents(NULL)
{
    memset(m_entries, 0, sizeof(m_entries));
}

CDxfLibrary::~CDxfLibrary() { Unload(); }

void CDxfLibrary::Load()
{
    m_bLoaded = 0;
    m_hDrawing = 0;
    m_hModule = ::LoadLibraryW(L"DXF.dll");
    if (m_hModule == NULL)
        return;
    BOOL bAll = TRUE;
    for (int i = 0; i < 20; ++i) {
        m_entries[i] = ::GetProcAddress(m_hModule, kEntryNames[i]);
        if (m_entries[i] == NULL)
            bAll = FALSE;
    }
    if (!bAll) {
        ::FreeLibrary(m_hModule);
        m_hModule = NULL;
        return;
    }
    m_pfnCreate = EntryAs<PFN_CREATE>(m_entries[0]);
    m_pfnDestroy = EntryAs<PFN_HANDLE>(m_entries[1]);
    m_pfnLoad = EntryAs<PFN_LOAD>(m_entries[13]);
    m_pfnInitView = EntryAs<PFN_INITVIEW>(m_entries[14]);
    m_pfnPaint = EntryAs<PFN_PAINT>(m_entries[15]);
    m_pfnGetViewProperties = EntryAs<PFN_VIEWPROPS>(m_entries[16]);
    m_pfnSetViewProperties = EntryAs<PFN_VIEWPROPS>(m_entries[17]);
    m_pfnZoomExtents = EntryAs<PFN_ZOOMEXTENTS>(m_entries[19]);
    m_bLoaded = 1;
}

void CDxfLibrary::Unload()
{
    DestroyDrawing();
    if (m_bLoaded) {
        ::FreeLibrary(m_hModule);
        m_hModule = NULL;
        m_bLoaded = 0;
    }
}

BOOL CDxfLibrary::CreateDrawing()
{
    if (!m_bLoaded || m_hDrawing != 0)
        return FALSE;
    m_hDrawing = m_pfnCreate();
    return m_hDrawing != 0;
}

BOOL CDxfLibrary::DestroyDrawing()
{
    if (!IsReady())
        return FALSE;
    if (!m_pfnDestroy(m_hDrawing))
        return FALSE;
    m_hDrawing = 0;
    return TRUE;
}

BOOL CDxfLibrary::LoadFromFile(LPCSTR lpszAnsiPath, HWND hwndProgress)
{
    if (!IsReady())
        return FALSE;
    return m_pfnLoad(m_hDrawing, 0, 0, lpszAnsiPath, hwndProgress) != 0;
}

void CDxfLibrary::InitView(int x, int y, int nWidth, int nHeight)
{
    if (IsReady())
        m_pfnInitView(m_hDrawing, x, y, nWidth, nHeight);
}

void CDxfLibrary::Paint(HDC hdc)
{
    if (IsReady())
        m_pfnPaint(m_hDrawing, hdc);
}

BOOL CDxfLibrary::GetViewProperties(DxfViewRecord* pRecord)
{
    if (!IsReady())
        return FALSE;
    return m_pfnGetViewProperties(m_hDrawing, pRecord->bytes) != 0;
}

BOOL CDxfLibrary::SetViewProperties(DxfViewRecord* pRecord)
{
    if (!IsReady())
        return FALSE;
    return m_pfnSetViewProperties(m_hDrawing, pRecord->bytes) != 0;
}

void CDxfLibrary::ZoomExtents()
{
    if (IsReady())
        m_pfnZoomExtents(m_hDrawing);
}

double CDxfLibrary::GetZoom()
{
    DxfViewRecord record;
    if (!GetViewProperties(&record))
        return 0.0;
    return record.Get(DxfViewRecord::Zoom);
}

BOOL CDxfLibrary::SetZoom(double zoom)
{
    DxfViewRecord record;
    if (!GetViewProperties(&record))
        return FALSE;
    const RECT rc = record.Window();
    const int hx = (rc.right - rc.left) / 2, hy = (rc.bottom - rc.top) / 2;
    const double ppu = record.Get(DxfViewRecord::PixelsPerUnit);
    const double s = 1.0 / (record.Get(DxfViewRecord::Zoom) * ppu);
    const double cx = record.Get(DxfViewRecord::OriginX) + hx * s;
    const double cy = record.Get(DxfViewRecord::OriginY) + hy * s;
    record.Set(DxfViewRecord::Zoom, zoom);
    const double s2 = 1.0 / (ppu * zoom);
    record.Set(DxfViewRecord::OriginX, cx - hx * s2);
    record.Set(DxfViewRecord::OriginY, cy - hy * s2);
    return SetViewProperties(&record);
}

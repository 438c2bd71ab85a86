// GDI wrappers: CGdiObject and its kinds, CDC and the window DCs.
#include "wndstate.h"

// ---------------------------------------------------------------------------
// Live counts for leak tests

static LONG g_nLiveGdiObjects = 0;
static LONG g_nLiveDCs = 0;
static LONG g_nLiveImageLists = 0;

void AfxCountImageList(LONG nChange)
{
    ::InterlockedExchangeAdd(&g_nLiveImageLists, nChange);
}

AFX_GDI_COUNTS AFXAPI AfxGetGdiCounts()
{
    AFX_GDI_COUNTS counts;
    counts.nObjects = ::InterlockedCompareExchange(&g_nLiveGdiObjects, 0, 0);
    counts.nDCs = ::InterlockedCompareExchange(&g_nLiveDCs, 0, 0);
    counts.nImageLists = ::InterlockedCompareExchange(&g_nLiveImageLists, 0, 0);
    return counts;
}

CAfxPermanentMap<CGdiObject, HGDIOBJ>& AfxGdiMap()
{
    // Never destroyed: wrappers with static storage may outlive any order.
    static CAfxPermanentMap<CGdiObject, HGDIOBJ>* s_pMap = new CAfxPermanentMap<CGdiObject, HGDIOBJ>;
    return *s_pMap;
}

static CAfxPermanentMap<CDC, HDC>& AfxDCMap()
{
    // Never destroyed: wrappers with static storage may outlive any order.
    static CAfxPermanentMap<CDC, HDC>* s_pMap = new CAfxPermanentMap<CDC, HDC>;
    return *s_pMap;
}

// ---------------------------------------------------------------------------
// CGdiObject

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return AfxLookupOrTemp(AfxGdiMap(), AfxGetThreadState()->m_pImpl->m_tempGdi, hObject,
                           [](CGdiObject* p, HGDIOBJ h) { p->m_hObject = h; });
}

void PASCAL CGdiObject::DeleteTempMap()
{
    AfxGetThreadState()->m_pImpl->m_tempGdi.DeleteAll([](CGdiObject* p) { p->m_hObject = NULL; });
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (hObject == NULL)
        return FALSE;
    if (m_hObject != NULL)
        DeleteObject();   // a wrapper owns one handle at a time
    m_hObject = hObject;
    AfxGdiMap().SetAt(hObject, this);
    ::InterlockedIncrement(&g_nLiveGdiObjects);
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    // Only handles this wrapper attached were counted (not stock objects).
    HGDIOBJ hObject = m_hObject;
    if (hObject != NULL && AfxGdiMap().RemoveIf(hObject, this))
        ::InterlockedDecrement(&g_nLiveGdiObjects);
    m_hObject = NULL;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == NULL)
        return FALSE;
    return ::DeleteObject(Detach());
}

CBrush::CBrush(CBitmap* pBitmap)
{
    CreatePatternBrush(pBitmap);
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    return Attach(::CreatePatternBrush((HBITMAP)pBitmap->GetSafeHandle()));
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC)
{
    HDC hDC = pDC != NULL ? pDC->m_hAttribDC : ::GetDC(NULL);
    // lfHeight is in tenths of a point: convert to logical units of the DC.
    LOGFONT logFont = *lpLogFont;
    POINT pt;
    pt.y = ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), logFont.lfHeight, 720);
    pt.x = 0;
    ::DPtoLP(hDC, &pt, 1);
    POINT ptOrg = { 0, 0 };
    ::DPtoLP(hDC, &ptOrg, 1);
    logFont.lfHeight = -abs(pt.y - ptOrg.y);
    if (pDC == NULL)
        ::ReleaseDC(NULL, hDC);
    return CreateFontIndirect(&logFont);
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    LOGFONT logFont = {};
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = nPointSize;
    lstrcpyn(logFont.lfFaceName, lpszFaceName, _countof(logFont.lfFaceName));
    return CreatePointFontIndirect(&logFont, pDC);
}

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
    return Attach(::LoadBitmap(hInst, lpszResourceName));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

BOOL CBitmap::CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return Attach(::CreateDiscardableBitmap(pDC->m_hDC, nWidth, nHeight));
}

BOOL CPalette::CreateHalftonePalette(CDC* pDC)
{
    return Attach(::CreateHalftonePalette(pDC->GetSafeHdc()));
}

// ---------------------------------------------------------------------------
// CDC

IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

CDC::~CDC()
{
    if (m_hDC != NULL)
        DeleteDC();
}

CDC* PASCAL CDC::FromHandle(HDC hDC)
{
    return AfxLookupOrTemp(AfxDCMap(), AfxGetThreadState()->m_pImpl->m_tempDCs, hDC,
                           [](CDC* p, HDC h) { p->m_hDC = p->m_hAttribDC = h; });
}

void PASCAL CDC::DeleteTempMap()
{
    AfxGetThreadState()->m_pImpl->m_tempDCs.DeleteAll([](CDC* p) { p->m_hDC = NULL; p->m_hAttribDC = NULL; });
}

BOOL CDC::Attach(HDC hDC)
{
    if (hDC == NULL)
        return FALSE;
    m_hDC = hDC;
    m_hAttribDC = hDC;
    AfxDCMap().SetAt(hDC, this);
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    if (hDC != NULL)
        AfxDCMap().RemoveIf(hDC, this);
    m_hDC = NULL;
    m_hAttribDC = NULL;
    return hDC;
}

// Device contexts this framework created, for the live count.
static CAfxPermanentMap<CDC, HDC>& CreatedDCs()
{
    static CAfxPermanentMap<CDC, HDC>* s_pMap = new CAfxPermanentMap<CDC, HDC>;
    return *s_pMap;
}

static BOOL AttachCreatedDC(CDC* pDC, HDC hDC)
{
    if (!pDC->Attach(hDC))
        return FALSE;
    CreatedDCs().SetAt(hDC, pDC);
    ::InterlockedIncrement(&g_nLiveDCs);
    return TRUE;
}

BOOL CDC::CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData)
{
    return AttachCreatedDC(this, ::CreateDC(lpszDriverName, lpszDeviceName, lpszOutput, (const DEVMODE*)lpInitData));
}

BOOL CDC::CreateIC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData)
{
    return AttachCreatedDC(this, ::CreateIC(lpszDriverName, lpszDeviceName, lpszOutput, (const DEVMODE*)lpInitData));
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    return AttachCreatedDC(this, ::CreateCompatibleDC(pDC->GetSafeHdc()));
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == NULL)
        return FALSE;
    if (CreatedDCs().RemoveIf(m_hDC, this))
        ::InterlockedDecrement(&g_nLiveDCs);
    return ::DeleteDC(Detach());
}

CWnd* CDC::GetWindow() const
{
    return CWnd::FromHandle(::WindowFromDC(m_hDC));
}

int CDC::ExcludeUpdateRgn(CWnd* pWnd)
{
    return ::ExcludeUpdateRgn(m_hDC, pWnd->GetSafeHwnd());
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    HGDIOBJ hObject = ::GetStockObject(nIndex);
    return CGdiObject::FromHandle(::SelectObject(m_hDC, hObject));
}

CPen* CDC::SelectObject(CPen* pPen)
{
    return (CPen*)CGdiObject::FromHandle(::SelectObject(m_hDC, pPen->GetSafeHandle()));
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return (CBrush*)CGdiObject::FromHandle(::SelectObject(m_hDC, pBrush->GetSafeHandle()));
}

CFont* CDC::SelectObject(CFont* pFont)
{
    // A font wrapper without a handle selects nothing.
    HGDIOBJ hFont = pFont->GetSafeHandle();
    if (hFont == NULL)
        return NULL;
    return (CFont*)CGdiObject::FromHandle(::SelectObject(m_hDC, hFont));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return (CBitmap*)CGdiObject::FromHandle(::SelectObject(m_hDC, pBitmap->GetSafeHandle()));
}

int CDC::SelectObject(CRgn* pRgn)
{
    return (int)(INT_PTR)::SelectObject(m_hDC, pRgn->GetSafeHandle());
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    HGDIOBJ hObject = pObject->GetSafeHandle();
    if (hObject == NULL)
        return NULL;
    return CGdiObject::FromHandle(::SelectObject(m_hDC, hObject));
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    return hObject != NULL ? ::SelectObject(m_hDC, hObject) : NULL;
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    return CPalette::FromHandle(::SelectPalette(m_hDC, (HPALETTE)pPalette->GetSafeHandle(), bForceBackground));
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    // The strip of Draw3dRect may come with a negative width or height.
    RECT rect = *lpRect;
    if (rect.left > rect.right)
        std::swap(rect.left, rect.right);
    if (rect.top > rect.bottom)
        std::swap(rect.top, rect.bottom);
    ::SetBkColor(m_hDC, clr);
    ::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, &rect, NULL, 0, NULL);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    RECT rect = { x, y, x + cx, y + cy };
    FillSolidRect(&rect, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft,
               clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
    FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

CBrush* PASCAL CDC::GetHalftoneBrush()
{
    static CBrush s_brush;
    static CAfxLock s_lock;
    CAfxLockGuard guard(s_lock);
    if (s_brush.m_hObject == NULL)
    {
        WORD grayPattern[8];
        for (int i = 0; i < 8; i++)
            grayPattern[i] = (WORD)(0x5555 << (i & 1));
        HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, grayPattern);
        if (hBitmap != NULL)
        {
            s_brush.Attach(::CreatePatternBrush(hBitmap));
            ::DeleteObject(hBitmap);
        }
    }
    return &s_brush;
}

BOOL CDC::TextOut(int x, int y, const CString& str)
{
    return TextOut(x, y, (LPCTSTR)str, str.GetLength());
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths)
{
    return ExtTextOut(x, y, nOptions, lpRect, (LPCTSTR)str, (UINT)str.GetLength(), lpDxWidths);
}

int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat)
{
    return DrawText((LPCTSTR)str, str.GetLength(), lpRect, nFormat);
}

CSize CDC::GetTextExtent(const CString& str) const
{
    return GetTextExtent((LPCTSTR)str, str.GetLength());
}

CSize CDC::GetOutputTextExtent(const CString& str) const
{
    return GetOutputTextExtent((LPCTSTR)str, str.GetLength());
}

// ---------------------------------------------------------------------------
// Window DCs

CPaintDC::CPaintDC(CWnd* pWnd) : m_ps(), m_hWnd(pWnd->GetSafeHwnd())
{
    if (!Attach(::BeginPaint(m_hWnd, &m_ps)))
        AfxThrowResourceException();
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd())
{
    if (!Attach(::GetDC(m_hWnd)))
        AfxThrowResourceException();
}

CClientDC::~CClientDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd())
{
    if (!Attach(::GetWindowDC(m_hWnd)))
        AfxThrowResourceException();
}

CWindowDC::~CWindowDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}

// CObject, CRuntimeClass, the process-wide class list and the module state.
#include <afx.h>

// ---------------------------------------------------------------------------
// Class list. Registration pushes onto a lock-free singly linked list; the
// records themselves are constant-initialized, so registrations may run in
// any order during start-up and lookups may run on any thread.

static CRuntimeClass* volatile s_pFirstClass = NULL;

void AFXAPI AfxClassInit(CRuntimeClass* pNewClass)
{
    for (;;)
    {
        CRuntimeClass* pHead = s_pFirstClass;
        pNewClass->m_pNextClass = pHead;
        if (InterlockedCompareExchangePointer((PVOID volatile*)&s_pFirstClass, pNewClass, pHead) == pHead)
            return;
    }
}

CRuntimeClass* AFXAPI AfxGetFirstRuntimeClass()
{
    return s_pFirstClass;
}

CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), 0xFFFF, NULL, NULL, NULL};
static const AFX_CLASSINIT _init_CObject(&CObject::classCObject);

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return RUNTIME_CLASS(CObject);
}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

void CObject::Serialize(CArchive&)
{
}

void CObject::Dump(CDumpContext& dc) const
{
    dc << "a " << GetRuntimeClass()->m_lpszClassName << " at " << (const void*)this << "\n";
}

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject)
{
    if (pObject != NULL && pObject->IsKindOf(pClass))
        return pObject;
    return NULL;
}

// ---------------------------------------------------------------------------
// CRuntimeClass

CObject* CRuntimeClass::CreateObject()
{
    if (m_pfnCreateObject == NULL)
        return NULL;
    return (*m_pfnCreateObject)();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* pClassThis = this; pClassThis != NULL; pClassThis = pClassThis->m_pBaseClass)
    {
        if (pClassThis == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (lpszClassName == NULL)
        return NULL;
    for (CRuntimeClass* pClass = s_pFirstClass; pClass != NULL; pClass = pClass->m_pNextClass)
    {
        if (lstrcmpA(lpszClassName, pClass->m_lpszClassName) == 0)
            return pClass;
    }
    return NULL;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCWSTR lpszClassName)
{
    if (lpszClassName == NULL)
        return NULL;
    char szName[256];
    int n = WideCharToMultiByte(CP_ACP, 0, lpszClassName, -1, szName, sizeof(szName), NULL, NULL);
    if (n <= 0)
        return NULL;
    return FromName(szName);
}

// ---------------------------------------------------------------------------
// Dump context

CDumpContext afxDump;

static void DumpOut(LPCWSTR lpsz)
{
    OutputDebugStringW(lpsz);
}

CDumpContext& CDumpContext::operator<<(LPCSTR lpsz)
{
    if (lpsz != NULL)
        OutputDebugStringA(lpsz);
    return *this;
}

CDumpContext& CDumpContext::operator<<(LPCWSTR lpsz)
{
    if (lpsz != NULL)
        DumpOut(lpsz);
    return *this;
}

CDumpContext& CDumpContext::operator<<(const void* lp)
{
    WCHAR sz[32];
    _snwprintf(sz, _countof(sz), L"$%p", lp);
    sz[_countof(sz) - 1] = 0;
    DumpOut(sz);
    return *this;
}

CDumpContext& CDumpContext::operator<<(const CObject* pOb)
{
    if (pOb == NULL)
        return *this << "NULL";
    pOb->Dump(*this);
    return *this;
}

CDumpContext& CDumpContext::operator<<(const CObject& ob)
{
    return *this << &ob;
}

static CDumpContext& DumpNumber(CDumpContext& dc, LPCWSTR lpszFormat, ...)
{
    WCHAR sz[64];
    va_list args;
    va_start(args, lpszFormat);
    _vsnwprintf(sz, _countof(sz), lpszFormat, args);
    va_end(args);
    sz[_countof(sz) - 1] = 0;
    DumpOut(sz);
    return dc;
}

CDumpContext& CDumpContext::operator<<(BYTE by) { return DumpNumber(*this, L"%u", (UINT)by); }
CDumpContext& CDumpContext::operator<<(WORD w) { return DumpNumber(*this, L"%u", (UINT)w); }
CDumpContext& CDumpContext::operator<<(UINT u) { return DumpNumber(*this, L"%u", u); }
CDumpContext& CDumpContext::operator<<(LONG l) { return DumpNumber(*this, L"%ld", l); }
CDumpContext& CDumpContext::operator<<(DWORD dw) { return DumpNumber(*this, L"%lu", dw); }
CDumpContext& CDumpContext::operator<<(int n) { return DumpNumber(*this, L"%d", n); }
CDumpContext& CDumpContext::operator<<(double d) { return DumpNumber(*this, L"%f", d); }

void CDumpContext::HexDump(LPCTSTR lpszLine, BYTE* pby, int nBytes, int nWidth)
{
    if (nWidth <= 0)
        nWidth = 16;
    for (int i = 0; i < nBytes; i++)
    {
        if (i % nWidth == 0)
        {
            if (i != 0)
                DumpOut(L"\n");
            *this << lpszLine;
        }
        DumpNumber(*this, L" %02X", (UINT)pby[i]);
    }
    DumpOut(L"\n");
}

// ---------------------------------------------------------------------------
// Module state: a single module, the executable. A thread may install
// another state for a while (hook code does, around its processing).

static AFX_MODULE_STATE s_moduleState = {NULL, NULL, NULL, NULL, FALSE, FALSE, 0x0421, 0, {}, {NULL}};
static thread_local AFX_MODULE_STATE* t_pModuleState = NULL;

AFX_MODULE_STATE* AFXAPI AfxGetModuleState()
{
    AFX_MODULE_STATE* pState = t_pModuleState;
    return pState != NULL ? pState : &s_moduleState;
}

AFX_MODULE_STATE* AFXAPI AfxSetModuleState(AFX_MODULE_STATE* pNewState)
{
    AFX_MODULE_STATE* pOldState = AfxGetModuleState();
    t_pModuleState = pNewState;
    return pOldState;
}

AFX_MODULE_STATE* AFXAPI AfxGetStaticModuleState()
{
    return &s_moduleState;
}

AFX_MODULE_STATE* AFXAPI AfxGetAppModuleState()
{
    return &s_moduleState;
}

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
    HINSTANCE hInst = AfxGetModuleState()->m_hCurrentInstanceHandle;
    return hInst != NULL ? hInst : (HINSTANCE)GetModuleHandleW(NULL);
}

HINSTANCE AFXAPI AfxGetResourceHandle()
{
    HINSTANCE hInst = AfxGetModuleState()->m_hCurrentResourceHandle;
    return hInst != NULL ? hInst : AfxGetInstanceHandle();
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource)
{
    AfxGetModuleState()->m_hCurrentResourceHandle = hInstResource;
}

void AFXAPI AfxSetInstanceHandle(HINSTANCE hInstance)
{
    AfxGetModuleState()->m_hCurrentInstanceHandle = hInstance;
}

HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
    HINSTANCE hResource = AfxGetResourceHandle();
    if (::FindResourceW(hResource, lpszName, lpszType) != NULL)
        return hResource;
    HINSTANCE hExe = (HINSTANCE)::GetModuleHandleW(NULL);
    if (hExe != hResource && ::FindResourceW(hExe, lpszName, lpszType) != NULL)
        return hExe;
    return hResource;   // the caller's load fails as it would anywhere
}

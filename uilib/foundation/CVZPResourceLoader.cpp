#include "CVZPResourceLoader.h"

#include "CVZPResourceModuleSwitch.h"

namespace {

PROCESS_LOCAL(CVZPResourceLoader, g_resourceLoader)

// TRUE when the library's resource module holds the resource: then the
// lookup tries it first, with the module switched in.
BOOL InResourceModule(UINT nID, LPCWSTR lpszType)
{
    HINSTANCE hModule = VZPGetResourceModule();
    if (hModule == NULL)
        return FALSE;
    UINT nName = lpszType == RT_STRING ? nID / 16 + 1 : nID;
    return ::FindResourceW(hModule, MAKEINTRESOURCEW(nName), lpszType) != NULL;
}

// Runs one load in the library's module when it holds the resource, then,
// when that did not succeed, in the application's resources.
template <class TLoad>
auto LoadFromModules(UINT nID, LPCWSTR lpszType, TLoad load) -> decltype(load())
{
    if (InResourceModule(nID, lpszType))
    {
        CVZPResourceModuleSwitch moduleSwitch;
        if (auto result = load())
            return result;
    }
    return load();
}

}  // namespace

CVZPResourceLoader* GetResourceLoader()
{
    return g_resourceLoader.GetData();
}

CVZPResourceLoader::~CVZPResourceLoader()
{
    FreeResourceDll();
}

BOOL CVZPResourceLoader::LoadString(CString* pString, UINT nID)
{
    nID = LOWORD(nID);
    return LoadFromModules(nID, RT_STRING, [&]() { return pString->LoadString(nID); });
}

BOOL CVZPResourceLoader::LoadMenu(CMenu* pMenu, UINT nID)
{
    LPCWSTR lpszName = MAKEINTRESOURCEW(LOWORD(nID));
    return LoadFromModules(LOWORD(nID), RT_MENU, [&]() {
        HMENU hMenu = ::LoadMenuW(AfxFindResourceHandle(lpszName, RT_MENU), lpszName);
        return hMenu != NULL && pMenu->Attach(hMenu);
    });
}

BOOL CVZPResourceLoader::LoadToolBar(CToolBar* pToolBar, UINT nID)
{
    CVZPResourceModuleSwitch moduleSwitch;
    return pToolBar->LoadToolBar(MAKEINTRESOURCEW(LOWORD(nID)));
}

BOOL CVZPResourceLoader::LoadBitmap(CBitmap* pBitmap, UINT nID)
{
    LPCWSTR lpszName = MAKEINTRESOURCEW(LOWORD(nID));
    return LoadFromModules(LOWORD(nID), RT_BITMAP, [&]() {
        HBITMAP hBitmap = ::LoadBitmapW(AfxFindResourceHandle(lpszName, RT_BITMAP), lpszName);
        return hBitmap != NULL && pBitmap->Attach(hBitmap);
    });
}

HCURSOR CVZPResourceLoader::LoadCursor(UINT nID)
{
    LPCWSTR lpszName = MAKEINTRESOURCEW(LOWORD(nID));
    return LoadFromModules(LOWORD(nID), RT_GROUP_CURSOR, [&]() {
        return ::LoadCursorW(AfxFindResourceHandle(lpszName, RT_GROUP_CURSOR), lpszName);
    });
}

LPCDLGTEMPLATE CVZPResourceLoader::LoadDialogTemplate(UINT nID)
{
    LPCWSTR lpszName = MAKEINTRESOURCEW(LOWORD(nID));
    // With no library module this searches the program's own executable.
    HINSTANCE hModule = VZPGetResourceModule();
    HRSRC hResource = ::FindResourceW(hModule, lpszName, RT_DIALOG);
    if (hResource == NULL)
    {
        hModule = AfxFindResourceHandle(lpszName, RT_DIALOG);
        if (hModule == NULL || (hResource = ::FindResourceW(hModule, lpszName, RT_DIALOG)) == NULL)
            return NULL;
    }
    HGLOBAL hTemplate = ::LoadResource(hModule, hResource);
    return hTemplate != NULL ? (LPCDLGTEMPLATE)::LockResource(hTemplate) : NULL;
}

void CVZPResourceLoader::FreeResourceDll()
{
    if (m_hResourceDll != NULL)
    {
        ::FreeLibrary(m_hResourceDll);
        m_hResourceDll = NULL;
    }
}

int CVZPResourceLoader::ShowMessageBox(UINT nIDString, UINT nType)
{
    CString strText;
    LoadString(&strText, nIDString);
    return AfxMessageBox(strText, nType, 0);
}

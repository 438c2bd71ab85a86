// The one loader of the UI library's own resources (strings, context menus,
// toolbars, bitmaps, cursors, dialog templates): each lookup tries the
// library's resource module first, when one is set, then the application's
// resources. Ids are 16-bit; only the low 16 bits of an id are used.
#pragma once

#include <afxext.h>
#include <afxwin.h>

class CVZPResourceLoader
{
public:
    CVZPResourceLoader() : m_hResourceDll(NULL) {}
    virtual ~CVZPResourceLoader();
    CVZPResourceLoader(const CVZPResourceLoader&) = delete;
    CVZPResourceLoader& operator=(const CVZPResourceLoader&) = delete;

    virtual BOOL LoadString(CString* pString, UINT nID);
    // TRUE when a menu was attached.
    virtual BOOL LoadMenu(CMenu* pMenu, UINT nID);
    virtual BOOL LoadToolBar(CToolBar* pToolBar, UINT nID);
    // TRUE when a bitmap was attached.
    virtual BOOL LoadBitmap(CBitmap* pBitmap, UINT nID);
    virtual HCURSOR LoadCursor(UINT nID);
    // The locked dialog template, or NULL when no module holds it.
    virtual LPCDLGTEMPLATE LoadDialogTemplate(UINT nID);
    virtual void FreeResourceDll();

    // AfxMessageBox of the string (empty when it is missing).
    int ShowMessageBox(UINT nIDString, UINT nType);

private:
    HMODULE m_hResourceDll;
};

// The process-wide loader, made on first use.
CVZPResourceLoader* GetResourceLoader();

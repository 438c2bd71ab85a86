// Internal state of the window layer: per-thread state and the handle maps.
#pragma once

#include <afxwin.h>
#include <afxpriv.h>

#include "../core/CoreImpl.h"

#include <unordered_map>
#include <vector>

// Map of handle -> wrapper object. Permanent entries are shared by every
// thread under a lock; temporary wrappers are per thread and deleted at idle.
// Lookups and changes take the lock; the objects themselves are not locked.
template <class TObject, class THandle>
class CAfxPermanentMap
{
public:
    TObject* Lookup(THandle h)
    {
        CAfxLockGuard guard(m_lock);
        auto it = m_map.find(h);
        return it == m_map.end() ? NULL : it->second;
    }
    void SetAt(THandle h, TObject* p)
    {
        CAfxLockGuard guard(m_lock);
        m_map[h] = p;
    }
    // Removes h only while it still maps to p; TRUE when it did.
    bool RemoveIf(THandle h, TObject* p)
    {
        CAfxLockGuard guard(m_lock);
        auto it = m_map.find(h);
        if (it == m_map.end() || it->second != p)
            return false;
        m_map.erase(it);
        return true;
    }
private:
    CAfxLock m_lock;
    std::unordered_map<THandle, TObject*> m_map;
};

// Per-thread temporary wrappers for one handle type.
template <class TObject, class THandle>
class CAfxTempMap
{
public:
    ~CAfxTempMap() { DeleteAll(); }
    TObject* Lookup(THandle h)
    {
        auto it = m_map.find(h);
        return it == m_map.end() ? NULL : it->second;
    }
    void SetAt(THandle h, TObject* p) { m_map[h] = p; }
    // Deletes every temporary wrapper; fnClear empties the wrapper's handle
    // first so its destructor leaves the handle alone.
    template <class TClear>
    void DeleteAll(TClear fnClear)
    {
        std::unordered_map<THandle, TObject*> old;
        old.swap(m_map);
        for (auto& entry : old)
        {
            fnClear(entry.second);
            delete entry.second;
        }
    }
    void DeleteAll() { DeleteAll([](TObject*) {}); }
private:
    std::unordered_map<THandle, TObject*> m_map;
};

class CImageList;

// The parts of the thread state that only the framework uses.
struct _AFX_THREAD_STATE_IMPL
{
    CAfxTempMap<CWnd, HWND> m_tempWnds;
    CAfxTempMap<CDC, HDC> m_tempDCs;
    CAfxTempMap<CGdiObject, HGDIOBJ> m_tempGdi;
    CAfxTempMap<CMenu, HMENU> m_tempMenus;
    CAfxTempMap<CImageList, HIMAGELIST> m_tempImageLists;
    // Frames that get idle updates besides the main window
    std::vector<CWnd*> m_idleUpdateWnds;
};

// The wrapper of handle h: its permanent object, or else a temporary object
// of this thread (created on first use); fnSet puts the handle into it.
template <class TObject, class THandle, class TSet>
TObject* AfxLookupOrTemp(CAfxPermanentMap<TObject, THandle>& permanent, CAfxTempMap<TObject, THandle>& temp,
                         THandle h, TSet fnSet)
{
    if (h == NULL)
        return NULL;
    TObject* pObject = permanent.Lookup(h);
    if (pObject != NULL)
        return pObject;
    pObject = temp.Lookup(h);
    if (pObject == NULL)
    {
        pObject = new TObject;
        temp.SetAt(h, pObject);
    }
    fnSet(pObject, h);
    return pObject;
}

// The calling thread's state, or NULL when it has none (any more).
_AFX_THREAD_STATE* AfxPeekThreadState();

// Permanent maps (process-wide)
CAfxPermanentMap<CWnd, HWND>& AfxWndMap();
CAfxPermanentMap<CGdiObject, HGDIOBJ>& AfxGdiMap();
// Moves the live image-list count of AfxGetGdiCounts (CImageList attaching or
// giving up a list).
void AfxCountImageList(LONG nChange);
CAfxPermanentMap<CMenu, HMENU>& AfxMenuMap();
CAfxPermanentMap<CImageList, HIMAGELIST>& AfxImageListMap();

// Registry of live CWinThread objects, so that the destruction of a main
// window clears it from every thread that refers to it.
void AfxRegisterThreadObject(CWinThread* pThread);
void AfxUnregisterThreadObject(CWinThread* pThread);
void AfxForgetMainWnd(CWnd* pWnd);

// The window at the end of hWnd's parent and owner chain.
HWND AfxGetTopLevelParent(HWND hWnd);

// The first control id of hWnd, or 0 for a top-level window.
inline UINT AfxGetDlgCtrlIDSafe(HWND hWnd)
{
    if (hWnd == NULL || (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD) == 0)
        return 0;
    return (UINT)::GetDlgCtrlID(hWnd);
}

// Size of the TOOLINFO the tool-tip control gets (without the reserved
// member newer headers add).
inline UINT ToolInfoSize()
{
#ifdef TTTOOLINFOW_V2_SIZE
    return TTTOOLINFOW_V2_SIZE;
#else
    return sizeof(TOOLINFO);
#endif
}

// Internal message pump shared by CWinThread and threads without one.
BOOL AfxInternalPumpMessage();
BOOL AfxInternalPreTranslateMessage(MSG* pMsg);

// Loads string nID from the framework's resources; empty when missing.
CString AfxLoadFrameworkString(UINT nID);

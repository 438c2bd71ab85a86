// Helpers shared by the frame, view, document and bar classes.
#include "framestate.h"

#include <map>

LPCTSTR AfxFrameOrViewClass(HICON hIcon)
{
    static CAfxLock* s_pLock = new CAfxLock;
    static std::map<HICON, CString>* s_pNames = new std::map<HICON, CString>;
    CAfxLockGuard guard(*s_pLock);
    auto it = s_pNames->find(hIcon);
    if (it == s_pNames->end())
    {
        // AfxRegisterWndClass returns a per-thread buffer: keep a copy.
        CString strName = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW),
                                              (HBRUSH)(COLOR_WINDOW + 1), hIcon);
        it = s_pNames->emplace(hIcon, strName).first;
    }
    return it->second;
}

CString AfxLoadStringOr(UINT nID, LPCTSTR lpszDefault)
{
    CString str;
    if (!str.LoadString(nID) || str.IsEmpty())
        str = lpszDefault;
    return str;
}

CString AfxFullPath(LPCTSTR lpszFileIn)
{
    if (lpszFileIn == NULL || *lpszFileIn == 0)
        return CString();
    TCHAR szPath[MAX_PATH * 2];
    LPTSTR lpszFilePart = NULL;
    DWORD dwLen = ::GetFullPathName(lpszFileIn, _countof(szPath), szPath, &lpszFilePart);
    if (dwLen == 0 || dwLen >= _countof(szPath))
        return CString(lpszFileIn);
    return CString(szPath);
}

HGLOBAL AfxCopyGlobalMemory(HGLOBAL hSource, UINT nFlags)
{
    SIZE_T nSize = ::GlobalSize(hSource);
    HGLOBAL hCopy = ::GlobalAlloc(nFlags, nSize);
    if (hCopy == NULL)
        return NULL;
    void* pSrc = ::GlobalLock(hSource);
    void* pDst = ::GlobalLock(hCopy);
    if (pSrc != NULL && pDst != NULL)
        memcpy(pDst, pSrc, nSize);
    ::GlobalUnlock(hCopy);
    ::GlobalUnlock(hSource);
    return hCopy;
}

CString AfxFileTitle(LPCTSTR lpszPathName)
{
    CString strPath = lpszPathName != NULL ? lpszPathName : _T("");
    int nPos = -1;
    for (int i = 0; i < strPath.GetLength(); i++)
    {
        TCHAR ch = strPath[i];
        if (ch == '\\' || ch == '/' || ch == ':')
            nPos = i;
    }
    return strPath.Mid(nPos + 1);
}

// afxadv.h - the recent-file list.
#pragma once
#ifndef __AFXADV_H__
#define __AFXADV_H__

#include <afxwin.h>

#define AFX_ABBREV_FILENAME_LEN 30

// Most-recently-used file names, kept in the application's profile under
// lpszSection with entries made from lpszEntryFormat ("File%d", from 1).
class CRecentFileList
{
public:
    CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                    int nMaxDispLen = AFX_ABBREV_FILENAME_LEN);
    virtual ~CRecentFileList();

    int GetSize() const { return m_nSize; }
    CString& operator[](int nIndex) { return m_arrNames[nIndex]; }
    // Moves (or adds) the file to the top; names compare without case.
    virtual void Add(LPCTSTR lpszPathName);
    virtual void Remove(int nIndex);
    // Display form of entry nIndex: without the folder when it lies in
    // lpszCurDir, abbreviated to the maximum display length. FALSE for an
    // empty entry.
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;
    virtual void UpdateMenu(CCmdUI* pCmdUI);
    virtual void ReadList();
    virtual void WriteList();

    int m_nSize;
    CString* m_arrNames;
    CString m_strSectionName;
    CString m_strEntryFormat;
    UINT m_nStart;
    int m_nMaxDisplayLength;
    CString m_strOriginal;   // text of the menu item before the list filled it
};

// Shortens a path for display to at most nMaxLength characters, keeping the
// file name: "c:\...\dir\file.ext".
void AFXAPI AfxAbbreviateName(LPTSTR lpszCanon, int nMaxLength, BOOL bAtLeastName);

#endif // __AFXADV_H__

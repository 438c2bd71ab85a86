// afxdlgs.h - the common dialogs.
#pragma once
#ifndef __AFXDLGS_H__
#define __AFXDLGS_H__

#include <afxwin.h>

class CCommonDialog : public CDialog
{
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd) : CDialog((UINT)0, pParentWnd) { m_lpszTemplateName = NULL; }
protected:
    void OnOK() override {}
    void OnCancel() override {}
};

// Open and Save As. The filter is given as "Text|*.txt|All|*.*||" and handed
// to the system with the bars turned into NULs.
class CFileDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFileDialog)
public:
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = NULL, LPCTSTR lpszFileName = NULL,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = NULL,
                         CWnd* pParentWnd = NULL);

    OPENFILENAME m_ofn;

    INT_PTR DoModal() override;

    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }
    // Walks the selected files (one, or several with OFN_ALLOWMULTISELECT).
    POSITION GetStartPosition() const { return (POSITION)m_ofn.lpstrFile; }
    CString GetNextPathName(POSITION& pos) const;

protected:
    BOOL m_bOpenFileDialog;
    CString m_strFilter;
    CString m_strDefExt;
    TCHAR m_szFileTitle[64];
    TCHAR m_szFileName[MAX_PATH];
};

class CColorDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CColorDialog)
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = NULL);

    CHOOSECOLOR m_cc;

    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }
    void SetCurrentColor(COLORREF clr) { m_cc.rgbResult = clr; }
    static COLORREF* PASCAL GetSavedCustomColors();
};

#endif // __AFXDLGS_H__

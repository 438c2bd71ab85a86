// The common dialogs: file open/save and colour.
#include "wndstate.h"

#include <afxdlgs.h>

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_ofn(), m_bOpenFileDialog(bOpenFileDialog), m_szFileTitle(), m_szFileName()
{
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = _countof(m_szFileName);
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = _countof(m_szFileTitle);
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
    m_ofn.hInstance = AfxGetResourceHandle();
    if (lpszDefExt != NULL)
    {
        m_strDefExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    if (lpszFileName != NULL)
        lstrcpyn(m_szFileName, lpszFileName, _countof(m_szFileName));
    if (lpszFilter != NULL)
    {
        // "a|b|c|d||" -> "a\0b\0c\0d\0\0"
        m_strFilter = lpszFilter;
        int nLen = m_strFilter.GetLength();
        LPTSTR pch = m_strFilter.GetBuffer(nLen + 1);
        for (int i = 0; i < nLen; i++)
        {
            if (pch[i] == '|')
                pch[i] = 0;
        }
        m_strFilter.ReleaseBuffer(nLen);
        m_ofn.lpstrFilter = m_strFilter;
    }
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.hwndOwner = PreModal();
    BOOL bResult = m_bOpenFileDialog ? ::GetOpenFileName(&m_ofn) : ::GetSaveFileName(&m_ofn);
    PostModal();
    return bResult ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const
{
    if ((m_ofn.Flags & OFN_ALLOWMULTISELECT) && m_ofn.lpstrFile != NULL)
    {
        POSITION pos = GetStartPosition();
        return pos != NULL ? GetNextPathName(pos) : CString();
    }
    return m_ofn.lpstrFile;
}

CString CFileDialog::GetFileName() const
{
    if (m_ofn.lpstrFileTitle != NULL && m_ofn.lpstrFileTitle[0] != 0 && !(m_ofn.Flags & OFN_ALLOWMULTISELECT))
        return m_ofn.lpstrFileTitle;
    CString strPath = GetPathName();
    int nSlash = strPath.ReverseFind('\\');
    return nSlash >= 0 ? strPath.Mid(nSlash + 1) : strPath;
}

CString CFileDialog::GetFileExt() const
{
    CString strName = GetFileName();
    int nDot = strName.ReverseFind('.');
    return nDot >= 0 ? strName.Mid(nDot + 1) : CString();
}

CString CFileDialog::GetFileTitle() const
{
    CString strName = GetFileName();
    int nDot = strName.ReverseFind('.');
    return nDot >= 0 ? strName.Left(nDot) : strName;
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    LPCTSTR lpsz = (LPCTSTR)pos;
    if (lpsz == NULL || *lpsz == 0)
    {
        pos = NULL;
        return CString();
    }
    LPCTSTR lpszFirst = m_ofn.lpstrFile;
    // Several files: "folder\0name1\0name2\0\0". One file: "path\0\0".
    bool bMulti = (m_ofn.Flags & OFN_ALLOWMULTISELECT) && lpszFirst[_tcslen(lpszFirst) + 1] != 0;
    if (!bMulti)
    {
        pos = NULL;
        return lpsz;
    }
    if (lpsz == lpszFirst)
        lpsz += _tcslen(lpsz) + 1;   // skip the folder
    CString strPath = lpszFirst;
    if (strPath.GetLength() > 0 && strPath[strPath.GetLength() - 1] != '\\')
        strPath += '\\';
    strPath += lpsz;
    LPCTSTR lpszNext = lpsz + _tcslen(lpsz) + 1;
    pos = *lpszNext != 0 ? (POSITION)lpszNext : NULL;
    return strPath;
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd), m_cc()
{
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.lpCustColors = GetSavedCustomColors();
    m_cc.Flags = dwFlags;
    if ((m_cc.rgbResult = clrInit) != 0)
        m_cc.Flags |= CC_RGBINIT;
}

COLORREF* PASCAL CColorDialog::GetSavedCustomColors()
{
    static COLORREF s_colors[16] = { RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                     RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                     RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                     RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255) };
    return s_colors;
}

INT_PTR CColorDialog::DoModal()
{
    m_cc.hwndOwner = PreModal();
    BOOL bResult = ::ChooseColor(&m_cc);
    PostModal();
    return bResult ? IDOK : IDCANCEL;
}

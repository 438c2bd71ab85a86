// CWinApp's documents, command line and shell registration; CCommandLineInfo.
#include "framestate.h"

#include <afxadv.h>
#include <shellapi.h>
#include <shlwapi.h>

// ---------------------------------------------------------------------------
// Templates and documents

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (m_pDocManager == NULL)
        m_pDocManager = new CDocManager;
    m_pDocManager->AddDocTemplate(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    return m_pDocManager != NULL ? m_pDocManager->GetFirstDocTemplatePosition() : NULL;
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const
{
    return m_pDocManager != NULL ? m_pDocManager->GetNextDocTemplate(pos) : NULL;
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    return m_pDocManager != NULL ? m_pDocManager->OpenDocumentFile(lpszFileName) : NULL;
}

BOOL CWinApp::SaveAllModified()
{
    return m_pDocManager == NULL || m_pDocManager->SaveAllModified();
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    if (m_pDocManager != NULL)
        m_pDocManager->CloseAllDocuments(bEndSession);
}

int CWinApp::GetOpenDocumentCount()
{
    return m_pDocManager != NULL ? m_pDocManager->GetDocumentCount() : 0;
}

void CWinApp::OnFileNew()
{
    if (m_pDocManager != NULL)
        m_pDocManager->OnFileNew();
}

void CWinApp::OnFileOpen()
{
    if (m_pDocManager != NULL)
        m_pDocManager->OnFileOpen();
}

void CWinApp::OnFilePrintSetup()
{
    // Printing is not offered.
}

BOOL CWinApp::OnOpenRecentFile(UINT nID)
{
    if (m_pRecentFileList == NULL || nID < ID_FILE_MRU_FILE1)
        return FALSE;
    int nIndex = (int)(nID - ID_FILE_MRU_FILE1);
    if (nIndex >= m_pRecentFileList->GetSize() || (*m_pRecentFileList)[nIndex].IsEmpty())
        return FALSE;
    // A file that no longer opens leaves the list.
    if (OpenDocumentFile((*m_pRecentFileList)[nIndex]) == NULL)
        m_pRecentFileList->Remove(nIndex);
    return TRUE;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    if (m_pRecentFileList == NULL)
        pCmdUI->Enable(FALSE);
    else
        m_pRecentFileList->UpdateMenu(pCmdUI);
}

// ---------------------------------------------------------------------------
// Command line

CCommandLineInfo::CCommandLineInfo()
    : m_bShowSplash(TRUE), m_bRunEmbedded(FALSE), m_bRunAutomated(FALSE), m_nShellCommand(FileNew)
{
}

CCommandLineInfo::~CCommandLineInfo()
{
}

void CCommandLineInfo::ParseParam(LPCTSTR lpszParam, BOOL bFlag, BOOL bLast)
{
    if (bFlag)
        ParseParamFlag(lpszParam);
    else
        ParseParamNotFlag(lpszParam);
    ParseLast(bLast);
}

void CCommandLineInfo::ParseParamFlag(LPCTSTR lpszParam)
{
    if (lstrcmpi(lpszParam, _T("pt")) == 0)
        m_nShellCommand = FilePrintTo;
    else if (lstrcmpi(lpszParam, _T("p")) == 0)
        m_nShellCommand = FilePrint;
    else if (lstrcmpi(lpszParam, _T("Unregister")) == 0 || lstrcmpi(lpszParam, _T("Unregserver")) == 0)
        m_nShellCommand = AppUnregister;
    else if (lstrcmpi(lpszParam, _T("dde")) == 0)
        m_nShellCommand = FileDDE;
    else if (lstrcmpi(lpszParam, _T("Embedding")) == 0)
    {
        m_bRunEmbedded = TRUE;
        m_bShowSplash = FALSE;
    }
    else if (lstrcmpi(lpszParam, _T("Automation")) == 0)
    {
        m_bRunAutomated = TRUE;
        m_bShowSplash = FALSE;
    }
}

void CCommandLineInfo::ParseParamNotFlag(LPCTSTR lpszParam)
{
    if (m_strFileName.IsEmpty())
        m_strFileName = lpszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPrinterName.IsEmpty())
        m_strPrinterName = lpszParam;
    else if (m_nShellCommand == FilePrintTo && m_strDriverName.IsEmpty())
        m_strDriverName = lpszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPortName.IsEmpty())
        m_strPortName = lpszParam;
}

void CCommandLineInfo::ParseLast(BOOL bLast)
{
    // A file name alone means "open it".
    if (bLast && m_nShellCommand == FileNew && !m_strFileName.IsEmpty())
        m_nShellCommand = FileOpen;
    m_bShowSplash = !m_bRunEmbedded && !m_bRunAutomated;
}

// The arguments after the program name, split as the C run time splits them.
static std::vector<CString> CommandLineArguments(LPCTSTR lpszCmdLine)
{
    std::vector<CString> args;
    CString strLine;
    int nSkip = 0;
    if (lpszCmdLine != NULL)
        strLine = CString(_T("x ")) + lpszCmdLine;   // a stand-in program name
    else
        strLine = ::GetCommandLine();
    nSkip = 1;
    int nArgs = 0;
    LPWSTR* argv = ::CommandLineToArgvW(strLine, &nArgs);
    if (argv == NULL)
        return args;
    for (int i = nSkip; i < nArgs; i++)
        args.push_back(CString(argv[i]));
    ::LocalFree(argv);
    return args;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    std::vector<CString> args = CommandLineArguments(m_lpCmdLine);
    for (size_t i = 0; i < args.size(); i++)
    {
        LPCTSTR pszParam = args[i];
        BOOL bFlag = FALSE;
        BOOL bLast = (i + 1 == args.size());
        if (pszParam[0] == '-' || pszParam[0] == '/')
        {
            bFlag = TRUE;
            ++pszParam;
        }
        rCmdInfo.ParseParam(pszParam, bFlag, bLast);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    BOOL bResult = TRUE;
    switch (rCmdInfo.m_nShellCommand)
    {
    case CCommandLineInfo::FileNew:
    case CCommandLineInfo::FileDDE:   // no DDE conversation is registered: start as usual
        if (!OnCmdMsg(ID_FILE_NEW, 0, NULL, NULL))
            OnFileNew();
        if (m_pMainWnd == NULL)
            bResult = FALSE;
        break;

    case CCommandLineInfo::FileOpen:
        if (OpenDocumentFile(rCmdInfo.m_strFileName) == NULL)
            bResult = FALSE;
        break;

    case CCommandLineInfo::FilePrintTo:
    case CCommandLineInfo::FilePrint:
        // Printing is not offered: the document opens hidden and the program ends.
        m_nCmdShow = SW_HIDE;
        OpenDocumentFile(rCmdInfo.m_strFileName);
        bResult = FALSE;
        break;

    case CCommandLineInfo::AppUnregister:
        UnregisterShellFileTypes();
        bResult = FALSE;
        break;

    case CCommandLineInfo::FileNothing:
        break;
    }
    return bResult;
}

// TRUE when the command line holds the option lpszOption ("/x" or "-x").
static BOOL HasOption(LPCTSTR lpszCmdLine, LPCTSTR lpszOption)
{
    std::vector<CString> args = CommandLineArguments(lpszCmdLine != NULL ? lpszCmdLine : _T(""));
    for (const CString& arg : args)
    {
        if ((arg[0] == '-' || arg[0] == '/') && lstrcmpi((LPCTSTR)arg + 1, lpszOption) == 0)
            return TRUE;
    }
    return FALSE;
}

BOOL CWinApp::RunEmbedded()
{
    return HasOption(m_lpCmdLine, _T("Embedding"));
}

BOOL CWinApp::RunAutomated()
{
    return HasOption(m_lpCmdLine, _T("Automation"));
}

// ---------------------------------------------------------------------------
// Shell registration

void CWinApp::EnableShellOpen()
{
    // Files are opened through the command line; there is no DDE conversation.
}

void CWinApp::RegisterShellFileTypes(BOOL bCompat)
{
    if (m_pDocManager != NULL)
        m_pDocManager->RegisterShellFileTypes(bCompat);
}

void CWinApp::UnregisterShellFileTypes()
{
    if (m_pDocManager != NULL)
        m_pDocManager->UnregisterShellFileTypes();
}

// Sets the default value (or lpszValueName) of HKEY_CLASSES_ROOT\lpszKey.
static BOOL SetClassesKey(LPCTSTR lpszKey, LPCTSTR lpszValue, LPCTSTR lpszValueName = NULL)
{
    HKEY hKey = NULL;
    if (::RegCreateKeyEx(HKEY_CLASSES_ROOT, lpszKey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE, NULL, &hKey,
                         NULL) != ERROR_SUCCESS)
        return FALSE;
    LONG lResult = ::RegSetValueEx(hKey, lpszValueName, 0, REG_SZ, (const BYTE*)lpszValue,
                                   (DWORD)((lstrlen(lpszValue) + 1) * sizeof(TCHAR)));
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

static CString ModulePath()
{
    TCHAR szPath[MAX_PATH * 2] = {};
    DWORD dwLen = ::GetModuleFileName(AfxGetInstanceHandle(), szPath, _countof(szPath));
    if (dwLen == 0 || dwLen >= _countof(szPath))
        return CString();
    return CString(szPath);
}

void CDocManager::RegisterShellFileTypes(BOOL bCompat)
{
    CString strPathName = ModulePath();
    if (strPathName.IsEmpty())
        return;
    int nTemplateIndex = 0;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL; nTemplateIndex++)
    {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CString strFileTypeId, strFileTypeName, strFilterExt, strTemp;
        if (!pTemplate->GetDocString(strFileTypeId, CDocTemplate::regFileTypeId) || strFileTypeId.IsEmpty())
            continue;   // not enough to register
        if (!pTemplate->GetDocString(strFileTypeName, CDocTemplate::regFileTypeName) || strFileTypeName.IsEmpty())
            strFileTypeName = strFileTypeId;
        if (!SetClassesKey(strFileTypeId, strFileTypeName))
            continue;
        if (bCompat)
        {
            // The template's icon in the program, or the first one.
            HICON hIcon = ::ExtractIcon(AfxGetInstanceHandle(), strPathName, (UINT)nTemplateIndex);
            int nIcon = hIcon != NULL && hIcon != (HICON)1 ? nTemplateIndex : 0;
            if (hIcon != NULL && hIcon != (HICON)1)
                ::DestroyIcon(hIcon);
            CString strIcon;
            strIcon.Format(_T("%s,%d"), (LPCTSTR)strPathName, nIcon);
            strTemp = strFileTypeId + _T("\\DefaultIcon");
            if (!SetClassesKey(strTemp, strIcon))
                continue;
        }
        // The shell starts the program with the file: "program" "file".
        CString strOpenCommandLine = _T("\"") + strPathName + _T("\" \"%1\"");
        strTemp = strFileTypeId + _T("\\shell\\open\\command");
        if (!SetClassesKey(strTemp, strOpenCommandLine))
            continue;
        if (pTemplate->GetDocString(strFilterExt, CDocTemplate::filterExt) && !strFilterExt.IsEmpty() &&
            strFilterExt[0] == '.')
        {
            // Claim the extension unless another type owns it.
            TCHAR szOld[MAX_PATH * 2] = {};
            LONG lSize = sizeof(szOld);
            LONG lResult = ::RegQueryValue(HKEY_CLASSES_ROOT, strFilterExt, szOld, &lSize);
            if (lResult != ERROR_SUCCESS || szOld[0] == 0 || strFileTypeId == szOld)
            {
                if (!SetClassesKey(strFilterExt, strFileTypeId))
                    continue;
                if (bCompat)
                    SetClassesKey(strFilterExt + _T("\\ShellNew"), _T(""), _T("NullFile"));
            }
        }
    }
}

void CDocManager::UnregisterShellFileTypes()
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;)
    {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CString strFileTypeId, strFilterExt;
        if (!pTemplate->GetDocString(strFileTypeId, CDocTemplate::regFileTypeId) || strFileTypeId.IsEmpty())
            continue;
        ::SHDeleteKey(HKEY_CLASSES_ROOT, strFileTypeId);
        if (pTemplate->GetDocString(strFilterExt, CDocTemplate::filterExt) && !strFilterExt.IsEmpty())
        {
            TCHAR szOld[MAX_PATH * 2] = {};
            LONG lSize = sizeof(szOld);
            if (::RegQueryValue(HKEY_CLASSES_ROOT, strFilterExt, szOld, &lSize) == ERROR_SUCCESS &&
                strFileTypeId == szOld)
                ::SHDeleteKey(HKEY_CLASSES_ROOT, strFilterExt);
        }
    }
}

#include "CEx_StyleDoc.h"

#include <afxdao.h>
#include <functional>
#include <objbase.h>
#include <wctype.h>

#include "CMainFrame.h"
#include "CMainPreviewView.h"
#include "database/CDaoTreeView.h"
#include "database/CMDBListView.h"
#include "database/ReportDaoException.h"
#include "image/CThumbView.h"
#include "image/CxImage.h"
#include "image/ImageType.h"

IMPLEMENT_DYNCREATE(CEx_StyleDoc, CDocument)

BEGIN_MESSAGE_MAP(CEx_StyleDoc, CDocument)
END_MESSAGE_MAP()

namespace {

// Calls onFile with the name of every file (not folder) in lpszFolder.
void ForEachFileIn(LPCWSTR lpszFolder, const std::function<void(const CString&)>& onFile)
{
    CFileFind finder;
    BOOL bMore = finder.FindFile(CString(lpszFolder) + _T("\\*.*"));
    while (bMore) {
        bMore = finder.FindNextFile();
        if (finder.IsDots() || finder.IsDirectory())
            continue;
        onFile(finder.GetFileName());
    }
    finder.Close();
}

}  // namespace

CEx_StyleDoc::CEx_StyleDoc()
    : m_nCurrentImage(-1), m_pImage(NULL), m_pDatabase(NULL), m_pDaoTreeView(NULL), m_pTableView(NULL)
{
}

CEx_StyleDoc::~CEx_StyleDoc()
{
    if (m_pDatabase != NULL) {
        if (m_pDatabase->IsOpen())
            m_pDatabase->Close();
        delete m_pDatabase;
    }
    delete m_pImage;
}

BOOL CEx_StyleDoc::OnNewDocument() { return CDocument::OnNewDocument(); }

int CEx_StyleDoc::GetImageType(LPCWSTR lpszName) { return GetImageTypeCode(lpszName); }

void CEx_StyleDoc::ClearFolderState(LPCWSTR lpszFolder)
{
    m_strFolder = lpszFolder;
    m_vecImageFiles.RemoveAll();
    delete m_pImage;
    m_pImage = NULL;
}

void CEx_StyleDoc::ListImageFiles(LPCWSTR lpszFolder)
{
    ClearFolderState(lpszFolder);
    ForEachFileIn(lpszFolder, [this](const CString& fileName) {
        if (GetImageType(fileName) == 0)
            return;
        CString name = fileName;
        name.MakeLower();
        m_vecImageFiles.Add(name);
    });
    CString temp;
    SortNames(m_vecImageFiles, 0, (int)m_vecImageFiles.GetSize() - 1, temp);

    CMainFrame* pFrame = DYNAMIC_DOWNCAST(CMainFrame, AfxGetMainWnd());
    if (pFrame != NULL && pFrame->m_pPreviewView != NULL && pFrame->m_pPreviewView->m_pThumbView != NULL)
        pFrame->m_pPreviewView->m_pThumbView->LoadThumbnails();
    m_nCurrentImage = -1;
}

void CEx_StyleDoc::SortNames(CArray<CString, CString&>& names, int nFirst, int nLast, CString& temp)
{
    // Quicksort with the first entry as pivot; recursion on the smaller side
    // and a loop on the larger keeps the depth logarithmic.
    while (nFirst < nLast) {
        const CString pivot = names[nFirst];
        int i = nFirst + 1;
        int j = nLast;
        for (;;) {
            while (i <= nLast && wcscmp(names[i], pivot) < 0)
                ++i;
            while (j > nFirst && wcscmp(names[j], pivot) > 0)
                --j;
            if (i >= j)
                break;
            temp = names[i];
            names[i] = names[j];
            names[j] = temp;
            ++i;
            --j;
        }
        temp = names[nFirst];
        names[nFirst] = names[j];
        names[j] = temp;
        if (j - nFirst < nLast - j) {
            SortNames(names, nFirst, j - 1, temp);
            nFirst = j + 1;
        } else {
            SortNames(names, j + 1, nLast, temp);
            nLast = j - 1;
        }
    }
}

void CEx_StyleDoc::LoadImageAt(int nIndex)
{
    if (nIndex == m_nCurrentImage)
        return;
    m_nCurrentImage = nIndex;
    delete m_pImage;
    m_pImage = NULL;
    if (nIndex < 0 || nIndex >= m_vecImageFiles.GetSize())
        return;
    const CString path = m_strFolder + _T("\\") + m_vecImageFiles[nIndex];
    if (int type = GetImageType(path))
        m_pImage = new CxImage(path, type);
}

void CEx_StyleDoc::DeleteFolderFiles(LPCWSTR lpszFolder)
{
    ClearFolderState(lpszFolder);
    ForEachFileIn(lpszFolder, [lpszFolder](const CString& fileName) {
        const CString path = CString(lpszFolder) + _T("\\") + fileName;
        // A second attempt for a file that was still being released.
        ::DeleteFileW(path);
        ::DeleteFileW(path);
    });
}

int CEx_StyleDoc::OpenDatabase(LPCWSTR lpszPath)
{
    ::CoInitialize(NULL);
    CDaoDatabase* pDatabase = new CDaoDatabase;
    try {
        pDatabase->Open(lpszPath, FALSE, FALSE, _T(""));
    } catch (CDaoException* e) {
        ReportDaoException(e);
        e->Delete();
        delete pDatabase;
        return 0;
    }
    if (m_pDatabase != NULL) {
        if (m_pDatabase->IsOpen())
            m_pDatabase->Close();
        delete m_pDatabase;
    }
    m_pDatabase = pDatabase;
    if (m_pDaoTreeView != NULL)
        m_pDaoTreeView->m_pDatabase = pDatabase;
    if (m_pTableView != NULL)
        m_pTableView->m_pDatabase = pDatabase;
    RefreshDatabaseViews();
    return 1;
}

void CEx_StyleDoc::RefreshDatabaseViews()
{
    if (m_pDatabase == NULL)
        return;
    if (m_pTableView != NULL)
        m_pTableView->ClearList();
    if (m_pDaoTreeView != NULL)
        m_pDaoTreeView->PopulateTree();
}

// The single document. It holds no recovery data and reads nothing from a
// file opened as the document; it serves the preview: the path of the file
// being previewed, the sorted picture files of a folder with one loaded, the
// emptying of a folder, and the Access database the database viewer shows.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

class CDaoDatabase;
class CDaoTreeView;
class CMDBListView;
class CxImage;

class CEx_StyleDoc : public CDocument
{
    DECLARE_DYNCREATE(CEx_StyleDoc)
public:
    CEx_StyleDoc();
    ~CEx_StyleDoc() override;

    // The picture library's format code of a name by its ending (case
    // ignored): four-letter extensions first, then three-letter ones; 0 for
    // anything else.
    static int GetImageType(LPCWSTR lpszName);
    // Lists folder's picture files (lower-cased, sorted) and has the preview
    // pane's thumbnail view reload; no picture is current afterwards.
    void ListImageFiles(LPCWSTR lpszFolder);
    // Makes entry nIndex the current picture (none past the end).
    void LoadImageAt(int nIndex);
    // Deletes every file of folder (not its subfolders).
    void DeleteFolderFiles(LPCWSTR lpszFolder);
    // Opens the Access database; 1 when open, 0 after the error was reported
    // (the database open before stays).
    int OpenDatabase(LPCWSTR lpszPath);
    // Empties the table view and rebuilds the tree view, each when it is
    // registered; nothing without a database.
    void RefreshDatabaseViews();
    // Sorts entries nFirst to nLast (inclusive) ascending by code unit.
    static void SortNames(CArray<CString, CString&>& names, int nFirst, int nLast, CString& temp);

    CArray<CString, CString&> m_vecImageFiles;
    int m_nCurrentImage;
    CString m_strPreviewPath;
    CString m_strFolder;
    CxImage* m_pImage;
    CDaoDatabase* m_pDatabase;
    CDaoTreeView* m_pDaoTreeView;
    CMDBListView* m_pTableView;

protected:
    BOOL OnNewDocument() override;
    void ClearFolderState(LPCWSTR lpszFolder);
    DECLARE_MESSAGE_MAP()
};

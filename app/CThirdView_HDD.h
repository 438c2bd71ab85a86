// The recovery step: the result folder tree, the result list and the
// preview pane side by side in two pane splitters, with Recover, Back and
// Home along the bottom edge. Recover saves what the tree and the list mark;
// Back throws the results away and returns to the step that made them; Home
// asks first and returns to the start page.
#pragma once

#include <afxwin.h>

#include <functional>

#include "CFolderTreeCtrl.h"
#include "CPaneSplitter.h"
#include "CShellIcons.h"
#include "CToolButton.h"
#include "CVZHeaderCtrl.h"

class CMainPreviewView;
class CResultListCtrl;

class CThirdView_HDD : public CView
{
    DECLARE_DYNCREATE(CThirdView_HDD)
public:
    enum
    {
        IdTree = 162,
        IdOuterSplitter = 157,
        IdInnerSplitter = 164,
        IdList = 165,
        IdRecover = 159,
        IdBack = 160,
        IdHome = 61481,
        IdStatus1 = 61482,
        IdStatus2 = 61484,
        IdStatus3 = 61488,
        IdPreview = 0xE901,
    };
    // Which control the Tab key highlights.
    enum Highlight
    {
        HighlightTree,
        HighlightRecover,
        HighlightBack,
    };

    CThirdView_HDD();
    ~CThirdView_HDD() override;

    // Around a preview: the wait cursor stays until EndWait.
    void BeginWait();
    void EndWait();
    BOOL IsWaiting() const { return m_bWaitCursor; }

    // Every checked folder of the list's map marked for saving.
    void CollectFoldersToSave();

    // The result list's columns for a scan mode (the old ones deleted).
    void SetResultColumns(int nScanMode);
    // The root of the results listed (FAT, NTFS or the File Trace types),
    // the rows' marks from the tree.
    void ShowRootListing();
    // Recover, Back and Home shown and enabled (results are on show).
    void ShowRecoveryButtons();
    void HideBackButton();

    // Sorts the list by a column and direction, shows the header's arrow
    // and puts the folder rows first.
    void SortList(int nColumn, BOOL bAscending);
    // The folder rows first (type in capitals), "Parent..." at row 0.
    void MoveFoldersFirst();
    // A click on a column heading.
    void OnColumnClick(int nColumn);

    afx_msg void OnRecover();
    afx_msg void OnBack();
    afx_msg void OnHome();

    Highlight GetHighlight() const { return m_highlight; }
    int GetSortColumn() const { return m_nSortColumn; }
    BOOL IsSortAscending() const { return m_bSortAscending; }
    int GetLeftBannerWidth() const { return m_nLeftBannerWidth; }

    // The destination chooser of Recover (a folder, or empty when
    // cancelled) and the save behind the saving dialog; tests put their own
    // here.
    std::function<CString()> m_chooseSaveFolder;
    std::function<void(const CString& folder)> m_runSave;

    CFont m_modeFont;
    CStatic m_status[3];
    CFolderTreeCtrl m_tree;
    CPaneSplitter m_outerSplitter;
    CPaneSplitter m_innerSplitter;
    CShellIcons m_shellIcons;
    CResultListCtrl* m_pList;
    CImageList* m_pSystemImages;
    HBRUSH m_hWhiteBrush;
    CToolButton m_recover;
    CToolButton m_back;
    CToolButton m_home;
    CMainPreviewView* m_pPreview;
    CVZHeaderCtrl m_header;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void OnDraw(CDC* pDC) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    // The default save: the marked folders and files written under the
    // folder by the engine's save on a worker, while this thread keeps
    // answering messages.
    void SaveMarked(const CString& folder);
    // Empties the tree, its styles, the list and the list's maps.
    void ClearResults();

    Highlight m_highlight;
    BOOL m_bWaitCursor;
    int m_nLeftBannerWidth;
    int m_nRightBannerLeft;
    int m_nSortColumn;
    BOOL m_bSortAscending;
};

// The drive step: the device tree and the drive panel side by side in a
// pane splitter, Next, Back and Stop along the bottom edge. Next on a disk
// runs the partition search on a worker through the scan starter and, when
// the worker has ended, shows the scan step; Back (and Home) throw every
// result away and return to the start page.
#pragma once

#include <afxwin.h>

#include <memory>

#include "CDeviceTreeCtrl.h"
#include "CPaneSplitter.h"
#include "CScanStarter.h"
#include "CToolButton.h"

class CDriveStepPanelHost;
class CFirstDisplay;

class CFirstView_HDD : public CView
{
    DECLARE_DYNCREATE(CFirstView_HDD)
public:
    enum
    {
        IdTree = 156,
        IdSplitter = 157,
        IdNext = 159,
        IdBack = 160,
        IdStop = 132,
        IdHome = 61481,
    };

    CFirstView_HDD();
    ~CFirstView_HDD() override;

    // Registers the open virtual disk and lists it in the tree, then selects
    // it: its partition table is read and the panel shows it.
    void BuildDeviceTree();

    // Next: the partition search on a selected disk, or the scan step's
    // preparation for a category item.
    afx_msg void OnNext();
    // Back to the start page: every result list freed, the step flags and
    // the start page's commands reset. Also the common reset of the later
    // steps' Home commands.
    afx_msg void OnBack();
    afx_msg void OnStop();
    afx_msg void OnHome();

    // The buttons and the tree as before a search (the scan step's Back).
    void RestoreIdle();
    // The keyboard highlight back at its first state (the tree's Tab).
    void ResetHighlight();
    int HighlightState() const { return m_nHighlight; }

    // What the partition search's end does (the scan starter's finish).
    void OnSearchFinished();

    CFirstDisplay* m_pPanel;
    CDeviceTreeCtrl m_tree;
    CPaneSplitter m_splitter;
    CToolButton m_next;
    CToolButton m_back;
    CToolButton m_home;
    CToolButton m_stop;
    CScanStarter m_starter;

protected:
    void OnDraw(CDC* pDC) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    void PrepareScanStep();

    int m_nHighlight;
    CFont m_modeFont;
    int m_nLeftBannerWidth;
    int m_nRightBannerLeft;
    std::unique_ptr<CDriveStepPanelHost> m_pHost;
};

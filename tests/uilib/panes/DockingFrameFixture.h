// A test frame with docking panes: a plain frame window with a view child
// (0xE900), the pane manager installed on it with its window, and an
// adopted layout. The frame records every docking notification and answers
// vetoes and close requests from tables. Panes host static controls.
#pragma once

#include <afxwin.h>

#include <set>
#include <vector>

#include "CVZPDockingPane.h"
#include "CVZPDockingPaneLayout.h"
#include "CVZPDockingPaneManager.h"
#include "CVZPDockingPaneSplitterContainer.h"
#include "CVZPDockingPaneTabbedContainer.h"

namespace vzpanes_test {

// One WM_VZP_DOCKINGPANE_NOTIFY as the site saw it; the action fields only
// for code 4.
struct DockingNote
{
    WPARAM nCode;
    int nAction;
    void* pPane;
    void* pTarget;
    int nSide;
    LPARAM lParam;
    VZPDockingPaneMenuRecord menu;   // a copy of the record of code 5
};

class CDockingTestFrame : public CFrameWnd
{
public:
    CDockingTestFrame();

    // A visible frame of that client size at a fixed place; then the
    // manager, its window and an adopted layout. The frame deletes itself
    // when its window goes (use Destroy).
    static CDockingTestFrame* Build(CSize szClient = CSize(640, 480), DWORD dwExStyle = 0);
    void Destroy();

    // A pane with its id, title and docking size, hosting a static control
    // that shows the title; closed until docked.
    CVZPDockingPane* NewPane(int nID, LPCWSTR pszTitle, int cx = 150, int cy = 120);
    // The notes of one code (all when 0).
    std::vector<DockingNote> Notes(WPARAM nCode = 0) const;
    int CountActions(int nAction) const;
    // Lays the frame out now and runs what the idle pass would.
    void LayoutNow();

    CVZPDockingPaneLayout* Layout() { return m_manager.GetLayout(); }
    CVZPDockingPaneSplitterContainer* Top() { return m_manager.GetRootContainer(); }
    CVZPDockingPaneBase* Client() { return m_manager.GetClientPlaceholder(); }
    static CVZPDockingPaneTabbedContainer* TabbedOf(CVZPDockingPane* pPane);
    static CVZPDockingPaneSplitterContainer* AsSplitter(CVZPDockingPaneBase* pObject);

    CVZPDockingPaneManager m_manager;
    CWnd m_wndView;
    std::vector<DockingNote> m_notes;
    std::set<int> m_vetoes;     // action codes whose cancel field is set
    LRESULT m_nCloseAnswer;     // the answer to code 3
    LRESULT m_nMenuAnswer;      // the answer to code 5

protected:
    afx_msg LRESULT OnDockingNotify(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    DECLARE_MESSAGE_MAP()
};

}  // namespace vzpanes_test

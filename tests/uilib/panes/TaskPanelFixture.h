// A test frame for the task panel: an owner window that records the panel's
// notifications and answers them from a table, and a panel with three
// groups (the first special) holding links, a text and a hosted edit.
#pragma once

#include <afxwin.h>

#include <map>
#include <vector>

#include "CVZPTaskPanel.h"
#include "CVZPTaskPanelGroup.h"

namespace vzpanes_test {

// Records WM_VZP_TASKPANEL_NOTIFY; answers each code from m_answers (0 when
// absent).
class CNotifyOwner : public CWnd
{
public:
    struct Call
    {
        WPARAM nCode;
        LPARAM lParam;
        BOOL bExpanding;   // code 6: the state asked for
    };
    std::vector<Call> m_calls;
    std::map<WPARAM, LRESULT> m_answers;

    // The codes received, in order, leaving out those in skip.
    std::vector<int> Codes(std::initializer_list<int> skip = { vzpTaskPanelFocusChanged }) const;
    int Count(int nCode) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class CTaskPanelFrame
{
public:
    // A visible owner of 300 x 460 at (40, 40) and a panel of panelSize in
    // it; the groups are laid out at rest.
    explicit CTaskPanelFrame(CSize panelSize = CSize(260, 420), BOOL bFill = TRUE);
    ~CTaskPanelFrame();
    CTaskPanelFrame(const CTaskPanelFrame&) = delete;
    CTaskPanelFrame& operator=(const CTaskPanelFrame&) = delete;

    CVZPTaskPanelGroup* Group(int i) const { return m_panel.GetAt(i); }
    CVZPTaskPanelGroupItem* Item(int nGroup, int i) const { return Group(nGroup)->GetItem(i); }
    // The client point at the middle of an item or group caption.
    CPoint Middle(CVZPTaskPanelItem* pItem);
    // Lays out without animation and drops the recorded calls.
    void Settle();

    CNotifyOwner m_owner;
    CVZPTaskPanel m_panel;
    CEdit m_edit;   // hosted by the second group's type-3 item
};

// A group item of the given type and caption.
CVZPTaskPanelGroupItem* AddItem(CVZPTaskPanelGroup* pGroup, int nType, LPCWSTR pszCaption, int nID = 0);

}  // namespace vzpanes_test

#include "TaskPanelFixture.h"

#include <algorithm>

namespace vzpanes_test {

std::vector<int> CNotifyOwner::Codes(std::initializer_list<int> skip) const
{
    std::vector<int> codes;
    for (const Call& call : m_calls)
    {
        if (std::find(skip.begin(), skip.end(), int(call.nCode)) == skip.end())
            codes.push_back(int(call.nCode));
    }
    return codes;
}

int CNotifyOwner::Count(int nCode) const
{
    return int(std::count_if(m_calls.begin(), m_calls.end(), [nCode](const Call& c) { return int(c.nCode) == nCode; }));
}

LRESULT CNotifyOwner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_VZP_TASKPANEL_NOTIFY)
    {
        Call call = { wParam, lParam, FALSE };
        if (wParam == vzpTaskPanelGroupExpanding)
            call.bExpanding = reinterpret_cast<VZPTaskPanelGroupExpanding*>(lParam)->bExpanding;
        m_calls.push_back(call);
        auto it = m_answers.find(wParam);
        return it != m_answers.end() ? it->second : 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

CVZPTaskPanelGroupItem* AddItem(CVZPTaskPanelGroup* pGroup, int nType, LPCWSTR pszCaption, int nID)
{
    CVZPTaskPanelGroupItem* pItem = new CVZPTaskPanelGroupItem;
    pItem->m_nType = nType;
    pItem->m_strCaption = pszCaption;
    pItem->m_nID = nID;
    pGroup->GetItems()->Add(pItem);
    return pItem;
}

CTaskPanelFrame::CTaskPanelFrame(CSize panelSize, BOOL bFill)
{
    LPCTSTR pszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(NULL, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    m_owner.CreateEx(0, pszClass, L"task panel test", WS_POPUP | WS_CAPTION | WS_VISIBLE | WS_CLIPCHILDREN,
                     CRect(40, 40, 340, 500), NULL, 0);
    m_panel.Create(WS_VISIBLE, CRect(0, 0, panelSize.cx, panelSize.cy), &m_owner, 100);
    if (bFill)
    {
        m_panel.LockLayout(TRUE);
        CVZPTaskPanelGroup* pTasks = m_panel.AddGroup(L"Tasks", 1);
        pTasks->m_bSpecial = TRUE;
        AddItem(pTasks, vzpTaskItemLink, L"Open", 11);
        AddItem(pTasks, vzpTaskItemLink, L"Save", 12);
        AddItem(pTasks, vzpTaskItemText, L"A note", 13);
        CVZPTaskPanelGroup* pPlaces = m_panel.AddGroup(L"Places", 2);
        AddItem(pPlaces, vzpTaskItemLink, L"Home", 21);
        CVZPTaskPanelGroupItem* pHosted = AddItem(pPlaces, vzpTaskItemControl, L"", 22);
        m_edit.Create(WS_CHILD | WS_BORDER, CRect(0, 0, 100, 22), &m_panel, 200);
        m_edit.SetWindowText(L"hosted");
        pHosted->m_hWndControl = m_edit.GetSafeHwnd();
        pHosted->m_szItem = CSize(0, 22);
        CVZPTaskPanelGroup* pDetails = m_panel.AddGroup(L"Details", 3);
        AddItem(pDetails, vzpTaskItemLink, L"One", 31);
        AddItem(pDetails, vzpTaskItemLink, L"Two", 32);
        m_panel.LockLayout(FALSE);
    }
    Settle();
}

CTaskPanelFrame::~CTaskPanelFrame()
{
    m_panel.DestroyWindow();
    m_owner.DestroyWindow();
}

CPoint CTaskPanelFrame::Middle(CVZPTaskPanelItem* pItem)
{
    return pItem->GetRectOnPanel().CenterPoint();
}

void CTaskPanelFrame::Settle()
{
    m_panel.LayoutPanel(FALSE);
    m_panel.KillTimer(VZP_TASKPANEL_TIMER_ANIMATION);
    m_panel.m_nAnimationTimer = 0;
    m_owner.m_calls.clear();
}

}  // namespace vzpanes_test

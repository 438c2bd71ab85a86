#include "DockingFrameFixture.h"

#include <afxpriv.h>

namespace vzpanes_test {

BEGIN_MESSAGE_MAP(CDockingTestFrame, CFrameWnd)
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_MESSAGE(WM_VZP_DOCKINGPANE_NOTIFY, OnDockingNotify)
END_MESSAGE_MAP()

CDockingTestFrame::CDockingTestFrame() : m_nCloseAnswer(0), m_nMenuAnswer(0)
{
}

CDockingTestFrame* CDockingTestFrame::Build(CSize szClient, DWORD dwExStyle)
{
    CDockingTestFrame* pFrame = new CDockingTestFrame;
    CRect rc(0, 0, szClient.cx, szClient.cy);
    ::AdjustWindowRectEx(&rc, WS_OVERLAPPEDWINDOW, FALSE, dwExStyle);
    rc.OffsetRect(40 - rc.left, 40 - rc.top);
    if (!pFrame->CreateEx(dwExStyle, AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW),
                                                         ::GetSysColorBrush(COLOR_BTNFACE)),
                          L"Docking panes", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, rc, NULL, 0))
        return NULL;
    // The border the system really gives may differ from the computed one.
    CRect rcClient;
    pFrame->GetClientRect(&rcClient);
    if (rcClient.Size() != szClient)
    {
        CRect rcWindow;
        pFrame->GetWindowRect(&rcWindow);
        pFrame->SetWindowPos(NULL, 0, 0, rcWindow.Width() + szClient.cx - rcClient.Width(),
                             rcWindow.Height() + szClient.cy - rcClient.Height(), SWP_NOMOVE | SWP_NOZORDER);
    }
    pFrame->m_wndView.CreateEx(WS_EX_CLIENTEDGE, AfxRegisterWndClass(0, NULL, ::GetSysColorBrush(COLOR_WINDOW)),
                               L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pFrame, AFX_IDW_PANE_FIRST);
    pFrame->m_manager.InstallManager(pFrame);
    pFrame->m_manager.AdoptLayout(pFrame->m_manager.MakeLayout());
    pFrame->LayoutNow();
    return pFrame;
}

void CDockingTestFrame::Destroy()
{
    DestroyWindow();
}

CVZPDockingPane* CDockingTestFrame::NewPane(int nID, LPCWSTR pszTitle, int cx, int cy)
{
    CVZPDockingPane* pPane =
        static_cast<CVZPDockingPane*>(m_manager.CreatePaneObject(vzpPaneTypeDockingPane, m_manager.GetLayout()));
    pPane->SetID(nID);
    pPane->SetTitle(pszTitle);
    pPane->m_nDockingCX = cx;
    pPane->m_nDockingCY = cy;
    HWND hStatic = ::CreateWindowExW(0, L"STATIC", pszTitle, WS_CHILD | SS_CENTER, 0, 0, 10, 10,
                                     m_manager.GetSafeHwnd(), NULL, AfxGetInstanceHandle(), NULL);
    pPane->Attach(hStatic);
    return pPane;
}

std::vector<DockingNote> CDockingTestFrame::Notes(WPARAM nCode) const
{
    std::vector<DockingNote> notes;
    for (const DockingNote& note : m_notes)
    {
        if (nCode == 0 || note.nCode == nCode)
            notes.push_back(note);
    }
    return notes;
}

int CDockingTestFrame::CountActions(int nAction) const
{
    int nCount = 0;
    for (const DockingNote& note : m_notes)
    {
        if (note.nCode == vzpDockingPaneAction && note.nAction == nAction)
            nCount++;
    }
    return nCount;
}

void CDockingTestFrame::LayoutNow()
{
    RecalcLayout(TRUE);
    m_nIdleFlags = 0;
}

CVZPDockingPaneTabbedContainer* CDockingTestFrame::TabbedOf(CVZPDockingPane* pPane)
{
    CVZPDockingPaneBase* pParent = pPane->GetParentContainer();
    return pParent != NULL && pParent->GetType() == vzpPaneTypeTabbedContainer
               ? static_cast<CVZPDockingPaneTabbedContainer*>(pParent)
               : NULL;
}

CVZPDockingPaneSplitterContainer* CDockingTestFrame::AsSplitter(CVZPDockingPaneBase* pObject)
{
    return pObject != NULL && pObject->GetType() == vzpPaneTypeSplitterContainer
               ? static_cast<CVZPDockingPaneSplitterContainer*>(pObject)
               : NULL;
}

LRESULT CDockingTestFrame::OnDockingNotify(WPARAM wParam, LPARAM lParam)
{
    DockingNote note = { wParam, -1, NULL, NULL, 0, lParam, {} };
    if (wParam == vzpDockingPaneMenu)
        note.menu = *reinterpret_cast<VZPDockingPaneMenuRecord*>(lParam);
    if (wParam == vzpDockingPaneAction)
    {
        VZPDockingPaneActionRecord* pRecord = reinterpret_cast<VZPDockingPaneActionRecord*>(lParam);
        note.nAction = pRecord->nAction;
        note.pPane = pRecord->pPane;
        note.pTarget = pRecord->pTarget;
        note.nSide = pRecord->nSide;
        if (m_vetoes.count(pRecord->nAction) != 0)
            pRecord->bCancel = 1;
    }
    m_notes.push_back(note);
    if (wParam == vzpDockingPaneMenu)
        return m_nMenuAnswer;
    return wParam == vzpDockingPaneClosing ? m_nCloseAnswer : 0;
}

// A frame that is not the main window gets no forwarding from the framework.
void CDockingTestFrame::OnSysColorChange()
{
    CFrameWnd::OnSysColorChange();
    if (m_manager.GetSafeHwnd() != NULL)
        m_manager.SendMessage(WM_SYSCOLORCHANGE);
}

void CDockingTestFrame::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CFrameWnd::OnSettingChange(uFlags, lpszSection);
    if (m_manager.GetSafeHwnd() != NULL)
        m_manager.SendMessage(WM_SETTINGCHANGE, uFlags, LPARAM(lpszSection));
}

}  // namespace vzpanes_test

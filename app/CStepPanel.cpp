#include "CStepPanel.h"

namespace {
const UINT IdProgress = 1001;
const UINT IdStatus = 1002;
}

CStepPanel::CStepPanel() {}

BOOL CStepPanel::Create(CWnd* pParent, const RECT& rect, UINT nID)
{
    if (!CWnd::Create(NULL, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, pParent, nID))
        return FALSE;
    CRect client;
    GetClientRect(&client);
    CRect bar(Margin, Margin, client.Width() - Margin, Margin + RowHeight);
    if (!m_progress.Create(WS_CHILD | WS_VISIBLE | PBS_SMOOTH, bar, this, IdProgress))
        return FALSE;
    m_progress.SetRange(0, 100);
    return CreateRowText(m_status, 0, Margin, client.Width() - 2 * Margin, IdStatus);
}

BOOL CStepPanel::CreateRowText(CStatic& text, int nRow, int nLeft, int nWidth, UINT nID)
{
    int top = Margin + RowHeight * (nRow + 1) + Margin;
    CRect rect(nLeft, top, nLeft + nWidth, top + RowHeight);
    return text.Create(L"", WS_CHILD | WS_VISIBLE | SS_LEFT, rect, this, nID);
}

void CStepPanel::SetProgress(int nPos)
{
    m_progress.SendMessage(PBM_SETPOS, (WPARAM)nPos, 0);
}

void CStepPanel::SetStatusText(LPCTSTR lpszText) { m_status.SetWindowText(lpszText); }

void CStepPanel::HideProgress()
{
    m_progress.EnableWindow(FALSE);
    m_progress.ShowWindow(SW_HIDE);
}

void CStepPanel::HideStatusText()
{
    m_status.EnableWindow(FALSE);
    m_status.ShowWindow(SW_HIDE);
}

void CStepPanel::ShowStatusText()
{
    m_status.EnableWindow(TRUE);
    m_status.ShowWindow(SW_SHOW);
}

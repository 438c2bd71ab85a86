#include "CSecondDisplay.h"

BOOL CSecondDisplay::Create(CWnd* pParent, const RECT& rect, UINT nID)
{
    if (!CStepPanel::Create(pParent, rect, nID))
        return FALSE;
    CRect client;
    GetClientRect(&client);
    const int half = (client.Width() - 3 * Margin) / 2;
    for (int row = 0; row < CounterRows; ++row) {
        if (!CreateRowText(m_counterCaption[row], row + 1, Margin, half, 1010 + row) ||
            !CreateRowText(m_counterValue[row], row + 1, 2 * Margin + half, half, 1020 + row))
            return FALSE;
    }
    return TRUE;
}

void CSecondDisplay::ResetCounters()
{
    static const LPCTSTR captions[] = {
        L"Folder(s) Found  :", L"File(s) Found    :", L"Current Sector    :",
        L"Last File/Folder   :",
    };
    for (int row = 0; row < 4; ++row) {
        m_counterCaption[row].SetWindowText(captions[row]);
        m_counterValue[row].SetWindowText(L"");
    }
}

void CSecondDisplay::SetCounterCaption(int nRow, LPCTSTR lpszText)
{
    if (nRow >= 0 && nRow < CounterRows)
        m_counterCaption[nRow].SetWindowText(lpszText);
}

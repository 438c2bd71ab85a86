#include "CFileSystemForm.h"

BOOL CFileSystemForm::Create(CWnd* pParent, const RECT& rect, UINT nID)
{
    if (!CStepPanel::Create(pParent, rect, nID))
        return FALSE;
    CRect client;
    GetClientRect(&client);
    const int half = (client.Width() - 3 * Margin) / 2;
    for (int row = 0; row < Rows; ++row) {
        if (!CreateRowText(m_caption[row], row + 1, Margin, half, 1030 + row) ||
            !CreateRowText(m_value[row], row + 1, 2 * Margin + half, half, 1040 + row))
            return FALSE;
    }
    return CreateRowText(m_hint, Rows + 1, Margin, client.Width() - 2 * Margin, 1050);
}

void CFileSystemForm::ShowCaptions(const LPCTSTR captions[Rows])
{
    for (int row = 0; row < Rows; ++row) {
        m_caption[row].SetWindowText(captions[row]);
        m_value[row].SetWindowText(L"");
        m_caption[row].ShowWindow(SW_SHOW);
        m_value[row].ShowWindow(SW_SHOW);
    }
}

void CFileSystemForm::ShowFatCaptions()
{
    static const LPCTSTR captions[Rows] = {L"", L"File System Start\t:", L"Sectors Per Cluster\t:",
                                           L"File System Size\t:", L""};
    ShowCaptions(captions);
}

void CFileSystemForm::ShowNtfsCaptions()
{
    static const LPCTSTR captions[Rows] = {L"File System Start\t:", L"Sectors Per Cluster\t:", L"MFT Start\t\t:",
                                           L"MFT Mirror Start\t\t:", L"File System Size\t:"};
    ShowCaptions(captions);
}

void CFileSystemForm::ShowFatValues(LPCTSTR lpszStart, LPCTSTR lpszSectorsPerCluster, LPCTSTR lpszSize)
{
    ShowFatCaptions();
    m_caption[0].ShowWindow(SW_HIDE);
    m_value[0].ShowWindow(SW_HIDE);
    SetRowValue(2, lpszStart);
    SetRowValue(3, lpszSectorsPerCluster);
    SetRowValue(4, lpszSize);
}

void CFileSystemForm::SetRowValue(int nRow, LPCTSTR lpszText)
{
    if (nRow >= 1 && nRow <= Rows)
        m_value[nRow - 1].SetWindowText(lpszText);
}

// The file-system step's information panel: progress, status line and five
// rows (a caption and a value each) that show the chosen file system.
#pragma once

#include "CStepPanel.h"

class CFileSystemForm : public CStepPanel
{
public:
    enum { Rows = 5 };

    BOOL Create(CWnd* pParent, const RECT& rect, UINT nID) override;

    // Captions of a FAT file system (rows 2 to 4), values emptied.
    void ShowFatCaptions();
    // Captions of an NTFS file system (rows 1 to 5), values emptied.
    void ShowNtfsCaptions();
    // The FAT captions with the start, sectors per cluster and size values.
    void ShowFatValues(LPCTSTR lpszStart, LPCTSTR lpszSectorsPerCluster, LPCTSTR lpszSize);
    // nRow from 1.
    void SetRowValue(int nRow, LPCTSTR lpszText);
    // The hint below the rows: what to do next, or that nothing was found.
    void SetHintText(LPCTSTR lpszText) { m_hint.SetWindowText(lpszText); }

    CStatic m_caption[Rows];
    CStatic m_value[Rows];
    CStatic m_hint;

private:
    void ShowCaptions(const LPCTSTR captions[Rows]);
};

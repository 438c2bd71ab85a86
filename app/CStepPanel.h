// The information panel of a wizard step: a progress bar (0 to 99) and a
// status line that the engine's workers update by synchronous messages.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

class CStepPanel : public CWnd
{
public:
    CStepPanel();

    // Creates the panel as a child of pParent with its progress bar and
    // status line.
    virtual BOOL Create(CWnd* pParent, const RECT& rect, UINT nID);

    // Sends PBM_SETPOS with the position; callable from a worker thread.
    void SetProgress(int nPos);
    void SetStatusText(LPCTSTR lpszText);
    void HideProgress();
    void HideStatusText();
    void ShowStatusText();

    CProgressCtrl m_progress;
    CStatic m_status;

protected:
    // Row height and margin of the panel's simple layout.
    enum { RowHeight = 20, Margin = 8 };
    // Creates a static text at row nRow (0 = first row under the progress bar).
    BOOL CreateRowText(CStatic& text, int nRow, int nLeft, int nWidth, UINT nID);
};

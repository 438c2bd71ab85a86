// The drive step's information panel: the selected disk's captions and
// values (geometry for a VHD, disk type and block counts for a VHDX) with a
// pie chart of its partitions, and, while the partition search runs, the
// status line and progress bar its worker updates by sent messages.
#pragma once

#include <afxwin.h>

#include "CPieChart.h"
#include "CTextProgressCtrl.h"
#include "CToolButton.h"
#include "CXPGroupBox.h"

class CFirstDisplay : public CView
{
    DECLARE_DYNCREATE(CFirstDisplay)
public:
    enum
    {
        Rows = 5,
        IdFirstCaption = 32812,
        IdFirstValue = 32817,
        IdHeading = 32822,
        IdPicture = 32825,
        IdText = 170,   // the hint and the status line
        IdCapacityChart = 61467,
        IdProgress = 61457,
        IdGroup = 61479,
    };

    CFirstDisplay();
    ~CFirstDisplay() override;

    // A panel the caller owns (not deleted with its window), for hosts other
    // than the drive step.
    BOOL Create(CWnd* pParent, const RECT& rect, UINT nID);
    using CView::Create;

    // From the worker too: both act by sent messages. The second argument
    // of SetProgress is not used.
    void SetProgress(int nPos, int nUnused = 0);
    void SetStatusText(CString strText);
    void SetWaitText(LPCTSTR lpszText) { m_waitText.SetWindowText(lpszText); }
    void ShowProgress();
    void HideProgress();
    void ShowStatusText();
    void HideStatusText();

    void SetDiskLabels();
    // Captions and values of device nIndex; a negative index clears the chart.
    void ShowDiskInfo(int nIndex);
    void ClearChart();
    // The pie from the partition table: a slice per entry, sized from the
    // device's sector count, and a FREE slice for what they leave.
    void ShowPartitionChart();

    CString CaptionText(int nRow) const;
    CString ValueText(int nRow) const;

    CStatic m_caption[Rows];
    CStatic m_value[Rows];
    CStatic m_heading;
    CStatic m_waitText;   // the hint; the partition search writes its wait text here
    CStatic m_status;
    CStatic m_capacityChart;
    CTextProgressCtrl m_progress;
    CXPGroupBox m_group;
    CXPGroupBox m_hiddenGroup;
    CToolButton m_picture;
    CPieChart m_pie;
    // Deleted with its window (the drive step's panel).
    BOOL m_bAutoDelete;

protected:
    void OnDraw(CDC* pDC) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

    CFont m_textFont;      // captions, values, hint and status: Arial 16
    CFont m_progressFont;  // Arial 18, semi-bold
    CBrush m_barBrush;
    CBrush m_whiteBrush;
};

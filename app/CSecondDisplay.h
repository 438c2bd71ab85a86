// The scan step's information panel. Before a scan it describes what the
// user picked in the partition tree (a partition or the whole disk) and, for
// an Extensive Scan, offers the file-system choice and the sector range;
// during a scan it shows the counters, the progress bar and the status line
// that the engine's workers write, and the "Hide Progress" button that turns
// the live counters off. Its callers choose its face; it never changes face
// by itself.
#pragma once

#include <afxwin.h>
#include <stdint.h>

#include "CTextProgressCtrl.h"
#include "CToolButton.h"
#include "CXPGroupBox.h"

// The selected disk's size in 512-byte sectors: the open image's, else the
// device table's entry.
uint64_t SelectedDiskSectors();

// The whole selected disk as the Extensive Scan's range: NTFS, start 0, the
// disk's sector count, and its last sector as the (inclusive) end. A count
// beyond 32 bits is cut to the sectors the range fields can address.
void SelectWholeDiskRange();

// The inclusive end sector of start + count sectors, cut to the disk's last
// sector and to the largest 32-bit sector; a count of 0 stands for the rest
// of the disk.
uint32_t RangeEndSector(uint32_t startSector, uint32_t sectorCount);

class CSecondDisplay : public CView
{
    DECLARE_DYNCREATE(CSecondDisplay)
public:
    enum
    {
        CounterRows = 5,
        RangeInputs = 3,
        IdText = 170,           // the top text and the status line
        IdFirstCaption = 32812, // rows 1 to 5: 32812 to 32816
        IdHeading = 32823,
        IdPicture = 32825,
        IdProgress = 61457,
        IdFileSystemCaption = 61458,
        IdStartCaption = 61459,
        IdEndCaption = 61460,
        IdEndSector = 61461,
        IdStartSector = 61462,
        IdFileSystem = 61463,
        IdCapacityChart = 61467,
        IdGroup = 61479,
        IdShowHideProgress = 61486,
        IdHint = 61487,
    };
    // The value statics' ids by row (row 4's comes first).
    static const UINT s_valueIds[CounterRows];

    CSecondDisplay();
    ~CSecondDisplay() override;

    // A panel the caller owns (not deleted with its window), for hosts other
    // than the scan step.
    BOOL Create(CWnd* pParent, const RECT& rect, UINT nID);
    using CView::Create;

    // From the workers too: every one acts by sent messages. The second
    // argument of SetProgress is not used.
    void SetProgress(int nPos, int nUnused = 0);
    void SetStatusText(CString strText);
    void ShowProgress();
    void HideProgress();
    void ShowStatusText();
    void HideStatusText();
    // The Quick Scan and File Trace counter captions, values cleared.
    void ResetCounters();
    // Empties the five values and both sector edits.
    void ClearValues();
    void SetCounterCaption(int nRow, LPCTSTR lpszText);

    // The selection face.
    void ShowPartitionInfo(WORD wUnused, int nRow);
    void ClearPartitionInfo();
    void ShowDiskRange();
    void ShowRangeInputs();
    void ShowFileSystemChoice();
    void ShowFileSystemChoiceOnly();
    void HideRangeInputs();
    void SetTopText(LPCTSTR lpszText) { m_topText.SetWindowText(lpszText); }

    // The scanning face's counter captions of an Extensive Scan.
    void ShowFatSearchCaptions();
    void ShowNtfsSearchCaptions();

    // The "Hide Progress" button and its hint, shown and enabled or hidden
    // and disabled.
    void ShowProgressToggle(BOOL bShow);
    // Live counters on and the button back at "Hide Progress".
    void ResetProgressToggle();

    // The file-system selector's choice as a file-system code; 0 without a
    // selection.
    uint16_t SelectedFileSystemCode() const;

    CString CaptionText(int nRow) const;
    CString ValueText(int nRow) const;

    CStatic m_topText;
    CStatic m_counterCaption[CounterRows];
    // Public: the engine writes the values of the caption set in force.
    CStatic m_counterValue[CounterRows];
    CStatic m_heading;
    CStatic m_rangeCaption[RangeInputs];
    CComboBox m_fileSystem;
    CEdit m_startSector;
    CEdit m_endSector;
    CXPGroupBox m_driveGroup;
    CXPGroupBox m_partitionGroup;
    CStatic m_capacityChart;
    CButton m_showHideProgress;
    CStatic m_hint;
    CToolButton m_picture;
    CTextProgressCtrl m_progress;
    CStatic m_status;
    // Deleted with its window (the scan step's panel).
    BOOL m_bAutoDelete;
    // Registered as the frame's scan panel (not for another host's panel).
    BOOL m_bFramePanel;

protected:
    void OnDraw(CDC* pDC) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnShowHideProgress();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    void ShowPartitionCaptions();
    void ShowRow(int nRow, BOOL bShow);
    void ShowSelectionType(uint16_t code);
    void ShowRangeValues(uint32_t start, uint32_t end, uint64_t count, LPCTSTR lpszSizeFormat);
    void ActivateScanStep();

    CFont m_textFont;      // captions, values, texts: Arial 16
    CFont m_captionFont;   // the second Arial 16 of the range captions
    CFont m_progressFont;  // Arial 18, semi-bold
    CBrush m_barBrush;
    CBrush m_whiteBrush;
};

#include "CSecondDisplay.h"

#include "CDiskEnumerator.h"
#include "CMainFrame.h"
#include "CRecoveryWizardApp.h"
#include "image/VirtualDisk.h"
#include "io/SectorReader.h"
#include "resource.h"
#include "state/EngineState.h"

namespace {

const COLORREF kAccent = RGB(29, 117, 189);
const COLORREF kHeading = RGB(34, 137, 221);
const COLORREF kWhite = RGB(255, 255, 255);

const wchar_t* const kPartitionCaptions[4] = {
    L"Partition type\t\t:", L"Partition Start\t\t:", L"Partition End\t\t:", L"Partition Size\t\t:",
};
const wchar_t* const kRangeCaptions[CSecondDisplay::RangeInputs] = {
    L"Select File System\t:", L"Start Sector\t\t:", L"End Sector\t\t:",
};
const wchar_t kHideProgress[] = L"Hide Progress";
const wchar_t kShowProgress[] = L"Show Progress";
const wchar_t kHint[] = L"Selecting \"Hide Progress\" will improve the performance. You may return to view the progress "
                        L"details at any time by selecting \"Show Progress\".";

void MakeArial(CFont& font, int nHeight, int nWeight)
{
    LOGFONT lf = {};
    lf.lfHeight = nHeight;
    lf.lfWeight = nWeight;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = FF_SWISS;
    wcscpy(lf.lfFaceName, L"Arial");
    font.CreateFontIndirect(&lf);
}

void ShowControl(CWnd& wnd, BOOL bShow, BOOL bEnable)
{
    if (!wnd.GetSafeHwnd())
        return;
    wnd.EnableWindow(bEnable);
    wnd.ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

CString Unsigned(unsigned long long value)
{
    CString text;
    text.Format(L"%llu", value);
    return text;
}

}  // namespace

uint64_t SelectedDiskSectors()
{
    if (CVirtualDisk* pDisk = GetSectorReaderDisk())
        if (uint64_t sectors = pDisk->GetSectorCount())
            return sectors;
    return g_DiskIndex < MaxDevices ? g_DiskTotalSectors[g_DiskIndex] : 0;
}

uint32_t RangeEndSector(uint32_t startSector, uint32_t sectorCount)
{
    const uint64_t total = SelectedDiskSectors();
    uint64_t end = sectorCount ? (uint64_t)startSector + sectorCount - 1 : (total ? total - 1 : startSector);
    if (total && end > total - 1)
        end = total - 1;
    return end > 0xFFFFFFFFu ? 0xFFFFFFFFu : (uint32_t)end;
}

void SelectWholeDiskRange()
{
    const uint64_t total = SelectedDiskSectors();
    const uint32_t sectors = total > 0xFFFFFFFFu ? 0xFFFFFFFFu : (uint32_t)total;
    VolumeParams.selectionCode = FileSystemNtfs;
    VolumeParams.startSector = 0;
    VolumeParams.partitionIndex = 0;
    VolumeParams.sectorCount = sectors;
    VolumeParams.endSector = sectors ? sectors - 1 : 0;
}

const UINT CSecondDisplay::s_valueIds[CSecondDisplay::CounterRows] = {32818, 32819, 32820, 32817, 32821};

IMPLEMENT_DYNCREATE(CSecondDisplay, CView)

BEGIN_MESSAGE_MAP(CSecondDisplay, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SHOWWINDOW()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEACTIVATE()
    ON_WM_CTLCOLOR()
    ON_COMMAND(IdShowHideProgress, OnShowHideProgress)
END_MESSAGE_MAP()

CSecondDisplay::CSecondDisplay() : m_bAutoDelete(FALSE), m_bFramePanel(TRUE)
{
    MakeArial(m_textFont, 16, FW_NORMAL);
    MakeArial(m_captionFont, 16, FW_NORMAL);
    MakeArial(m_progressFont, 18, FW_SEMIBOLD);
    m_barBrush.CreateSolidBrush(kAccent);
    m_whiteBrush.CreateSolidBrush(kWhite);
}

CSecondDisplay::~CSecondDisplay()
{
    if (CRecoveryWizardApp* pApp = GetWizardApp())
        if (CMainFrame* pFrame = pApp->GetMainFrame())
            if (pFrame->m_pScanPanel == this)
                pFrame->m_pScanPanel = NULL;
}

BOOL CSecondDisplay::Create(CWnd* pParent, const RECT& rect, UINT nID)
{
    m_bFramePanel = FALSE;
    return CView::Create(NULL, NULL, WS_CHILD | WS_VISIBLE, rect, pParent, nID, NULL);
}

BOOL CSecondDisplay::PreCreateWindow(CREATESTRUCT& cs) { return CView::PreCreateWindow(cs); }

void CSecondDisplay::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

int CSecondDisplay::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    const CRect placeholder(0, 0, 100, 20);
    m_driveGroup.Create(L"Selected Drive Information", WS_CHILD | BS_GROUPBOX | BS_CENTER, placeholder, this, IdGroup);
    m_partitionGroup.Create(L"Partition Information", WS_CHILD | BS_GROUPBOX, placeholder, this, IdGroup);
    m_driveGroup.SetBackgroundColor(kWhite);
    m_partitionGroup.SetBackgroundColor(kWhite);

    m_topText.Create(L"", WS_CHILD | WS_VISIBLE | SS_LEFT, placeholder, this, IdText);
    // Captions reach under the values; they never paint over them.
    for (int row = 0; row < CounterRows; ++row)
        m_counterCaption[row].Create(L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_LEFT, placeholder, this,
                                     IdFirstCaption + row);
    m_hint.Create(kHint, WS_CHILD | SS_LEFT, placeholder, this, IdHint);
    for (int row = 0; row < CounterRows; ++row)
        m_counterValue[row].Create(L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, placeholder, this,
                                   s_valueIds[row]);
    m_heading.Create(L"Partition Information", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_CENTERIMAGE, placeholder, this,
                     IdHeading);
    const UINT rangeIds[RangeInputs] = {IdFileSystemCaption, IdStartCaption, IdEndCaption};
    for (int i = 0; i < RangeInputs; ++i)
        m_rangeCaption[i].Create(kRangeCaptions[i], WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_LEFT, placeholder,
                                 this, rangeIds[i]);
    const DWORD editStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL;
    m_startSector.Create(editStyle, placeholder, this, IdStartSector);
    m_endSector.Create(editStyle, placeholder, this, IdEndSector);
    m_fileSystem.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST, CRect(0, 0, 130, 255),
                        this, IdFileSystem);
    for (LPCTSTR item : {L"NTFS", L"FAT 32", L"FAT 16"})
        m_fileSystem.AddString(item);
    m_fileSystem.SetCurSel(0);
    m_capacityChart.Create(L"", WS_CHILD, placeholder, this, IdCapacityChart);
    m_showHideProgress.Create(kHideProgress, WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON, placeholder, this,
                              IdShowHideProgress);
    m_status.Create(L"", WS_CHILD | SS_LEFT | SS_NOPREFIX, placeholder, this, IdText);
    m_progress.Create(WS_CHILD | TPS_SHOWPERCENT, placeholder, this, IdProgress);
    m_progress.SendMessage(PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    m_progress.SendMessage(PBM_SETPOS, 0, 0);
    m_progress.SendMessage(PBM_STEPIT, 0, 0);
    m_progress.SetTextFormat(L"%d%%", TPS_SHOWPERCENT);
    m_progress.m_pBarBrush = &m_barBrush;
    m_progress.m_crBackground = RGB(242, 242, 242);
    m_progress.m_crTextOnBar = kWhite;
    m_progress.m_crTextOnBackground = kAccent;

    for (CWnd* pWnd : {(CWnd*)&m_topText, (CWnd*)&m_hint, (CWnd*)&m_heading, (CWnd*)&m_status, (CWnd*)&m_startSector,
                       (CWnd*)&m_endSector, (CWnd*)&m_fileSystem, (CWnd*)&m_showHideProgress})
        pWnd->SendMessage(WM_SETFONT, (WPARAM)m_textFont.GetSafeHandle(), TRUE);
    for (int row = 0; row < CounterRows; ++row) {
        m_counterCaption[row].SendMessage(WM_SETFONT, (WPARAM)m_textFont.GetSafeHandle(), TRUE);
        m_counterValue[row].SendMessage(WM_SETFONT, (WPARAM)m_textFont.GetSafeHandle(), TRUE);
    }
    for (int i = 0; i < RangeInputs; ++i)
        m_rangeCaption[i].SendMessage(WM_SETFONT, (WPARAM)m_captionFont.GetSafeHandle(), TRUE);
    m_progress.SendMessage(WM_SETFONT, (WPARAM)m_progressFont.GetSafeHandle(), TRUE);

    ShowPartitionCaptions();
    ShowRow(4, FALSE);
    ShowControl(m_capacityChart, FALSE, FALSE);
    ShowProgressToggle(FALSE);
    HideStatusText();
    HideProgress();
    m_fileSystem.SetFocus();

    if (CRecoveryWizardApp* pApp = m_bFramePanel ? GetWizardApp() : NULL)
        if (CMainFrame* pFrame = pApp->GetMainFrame())
            pFrame->m_pScanPanel = this;

    m_picture.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, placeholder, this, IdPicture);
    m_picture.LoadBitmaps(IDB_PANEL_PICTURE, IDB_PANEL_PICTURE);
    m_picture.ShowWindow(SW_SHOW);
    return 0;
}

void CSecondDisplay::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (!m_progress.GetSafeHwnd())
        return;
    m_topText.MoveWindow(10, 20, cx > 50 ? cx - 50 : 0, 40);
    const int captionWidths[CounterRows] = {360, 360, 280, 280, 280};
    for (int row = 0; row < CounterRows; ++row) {
        m_counterCaption[row].MoveWindow(10, 120 + 20 * row, captionWidths[row], 20);
        m_counterValue[row].MoveWindow(210, 120 + 20 * row, 340, 20);
    }
    m_heading.MoveWindow(10, 80, 360, 40);
    const int rangeWidths[RangeInputs] = {470, 400, 400};
    for (int i = 0; i < RangeInputs; ++i)
        m_rangeCaption[i].MoveWindow(10, 230 + 30 * i, rangeWidths[i], 23);
    // A drop-down list's height is that of its open list.
    m_fileSystem.MoveWindow(210, 230, 130, 23 + 255);
    m_startSector.MoveWindow(210, 260, 130, 23);
    m_endSector.MoveWindow(210, 290, 130, 23);
    m_capacityChart.MoveWindow(60, 230, 200, 170);
    m_showHideProgress.MoveWindow(10, 310, 100, 30);
    m_hint.MoveWindow(10, 270, 450, 50);
    const int c = (cy - 345) / 2;
    m_status.MoveWindow(10, c + 297, 470, 18);
    m_progress.MoveWindow(10, c + 315, 470, 18);
    const int pictureLeft = cx / 2 + 240;
    m_picture.MoveWindow(pictureLeft, cy / 2 - 120, cx > pictureLeft ? cx - pictureLeft : 0, 320);
    m_driveGroup.MoveWindow(0, 0, 0, 0);
    m_partitionGroup.MoveWindow(50, 50, 470, 300);
}

void CSecondDisplay::OnDraw(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, kWhite);
}

void CSecondDisplay::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CView::OnShowWindow(bShow, nStatus);
    Invalidate(TRUE);
    if (m_fileSystem.GetSafeHwnd())
        m_fileSystem.Invalidate(TRUE);
}

void CSecondDisplay::ActivateScanStep()
{
    if (CRecoveryWizardApp* pApp = GetWizardApp()) {
        CMainFrame* pFrame = pApp->GetMainFrame();
        if (pFrame && pApp->m_pViews[WizardScanStep])
            pFrame->SetActiveView(pApp->m_pViews[WizardScanStep]);
    }
}

void CSecondDisplay::OnLButtonDown(UINT nFlags, CPoint point)
{
    ActivateScanStep();
    CView::OnLButtonDown(nFlags, point);
}

int CSecondDisplay::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    // The scan step, not the panel, stays the frame's active view.
    return CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

void CSecondDisplay::OnShowHideProgress()
{
    if (g_ShowScanProgress == 1) {
        m_showHideProgress.SetWindowText(kShowProgress);
        g_ShowScanProgress = 0;
    } else {
        m_showHideProgress.SetWindowText(kHideProgress);
        g_ShowScanProgress = 1;
    }
    ActivateScanStep();
}

HBRUSH CSecondDisplay::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    const int id = pWnd ? pWnd->GetDlgCtrlID() : 0;
    if (id == IdHeading) {
        pDC->SetTextColor(kHeading);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetBkColor(kWhite);
        return (HBRUSH)m_whiteBrush.GetSafeHandle();
    }
    if (id == IdShowHideProgress) {
        pDC->SetTextColor(kWhite);
        pDC->SetBkColor(kAccent);
        return (HBRUSH)m_barBrush.GetSafeHandle();
    }
    if (nCtlColor != CTLCOLOR_STATIC)
        return ::GetSysColorBrush(COLOR_WINDOW);
    // Every static of the panel is black on white.
    pDC->SetTextColor(RGB(0, 0, 0));
    pDC->SetBkColor(kWhite);
    return (HBRUSH)m_whiteBrush.GetSafeHandle();
}

void CSecondDisplay::SetProgress(int nPos, int nUnused)
{
    (void)nUnused;
    m_progress.SendMessage(PBM_SETPOS, (WPARAM)nPos, 0);
}

void CSecondDisplay::SetStatusText(CString strText) { m_status.SetWindowText(strText); }

void CSecondDisplay::ShowProgress() { ShowControl(m_progress, TRUE, TRUE); }

void CSecondDisplay::HideProgress() { ShowControl(m_progress, FALSE, FALSE); }

void CSecondDisplay::ShowStatusText() { ShowControl(m_status, TRUE, TRUE); }

void CSecondDisplay::HideStatusText() { ShowControl(m_status, FALSE, FALSE); }

void CSecondDisplay::ShowProgressToggle(BOOL bShow)
{
    ShowControl(m_showHideProgress, bShow, bShow);
    ShowControl(m_hint, bShow, bShow);
}

void CSecondDisplay::ResetProgressToggle()
{
    g_ShowScanProgress = 1;
    if (m_showHideProgress.GetSafeHwnd())
        m_showHideProgress.SetWindowText(kHideProgress);
}

void CSecondDisplay::SetCounterCaption(int nRow, LPCTSTR lpszText)
{
    if (nRow >= 0 && nRow < CounterRows)
        m_counterCaption[nRow].SetWindowText(lpszText);
}

void CSecondDisplay::ShowRow(int nRow, BOOL bShow)
{
    ShowControl(m_counterCaption[nRow], bShow, bShow);
    ShowControl(m_counterValue[nRow], bShow, bShow);
}

void CSecondDisplay::ResetCounters()
{
    static const wchar_t* const captions[4] = {
        L"Folder(s) Found  :", L"File(s) Found    :", L"Current Sector    :", L"Last File/Folder   :",
    };
    for (int row = 0; row < 4; ++row)
        m_counterCaption[row].SetWindowText(captions[row]);
    m_counterCaption[4].SetWindowText(L"");
    ClearValues();
}

void CSecondDisplay::ClearValues()
{
    for (int row = 0; row < CounterRows; ++row)
        m_counterValue[row].SetWindowText(L"");
    m_startSector.SetWindowText(L"");
    m_endSector.SetWindowText(L"");
}

void CSecondDisplay::ShowPartitionCaptions()
{
    for (int row = 0; row < 4; ++row)
        m_counterCaption[row].SetWindowText(kPartitionCaptions[row]);
    // Row 5 belongs to the NTFS search only.
    m_counterCaption[4].SetWindowText(L"");
    m_counterValue[4].SetWindowText(L"");
    ShowRow(4, FALSE);
}

void CSecondDisplay::ShowSelectionType(uint16_t code)
{
    const wchar_t* type = L"";
    switch (code) {
    case FileSystemFat16:
        type = L"FAT16";
        m_fileSystem.SetCurSel(2);
        break;
    case FileSystemFat32:
        type = L"FAT32";
        m_fileSystem.SetCurSel(1);
        break;
    case FileSystemNtfs:
        type = L"NTFS";
        m_fileSystem.SetCurSel(0);
        break;
    default:
        break;
    }
    m_counterValue[0].SetWindowText(type);
}

void CSecondDisplay::ShowRangeValues(uint32_t start, uint32_t end, uint64_t count, LPCTSTR lpszSizeFormat)
{
    // Sectors are unsigned: those from 2^31 on print as they are.
    const CString startText = Unsigned(start);
    const CString endText = Unsigned(end);
    m_counterValue[1].SetWindowText(startText);
    m_startSector.SetWindowText(startText);
    m_counterValue[2].SetWindowText(endText);
    m_endSector.SetWindowText(endText);
    CString size;
    size.Format(lpszSizeFormat, (unsigned long long)(count >> 11));
    m_counterValue[3].SetWindowText(size);
}

void CSecondDisplay::ShowPartitionInfo(WORD wUnused, int nRow)
{
    (void)wUnused;
    ShowPartitionCaptions();
    if (nRow < 0) {
        ClearPartitionInfo();
        return;
    }
    // The end is inclusive, computed in 64 bits and never past the disk; a
    // count of 0 (a VHDX whose table gave none) runs to the disk's end.
    VolumeParams.endSector = RangeEndSector(VolumeParams.startSector, VolumeParams.sectorCount);
    ShowSelectionType(VolumeParams.selectionCode);
    const uint64_t count = VolumeParams.sectorCount ? VolumeParams.sectorCount
                                                    : (uint64_t)VolumeParams.endSector - VolumeParams.startSector + 1;
    ShowRangeValues(VolumeParams.startSector, VolumeParams.endSector, count, L"%llu MB (Approx)");
    ShowControl(m_capacityChart, FALSE, FALSE);
    ShowControl(m_driveGroup, FALSE, TRUE);
}

void CSecondDisplay::ClearPartitionInfo()
{
    ShowPartitionCaptions();
    ClearValues();
    ShowControl(m_capacityChart, FALSE, FALSE);
}

void CSecondDisplay::ShowDiskRange()
{
    ShowPartitionCaptions();
    ShowSelectionType(VolumeParams.selectionCode);
    const uint32_t end = RangeEndSector(VolumeParams.startSector, VolumeParams.sectorCount);
    ShowRangeValues(VolumeParams.startSector, end, VolumeParams.sectorCount, L"%llu MB ( Aprox )");
}

void CSecondDisplay::ShowFatSearchCaptions()
{
    static const wchar_t* const captions[4] = {
        L"Boot Sector(s) Found\t\t:", L"Folder(s) Found\t\t\t:", L"Current Sector\t\t\t:", L"",
    };
    for (int row = 0; row < 4; ++row) {
        m_counterCaption[row].SetWindowText(captions[row]);
        m_counterValue[row].SetWindowText(L"");
    }
    // Row 5 belongs to the NTFS set only.
    m_counterCaption[4].SetWindowText(L"");
    m_counterValue[4].SetWindowText(L"");
}

void CSecondDisplay::ShowNtfsSearchCaptions()
{
    static const wchar_t* const captions[CounterRows] = {
        L"Boot Sector(s) Found\t   :", L"Index Entries Found\t   :", L"File(s) Found\t\t   :",
        L"Folder(s) Found\t\t   :",    L"Current Sector\t\t   :",
    };
    for (int row = 0; row < CounterRows; ++row) {
        m_counterCaption[row].SetWindowText(captions[row]);
        ShowRow(row, TRUE);
    }
}

void CSecondDisplay::ShowRangeInputs()
{
    if (g_ScanMode != ScanModeExtensive)
        return;
    ShowFileSystemChoice();
    const BOOL image = g_SourceType != SourceLogicalVolume;
    for (CWnd* pWnd : {(CWnd*)&m_rangeCaption[1], (CWnd*)&m_rangeCaption[2], (CWnd*)&m_startSector,
                       (CWnd*)&m_endSector})
        ShowControl(*pWnd, TRUE, image);
}

void CSecondDisplay::ShowFileSystemChoice()
{
    ShowControl(m_rangeCaption[0], TRUE, TRUE);
    ShowControl(m_fileSystem, TRUE, TRUE);
}

void CSecondDisplay::ShowFileSystemChoiceOnly()
{
    ShowFileSystemChoice();
    for (CWnd* pWnd : {(CWnd*)&m_rangeCaption[1], (CWnd*)&m_rangeCaption[2], (CWnd*)&m_startSector,
                       (CWnd*)&m_endSector})
        ShowControl(*pWnd, FALSE, FALSE);
}

void CSecondDisplay::HideRangeInputs()
{
    for (CWnd* pWnd : {(CWnd*)&m_rangeCaption[0], (CWnd*)&m_rangeCaption[1], (CWnd*)&m_rangeCaption[2],
                       (CWnd*)&m_fileSystem, (CWnd*)&m_startSector, (CWnd*)&m_endSector})
        ShowControl(*pWnd, FALSE, FALSE);
}

uint16_t CSecondDisplay::SelectedFileSystemCode() const
{
    switch (m_fileSystem.GetCurSel()) {
    case 0:
        return FileSystemNtfs;
    case 1:
        return FileSystemFat32;
    case 2:
        return FileSystemFat16;
    default:
        return 0;
    }
}

CString CSecondDisplay::CaptionText(int nRow) const
{
    CString text;
    if (nRow >= 0 && nRow < CounterRows)
        m_counterCaption[nRow].GetWindowText(text);
    return text;
}

CString CSecondDisplay::ValueText(int nRow) const
{
    CString text;
    if (nRow >= 0 && nRow < CounterRows)
        m_counterValue[nRow].GetWindowText(text);
    return text;
}

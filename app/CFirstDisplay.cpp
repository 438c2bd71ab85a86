#include "CFirstDisplay.h"

#include <stdio.h>

#include "CDiskEnumerator.h"
#include "CFirstView_HDD.h"
#include "CMainFrame.h"
#include "CRecoveryWizardApp.h"
#include "image/VirtualDisk.h"
#include "io/SectorReader.h"
#include "resource.h"
#include "state/EngineState.h"

namespace {

const COLORREF kAccent = RGB(29, 117, 189);
const COLORREF kWhite = RGB(255, 255, 255);

const wchar_t* const kInitialCaptions[CFirstDisplay::Rows] = {
    L"Model\t\t\t\t:", L"Capacity\t\t\t:", L"Cylinders\t\t\t:", L"Head\t\t\t\t:", L"Sectors Per Track :",
};

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

CString Format(const wchar_t* format, unsigned long long value)
{
    CString text;
    text.Format(format, value);
    return text;
}

}  // namespace

IMPLEMENT_DYNCREATE(CFirstDisplay, CView)

BEGIN_MESSAGE_MAP(CFirstDisplay, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_CTLCOLOR()
    ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

CFirstDisplay::CFirstDisplay() : m_bAutoDelete(FALSE)
{
    MakeArial(m_textFont, 16, FW_NORMAL);
    MakeArial(m_progressFont, 18, FW_SEMIBOLD);
    m_barBrush.CreateSolidBrush(kAccent);
}

CFirstDisplay::~CFirstDisplay()
{
    m_pie.RemoveAllSlices();
}

BOOL CFirstDisplay::Create(CWnd* pParent, const RECT& rect, UINT nID)
{
    return CView::Create(NULL, NULL, WS_CHILD | WS_VISIBLE, rect, pParent, nID, NULL);
}

BOOL CFirstDisplay::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return CView::PreCreateWindow(cs);
}

void CFirstDisplay::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

int CFirstDisplay::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    const CRect placeholder(100, 0, 700, 200);
    m_group.Create(L"Selected Drive Information", WS_CHILD | WS_VISIBLE | BS_GROUPBOX | BS_CENTER, placeholder, this,
                   IdGroup);
    m_hiddenGroup.Create(L"Selected Drive Information", WS_CHILD | BS_GROUPBOX | BS_CENTER, placeholder, this, IdGroup);
    m_group.SetBackgroundColor(kWhite);
    m_hiddenGroup.SetBackgroundColor(kWhite);

    for (int row = 0; row < Rows; ++row) {
        m_caption[row].Create(L"", WS_CHILD | WS_VISIBLE | SS_LEFT, placeholder, this, IdFirstCaption + row);
        m_value[row].Create(L"", WS_CHILD | WS_VISIBLE | SS_LEFT, placeholder, this, IdFirstValue + row);
        m_caption[row].SetFont(&m_textFont);
        m_value[row].SetFont(&m_textFont);
    }
    m_waitText.Create(L"", WS_CHILD | WS_VISIBLE | SS_LEFT, placeholder, this, IdText);
    m_waitText.SetFont(&m_textFont);
    m_capacityChart.Create(L"", WS_CHILD, placeholder, this, IdCapacityChart);
    m_status.Create(L"", WS_CHILD | WS_VISIBLE | SS_LEFT, placeholder, this, IdText);
    m_status.SetFont(&m_textFont);
    m_heading.Create(L"Selected Drive Information", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_CENTERIMAGE, placeholder,
                     this, IdHeading);
    m_heading.SetFont(&m_textFont);

    for (int row = 0; row < Rows; ++row) {
        m_caption[row].SetWindowText(kInitialCaptions[row]);
        m_value[row].SetWindowText(L"");
    }
    m_waitText.SetWindowText(L"Please select the Virtual Hard Disk (VHD/VHDX) that contains data from left panel and "
                             L"click [Next] to continue with recovery.");

    m_progress.Create(WS_CHILD | WS_VISIBLE | TPS_SHOWPERCENT, placeholder, this, IdProgress);
    m_progress.SendMessage(PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    m_progress.SendMessage(PBM_SETPOS, 0, 0);
    m_progress.SendMessage(PBM_STEPIT, 0, 0);
    m_progress.SetTextFormat(L"%d%%", TPS_SHOWPERCENT);
    m_progress.m_pBarBrush = &m_barBrush;
    m_progress.m_crBackground = RGB(242, 242, 242);
    m_progress.m_crTextOnBar = kWhite;
    m_progress.m_crTextOnBackground = kAccent;
    m_progress.SetFont(&m_progressFont);
    HideProgress();
    HideStatusText();

    ShowDiskInfo(0);
    EnableWindow(FALSE);
    ClearChart();

    if (CRecoveryWizardApp* pApp = GetWizardApp())
        if (CMainFrame* pFrame = pApp->GetMainFrame())
            pFrame->m_pDrivePanel = this;

    m_picture.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(300, 0, 700, 200), this, IdPicture);
    m_picture.LoadBitmaps(IDB_PANEL_PICTURE, IDB_PANEL_PICTURE);
    m_picture.ShowWindow(SW_SHOW);
    return 0;
}

void CFirstDisplay::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (!m_heading.GetSafeHwnd())
        return;
    if (m_picture.GetSafeHwnd())
        m_picture.MoveWindow(cx / 2 + 240, cy / 2 - 120, cx - (cx / 2 + 240), 320);
    m_hiddenGroup.MoveWindow(10, 80, 510, 265);
    m_group.MoveWindow(0, 0, 0, 0);
    const int c = (cy - 345) / 2;
    m_status.MoveWindow(10, c + 277, 510, 18);
    m_progress.MoveWindow(10, c + 295, 510, 18);
    m_heading.MoveWindow(10, 88, 230, 40);
    m_waitText.MoveWindow(10, 58, 790, 73);
    const int captionTops[Rows] = {128, 150, 170, 190, 210};
    const int valueTops[Rows] = {130, 150, 170, 190, 210};
    for (int row = 0; row < Rows; ++row) {
        m_caption[row].MoveWindow(10, captionTops[row], 230, 20);
        m_value[row].MoveWindow(220, valueTops[row], 190, 20);
    }
    m_capacityChart.MoveWindow(60, 160, 200, 190);
}

void CFirstDisplay::OnDraw(CDC* pDC)
{
    m_pie.m_crText = kAccent;
    m_pie.Draw(pDC, 190, 300, 60, TRUE, CPieChart::legendRight, CPieChart::closeStrict);
}

void CFirstDisplay::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (CRecoveryWizardApp* pApp = GetWizardApp()) {
        CMainFrame* pFrame = pApp->GetMainFrame();
        if (pFrame && pApp->m_pViews[WizardDriveStep])
            pFrame->SetActiveView(pApp->m_pViews[WizardDriveStep]);
    }
    CView::OnLButtonDown(nFlags, point);
}

int CFirstDisplay::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    // The drive step, not the panel, stays the frame's active view.
    return CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

HBRUSH CFirstDisplay::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    const int id = pWnd ? pWnd->GetDlgCtrlID() : 0;
    if (id == IdHeading) {
        pDC->SetTextColor(kAccent);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetBkColor(kWhite);
        if (!m_whiteBrush.GetSafeHandle())
            m_whiteBrush.CreateSolidBrush(kWhite);
        return (HBRUSH)m_whiteBrush.GetSafeHandle();
    }
    if (id == IdText && nCtlColor == CTLCOLOR_STATIC) {
        pDC->SetBkColor(kWhite);
        pDC->SetTextColor(RGB(0, 0, 0));
    }
    return ::GetSysColorBrush(COLOR_WINDOW);
}

void CFirstDisplay::SetProgress(int nPos, int nUnused)
{
    (void)nUnused;
    m_progress.SendMessage(PBM_SETPOS, (WPARAM)nPos, 0);
}

void CFirstDisplay::SetStatusText(CString strText) { m_status.SetWindowText(strText); }

void CFirstDisplay::ShowProgress()
{
    m_progress.ShowWindow(SW_SHOW);
    m_progress.EnableWindow(TRUE);
}

void CFirstDisplay::HideProgress()
{
    m_progress.ShowWindow(SW_HIDE);
    m_progress.EnableWindow(FALSE);
}

void CFirstDisplay::ShowStatusText()
{
    m_status.ShowWindow(SW_SHOW);
    m_status.EnableWindow(TRUE);
}

void CFirstDisplay::HideStatusText()
{
    m_status.ShowWindow(SW_HIDE);
    m_status.EnableWindow(FALSE);
}

void CFirstDisplay::SetDiskLabels()
{
    m_caption[0].SetWindowText(L"Model\t\t\t:");
    m_caption[1].SetWindowText(L"Capacity\t\t:");
    if (g_ImageType == 1) {
        m_caption[2].SetWindowText(L"Disk Type\t\t:");
        m_caption[3].SetWindowText(L"Data Block Count\t:");
        m_caption[4].SetWindowText(L"Total Bat Entries\t:");
    } else {
        m_caption[2].SetWindowText(L"Cylinders\t\t:");
        m_caption[3].SetWindowText(L"Head\t\t\t:");
        m_caption[4].SetWindowText(L"Sectors Per Track\t:");
    }
}

void CFirstDisplay::ShowDiskInfo(int nIndex)
{
    SetDiskLabels();
    if (nIndex < 0) {
        ClearChart();
        return;
    }
    m_capacityChart.ShowWindow(SW_HIDE);
    m_capacityChart.EnableWindow(FALSE);
    if (nIndex >= MaxDevices)
        return;
    const CString name(g_DiskNames[nIndex]);
    if (g_ImageType == 1) {
        CVirtualDisk* pDisk = GetSectorReaderDisk();
        m_value[0].SetWindowText(name);
        if (pDisk && pDisk->GetKind() == ImageKindVhdx) {
            m_value[1].SetWindowText(Format(L"%llu MB ", pDisk->GetDiskSize() / 1048576u));
            m_value[2].SetWindowText(pDisk->GetDiskTypeText());
            m_value[3].SetWindowText(Format(L"%d", (unsigned)pDisk->GetDataBlockCount()));
            m_value[4].SetWindowText(Format(L"%llu", (unsigned long long)pDisk->GetBatEntryCount()));
        } else {
            for (int row = 1; row < Rows; ++row)
                m_value[row].SetWindowText(L"");
        }
    } else {
        m_value[3].SetWindowText(Format(L"%u", g_DiskHeads[nIndex]));
        m_value[2].SetWindowText(Format(L"%u", g_DiskCylinders[nIndex]));
        m_value[0].SetWindowText(name);
        m_value[4].SetWindowText(Format(L"%u", g_DiskSectorsPerTrack[nIndex]));
        m_value[1].SetWindowText(Format(L"%llu MB (Approx)", g_DiskTotalSectors[nIndex] >> 11));
    }
}

void CFirstDisplay::ClearChart()
{
    m_capacityChart.ShowWindow(SW_HIDE);
    m_capacityChart.EnableWindow(FALSE);
    m_pie.RemoveAllSlices();
    m_group.ShowWindow(SW_HIDE);
    m_group.EnableWindow(FALSE);
    Invalidate(TRUE);
}

void CFirstDisplay::ShowPartitionChart()
{
    m_group.ShowWindow(SW_SHOW);
    m_pie.RemoveAllSlices();
    m_pie.m_crPen = RGB(0, 0, 0);
    m_pie.m_crText = RGB(128, 128, 128);
    m_pie.m_bOwnsSlices = TRUE;
    const uint64_t total = g_DiskIndex < MaxDevices ? g_DiskTotalSectors[g_DiskIndex] : 0;
    // Without a size the shares are unknown: the pie stays empty.
    if (total == 0 || g_PartitionCount <= 0)
        return;
    uint64_t sum = 0;
    for (int i = 0; i < g_PartitionCount && i < MaxPartitions; ++i) {
        CPieSlice* pSlice = new CPieSlice;
        switch (g_PartitionTable[i].fileSystemCode) {
        case FileSystemFat16:
            pSlice->m_crColor = RGB(248, 167, 143);
            pSlice->m_strDescription = L"FAT16";
            break;
        case FileSystemFat32:
            pSlice->m_crColor = RGB(119, 119, 255);
            pSlice->m_strDescription = L"FAT32";
            break;
        case FileSystemNtfs:
            pSlice->m_crColor = RGB(119, 255, 119);
            pSlice->m_strDescription = L"NTFS";
            break;
        default:
            pSlice->m_crColor = RGB(255, 255, 255);
            pSlice->m_strDescription = L"UNKNOWN";
            break;
        }
        const uint64_t percent = (uint64_t)g_PartitionTable[i].sectorCount * 100u / total;
        pSlice->m_nPercent = percent > 100 ? 100 : (int)percent;
        sum += percent;
        m_pie.AddSlice(pSlice);
    }
    if (sum != 100) {
        CPieSlice* pFree = new CPieSlice;
        pFree->m_crColor = RGB(255, 0, 255);
        pFree->m_strDescription = L"FREE";
        pFree->m_nPercent = sum <= 100 ? (int)(100 - sum) : 100;
        m_pie.AddSlice(pFree);
    }
}

CString CFirstDisplay::CaptionText(int nRow) const
{
    CString text;
    if (nRow >= 0 && nRow < Rows)
        m_caption[nRow].GetWindowText(text);
    return text;
}

CString CFirstDisplay::ValueText(int nRow) const
{
    CString text;
    if (nRow >= 0 && nRow < Rows)
        m_value[nRow].GetWindowText(text);
    return text;
}

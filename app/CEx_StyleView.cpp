#include "CEx_StyleView.h"

#include <afxdlgs.h>

#include "BitmapDrawing.h"
#include "CFirstView_HDD.h"
#include "CMainFrame.h"
#include "CRecoveryWizardApp.h"
#include "CDiskEnumerator.h"
#include "CVZButtonThemeClassic.h"
#include "fat/FatLists.h"
#include "image/VirtualDisk.h"
#include "msg/MessageSink.h"
#include "resource.h"
#include "state/EngineState.h"

namespace {

const COLORREF kAccent = RGB(29, 117, 189);

void MakeArial(CFont& font, int nHeight, int nWeight)
{
    LOGFONT lf = {};
    lf.lfHeight = nHeight;
    lf.lfWeight = nWeight;
    lf.lfCharSet = DEFAULT_CHARSET;
    wcscpy(lf.lfFaceName, L"Arial");
    font.CreateFontIndirect(&lf);
}

CSize BitmapSize(UINT nId)
{
    CBitmap bitmap;
    BITMAP bm = {};
    if (!bitmap.LoadBitmap(nId) || !bitmap.GetBitmap(&bm))
        return CSize(0, 0);
    return CSize(bm.bmWidth, bm.bmHeight);
}

CString Trimmed(const CString& text)
{
    CString result = text;
    result.TrimLeft();
    result.TrimRight();
    return result;
}

}  // namespace

IMPLEMENT_DYNCREATE(CEx_StyleView, CView)

BEGIN_MESSAGE_MAP(CEx_StyleView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
    ON_COMMAND(IdQuickScan, OnQuickScan)
    ON_COMMAND(IdExtensiveScan, OnExtensiveScan)
    ON_COMMAND(IdFileTrace, OnFileTrace)
    ON_COMMAND(IdSelectImage, OnSelectImage)
END_MESSAGE_MAP()

CEx_StyleView::CEx_StyleView() : m_bQuickScanRequest(FALSE), m_nHeaderLeftWidth(0), m_nHeaderRightLeft(0)
{
    MakeArial(m_headingFont, 16, FW_BOLD);
    LOGFONT lf = {};
    ::SystemParametersInfo(SPI_GETICONTITLELOGFONT, sizeof lf, &lf, 0);
    wcscpy(lf.lfFaceName, L"Trebuchet MS");
    lf.lfHeight = 24;
    lf.lfWeight = 600;
    m_descriptionFont.CreateFontIndirect(&lf);
    MakeArial(m_selectFont, 17, FW_NORMAL);
    MakeArial(m_pathFont, 15, FW_NORMAL);
}

CEx_StyleView::~CEx_StyleView() {}

int CEx_StyleView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    const DWORD buttonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
    m_quickScan.Create(L"", buttonStyle, CRect(0, 0, 0, 0), this, IdQuickScan);
    m_fileTrace.Create(L"", buttonStyle, CRect(0, 0, 0, 0), this, IdFileTrace);
    m_extensiveScan.Create(L"", buttonStyle, CRect(0, 0, 0, 0), this, IdExtensiveScan);

    m_select.Create(L"Select", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, CRect(500, 150, 835, 200), this,
                    IdSelectImage);
    m_select.SetFont(&m_selectFont);
    if (CVZButtonThemeClassic* pTheme = m_select.GetTheme()) {
        pTheme->SetFont(&m_selectFont);
        pTheme->SetTextColor(RGB(255, 255, 255));
        pTheme->SetFaceColor(kAccent);
    }
    m_path.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_MULTILINE | ES_AUTOHSCROLL, CRect(0, 0, 0, 0),
                  this, IdImagePath);
    m_path.SetFont(&m_pathFont);

    struct ModeButton
    {
        CHoverButton* button;
        UINT normal;
        UINT hover;
        int index;
    };
    const ModeButton modes[] = {
        {&m_quickScan, IDB_MODE_QUICK, IDB_MODE_QUICK_HOVER, 1},
        {&m_fileTrace, IDB_MODE_TRACE, IDB_MODE_TRACE_HOVER, 2},
        {&m_extensiveScan, IDB_MODE_EXTENSIVE, IDB_MODE_EXTENSIVE_HOVER, 3},
    };
    for (const ModeButton& mode : modes) {
        mode.button->m_pCompanion = this;
        mode.button->m_nIndex = mode.index;
        mode.button->LoadBitmaps(mode.normal, mode.hover);
    }
    return 0;
}

void CEx_StyleView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    const int X = cx / 2, Y = cy / 2;
    if (m_quickScan.GetSafeHwnd())
        m_quickScan.MoveWindow(X - 259, Y - 81, 181, 203);
    if (m_extensiveScan.GetSafeHwnd())
        m_extensiveScan.MoveWindow(X - 96, Y - 81, 173, 203);
    if (m_fileTrace.GetSafeHwnd())
        m_fileTrace.MoveWindow(X + 69, Y - 81, 163, 203);
    if (m_select.GetSafeHwnd())
        m_select.MoveWindow(X + 153, Y - 148, 83, 25);
    if (m_path.GetSafeHwnd())
        m_path.MoveWindow(X - 249, Y - 148, 400, 25);
}

BOOL CEx_StyleView::PreCreateWindow(CREATESTRUCT& cs)
{
    // The page paints its whole area in one copy: not over its buttons.
    cs.style |= WS_CLIPCHILDREN;
    return CView::PreCreateWindow(cs);
}

BOOL CEx_StyleView::OnEraseBkgnd(CDC*) { return TRUE; }

HBRUSH CEx_StyleView::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    return CView::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CEx_StyleView::OnDraw(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    CDC memDC;
    CBitmap canvas;
    if (!memDC.CreateCompatibleDC(pDC) || !canvas.CreateCompatibleBitmap(pDC, rc.Width(), rc.Height()))
        return;
    CBitmap* pOldBitmap = memDC.SelectObject(&canvas);
    memDC.SetBkMode(TRANSPARENT);
    const int X = rc.Width() / 2, Y = rc.Height() / 2;

    DrawBitmapResource(&memDC, IDB_START_BACKGROUND, 0, 0, rc.Width(), rc.Height());
    m_nHeaderLeftWidth = DrawBitmapResource(&memDC, IDB_START_HEADER_LEFT, 0, 0).cx;
    const CSize right = BitmapSize(IDB_START_HEADER_RIGHT);
    m_nHeaderRightLeft = rc.Width() - right.cx;
    DrawBitmapResource(&memDC, IDB_START_HEADER_RIGHT, m_nHeaderRightLeft, 0);
    const CSize middle = BitmapSize(IDB_START_HEADER_MIDDLE);
    DrawBitmapResource(&memDC, IDB_START_HEADER_MIDDLE, m_nHeaderLeftWidth, 0, m_nHeaderRightLeft - m_nHeaderLeftWidth,
               middle.cy);

    CFont* pOldFont = memDC.SelectObject(&m_headingFont);
    memDC.SetTextColor(kAccent);
    CRect heading(X - 284, Y - 170, X - 54, Y - 150);
    memDC.DrawText(L"Please select VHD / VHDX file. ", &heading, DT_RIGHT | DT_NOCLIP);

    CRect line(X - 380, Y + 140, X + 360, Y + 160);
    const wchar_t* description = NULL;
    switch (g_nHoverButtonIndex) {
    case 1:
        description = L"\tSelect this mode to recover data from minor corruptions of VHD/VHDX files.";
        break;
    case 2:
        description =
            L"\t    Select the File Trace mode if both Quick scan and Extensive scan mode do not work for you.";
        break;
    case 3:
        description = L"  Select this mode to recover data from high corruptions of VHD/VHDX files.";
        break;
    default:
        break;
    }
    if (description) {
        memDC.DrawText(description, &line, DT_CENTER | DT_EXPANDTABS | DT_NOCLIP);
    } else {
        memDC.SelectObject(&m_descriptionFont);
        memDC.SetTextColor(RGB(58, 58, 58));
        line.left = X - 360;
        memDC.DrawText(L"Please Select Recovery Option.", &line, DT_CENTER | DT_NOCLIP);
    }
    memDC.SelectObject(pOldFont);
    pDC->BitBlt(0, 0, rc.Width(), rc.Height(), &memDC, 0, 0, SRCCOPY);
    memDC.SelectObject(pOldBitmap);
}

void CEx_StyleView::OnSelectImage()
{
    m_strImageExt.Empty();
    // "*.vhd?" alone matches ".vhd" only where "?" may stand for no character
    // at the end of a name (Windows' own matching); elsewhere (Wine) it would
    // hide every ".vhd" file, so ".vhd" is listed on its own too.
    CFileDialog dialog(TRUE, NULL, NULL, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER | OFN_LONGNAMES,
                       L"Virtual Hard Disk(*.vhd *.vhdx)|*.vhd;*.vhd?||", this);
    dialog.m_ofn.lpstrTitle = L"Add VHD or VHDX file to recover.";
    if (dialog.DoModal() != IDOK)
        return;
    CString path;
    for (POSITION pos = dialog.GetStartPosition(); pos != NULL;)
        path = dialog.GetNextPathName(pos);
    if (FileExists(path)) {
        m_strImageExt = dialog.GetFileExt();
        m_strImageFileName = dialog.GetFileName();
        m_path.SetWindowText(path);
    } else {
        ShowMessage((EscapeMarkup((LPCTSTR)Trimmed(path)) + L" file does not exists.").c_str(), MessageKindQuestion);
    }
}

void CEx_StyleView::OnQuickScan() { RunMode(ScanModeQuick); }

void CEx_StyleView::OnExtensiveScan() { RunMode(ScanModeExtensive); }

void CEx_StyleView::OnFileTrace() { RunMode(ScanModeFileTrace); }

void CEx_StyleView::RunMode(int nMode)
{
    CRecoveryWizardApp* pApp = GetWizardApp();
    CMainFrame* pFrame = pApp ? pApp->GetMainFrame() : NULL;
    if (!pFrame)
        return;
    pFrame->m_bDriveStep = TRUE;
    pFrame->m_bScanStep = FALSE;
    pFrame->m_bResultsStep = FALSE;
    pFrame->m_bExtensiveResultsStep = FALSE;
    const wchar_t* name = nMode == ScanModeQuick ? L"Quick Scan" : nMode == ScanModeExtensive ? L"Extensive Scan"
                                                                                               : L"File Trace";
    g_ModeName = name;
    m_bQuickScanRequest = nMode == ScanModeQuick;
    if (!OpenImage())
        return;
    pFrame->m_bSnapshotLoadEnabled = TRUE;
    g_ModeText = CString(L"Selected Mode : ") + name;
    g_ScanMode = nMode;
    // The tree selected the disk while the image opened, under the mode
    // chosen before: the text names the drive of this mode now.
    if (CFirstView_HDD* pDrive = DYNAMIC_DOWNCAST(CFirstView_HDD, pApp->m_pViews[WizardDriveStep]))
        pDrive->m_tree.SetModeText();
    g_nHoverButtonIndex = 0;
    pApp->SwitchView(WizardDriveStep);
}

int CEx_StyleView::OpenImage()
{
    CString text;
    m_path.GetWindowText(text);
    const CString path = Trimmed(text);
    if (path.IsEmpty()) {
        ShowMessage(L"\nPlease Select VHD/VHDX file...", MessageKindInformation);
        return 0;
    }
    if (!FileExists(path)) {
        ShowMessage((EscapeMarkup((LPCTSTR)path) + L" file does not exists.").c_str(), MessageKindQuestion);
        return 0;
    }
    CRecoveryWizardApp* pApp = GetWizardApp();
    CMainFrame* pFrame = pApp ? pApp->GetMainFrame() : NULL;
    if (!pFrame)
        return 0;
    CFirstView_HDD* pDrive = DYNAMIC_DOWNCAST(CFirstView_HDD, pApp->m_pViews[WizardDriveStep]);
    CVirtualDisk* pDisk = pFrame->EnsureVirtualDisk();

    // The reader comes from the path being opened, whatever its letter case
    // or however it reached the edit.
    const int kind = ImageKindFromPath(path);
    int opened = 0;
    if (kind != ImageKindNone) {
        g_ImageType = kind == ImageKindVhdx ? 1 : 0;
        pDisk->Create(kind);
        opened = pDisk->Open(path);
    }
    if (opened) {
        if (path != m_strOpenedPath && pDrive)
            pDrive->m_tree.DeleteAllItems();
        if (pDrive)
            pDrive->BuildDeviceTree();
        m_strOpenedPath = path;
        pFrame->SetOpenEnabled(FALSE);
        return 1;
    }
    // The reader was replaced: nothing is open any more, not even a path
    // opened before.
    m_strOpenedPath.Empty();
    m_path.SetWindowText(L"");
    const wchar_t* message;
    if (m_bQuickScanRequest)
        message = g_ImageType == 1 ? L"This VHDX file is either not readable using Quick Scan or highly corrupted. "
                                     L"Please select extensive scan to recover."
                                   : L"This VHD file is either not readable using Quick Scan or highly corrupted. "
                                     L"Please select extensive scan to recover.";
    else
        message = g_ImageType == 1 ? L"This VHDX file is highly corrupted or Invalid file type. Please select other "
                                     L"file to recover."
                                   : L"This VHD file is highly corrupted or Invalid file type. Please select other "
                                     L"file to recover.";
    ShowMessage(message, MessageKindError);
    m_bQuickScanRequest = FALSE;
    return 0;
}

#include "CThirdView_HDD.h"

#include <shlobj.h>

#include <string>
#include <thread>

#include "BitmapDrawing.h"
#include "WizardSteps.h"
#include "CDiskEnumerator.h"
#include "CFileSystemView.h"
#include "CFirstView_HDD.h"
#include "CListCtrlSorter.h"
#include "CMainFrame.h"
#include "CMainPreviewView.h"
#include "CRecoveryWizardApp.h"
#include "CPleaseWaitDlg.h"
#include "CResultListCtrl.h"
#include "ResultListFill.h"
#include "CSecondDisplay.h"
#include "CSecondView_HDD.h"
#include "msg/MessageSink.h"
#include "ntfs/NtfsLists.h"
#include "fat/FatLists.h"
#include "resource.h"
#include "save/SaveMarkedItems.h"
#include "save/SaveReporter.h"
#include "snapshot/SnapshotCommands.h"
#include "state/EngineState.h"
#include "trace/SignatureSelection.h"
#include "trace/TraceHit.h"

namespace {

// Ids of the earlier steps' controls that Back restores.
enum
{
    StepStop = 132,
    StepForward = 159,
    StepBack = 160,
    StepHome = 61481,
};

CMainFrame* WizardFrame()
{
    CRecoveryWizardApp* pApp = GetWizardApp();
    return pApp ? pApp->GetMainFrame() : NULL;
}

CView* StepView(int index)
{
    CRecoveryWizardApp* pApp = GetWizardApp();
    return pApp ? pApp->m_pViews[index] : NULL;
}

// Enables and shows, or disables and hides, a step's control by id.
void ShowStepControl(CWnd* pView, UINT nId, BOOL bShow)
{
    if (pView == NULL || pView->GetSafeHwnd() == NULL)
        return;
    if (CWnd* pControl = pView->GetDlgItem(nId)) {
        pControl->EnableWindow(bShow);
        pControl->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    }
}

CString BrowseForSaveFolder(HWND hOwner)
{
    wchar_t name[MAX_PATH] = L"";
    BROWSEINFOW info = {};
    info.hwndOwner = hOwner;
    info.pszDisplayName = name;
    info.lpszTitle = L"Please select the path to save the data";
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    CString folder;
    if (LPITEMIDLIST pidl = ::SHBrowseForFolderW(&info)) {
        wchar_t path[MAX_PATH] = L"";
        if (::SHGetPathFromIDListW(pidl, path))
            folder = path;
        ::CoTaskMemFree(pidl);
    }
    return folder;
}

// The saving dialog (template 215) in its plainest form: the save runs on a
// worker while the dialog shows the folder, the file and the count of each
// file written and its progress; "Stop Saving" asks and stops, "Skip File"
// ends the file being written. The worker ends the dialog by a posted
// message, so the dialog ends whether or not it is painted.
class CSavingProgressDlg : public CDialog
{
public:
    CSavingProgressDlg(const SaveSelection& selection, CWnd* pParent)
        : CDialog(IDD_SAVING, pParent), m_selection(selection)
    {
    }
    ~CSavingProgressDlg() override
    {
        if (m_worker.joinable())
            m_worker.join();
    }

protected:
    enum { WM_SAVE_DONE = WM_APP + 0x215 };

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_stop.SubclassDlgItem(IDOK, this);
        m_stop.LoadBitmaps(IDB_STOP_SAVING, IDB_STOP_SAVING_HOVER);
        m_skip.SubclassDlgItem(IDC_SAVING_SKIP, this);
        m_skip.LoadBitmaps(IDB_SKIP_FILE, IDB_SKIP_FILE_HOVER);
        SetDlgItemText(IDC_SAVING_PATH, m_selection.destination.c_str());
        SendDlgItemMessage(IDC_SAVING_PROGRESS, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
        TraceSaveReporter reporter = {};
        reporter.context = this;
        reporter.nameAccepted = [](void*, const wchar_t* name) { return PassesFileFilters(name); };
        reporter.fileStarted = [](void* context, const wchar_t* folder, const wchar_t* name, int savedCount) {
            HWND dialog = static_cast<CSavingProgressDlg*>(context)->GetSafeHwnd();
            ::SendDlgItemMessageW(dialog, IDC_SAVING_PATH, WM_SETTEXT, 0, (LPARAM)folder);
            ::SendDlgItemMessageW(dialog, IDC_SAVING_FILE, WM_SETTEXT, 0, (LPARAM)name);
            ::SendDlgItemMessageW(dialog, IDC_SAVING_COUNT, WM_SETTEXT, 0,
                                  (LPARAM)std::to_wstring(savedCount).c_str());
            ::SendDlgItemMessageW(dialog, IDC_SAVING_PROGRESS, PBM_SETPOS, 0, 0);
        };
        reporter.progress = [](void* context, int position) {
            HWND dialog = static_cast<CSavingProgressDlg*>(context)->GetSafeHwnd();
            ::SendDlgItemMessageW(dialog, IDC_SAVING_PROGRESS, PBM_SETPOS, (WPARAM)position, 0);
        };
        SetTraceSaveReporter(&reporter);
        const HWND dialog = GetSafeHwnd();
        m_worker = std::thread([this, dialog]() {
            SaveMarkedItems(m_selection);
            ::PostMessage(dialog, WM_SAVE_DONE, 0, 0);
        });
        return TRUE;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SAVE_DONE) {
            SetTraceSaveReporter(NULL);
            if (m_worker.joinable())
                m_worker.join();
            EndDialog(IDOK);
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }

    // "Stop Saving".
    void OnOK() override
    {
        if (AskQuestion(L"Do you want to stop the saving process?") == 1)
            g_SaveStop = 1;
    }
    // Esc and the close box: the save goes on until the worker ends it.
    void OnCancel() override {}

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == IDC_SAVING_SKIP) {
            g_SaveSkip = 1;
            return TRUE;
        }
        return CDialog::OnCommand(wParam, lParam);
    }

private:
    SaveSelection m_selection;
    std::thread m_worker;
    CToolButton m_stop;
    CToolButton m_skip;
};

}  // namespace

IMPLEMENT_DYNCREATE(CThirdView_HDD, CView)

BEGIN_MESSAGE_MAP(CThirdView_HDD, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_KEYDOWN()
    ON_WM_SETCURSOR()
    ON_WM_CTLCOLOR()
    ON_COMMAND(IdRecover, OnRecover)
    ON_COMMAND(IdBack, OnBack)
    ON_COMMAND(IdHome, OnHome)
END_MESSAGE_MAP()

CThirdView_HDD::CThirdView_HDD()
    : m_pList(NULL), m_pSystemImages(NULL), m_hWhiteBrush(NULL), m_pPreview(NULL), m_highlight(HighlightTree),
      m_bWaitCursor(FALSE), m_nLeftBannerWidth(0), m_nRightBannerLeft(0), m_nSortColumn(1), m_bSortAscending(TRUE)
{
    LOGFONT lf = {};
    lf.lfHeight = 16;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    wcscpy(lf.lfFaceName, L"Arial");
    m_modeFont.CreateFontIndirect(&lf);
    m_pSystemImages = new CImageList;
    m_pSystemImages->Attach(m_shellIcons.GetSystemImageList(TRUE));
    m_chooseSaveFolder = [this]() { return BrowseForSaveFolder(GetSafeHwnd()); };
    m_runSave = [this](const CString& folder) { SaveMarked(folder); };
}

CThirdView_HDD::~CThirdView_HDD()
{
    CRecoveryWizardApp* pApp = GetWizardApp();
    if (pApp && pApp->m_pResultList == m_pList)
        pApp->m_pResultList = NULL;
    delete m_pList;
    if (m_pSystemImages) {
        // The shell's list: never destroyed here.
        m_pSystemImages->Detach();
        delete m_pSystemImages;
    }
    if (m_hWhiteBrush)
        ::DeleteObject(m_hWhiteBrush);
}

BOOL CThirdView_HDD::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return CView::PreCreateWindow(cs);
}

int CThirdView_HDD::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_hWhiteBrush = ::CreateSolidBrush(RGB(255, 255, 255));
    m_nSortColumn = 1;
    m_bSortAscending = TRUE;

    if (!m_tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                           TVS_SHOWSELALWAYS,
                       CRect(0, 0, 600, 300), this, IdTree))
        return -1;
    m_tree.SetupImages(m_pSystemImages);
    // The file-system step (made before this view) shows an Extensive Scan's
    // NTFS build.
    if (CFileSystemView* pFileSystemStep = DYNAMIC_DOWNCAST(CFileSystemView, StepView(WizardFileSystemStep)))
        m_tree.m_pFileSystemPanel = &pFileSystemStep->m_form;

    const StepButton buttons[] = {
        {&m_recover, IdRecover, IDB_RECOVER, IDB_RECOVER_HOVER, L"Recover selected files and folders"},
        {&m_back, IdBack, IDB_BACK, IDB_BACK_HOVER, L"Back"},
        {&m_home, IdHome, IDB_HOME, IDB_HOME_HOVER, L"Home"},
    };
    CreateStepButtons(this, buttons, _countof(buttons));

    const UINT statusIds[] = {IdStatus1, IdStatus2, IdStatus3};
    for (int i = 0; i < 3; ++i) {
        m_status[i].Create(L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, statusIds[i]);
        m_status[i].SetFont(&m_modeFont);
    }

    // The list shares the shell's image list, which it must not destroy.
    m_pList = new CResultListCtrl;
    m_pList->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_EDITLABELS | LVS_SHAREIMAGELISTS,
                    CRect(0, 0, 300, 300), this, IdList);
    const DWORD extended = LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT;
    m_pList->SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    m_pList->SetImageList(m_pSystemImages, LVSIL_SMALL);
    m_pList->SetStateImages();
    m_tree.m_pList = m_pList;
    m_pList->m_pTree = &m_tree;
    if (CRecoveryWizardApp* pApp = GetWizardApp())
        pApp->m_pResultList = m_pList;

    CFrameWnd* pFrame = GetParentFrame();
    CWnd* pPreviewParent = pFrame ? static_cast<CWnd*>(pFrame) : GetParent();
    CRect rc;
    pPreviewParent->GetClientRect(&rc);
    rc.DeflateRect(1, 1);
    CCreateContext context;
    context.m_pCurrentDoc = pFrame ? pFrame->GetActiveDocument() : NULL;
    m_pPreview = new CMainPreviewView;
    // Its viewers paint themselves: the pane leaves them out of its own painting.
    if (m_pPreview->Create(NULL, NULL, WS_CHILD | WS_CLIPCHILDREN, rc, pPreviewParent, IdPreview, &context)) {
        m_pPreview->OnInitialUpdate();
        m_pPreview->ShowWindow(SW_SHOW);
    } else {
        // A view whose window was never made is still ours.
        delete m_pPreview;
        m_pPreview = NULL;
    }

    GetClientRect(&rc);
    const DWORD splitStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | PSS_VERTICAL;
    m_innerSplitter.Create(splitStyle, this, m_pList, m_pPreview, IdInnerSplitter, rc, 90, 110);
    m_outerSplitter.Create(splitStyle, this, &m_tree, &m_innerSplitter, IdOuterSplitter, rc, 90, 110);

    // The header the list itself reports: a list view's header need not carry
    // any particular child id.
    if (CHeaderCtrl* pHeader = m_pList->GetHeaderCtrl()) {
        if (pHeader->GetSafeHwnd() && CWnd::FromHandlePermanent(pHeader->GetSafeHwnd()) == NULL &&
            m_header.SubclassWindow(pHeader->GetSafeHwnd()))
            m_header.EnableAutoFitColumns(1);
    }

    for (CToolButton* button : {&m_back, &m_recover, &m_home})
        button->ShowWindow(SW_HIDE);
    m_bWaitCursor = FALSE;
    return 0;
}

void CThirdView_HDD::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    CRect rc;
    GetClientRect(&rc);
    if (m_recover.GetSafeHwnd())
        m_recover.MoveWindow(rc.right - 144, rc.bottom - 32, 89, 26);
    if (m_back.GetSafeHwnd())
        m_back.MoveWindow(rc.right - 229, rc.bottom - 32, 74, 26);
    if (m_home.GetSafeHwnd())
        m_home.MoveWindow(rc.right - 315, rc.bottom - 32, 74, 26);
    for (CStatic& status : m_status)
        if (status.GetSafeHwnd())
            status.MoveWindow(0, 0, 0, 0);
    // As laid out since the first release: 100 pixels wider than the view,
    // so the preview pane's right edge lies outside it.
    if (m_outerSplitter.GetSafeHwnd())
        m_outerSplitter.MoveWindow(rc.left, rc.top, rc.right + 100 - rc.left,
                                   rc.bottom - 50 - rc.top > 0 ? rc.bottom - 50 - rc.top : 0);
}

void CThirdView_HDD::OnDraw(CDC* pDC)
{
    DrawStepSkin(pDC, this, IDB_BANNER_RECOVERY, m_modeFont, g_ModeText, m_nLeftBannerWidth, m_nRightBannerLeft);
}

BOOL CThirdView_HDD::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
    // The list passes its header's notifications on to this view.
    if (hdr->code == HDN_ITEMCLICKW || hdr->code == HDN_ITEMCLICKA)
        OnColumnClick(reinterpret_cast<const NMHEADERW*>(lParam)->iItem);
    return CView::OnNotify(wParam, lParam, pResult);
}

void CThirdView_HDD::OnColumnClick(int nColumn)
{
    BOOL bAscending;
    if (nColumn == m_nSortColumn) {
        bAscending = !m_bSortAscending;
    } else {
        BOOL bHeaderAscending = TRUE;
        if (m_header.GetSafeHwnd())
            m_header.GetSortImage(&bHeaderAscending);
        bAscending = bHeaderAscending ? TRUE : FALSE;
    }
    SortList(nColumn, bAscending);
}

void CThirdView_HDD::SortList(int nColumn, BOOL bAscending)
{
    m_nSortColumn = nColumn;
    m_bSortAscending = bAscending;
    if (m_header.GetSafeHwnd()) {
        m_header.ShowSortArrow(TRUE);
        m_header.SetSortImage(nColumn, bAscending);
    }
    int nType = 0;
    switch (nColumn) {
    case 0:
    case 1:
        nType = CListCtrlSorter::compareText;
        break;
    case 2:
    case 5:
        nType = CListCtrlSorter::compareDigits;
        break;
    case 3:
    case 4:
        nType = CListCtrlSorter::compareDate;
        break;
    default:
        break;
    }
    if (nType != 0 && m_pList) {
        CListCtrlSorter sorter(m_pList, nColumn);
        sorter.Sort(bAscending, nType);
    }
    MoveFoldersFirst();
}

void CThirdView_HDD::MoveFoldersFirst()
{
    if (!m_pList)
        return;
    CListCtrl& list = *m_pList;
    const int folderIcon = m_shellIcons.GetFolderIconIndex(TRUE);
    int nextFolder = 0;
    const int count = list.GetItemCount();
    for (int row = 0; row < count; ++row) {
        CString type = list.GetItemText(row, 1);
        type.MakeUpper();
        if (type != L"FOLDER" && type != L"DELETED FOLDER")
            continue;
        CString texts[6];
        for (int column = 0; column < 6; ++column)
            texts[column] = list.GetItemText(row, column);
        const int mark = m_pList->GetRowMark(row);
        list.DeleteItem(row);
        // Rows after this one keep their indexes: the row goes back in at a
        // position at or before its own.
        list.InsertItem(nextFolder, texts[0], folderIcon);
        m_pList->SetRowState(nextFolder, mark + 1);
        list.SetItemText(nextFolder, 1, type);
        for (int column = 2; column < 6; ++column)
            list.SetItemText(nextFolder, column, texts[column]);
        ++nextFolder;
    }
    for (int row = 0; row < list.GetItemCount(); ++row) {
        if (list.GetItemText(row, 0).Left(9) != L"Parent...")
            continue;
        const CString name = list.GetItemText(row, 0);
        const int mark = m_pList->GetRowMark(row);
        list.DeleteItem(row);
        list.InsertItem(0, name, folderIcon);
        m_pList->SetRowState(0, mark + 1);
        for (int column = 1; column < 6; ++column)
            list.SetItemText(0, column, L"");
    }
}

void CThirdView_HDD::SetResultColumns(int nScanMode)
{
    if (!m_pList)
        return;
    while (m_pList->DeleteColumn(0))
        ;
    struct Column
    {
        const wchar_t* text;
        int width;
    };
    static const Column scanColumns[] = {{L"File Name", 200},     {L"Type", 100},
                                         {L"Size", 100},          {L"Creation Time", 150},
                                         {L"Modification Time", 150}, {L"ID", 150}};
    static const Column traceColumns[] = {{L"File Name", 200}, {L"Type", 100}, {L"ID", 150}};
    const Column* columns = nScanMode == ScanModeFileTrace ? traceColumns : scanColumns;
    const int count = nScanMode == ScanModeFileTrace ? 3 : 6;
    for (int i = 0; i < count; ++i) {
        LVCOLUMNW column = {};
        column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | (i > 0 ? LVCF_SUBITEM : 0);
        column.fmt = LVCFMT_LEFT;
        column.cx = columns[i].width;
        column.pszText = const_cast<wchar_t*>(columns[i].text);
        column.iSubItem = 100;
        m_pList->InsertColumn(i, &column);
    }
    m_pList->SetHeaderImages();
}

void CThirdView_HDD::ShowRootListing()
{
    g_CurrentFolderItem = (DWORD)(uintptr_t)m_tree.GetRootItem();
    FillResultListRoot();
    m_tree.SyncListChecks(m_tree.GetRootItem());
}

void CThirdView_HDD::ShowRecoveryButtons()
{
    for (CToolButton* button : {&m_recover, &m_back, &m_home}) {
        button->EnableWindow(TRUE);
        button->ShowWindow(SW_SHOW);
    }
}

void CThirdView_HDD::HideBackButton()
{
    m_back.EnableWindow(FALSE);
    m_back.ShowWindow(SW_HIDE);
}

void CThirdView_HDD::BeginWait()
{
    m_bWaitCursor = TRUE;
    BeginWaitCursor();
}

void CThirdView_HDD::EndWait()
{
    EndWaitCursor();
    m_bWaitCursor = FALSE;
}

void CThirdView_HDD::CollectFoldersToSave()
{
    if (!m_pList)
        return;
    POSITION pos = m_pList->m_mapCheckedFolders.GetStartPosition();
    while (pos) {
        DWORD key = 0;
        int value = 0;
        m_pList->m_mapCheckedFolders.GetNextAssoc(pos, key, value);
        m_pList->m_mapSaveFolders[key] = 1;
    }
}

void CThirdView_HDD::OnRecover()
{
    if (!m_pList)
        return;
    {
        // Collecting can take long on a large tree: behind dialog 376.
        CRecoverWaitDlg wait(this);
        wait.DoModal();
    }
    if (m_pList->m_mapSaveFiles.IsEmpty() && m_pList->m_mapSaveFolders.IsEmpty()) {
        ShowMessage(L"Please mark the file(s) and folder(s) that you want to save\r\nby clicking on check box.",
                    MessageKindInformation);
        return;
    }
    const CString folder = m_chooseSaveFolder ? m_chooseSaveFolder() : CString();
    if (folder.IsEmpty())
        return;
    if (m_runSave)
        m_runSave(folder);
}

void CThirdView_HDD::SaveMarked(const CString& folder)
{
    SaveSelection selection;
    selection.destination = (LPCTSTR)folder;
    selection.rootTreeItem = (uint32_t)(uintptr_t)m_tree.GetRootItem();
    POSITION pos = m_pList->m_mapSaveFolders.GetStartPosition();
    while (pos) {
        DWORD key = 0;
        int value = 0;
        m_pList->m_mapSaveFolders.GetNextAssoc(pos, key, value);
        HTREEITEM item = (HTREEITEM)(uintptr_t)key;
        CString path = item == m_tree.GetRootItem() ? CString() : m_tree.GetItemPath(item);
        selection.folders.push_back({key, (LPCTSTR)path});
    }
    pos = m_pList->m_mapSaveFiles.GetStartPosition();
    while (pos) {
        DWORD key = 0;
        int value = 0;
        m_pList->m_mapSaveFiles.GetNextAssoc(pos, key, value);
        selection.files.push_back(key);
    }
    CSavingProgressDlg dialog(selection, this);
    BeginWait();
    dialog.DoModal();
    EndWait();
}

void CThirdView_HDD::ClearResults()
{
    m_tree.RemoveAllItemStyles();
    m_tree.DeleteAllItems();
    m_tree.m_hRootItem = NULL;
    if (m_pList) {
        m_pList->DeleteAllItems();
        m_pList->ClearMarks();
    }
}

void CThirdView_HDD::OnBack()
{
    g_TreeBuildCount = 0;
    g_TraceSizeMB = 0;
    g_bListFirstPaint = 1;
    g_ShowScanProgress = 1;
    g_SnapshotLoading = 0;

    CMainFrame* pFrame = WizardFrame();
    if (pFrame) {
        pFrame->m_bDriveStep = FALSE;
        pFrame->m_bScanStep = TRUE;
        pFrame->m_bResultsStep = FALSE;
        pFrame->m_bExtensiveResultsStep = FALSE;
        pFrame->m_bNoFileSelected = TRUE;
        pFrame->m_bPreviewSupported = FALSE;
    }
    ClearResults();

    CRecoveryWizardApp* pApp = GetWizardApp();
    if (g_ScanMode == ScanModeExtensive) {
        CFileSystemView* pFileSystemStep = DYNAMIC_DOWNCAST(CFileSystemView, StepView(WizardFileSystemStep));
        if (pFileSystemStep && pFileSystemStep->m_form.GetSafeHwnd()) {
            CFileSystemForm& form = pFileSystemStep->m_form;
            for (int row = 1; row <= CFileSystemForm::Rows; ++row)
                form.SetRowValue(row, L"");
            form.SetStatusText(L"");
            form.SetProgress(0);
            form.HideProgress();
            form.HideStatusText();
        }
        ShowStepControl(pFileSystemStep, StepStop, FALSE);
        for (UINT id : {StepForward, StepBack, StepHome})
            ShowStepControl(pFileSystemStep, id, TRUE);
        if (pFileSystemStep && pFileSystemStep->m_tree.GetSafeHwnd())
            pFileSystemStep->m_tree.EnableWindow(TRUE);
        FreeEntryLists();
        FreeNtfsEntryLists();
        if (pApp)
            pApp->SwitchView(WizardFileSystemStep);
        return;
    }

    // Quick Scan and File Trace: back to the scan step.
    CSecondView_HDD* pScanStep = DYNAMIC_DOWNCAST(CSecondView_HDD, StepView(WizardScanStep));
    CSecondDisplay* pPanel = pScanStep ? pScanStep->m_pPanel : (pFrame ? pFrame->m_pScanPanel : NULL);
    if (pPanel && pPanel->GetSafeHwnd() == NULL)
        pPanel = NULL;
    if (pPanel) {
        pPanel->ResetProgressToggle();
        pPanel->ClearValues();
        pPanel->ClearPartitionInfo();
        pPanel->SetStatusText(L"");
        pPanel->SetProgress(0);
        pPanel->HideProgress();
        if (g_ScanMode == ScanModeFileTrace)
            pPanel->HideStatusText();
        pPanel->ShowProgressToggle(FALSE);
    }
    ShowStepControl(pScanStep, StepStop, FALSE);
    for (UINT id : {StepForward, StepBack, StepHome})
        ShowStepControl(pScanStep, id, TRUE);
    // The partition tree lives in the step's splitter.
    if (pScanStep && pScanStep->m_tree.GetSafeHwnd())
        pScanStep->m_tree.EnableWindow(TRUE);
    if (g_ScanMode == ScanModeFileTrace) {
        FreeTraceHitList();
        FreeSignatureList();
    } else {
        FreeEntryLists();
    }
    if (pPanel) {
        pPanel->SetTopText(g_SourceType == SourceLogicalVolume
                               ? L"You have selected logical drive for recovery. Please click [Scan] to continue "
                                 L"with recovery."
                               : L"Please select a partition from the left panel and press [Scan] to continue with "
                                 L"recovery.");
    }
    if (g_SourceType == SourceLogicalVolume && pFrame)
        pFrame->m_nSelectedRow = 0;
    if (pApp)
        pApp->SwitchView(WizardScanStep);
}

void CThirdView_HDD::OnHome()
{
    if (AskQuestion(L"Plase make sure to save snapshot,before going to homepage.\t\nAre you sure,Go to HomePage?") != 1)
        return;
    OnBack();
    ClearResults();
    if (CView* pFileSystemStep = StepView(WizardFileSystemStep))
        if (pFileSystemStep->GetSafeHwnd())
            pFileSystemStep->SendMessage(WM_COMMAND, StepBack);
    if (CSecondView_HDD* pScan = DYNAMIC_DOWNCAST(CSecondView_HDD, StepView(WizardScanStep)))
        pScan->OnBack();
    if (CFirstView_HDD* pDrive = DYNAMIC_DOWNCAST(CFirstView_HDD, StepView(WizardDriveStep)))
        pDrive->OnBack();
}

void CThirdView_HDD::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_TAB) {
        switch (m_highlight) {
        case HighlightTree:
            m_recover.SendMessage(BM_SETSTATE, 1, 0);
            m_tree.SendMessage(WM_KILLFOCUS, 0, 0);
            m_highlight = HighlightRecover;
            break;
        case HighlightRecover:
            m_recover.SendMessage(BM_SETSTATE, 0, 0);
            m_back.SendMessage(BM_SETSTATE, 1, 0);
            m_highlight = HighlightBack;
            break;
        case HighlightBack:
            m_back.SendMessage(BM_SETSTATE, 0, 0);
            m_tree.SetActiveWindow();
            m_tree.SetFocus();
            m_highlight = HighlightTree;
            break;
        }
    } else if (nChar == VK_RETURN) {
        if (m_recover.SendMessage(BM_GETSTATE, 0, 0) & BST_PUSHED)
            OnRecover();
        if (m_back.SendMessage(BM_GETSTATE, 0, 0) & BST_PUSHED)
            OnBack();
    }
    CView::OnKeyDown(nChar, nRepCnt, nFlags);
}

BOOL CThirdView_HDD::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_bWaitCursor) {
        RestoreWaitCursor();
        return TRUE;
    }
    return CView::OnSetCursor(pWnd, nHitTest, message);
}

HBRUSH CThirdView_HDD::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (nCtlColor == CTLCOLOR_STATIC && pWnd) {
        const int id = pWnd->GetDlgCtrlID();
        if (id == IdStatus1 || id == 61483 || id == IdStatus2 || id == IdStatus3) {
            pDC->SetBkColor(RGB(255, 255, 255));
            pDC->SetTextColor(id == IdStatus1 ? RGB(0, 0, 0) : RGB(255, 0, 0));
            return m_hWhiteBrush;
        }
    }
    return ::GetSysColorBrush(COLOR_WINDOW);
}

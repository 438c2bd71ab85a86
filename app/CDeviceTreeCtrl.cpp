#include "CDeviceTreeCtrl.h"

#include "CDiskEnumerator.h"
#include "CFirstDisplay.h"
#include "CFirstView_HDD.h"
#include "CMainFrame.h"
#include "CRecoveryWizardApp.h"
#include "CSecondDisplay.h"
#include "CSecondView_HDD.h"
#include "appuires.h"
#include "partition/PartitionTable.h"
#include "resource.h"
#include "state/EngineState.h"

namespace {

const wchar_t kPhysicalDevices[] = L"Physical Devices";
const wchar_t kLogicalDevices[] = L"Logical Devices";
const wchar_t kVirtualDiskRoot[] = L"Virtual Hard Disk ";

CMainFrame* WizardFrame()
{
    CRecoveryWizardApp* pApp = GetWizardApp();
    return pApp ? pApp->GetMainFrame() : NULL;
}

HCURSOR LoadAppCursor(UINT nId)
{
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nId), RT_GROUP_CURSOR);
    return ::LoadCursor(hInst, MAKEINTRESOURCE(nId));
}

}  // namespace

int GetTreeItemRow(CTreeCtrl& tree, HTREEITEM hItem)
{
    if (hItem == TVI_ROOT || hItem == NULL)
        return -1;
    int count = 0;
    for (HTREEITEM h = hItem; h; h = tree.GetPrevVisibleItem(h))
        ++count;
    return count - 2;
}

int GetTreeCheckState(CTreeCtrl& tree, HTREEITEM hItem)
{
    return (int)(tree.GetItemState(hItem, TVIS_STATEIMAGEMASK) >> 12) - 1;
}

int AreChildrenChecked(CTreeCtrl& tree, HTREEITEM hItem)
{
    for (HTREEITEM c = tree.GetChildItem(hItem); c; c = tree.GetNextSiblingItem(c))
        if (GetTreeCheckState(tree, c) == 0)
            return 0;
    return 1;
}

BEGIN_MESSAGE_MAP(CDeviceTreeCtrl, CTreeCtrl)
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_KEYUP()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_NOTIFY_REFLECT(TVN_KEYDOWN, OnKeyDownNotify)
END_MESSAGE_MAP()

CDeviceTreeCtrl::CDeviceTreeCtrl()
    : m_pStatusWnd(NULL), m_hExpandCursor(NULL), m_hItemCursor(NULL), m_hPressedCursor(NULL)
{
}

CDeviceTreeCtrl::~CDeviceTreeCtrl() {}

void CDeviceTreeCtrl::InitImages()
{
    m_pStatusWnd = NULL;
    if (m_imageList.GetSafeHandle() == NULL && m_imageList.Create(16, 16, ILC_COLOR8 | ILC_MASK, 0, 0)) {
        const UINT icons[] = {IDI_TREE_FOLDER, IDI_TREE_DISK_OTHER, IDI_TREE_CD,      IDI_TREE_REMOVABLE,
                              IDI_TREE_FLOPPY, IDI_TREE_DISK,       IDI_TREE_COMPUTER};
        for (UINT id : icons) {
            HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(id), RT_GROUP_ICON);
            HICON hIcon = (HICON)::LoadImage(hInst, MAKEINTRESOURCE(id), IMAGE_ICON, 16, 16, 0);
            m_imageList.Add(hIcon);
            if (hIcon)
                ::DestroyIcon(hIcon);
        }
    }
    SetImageList(&m_imageList, TVSIL_NORMAL);
    m_hExpandCursor = LoadAppCursor(IDC_CURSOR_EXPAND);
    m_hItemCursor = LoadAppCursor(IDC_HOVER_HAND);
    m_hPressedCursor = LoadAppCursor(IDC_HOVER_HAND_PRESSED);
}

HTREEITEM CDeviceTreeCtrl::InsertItemWithImage(LPCTSTR lpszText, int nImage, int nSelectedImage, HTREEITEM hParent,
                                               HTREEITEM hInsertAfter)
{
    return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszText, nImage, nSelectedImage, 0, 0, 0,
                      hParent, hInsertAfter);
}

HTREEITEM CDeviceTreeCtrl::FindOrInsertItem(const CString& strText, HTREEITEM hParent)
{
    HTREEITEM first = hParent == TVI_ROOT || hParent == NULL ? GetRootItem() : GetChildItem(hParent);
    for (HTREEITEM h = first; h; h = GetNextSiblingItem(h))
        if (GetItemText(h) == strText)
            return h;
    if (hParent == TVI_ROOT || hParent == NULL) {
        switch (::GetDriveTypeW(strText)) {
        case DRIVE_FIXED:
            return InsertItemWithImage(strText, ImageDisk, ImageDisk, TVI_ROOT, TVI_LAST);
        case DRIVE_CDROM:
            return InsertItemWithImage(strText, ImageCd, ImageCd, TVI_ROOT, TVI_LAST);
        case DRIVE_REMOVABLE: {
            const int image = strText.Left(1) == L"A" ? ImageFloppy : ImageRemovable;
            return InsertItemWithImage(strText, image, image, TVI_ROOT, TVI_LAST);
        }
        default:
            break;
        }
        const int image = strText == L"My Computer" ? ImageComputer : ImageDisk;
        return InsertItemWithImage(strText, image, image, TVI_ROOT, TVI_LAST);
    }
    return InsertItemWithImage(strText, ImageDisk, ImageDisk, hParent, TVI_LAST);
}

void CDeviceTreeCtrl::InsertPath(const char* lpszPath)
{
    const CString path(lpszPath ? lpszPath : "");
    HTREEITEM parent = TVI_ROOT;
    int start = 0;
    for (int slash = path.Find(L'\\'); slash >= 0; slash = path.Find(L'\\', start)) {
        parent = FindOrInsertItem(path.Mid(start, slash - start), parent);
        start = slash + 1;
    }
    if (HTREEITEM root = GetRootItem()) {
        CheckItemAndChildren(root);
        UpdateParentChecks(root);
        UpdateParentBold(root);
    }
}

HTREEITEM CDeviceTreeCtrl::AddPartitionItem(LPCTSTR lpszParent, LPCTSTR lpszItem)
{
    HTREEITEM parent = FindOrInsertItem(lpszParent, TVI_ROOT);
    HTREEITEM item = FindOrInsertItem(lpszItem, parent);
    MarkChecked(parent);
    return item;
}

void CDeviceTreeCtrl::ExpandRoot()
{
    if (HTREEITEM root = GetRootItem())
        Expand(root, TVE_EXPAND);
}

void CDeviceTreeCtrl::MarkChecked(HTREEITEM hItem)
{
    SetItemState(hItem, INDEXTOSTATEIMAGEMASK(2) | TVIS_BOLD, TVIS_STATEIMAGEMASK | TVIS_BOLD);
}

void CDeviceTreeCtrl::MarkUnchecked(HTREEITEM hItem)
{
    SetItemState(hItem, INDEXTOSTATEIMAGEMASK(1), TVIS_STATEIMAGEMASK | TVIS_BOLD);
}

void CDeviceTreeCtrl::CheckItemAndChildren(HTREEITEM hItem)
{
    MarkChecked(hItem);
    for (HTREEITEM c = GetChildItem(hItem); c; c = GetNextSiblingItem(c)) {
        MarkChecked(c);
        Expand(c, TVE_EXPAND);
    }
}

void CDeviceTreeCtrl::UncheckSubtree(HTREEITEM hItem)
{
    MarkUnchecked(hItem);
    for (HTREEITEM c = GetChildItem(hItem); c; c = GetNextSiblingItem(c))
        UncheckSubtree(c);
}

void CDeviceTreeCtrl::UpdateParentChecks(HTREEITEM hItem)
{
    for (HTREEITEM p = GetParentItem(hItem); p; p = GetParentItem(p)) {
        if (AreChildrenChecked(*this, p))
            MarkChecked(p);
        else
            MarkUnchecked(p);
    }
}

BOOL CDeviceTreeCtrl::HasBoldChild(HTREEITEM hItem)
{
    for (HTREEITEM c = GetChildItem(hItem); c; c = GetNextSiblingItem(c))
        if (GetItemState(c, TVIS_BOLD) & TVIS_BOLD)
            return TRUE;
    return FALSE;
}

void CDeviceTreeCtrl::UpdateParentBold(HTREEITEM hItem)
{
    for (HTREEITEM p = GetParentItem(hItem); p; p = GetParentItem(p))
        SetItemState(p, HasBoldChild(p) ? TVIS_BOLD : 0, TVIS_BOLD);
}

void CDeviceTreeCtrl::SelectDiskRow(int nRow)
{
    CMainFrame* pFrame = WizardFrame();
    CFirstDisplay* pPanel = pFrame ? pFrame->m_pDrivePanel : NULL;
    if (pPanel)
        pPanel->ShowDiskInfo(nRow - 1);
    g_SourceType = SourceVirtualDisk;
    g_DiskIndex = (uint16_t)(nRow - 1);
    if (nRow >= 0 && g_DiskIndex < MaxDevices)
        g_DevicePath = CString(g_DevicePaths[g_DiskIndex]).GetString();
}

void CDeviceTreeCtrl::SetModeText()
{
    if (g_SourceType != SourceVirtualDisk && g_SourceType != SourceLogicalVolume)
        return;
    const bool disk = g_SourceType == SourceVirtualDisk;
    switch (g_ScanMode) {
    case ScanModeQuick:
        g_ModeText = disk ? L"Selected Mode  : Quick Scan \r\nDrive Type         : Virtual Hard Disk"
                          : L"Selected Mode  : Quick Scan \r\nDrive Type         : Logical Drive";
        break;
    case ScanModeExtensive:
        g_ModeText = disk ? L"Selected Mode : Extensive Scan \r\nDrive Type        : Virtual Hard Disk"
                          : L"Selected Mode : Extensive Scan \r\nDrive Type        : Logical Drive";
        break;
    case ScanModeFileTrace:
        g_ModeText = disk ? L"Selected Mode : File Trace \r\nDrive Type        : Virtual Hard Disk"
                          : L"Selected Mode : File Trace \r\nDrive Type        : Logical Drive";
        break;
    default:
        break;
    }
}

CString CDeviceTreeCtrl::OnSelectItem(HTREEITEM hItem)
{
    const CString text = GetItemText(hItem);
    const int row = GetTreeItemRow(*this, hItem);
    CMainFrame* pFrame = WizardFrame();
    const BOOL driveStep = pFrame && pFrame->m_bDriveStep;
    const BOOL scanStep = pFrame && pFrame->m_bScanStep;
    CFirstDisplay* pPanel = pFrame ? pFrame->m_pDrivePanel : NULL;
    CSecondDisplay* pScanPanel = pFrame ? pFrame->m_pScanPanel : NULL;
    if (pFrame) {
        pFrame->m_strSelectedItem = text;
        pFrame->m_nSelectedRow = row;
    }
    if (row < 0 && driveStep) {
        if (pPanel)
            pPanel->ClearChart();
        g_SourceType = SourceNone;
        g_ModeText.Empty();
    }
    if (text == kPhysicalDevices || text == kLogicalDevices) {
        if (pPanel) {
            pPanel->SetDiskLabels();
            pPanel->ClearChart();
        }
        g_SourceType = SourceNone;
        g_ModeText.Empty();
    } else if (text == kVirtualDiskRoot) {
        if (pScanPanel)
            pScanPanel->ClearPartitionInfo();
        if (pPanel)
            pPanel->ClearChart();
        if (g_ScanMode == ScanModeExtensive) {
            SelectWholeDiskRange();
            if (pScanPanel)
                pScanPanel->ShowDiskRange();
        }
    }

    HTREEITEM parent = hItem ? GetParentItem(hItem) : NULL;
    const CString parentText = parent ? GetItemText(parent) : CString();
    if (parentText == kPhysicalDevices) {
        if (driveStep) {
            SelectDiskRow(row);
            if (row >= 0) {
                ReadPartitionTable();
                if (pPanel) {
                    pPanel->ShowPartitionChart();
                    pPanel->Invalidate();
                }
            }
        }
    } else if (parentText == kVirtualDiskRoot) {
        // While a scan or an extraction runs the tree is disabled; a click
        // that still arrives changes nothing.
        if (scanStep && pFrame->m_bPartitionSelectable && row >= 0 && row < g_PartitionCount) {
            const PartitionEntry& entry = g_PartitionTable[row];
            VolumeParams.selectionCode = entry.fileSystemCode;
            VolumeParams.sectorCount = entry.sectorCount;
            VolumeParams.startSector = entry.startSector;
            VolumeParams.partitionIndex = (uint16_t)row;
            if (pScanPanel)
                pScanPanel->ShowPartitionInfo(g_DiskIndex, row);
        }
    }
    SetModeText();
    if (pFrame) {
        if (CView* pView = pFrame->GetActiveView())
            pView->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    return text;
}

void CDeviceTreeCtrl::OnLButtonDown(UINT, CPoint point)
{
    UINT flags = 0;
    HTREEITEM hItem = HitTest(point, &flags);
    if (!hItem)
        return;
    SelectItem(hItem);
    SetFocus();
    OnSelectItem(hItem);
    if (flags & TVHT_ONITEMBUTTON) {
        if (m_hExpandCursor)
            ::SetCursor(m_hExpandCursor);
    } else if (flags == TVHT_ONITEMLABEL || flags == TVHT_ONITEMICON || flags == TVHT_ONITEMINDENT ||
               flags == TVHT_ONITEMSTATEICON) {
        if (m_hPressedCursor)
            ::SetCursor(m_hPressedCursor);
    }
    if (flags & TVHT_ONITEMSTATEICON) {
        if (GetTreeCheckState(*this, hItem) != 0)
            UncheckSubtree(hItem);
        else
            CheckItemAndChildren(hItem);
        UpdateParentChecks(hItem);
        UpdateParentBold(hItem);
    } else if (flags & TVHT_ONITEMBUTTON) {
        Expand(hItem, TVE_TOGGLE);
    }
}

void CDeviceTreeCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    UINT flags = 0;
    if (HitTest(point, &flags)) {
        if ((flags & TVHT_ONITEMBUTTON) && m_hExpandCursor)
            ::SetCursor(m_hExpandCursor);
        else if ((flags == TVHT_ONITEMLABEL || flags == TVHT_ONITEMICON || flags == TVHT_ONITEMINDENT ||
                  flags == TVHT_ONITEMSTATEICON) &&
                 m_hItemCursor)
            ::SetCursor(m_hItemCursor);
    }
    CTreeCtrl::OnMouseMove(nFlags, point);
}

void CDeviceTreeCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    UINT flags = 0;
    if (HitTest(point, &flags)) {
        if ((flags & TVHT_ONITEMBUTTON) && m_hExpandCursor)
            ::SetCursor(m_hExpandCursor);
        else if (m_hItemCursor)
            ::SetCursor(m_hItemCursor);
    }
    CTreeCtrl::OnLButtonUp(nFlags, point);
}

void CDeviceTreeCtrl::OnRButtonDown(UINT, CPoint point)
{
    if (HTREEITEM hItem = HitTest(point)) {
        SelectItem(hItem);
        SetFocus();
    }
}

void CDeviceTreeCtrl::OnKeyDownNotify(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMTVKEYDOWN* key = reinterpret_cast<NMTVKEYDOWN*>(pNMHDR);
    CMainFrame* pFrame = WizardFrame();
    CRecoveryWizardApp* pApp = GetWizardApp();
    if (!pFrame || !pApp)
        return;
    CFirstView_HDD* pDrive = DYNAMIC_DOWNCAST(CFirstView_HDD, pApp->m_pViews[WizardDriveStep]);
    CSecondView_HDD* pScan = DYNAMIC_DOWNCAST(CSecondView_HDD, pApp->m_pViews[WizardScanStep]);
    if (key->wVKey == VK_TAB) {
        if (pFrame->m_bDriveStep && pDrive) {
            pFrame->SetActiveView(pDrive);
            pDrive->SetFocus();
            pDrive->ResetHighlight();
        } else if (pFrame->m_bScanStep && pScan) {
            pFrame->SetActiveView(pScan);
            pScan->SetFocus();
            pScan->ResetHighlight();
        }
    } else if (key->wVKey == VK_RETURN) {
        if (pFrame->m_bDriveStep && pDrive) {
            pDrive->SetFocus();
            pDrive->OnNext();
        } else if (pFrame->m_bScanStep && pScan) {
            pScan->SetFocus();
            pScan->OnScan();
        }
    }
}

void CDeviceTreeCtrl::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    (void)nRepCnt;
    (void)nFlags;
    if (nChar != VK_UP && nChar != VK_DOWN)
        return;
    HTREEITEM caret = GetSelectedItem();
    if (!caret)
        return;
    OnSelectItem(caret);
    if (nChar == VK_DOWN)
        OnSelectItem(caret);
    CMainFrame* pFrame = WizardFrame();
    if (!pFrame)
        return;
    const CString text = GetItemText(caret);
    const int row = GetTreeItemRow(*this, caret);
    pFrame->m_strSelectedItem = text;
    pFrame->m_nSelectedRow = row;
    if (nChar == VK_DOWN && row < 0)
        return;
    CFirstDisplay* pPanel = pFrame->m_pDrivePanel;
    if (pFrame->m_bDriveStep) {
        if (row < 0 && pPanel)
            pPanel->ClearChart();
        if (text == kPhysicalDevices) {
            if (pPanel) {
                pPanel->SetDiskLabels();
                pPanel->ClearChart();
            }
            g_SourceType = SourceNone;
        } else if (text == kVirtualDiskRoot) {
            if (pPanel)
                pPanel->ClearChart();
            g_SourceType = SourceNone;
        }
        HTREEITEM parent = GetParentItem(caret);
        if (parent && GetItemText(parent).Find(kPhysicalDevices) >= 0)
            SelectDiskRow(row);
    } else if (pFrame->m_bScanStep && pFrame->m_bPartitionSelectable) {
        CSecondDisplay* pScanPanel = pFrame->m_pScanPanel;
        if (nChar == VK_UP && g_ScanMode == ScanModeExtensive && row == -1) {
            SelectWholeDiskRange();
            if (pScanPanel)
                pScanPanel->ShowDiskRange();
            if (pPanel)
                pPanel->ClearChart();
            // Neither a disk nor a volume: Scan takes the range as it is.
            g_SourceType = 300;
        } else if (pScanPanel) {
            pScanPanel->ShowPartitionInfo(0, row);
        }
    }
}

#include "CFolderTreeCtrl.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "CResultListCtrl.h"
#include "CPleaseWaitDlg.h"
#include "CStepPanel.h"
#include "ResultListFill.h"
#include "trace/SignatureSelection.h"
#include "ResultRecords.h"
#include "appuires.h"
#include "extensive/NtfsExtraction.h"
#include "fat/FatLists.h"
#include "fat/ScanPanelHost.h"
#include "ntfs/NtfsLists.h"
#include "resource.h"
#include "scan/QuickScanTree.h"
#include "snapshot/SnapshotCommands.h"
#include "state/EngineState.h"
#include "state/ScanControl.h"
#include "trace/TraceHit.h"

uint32_t g_TreeBuildCount = 0;
uint32_t g_ProgressPercent = 0;

namespace {

// Sent by a worker thread's SetItemColor, so that the style map is only
// ever changed on the thread that paints from it. wParam: item, lParam:
// colour.
const UINT WM_TREE_SET_ITEM_COLOR = WM_APP + 0x131;
// The same for emptying the style map.
const UINT WM_TREE_CLEAR_STYLES = WM_APP + 0x132;

const COLORREF DeletedFolderColor = RGB(255, 0, 0);

}  // namespace

void SetTreeItemPartlyChecked(CTreeCtrl& tree, HTREEITEM hItem)
{
    tree.SetItemState(hItem, INDEXTOSTATEIMAGEMASK(3), TVIS_STATEIMAGEMASK);
}

int AreChildrenUnchecked(CTreeCtrl& tree, HTREEITEM hItem)
{
    for (HTREEITEM c = tree.GetChildItem(hItem); c; c = tree.GetNextSiblingItem(c))
        if ((int)(tree.GetItemState(c, TVIS_STATEIMAGEMASK) >> 12) - 1 != TreeUnchecked)
            return 0;
    return 1;
}

void ForEachFolderFile(HTREEITEM hItem, const std::function<bool(uint32_t)>& fn)
{
    const uint32_t item = (uint32_t)(uintptr_t)hItem;
    switch (CurrentResultKind()) {
    case ResultTrace:
        return;
    case ResultFat: {
        const FatFolderRecord* folder = FatFolderByTreeItem(item);
        for (const FatFileRecord* file : FatChildrenOf(folder ? folder->cluster : item).files)
            if (!fn(file->fileNumber))
                return;
        return;
    }
    case ResultNtfs: {
        const NtfsFolderRecord* folder = NtfsFolderByTreeItem(item);
        for (const NtfsFileRecord* file : NtfsChildrenOf(folder ? folder->recordNumber : item).files)
            if (!fn(file->dataRecordSector))
                return;
        return;
    }
    case ResultNtfsExtensive: {
        const NtfsFolderRecord* folder = NtfsFolderByTreeItem(item);
        const uint32_t key = folder ? folder->recordNumber : item;
        for (const NtfsScanFileRecord* file = g_NtfsScanFileList.head; file; file = file->next)
            if (file->parent == key && IsInChosenNtfsVolume(file) && !fn(file->recordSector))
                return;
        return;
    }
    }
}

BEGIN_MESSAGE_MAP(CFolderTreeCtrl, CTreeCtrl)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_KEYUP()
    ON_WM_RBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_PAINT()
    ON_NOTIFY_REFLECT(TVN_KEYDOWN, OnKeyDownNotify)
END_MESSAGE_MAP()

CFolderTreeCtrl::CFolderTreeCtrl() : m_mapStyles(10) { m_mapStyles.InitHashTable(17); }

CFolderTreeCtrl::~CFolderTreeCtrl()
{
    m_menu.DestroyMenu();
    for (HCURSOR cursor : {m_hItemCursor, m_hButtonCursor, m_hCheckCursor, m_hBusyCursor})
        if (cursor)
            ::DestroyCursor(cursor);
    m_imlStates.DeleteImageList();
    m_mapStyles.RemoveAll();
}

void CFolderTreeCtrl::SetupImages(CImageList* pSystemImages)
{
    if (pSystemImages != NULL && pSystemImages->GetSafeHandle() != NULL)
        SetImageList(pSystemImages, TVSIL_NORMAL);
    if (m_imlStates.GetSafeHandle() == NULL)
        m_imlStates.Create(IDB_FILE_TYPE_STATES, 16, 1, RGB(255, 255, 255));
    SetImageList(&m_imlStates, TVSIL_STATE);
    HINSTANCE hInst = AfxGetResourceHandle();
    if (!m_hItemCursor)
        m_hItemCursor = ::LoadCursor(hInst, MAKEINTRESOURCE(IDC_HOVER_HAND));
    if (!m_hButtonCursor)
        m_hButtonCursor = ::LoadCursor(hInst, MAKEINTRESOURCE(IDC_CURSOR_EXPAND));
    if (!m_hCheckCursor)
        m_hCheckCursor = ::LoadCursor(hInst, MAKEINTRESOURCE(IDC_CURSOR_CHECK_MARK));
    if (!m_hBusyCursor)
        m_hBusyCursor = ::LoadCursor(hInst, MAKEINTRESOURCE(IDC_HOVER_HAND_PRESSED));
}

// --- the check model -------------------------------------------------------

void CFolderTreeCtrl::CheckItem(HTREEITEM hItem)
{
    SetItemState(hItem, INDEXTOSTATEIMAGEMASK(2), TVIS_STATEIMAGEMASK);
    if (m_pList) {
        const DWORD key = (DWORD)(uintptr_t)hItem;
        m_pList->m_mapCheckedFolders[key] = 1;
        m_pList->m_mapTreeChecked[key] = 1;
    }
}

void CFolderTreeCtrl::UncheckItem(HTREEITEM hItem)
{
    SetItemState(hItem, INDEXTOSTATEIMAGEMASK(1), TVIS_STATEIMAGEMASK);
    if (m_pList) {
        const DWORD key = (DWORD)(uintptr_t)hItem;
        for (CMarkMap* map : {&m_pList->m_mapCheckedFolders, &m_pList->m_mapTreeChecked}) {
            map->RemoveKey(key);
            if (map->IsEmpty())
                map->RemoveAll();
        }
    }
}

void CFolderTreeCtrl::SetSubtreeCheck(HTREEITEM hItem, int nCheck)
{
    // Depth first without recursion, so a deep tree cannot exhaust the stack;
    // every item below hItem ends in the same state.
    auto set = [&](HTREEITEM h) {
        if (nCheck)
            CheckItem(h);
        else
            UncheckItem(h);
    };
    set(hItem);
    std::vector<HTREEITEM> pending;
    for (HTREEITEM c = GetChildItem(hItem); c; c = GetNextSiblingItem(c))
        pending.push_back(c);
    std::reverse(pending.begin(), pending.end());
    while (!pending.empty()) {
        HTREEITEM h = pending.back();
        pending.pop_back();
        set(h);
        std::vector<HTREEITEM> children;
        for (HTREEITEM c = GetChildItem(h); c; c = GetNextSiblingItem(c))
            children.push_back(c);
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
}

int CFolderTreeCtrl::SetCheck(HTREEITEM hItem, int nCheck)
{
    if (hItem == NULL)
        return 0;
    if (nCheck) {
        CheckItem(hItem);
        SetSubtreeCheck(hItem, 1);
        for (HTREEITEM a = GetParentItem(hItem); a; a = GetParentItem(a)) {
            if (!AreChildrenChecked(a) || (FolderHasFiles(a) && !AreFolderFilesMarked(a)))
                SetTreeItemPartlyChecked(*this, a);
            else
                CheckItem(a);
        }
    } else {
        UncheckItem(hItem);
        SetSubtreeCheck(hItem, 0);
        for (HTREEITEM a = GetParentItem(hItem); a; a = GetParentItem(a)) {
            if (AreChildrenChecked(a))
                CheckItem(a);
            else if (!AreChildrenUnchecked(*this, a))
                SetTreeItemPartlyChecked(*this, a);
            else if (AreFolderFilesMarked(a))
                SetTreeItemPartlyChecked(*this, a);
            else
                UncheckItem(a);
        }
    }
    return 0;
}

void CFolderTreeCtrl::ToggleCheck(HTREEITEM hItem) { SetCheck(hItem, GetCheckState(hItem) != TreeUnchecked ? 0 : 1); }

int CFolderTreeCtrl::UncheckWithChildren(HTREEITEM hItem)
{
    UncheckItem(hItem);
    for (HTREEITEM c = GetChildItem(hItem); c; c = GetNextSiblingItem(c))
        SetCheck(c, 0);
    return 0;
}

int CFolderTreeCtrl::AreChildrenChecked(HTREEITEM hItem)
{
    for (HTREEITEM c = GetChildItem(hItem); c; c = GetNextSiblingItem(c))
        if (GetCheckState(c) != TreeChecked)
            return 0;
    return 1;
}

int CFolderTreeCtrl::FolderHasFiles(HTREEITEM hItem)
{
    int found = 0;
    ForEachFolderFile(hItem, [&](uint32_t) {
        found = 1;
        return false;
    });
    return found;
}

int CFolderTreeCtrl::AreFolderFilesMarked(HTREEITEM hItem)
{
    int marked = 0;
    ForEachFolderFile(hItem, [&](uint32_t id) {
        int value;
        marked = m_pList != NULL && m_pList->m_mapCheckedFiles.Lookup(id, value);
        return false;
    });
    return marked;
}

HTREEITEM CFolderTreeCtrl::GetNextItemPreorder(HTREEITEM hItem) const
{
    if (hItem == NULL)
        return NULL;
    if (HTREEITEM child = GetChildItem(hItem))
        return child;
    for (HTREEITEM h = hItem; h; h = GetParentItem(h))
        if (HTREEITEM next = GetNextSiblingItem(h))
            return next;
    return NULL;
}

HTREEITEM CFolderTreeCtrl::GetFirstCheckedItem()
{
    HTREEITEM root = GetRootItem();
    for (HTREEITEM h = root; h; h = GetNextItemPreorder(h)) {
        if (GetCheckState(h) == TreeChecked)
            return h == root ? GetChildItem(root) : h;
    }
    return NULL;
}

HTREEITEM CFolderTreeCtrl::GetNextCheckedItem(HTREEITEM hAfter)
{
    for (HTREEITEM h = GetNextItemPreorder(hAfter); h; h = GetNextItemPreorder(h)) {
        if (GetCheckState(h) == TreeChecked) {
            if (m_pList)
                m_pList->DropFolderFileMarks(h);
            return h;
        }
    }
    return NULL;
}

// --- styles and painting ---------------------------------------------------

void CFolderTreeCtrl::SetItemColor(HTREEITEM hItem, COLORREF clr)
{
    if (m_hWnd && ::GetWindowThreadProcessId(m_hWnd, NULL) != ::GetCurrentThreadId()) {
        // A builder on a worker thread: the map changes on the UI thread.
        ::SendMessage(m_hWnd, WM_TREE_SET_ITEM_COLOR, (WPARAM)hItem, (LPARAM)clr);
        return;
    }
    ItemStyle style;
    if (!m_mapStyles.Lookup((DWORD)(uintptr_t)hItem, style))
        memset(&style, 0, sizeof(style));
    style.clrText = clr;
    m_mapStyles[(DWORD)(uintptr_t)hItem] = style;
}

void CFolderTreeCtrl::RemoveAllItemStyles()
{
    if (m_hWnd && ::GetWindowThreadProcessId(m_hWnd, NULL) != ::GetCurrentThreadId())
        ::SendMessage(m_hWnd, WM_TREE_CLEAR_STYLES, 0, 0);
    else
        m_mapStyles.RemoveAll();
}

BOOL CFolderTreeCtrl::GetItemStyle(HTREEITEM hItem, ItemStyle& style) const
{
    return m_mapStyles.Lookup((DWORD)(uintptr_t)hItem, style);
}

BOOL CFolderTreeCtrl::IsItemDeleted(HTREEITEM hItem) const
{
    ItemStyle style;
    return GetItemStyle(hItem, style) && style.clrText == DeletedFolderColor;
}

LRESULT CFolderTreeCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TREE_SET_ITEM_COLOR) {
        SetItemColor((HTREEITEM)wParam, (COLORREF)lParam);
        return 0;
    }
    if (message == WM_TREE_CLEAR_STYLES) {
        m_mapStyles.RemoveAll();
        return 0;
    }
    return CTreeCtrl::WindowProc(message, wParam, lParam);
}

void CFolderTreeCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect clip;
    dc.GetClipBox(&clip);
    CRect client;
    GetClientRect(&client);
    CDC mem;
    mem.CreateCompatibleDC(&dc);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, client.Width(), client.Height());
    CBitmap* pOldBitmap = mem.SelectObject(&bitmap);
    CRgn clipRgn;
    clipRgn.CreateRectRgnIndirect(&clip);
    mem.SelectClipRgn(&clipRgn);

    DefWindowProc(WM_PAINT, (WPARAM)mem.GetSafeHdc(), 0);

    const BOOL bFocused = ::GetFocus() == m_hWnd;
    CFont* pTreeFont = GetFont();
    UINT nLimit = GetVisibleCount() + 1;
    for (HTREEITEM h = GetFirstVisibleItem(); h && nLimit > 0; h = GetNextVisibleItem(h), --nLimit) {
        const UINT state = GetItemState(h, TVIS_SELECTED | TVIS_DROPHILITED | TVIS_BOLD);
        if ((state & (TVIS_SELECTED | TVIS_DROPHILITED)) && bFocused)
            continue;
        ItemStyle style;
        if (!GetItemStyle(h, style))
            continue;
        LOGFONT lf;
        if (style.lf.lfFaceName[0] != 0)
            lf = style.lf;
        else if (pTreeFont)
            pTreeFont->GetLogFont(&lf);
        else
            ::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
        if (state & TVIS_BOLD)
            lf.lfWeight = FW_BOLD;
        CFont font;
        font.CreateFontIndirect(&lf);
        CFont* pOldFont = mem.SelectObject(&font);
        mem.SetTextColor(style.clrText == 0xFFFFFFFF ? ::GetSysColor(COLOR_WINDOWTEXT) : style.clrText);
        mem.SetBkColor(::GetSysColor(COLOR_WINDOW));
        mem.SetBkMode(OPAQUE);
        CRect text;
        GetItemRect(h, &text, TRUE);
        mem.TextOut(text.left + 2, text.top + 1, GetItemText(h));
        mem.SelectObject(pOldFont);
    }

    dc.BitBlt(clip.left, clip.top, clip.Width(), clip.Height(), &mem, clip.left, clip.top, SRCCOPY);
    mem.SelectClipRgn(NULL);
    mem.SelectObject(pOldBitmap);
}

void CFolderTreeCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    UINT flags = 0;
    if (HitTest(point, &flags)) {
        HCURSOR cursor = m_hItemCursor;
        if (flags & TVHT_ONITEMBUTTON)
            cursor = m_hButtonCursor;
        else if (flags & TVHT_ONITEMSTATEICON)
            cursor = m_hCheckCursor;
        if (cursor)
            ::SetCursor(cursor);
    }
    CTreeCtrl::OnMouseMove(nFlags, point);
}

void CFolderTreeCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    (void)nFlags;
    HTREEITEM hItem = HitTest(point);
    if (hItem == NULL)
        return;
    SelectItem(hItem);
    SetFocus();
    if (hItem != GetRootItem())
        ShowContextMenu(point);
}

void CFolderTreeCtrl::ShowContextMenu(CPoint point)
{
    // The tree's context menu and its commands come with the saving code;
    // the menu is loaded each time it is shown.
    (void)point;
}

// --- the builders ----------------------------------------------------------

int CFolderTreeCtrl::RootImage(LPCTSTR lpszText)
{
    switch (::GetDriveTypeW(lpszText)) {
    case DRIVE_FIXED:
        return 5;
    case DRIVE_CDROM:
        return 2;
    case DRIVE_REMOVABLE:
        return (lpszText[0] == L'A') ? 4 : 3;
    default:
        return 5;
    }
}

HTREEITEM CFolderTreeCtrl::InsertWithImage(LPCTSTR lpszText, HTREEITEM hParent, int nImage)
{
    return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszText, nImage, nImage, 0, 0, 0, hParent,
                      TVI_LAST);
}

HTREEITEM CFolderTreeCtrl::AddFolderItem(LPCTSTR lpszText, HTREEITEM hParent)
{
    const int image = hParent == TVI_ROOT ? RootImage(lpszText) : m_shellIcons.GetFolderIconIndex(TRUE);
    return InsertWithImage(lpszText, hParent, image);
}

HTREEITEM CFolderTreeCtrl::AddChildFolder(HTREEITEM hParent, LPCTSTR lpszText)
{
    return AddFolderItem(lpszText, hParent);
}

HTREEITEM CFolderTreeCtrl::FindOrAddChild(LPCTSTR lpszText, HTREEITEM hParent, int bByFileType)
{
    CString text = lpszText ? lpszText : L"";
    text.TrimRight(L' ');
    text.TrimLeft(L' ');
    for (HTREEITEM child = GetChildItem(hParent); child; child = GetNextSiblingItem(child))
        if (GetItemText(child) == text)
            return child;
    ++m_nBuiltItems;
    int image;
    if (hParent == TVI_ROOT) {
        const UINT type = ::GetDriveTypeW(text);
        image = (type == DRIVE_FIXED || type == DRIVE_CDROM || type == DRIVE_REMOVABLE)
                    ? RootImage(text)
                    : m_shellIcons.GetFolderIconIndex(TRUE);
    } else if (bByFileType == 1) {
        image = m_shellIcons.GetFileIconIndex(text, TRUE);
    } else {
        image = m_shellIcons.GetFolderIconIndex(TRUE);
    }
    return InsertWithImage(text, hParent, image);
}

void CFolderTreeCtrl::ProgressStep(bool bFileSystemPanel)
{
    if (g_FolderCount == 0)
        g_FolderCount = 1;
    uint64_t percent = (uint64_t)g_TreeBuildCount * 100 / g_FolderCount;
    g_ProgressPercent = (uint32_t)(percent > 99 ? 99 : percent);
    // Only a new value is worth a message to the UI thread.
    if ((int)g_ProgressPercent == m_nLastProgress)
        return;
    m_nLastProgress = (int)g_ProgressPercent;
    if (g_SnapshotLoading) {
        if (m_hSnapshotProgressWnd)
            ::SendMessage(m_hSnapshotProgressWnd, WM_USER + 1, (WPARAM)g_ProgressPercent, 0);
    } else if (bFileSystemPanel) {
        if (m_pFileSystemPanel && m_pFileSystemPanel->GetSafeHwnd())
            m_pFileSystemPanel->SetProgress((int)g_ProgressPercent);
    } else {
        ScanPanelHost().SetProgress((int)g_ProgressPercent);
    }
}

HTREEITEM CFolderTreeCtrl::AddBuiltFolder(LPCTSTR lpszText, HTREEITEM hParent, uint32_t deleted)
{
    ++m_nBuiltItems;
    ++g_TreeBuildCount;
    HTREEITEM item = AddChildFolder(hParent, lpszText);
    if (deleted == 1)
        SetItemColor(item, DeletedFolderColor);
    return item;
}

void CFolderTreeCtrl::AddFatSubfolders(HTREEITEM hParent, uint32_t parentCluster)
{
    if (ScanStopRequested() == 1)
        return;
    ProgressStep(false);
    WalkFatFolderTree(parentCluster, hParent, [&](FatFolderRecord* f, HTREEITEM parent) -> HTREEITEM {
        if (parent == NULL || ScanStopRequested() == 1)
            return NULL;
        HTREEITEM item = AddBuiltFolder(f->name, parent, f->deleted);
        SetFatFolderTreeItem(f, (uint32_t)(uintptr_t)item);
        ProgressStep(false);
        return item;
    });
}

void CFolderTreeCtrl::AddNtfsSubfolders(HTREEITEM hParent, uint32_t parentRecord)
{
    const bool toFileSystemPanel = g_ScanMode == ScanModeExtensive;
    if (ScanStopRequested() == 1)
        return;
    ProgressStep(toFileSystemPanel);
    WalkFolderTree<NtfsFolderRecord, HTREEITEM>(
        parentRecord, hParent,
        [](uint32_t key) -> const std::vector<NtfsFolderRecord*>& { return NtfsChildrenOf(key).folders; },
        [](NtfsFolderRecord* f) { return f->recordNumber; },
        [&](NtfsFolderRecord* f, HTREEITEM parent) -> HTREEITEM {
            if (parent == NULL || ScanStopRequested() == 1)
                return NULL;
            HTREEITEM item = AddBuiltFolder(f->name, parent, f->deleted);
            SetNtfsFolderTreeItem(f, (uint32_t)(uintptr_t)item);
            ProgressStep(toFileSystemPanel);
            return item;
        });
}

void CFolderTreeCtrl::AddTraceTypeFolders(HTREEITEM hParent, LPCTSTR lpszText)
{
    (void)lpszText;
    // What a description's group added to g_TreeBuildCount: a later run of
    // hits of the same description finds the same items again and counts
    // the same, without walking the whole list once more.
    std::unordered_map<std::wstring, uint32_t> grouped;
    std::wstring previous;
    for (TraceHit* hit = g_TraceHitList.head; hit; hit = hit->next) {
        if (ScanStopRequested() == 1)
            break;
        const wchar_t* description = hit->description ? hit->description : L"";
        if (_wcsicmp(description, previous.c_str()) == 0)
            continue;
        previous = description;
        HTREEITEM typeItem = FindOrAddChild(description, hParent, 0);
        std::wstring key = description;
        for (wchar_t& c : key)
            c = (wchar_t)towlower(c);
        auto seen = grouped.find(key);
        if (seen != grouped.end()) {
            ProgressStep(false);
            g_TreeBuildCount += seen->second;
            continue;
        }
        const uint32_t before = g_TreeBuildCount;
        AddTraceGroup(typeItem, description);
        grouped[key] = g_TreeBuildCount - before;
    }
}

void CFolderTreeCtrl::AddTraceGroup(HTREEITEM hTypeItem, LPCTSTR lpszDescription)
{
    ProgressStep(false);
    std::wstring previous;
    for (TraceHit* hit = g_TraceHitList.head; hit; hit = hit->next) {
        const wchar_t* description = hit->description ? hit->description : L"";
        const wchar_t* extension = hit->extension ? hit->extension : L"";
        if (_wcsicmp(description, lpszDescription) != 0 || _wcsicmp(extension, previous.c_str()) == 0)
            continue;
        ++g_TreeBuildCount;
        FindOrAddChild(extension, hTypeItem, 1);
        previous = extension;
    }
}

CString CFolderTreeCtrl::GetItemPath(HTREEITEM hItem) const
{
    CString path = GetItemText(hItem);
    for (HTREEITEM parent = GetParentItem(hItem); parent && GetParentItem(parent); parent = GetParentItem(parent)) {
        CString text = GetItemText(parent);
        if (text.IsEmpty() || text[text.GetLength() - 1] != L'\\')
            text += L"\\";
        path = text + path;
    }
    return path;
}

HTREEITEM CFolderTreeCtrl::StartTree()
{
    DeleteAllItems();
    RemoveAllItemStyles();
    m_nBuiltItems = 0;
    g_TreeBuildCount = 0;
    m_nLastProgress = -1;
    m_hRootItem = AddFolderItem(L"Root", TVI_ROOT);
    return m_hRootItem;
}

HTREEITEM CFolderTreeCtrl::FinishTree(HTREEITEM hRoot)
{
    SetCheck(hRoot, 1);
    Expand(hRoot, TVE_EXPAND);
    return hRoot;
}

HTREEITEM CFolderTreeCtrl::BuildFatTree()
{
    HTREEITEM root = StartTree();
    AddFatSubfolders(root, 0);
    return FinishTree(root);
}

HTREEITEM CFolderTreeCtrl::BuildNtfsTree()
{
    HTREEITEM root = StartTree();
    AddNtfsSubfolders(root, 5);
    return FinishTree(root);
}

HTREEITEM CFolderTreeCtrl::BuildTraceTree()
{
    HTREEITEM root = StartTree();
    AddTraceTypeFolders(root, L" ");
    return FinishTree(root);
}

// --- the list in step with the tree ----------------------------------------

void CFolderTreeCtrl::SyncListChecks(HTREEITEM hItem)
{
    if (m_pList == NULL || m_pList->GetSafeHwnd() == NULL)
        return;
    CResultListCtrl& list = *m_pList;
    const int rows = list.GetItemCount();
    auto allRowsTake = [&](HTREEITEM h) {
        const int state = h && GetCheckState(h) != TreeUnchecked ? 2 : 1;
        for (int row = 0; row < rows; ++row)
            list.SetRowState(row, state);
    };
    if (m_bPendingSync) {
        allRowsTake(hItem);
        m_bPendingSync = 0;
        return;
    }
    if (hItem && GetItemText(hItem) == L"Root") {
        allRowsTake(hItem);
    } else if (!list.m_mapCheckedFiles.IsEmpty() || !list.m_mapCheckedFolders.IsEmpty()) {
        // IDs and tree items are the unsigned decimals the fillers write.
        const int column = CResultListCtrl::IdColumn();
        for (int row = 0; row < rows; ++row) {
            const CString text = list.GetItemText(row, column);
            if (text.IsEmpty())
                continue;
            const DWORD id = ParseRowId(text);
            int value;
            if (list.m_mapCheckedFiles.Lookup(id, value) || list.m_mapCheckedFolders.Lookup(id, value))
                list.CheckRow(row);
        }
    }
    if (g_ScanMode == ScanModeFileTrace && !list.m_mapTreeChecked.IsEmpty()) {
        for (int row = 0; row < rows; ++row) {
            const CString name = list.GetItemText(row, 0).Left(100);
            POSITION pos = list.m_mapTreeChecked.GetStartPosition();
            while (pos) {
                DWORD key = 0;
                int value = 0;
                list.m_mapTreeChecked.GetNextAssoc(pos, key, value);
                if (GetItemText((HTREEITEM)(uintptr_t)key) == name) {
                    list.CheckRow(row);
                    break;
                }
            }
        }
    }
}

// --- clicks and keys -------------------------------------------------------

BOOL CFolderTreeCtrl::GetTraceGroup(HTREEITEM hItem, CString& name, int& bByDescription)
{
    const CString text = GetItemText(hItem);
    const BOOL hasChildren = GetChildItem(hItem) != NULL;
    const BOOL isRoot = hItem == GetRootItem();
    for (const SignatureSelection* s = g_SignatureList.head; s; s = s->next) {
        if (s->extension && text == s->extension && !hasChildren) {
            name = s->extension;
            bByDescription = 0;
            return TRUE;
        }
        if (s->description && text == s->description && hasChildren) {
            name = s->description;
            bByDescription = 1;
            return TRUE;
        }
        if (isRoot) {
            name = L"ROOT";
            bByDescription = 0;
            return TRUE;
        }
    }
    return FALSE;
}

void CFolderTreeCtrl::ListItemFolder(HTREEITEM hItem)
{
    if (g_ScanMode == ScanModeFileTrace) {
        CString name;
        int flag = 0;
        if (hItem == GetRootItem())
            ListTraceHits(L"Root", 0);
        else if (GetTraceGroup(hItem, name, flag))
            ListTraceHits(name, flag);
        return;
    }
    DWORD key = RootFolderKey();
    FolderOfTreeItem((DWORD)(uintptr_t)hItem, &key);
    if (CurrentResultKind() == ResultFat) {
        g_CurrentFolderItem = (DWORD)(uintptr_t)hItem;
        FillResultListFat(key);
    } else {
        FillResultListNtfs(key);
    }
}

void CFolderTreeCtrl::UncheckEmptyAncestors(HTREEITEM hItem)
{
    HTREEITEM root = GetRootItem();
    HTREEITEM h = GetParentItem(hItem);
    while (h && h != root && AreChildrenUnchecked(*this, h)) {
        UncheckItem(h);
        h = GetParentItem(h);
    }
    if (root && AreChildrenUnchecked(*this, root))
        UncheckItem(root);
}

void CFolderTreeCtrl::OnItemClick(UINT nFlags, HTREEITEM hItem)
{
    if (hItem == NULL)
        return;
    if (nFlags != TVHT_ONITEMICON && nFlags != TVHT_ONITEMLABEL && nFlags != TVHT_ONITEMRIGHT &&
        nFlags != TVHT_ONITEMSTATEICON) {
        if (nFlags & TVHT_ONITEMBUTTON) {
            if (m_pList && GetCheckState(hItem) == TreeChecked)
                m_pList->CheckFolderFiles(hItem);
            else if (m_pList && GetCheckState(hItem) == TreeUnchecked)
                m_pList->UncheckFolderFiles(hItem);
            Expand(hItem, TVE_TOGGLE);
        }
        return;
    }
    if (m_hBusyCursor)
        ::SetCursor(m_hBusyCursor);
    SelectItem(hItem);
    SetFocus();
    const bool onBox = nFlags == TVHT_ONITEMSTATEICON;
    if (onBox && m_hCheckCursor)
        ::SetCursor(m_hCheckCursor);
    HTREEITEM root = GetRootItem();
    const ResultKind kind = CurrentResultKind();
    if (kind == ResultTrace) {
        if (!onBox) {
            ListItemFolder(hItem);
            SyncListChecks(hItem);
            return;
        }
        CString name;
        int flag = 0;
        if (!GetTraceGroup(hItem, name, flag))
            name = GetItemText(hItem);
        if (GetCheckState(hItem) != TreeUnchecked && AreChildrenChecked(hItem) == 1) {
            if (m_pList)
                m_pList->UnmarkTraceType(name, flag);
            SetCheck(hItem, 0);
            SyncListChecks(hItem);
            if (hItem != root)
                UncheckEmptyAncestors(hItem);
        } else {
            if (m_pList)
                m_pList->MarkTraceType(name, flag);
            SetCheck(hItem, 1);
            SyncListChecks(hItem);
        }
        return;
    }
    DWORD key = RootFolderKey();
    FolderOfTreeItem((DWORD)(uintptr_t)hItem, &key);
    if (kind == ResultFat) {
        if (!onBox) {
            ListItemFolder(hItem);
            SyncListChecks(hItem);
            return;
        }
        if (GetCheckState(hItem) != TreeUnchecked && AreChildrenChecked(hItem) == 1) {
            if (hItem == root) {
                UncheckWithChildren(root);
                if (m_pList)
                    m_pList->UnmarkFolder(key, root);
                SyncListChecks(root);
            } else {
                SetCheck(hItem, 0);
                if (m_pList)
                    m_pList->UnmarkFolder(key, hItem);
                SyncListChecks(hItem);
                UncheckEmptyAncestors(hItem);
            }
        } else {
            SetCheck(hItem, 1);
            if (m_pList)
                m_pList->MarkFolder(key, hItem);
            SyncListChecks(hItem);
        }
        return;
    }
    // NTFS.
    if (!onBox) {
        m_bPendingSync = 1;
        FillResultListNtfs(key);
        SyncListChecks(hItem);
        return;
    }
    if (GetCheckState(hItem) != TreeUnchecked) {
        SetCheck(hItem, 0);
    } else {
        SetCheck(hItem, 1);
        if (m_pList) {
            m_pList->MarkFolder(5, hItem);
            m_pList->CheckFolderFiles(hItem);
        }
    }
    SyncListChecks(hItem);
}

void CFolderTreeCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    UINT flags = 0;
    HTREEITEM hItem = HitTest(point, &flags);
    if (hItem == NULL) {
        CTreeCtrl::OnLButtonDown(nFlags, point);
        return;
    }
    CWinApp* pApp = AfxGetApp();
    if (pApp)
        pApp->BeginWaitCursor();
    CTreeWaitDlg dialog(this, flags, hItem);
    dialog.DoModal();
    if (pApp)
        pApp->EndWaitCursor();
}

void CFolderTreeCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    UINT flags = 0;
    HTREEITEM hItem = HitTest(point, &flags);
    if (hItem == NULL || (flags != TVHT_ONITEMICON && flags != TVHT_ONITEMLABEL && flags != TVHT_ONITEMRIGHT &&
                          flags != TVHT_ONITEMSTATEICON)) {
        CTreeCtrl::OnLButtonUp(nFlags, point);
        return;
    }
    if (m_hItemCursor)
        ::SetCursor(m_hItemCursor);
    const ResultKind kind = CurrentResultKind();
    if (kind == ResultTrace || flags != TVHT_ONITEMSTATEICON || m_pList == NULL)
        return;
    if (m_hCheckCursor)
        ::SetCursor(m_hCheckCursor);
    if (kind != ResultFat)
        return;
    const int rows = m_pList->GetItemCount();
    if ((m_pList->AreAllRowsMarked() == 1 && rows > 0) ||
        (m_pList->AreNoRowsMarked() == 1 && GetCheckState(hItem) != TreeUnchecked)) {
        if (GetCheckState(hItem) != TreeUnchecked)
            CheckItem(hItem);
        else
            UncheckItem(hItem);
    } else {
        HTREEITEM parent = GetParentItem(hItem);
        if (parent && parent != GetRootItem())
            for (HTREEITEM h = parent; h; h = GetParentItem(h))
                SetTreeItemPartlyChecked(*this, h);
    }
}

void CFolderTreeCtrl::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar >= VK_PRIOR && nChar <= VK_DOWN) {
        HTREEITEM hItem = GetSelectedItem();
        if (hItem) {
            SelectItem(hItem);
            SetFocus();
            ListItemFolder(hItem);
            SyncListChecks(hItem);
        }
    }
    CTreeCtrl::OnKeyUp(nChar, nRepCnt, nFlags);
}

void CFolderTreeCtrl::OnKeyDownNotify(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMTVKEYDOWN* key = reinterpret_cast<const NMTVKEYDOWN*>(pNMHDR);
    HTREEITEM hItem = GetSelectedItem();
    CPoint centre(0, 0);
    if (hItem) {
        SelectItem(hItem);
        CRect text;
        if (GetItemRect(hItem, &text, TRUE))
            centre = text.CenterPoint();
    }
    SetFocus();
    switch (key->wVKey) {
    case VK_TAB:
        if (m_pList && m_pList->GetSafeHwnd())
            m_pList->SetFocus();
        break;
    case VK_UP:
    case VK_DOWN:
        Invalidate(TRUE);
        break;
    case VK_APPS:
        if (hItem)
            ShowContextMenu(centre);
        break;
    default:
        break;
    }
}

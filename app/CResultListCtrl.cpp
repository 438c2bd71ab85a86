#include "CResultListCtrl.h"

#include <vector>

#include "CFolderTreeCtrl.h"
#include "ResultRecords.h"
#include "resource.h"
#include "state/EngineState.h"
#include "trace/TraceHit.h"

int g_bListFirstPaint = 1;
DWORD g_CurrentFolderItem = 0;

namespace {

// Enters or removes a key; an emptied map lets its hash table go.
void Enter(CMarkMap& map, DWORD key) { map[key] = 1; }
void Remove(CMarkMap& map, DWORD key)
{
    map.RemoveKey(key);
    if (map.IsEmpty())
        map.RemoveAll();
}

bool IsParentName(const CString& name) { return name.CompareNoCase(L"Parent...") == 0; }

}  // namespace

DWORD ParseRowId(LPCTSTR text)
{
    if (text == NULL)
        return 0;
    return (DWORD)wcstoul(text, NULL, 10);
}

BEGIN_MESSAGE_MAP(CResultListCtrl, CVZListCtrl)
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_COMMAND(ID_RECOVER_SELECTED, OnNothing)
    ON_NOTIFY_REFLECT(NM_CLICK, OnClick)
    ON_NOTIFY_REFLECT_EX(LVN_ITEMCHANGING, OnItemChanging)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
END_MESSAGE_MAP()

CResultListCtrl::CResultListCtrl()
{
    // Only the recovery step's list is the application's result list: the
    // view registers it, so a list of a dialog never leaves a stale pointer.
    m_imlIcons.Create(16, 16, ILC_COLOR16 | ILC_MASK, 0, 7);
    const UINT icons[] = {IDI_COLUMN_NAME,     IDI_COLUMN_TYPE, IDI_COLUMN_SIZE, IDI_COLUMN_CREATED,
                          IDI_COLUMN_MODIFIED, IDI_COLUMN_ID,   IDI_COLUMN_SPARE};
    for (UINT id : icons) {
        HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(id), RT_GROUP_ICON);
        HICON hIcon = (HICON)::LoadImage(hInst, MAKEINTRESOURCE(id), IMAGE_ICON, 48, 48, 0);
        m_imlIcons.Add(hIcon);
        if (hIcon)
            ::DestroyIcon(hIcon);
    }
    LOGFONT lf = {};
    lf.lfHeight = 15;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    wcscpy(lf.lfFaceName, L"Arial");
    m_fontRows.CreateFontIndirect(&lf);
    m_hMarkCursor = ::LoadCursor(AfxFindResourceHandle(MAKEINTRESOURCE(IDC_CURSOR_CHECK_MARK), RT_GROUP_CURSOR),
                                 MAKEINTRESOURCE(IDC_CURSOR_CHECK_MARK));
}

CResultListCtrl::~CResultListCtrl()
{
    delete m_pStateImages;
    if (m_hMarkCursor)
        ::DestroyCursor(m_hMarkCursor);
    m_fontRows.DeleteObject();
    m_imlIcons.DeleteImageList();
}

BOOL CResultListCtrl::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return CVZListCtrl::PreCreateWindow(cs);
}

void CResultListCtrl::SetStateImages()
{
    if (m_pStateImages == NULL) {
        m_pStateImages = new CImageList;
        if (!m_pStateImages->Create(IDB_LIST_STATES, 16, 1, RGB(255, 255, 255))) {
            delete m_pStateImages;
            m_pStateImages = NULL;
            return;
        }
    }
    SetImageList(m_pStateImages, LVSIL_STATE);
}

void CResultListCtrl::SetHeaderImages()
{
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (pHeader == NULL || pHeader->GetSafeHwnd() == NULL)
        return;
    pHeader->SetImageList(&m_imlIcons);
    const int count = pHeader->GetItemCount();
    for (int i = 0; i < 7 && i < count; ++i) {
        HDITEM item = {};
        item.mask = HDI_FORMAT | HDI_IMAGE;
        pHeader->GetItem(i, &item);
        item.fmt |= HDF_IMAGE;
        item.iImage = i;
        pHeader->SetItem(i, &item);
    }
}

// --- rows ------------------------------------------------------------------

int CResultListCtrl::IdColumn() { return g_ScanMode == ScanModeFileTrace ? 2 : 5; }

ResultRowKind CResultListCtrl::GetRowKind(int nRow) const
{
    if (IsParentName(GetItemText(nRow, 0)))
        return RowParent;
    if (g_ScanMode == ScanModeFileTrace)
        return GetItemText(nRow, 2) == L"-" ? RowTraceType : RowTraceHit;
    CString type = GetItemText(nRow, 1);
    type.MakeUpper();
    return (type == L"FOLDER" || type == L"DELETED FOLDER") ? RowFolder : RowFile;
}

DWORD CResultListCtrl::GetRowId(int nRow) const { return ParseRowId(GetItemText(nRow, IdColumn())); }

int CResultListCtrl::GetRowMark(int nRow) const
{
    return (int)(GetItemState(nRow, LVIS_STATEIMAGEMASK) >> 12) - 1;
}

void CResultListCtrl::SetRowState(int nRow, int nImage)
{
    ++m_nOwnStateChange;
    SetItemState(nRow, INDEXTOSTATEIMAGEMASK(nImage), LVIS_STATEIMAGEMASK);
    --m_nOwnStateChange;
}

void CResultListCtrl::MarkAllRows()
{
    for (int row = 0, n = GetItemCount(); row < n; ++row)
        if (!IsParentName(GetItemText(row, 0)))
            SetRowState(row, 2);
}

void CResultListCtrl::UnmarkAllRows()
{
    for (int row = 0, n = GetItemCount(); row < n; ++row)
        if (!IsParentName(GetItemText(row, 0)))
            SetRowState(row, 1);
}

int CResultListCtrl::AreAllRowsMarked() const
{
    for (int row = 0, n = GetItemCount(); row < n; ++row)
        if (!IsParentName(GetItemText(row, 0)) && GetRowMark(row) == 0)
            return 0;
    return 1;
}

int CResultListCtrl::AreNoRowsMarked() const
{
    for (int row = 0, n = GetItemCount(); row < n; ++row)
        if (!IsParentName(GetItemText(row, 0)) && GetRowMark(row) != 0)
            return 0;
    return 1;
}

// --- the maps --------------------------------------------------------------

void CResultListCtrl::MarkFileRow(DWORD parentKey, DWORD id, int nRow)
{
    if (CurrentResultKind() == ResultTrace || GetRowId(nRow) != id)
        return;
    bool found = false;
    ForEachFileOfKey(parentKey, FALSE, [&](DWORD fileId) { found = found || fileId == id; });
    if (!found)
        return;
    if (GetRowMark(nRow) == 1) {
        Enter(m_mapCheckedFiles, id);
        Enter(m_mapSaveFiles, id);
    } else {
        Remove(m_mapCheckedFiles, id);
        Remove(m_mapSaveFiles, id);
    }
}

void CResultListCtrl::AddCheckedFolderTree(HTREEITEM hItem)
{
    if (hItem == NULL)
        return;
    Enter(m_mapCheckedFolders, (DWORD)(uintptr_t)hItem);
    if (m_pTree == NULL || m_pTree->GetSafeHwnd() == NULL)
        return;
    for (HTREEITEM h = m_pTree->GetChildItem(hItem); h; h = m_pTree->GetNextSiblingItem(h))
        AddCheckedFolderTree(h);
}

void CResultListCtrl::RemoveCheckedFolderTree(HTREEITEM hItem)
{
    if (hItem == NULL)
        return;
    Remove(m_mapCheckedFolders, (DWORD)(uintptr_t)hItem);
    if (m_pTree == NULL || m_pTree->GetSafeHwnd() == NULL)
        return;
    for (HTREEITEM h = m_pTree->GetChildItem(hItem); h; h = m_pTree->GetNextSiblingItem(h))
        RemoveCheckedFolderTree(h);
}

void CResultListCtrl::CheckFolderFiles(HTREEITEM hItem)
{
    ForEachFolderFile(hItem, [this](uint32_t id) {
        Enter(m_mapCheckedFiles, id);
        return true;
    });
}

void CResultListCtrl::UncheckFolderFiles(HTREEITEM hItem)
{
    ForEachFolderFile(hItem, [this](uint32_t id) {
        Remove(m_mapCheckedFiles, id);
        Remove(m_mapSaveFiles, id);
        return true;
    });
}

void CResultListCtrl::MarkFolder(DWORD key, HTREEITEM hItem)
{
    const ResultKind kind = CurrentResultKind();
    if (kind == ResultTrace || kind == ResultNtfs)
        return;
    const bool isRoot = m_pTree && m_pTree->GetSafeHwnd() && hItem == m_pTree->GetRootItem();
    const bool rootSave = isRoot && m_pTree->GetItemText(hItem) == L"Root";
    const DWORD rootKey = RootFolderKey();
    if (kind == ResultFat && !isRoot) {
        if (key == 0) {
            ForEachFolderItem([this](DWORD item) { AddCheckedFolderTree((HTREEITEM)(uintptr_t)item); });
        } else {
            DWORD item = 0;
            if (FolderOfKey(key, &item))
                AddCheckedFolderTree((HTREEITEM)(uintptr_t)item);
        }
    }
    // The root's files: with key 0 (FAT) or 5 (NTFS) every file is marked
    // as shown; only those lying in the root itself are saved one by one.
    const BOOL all = key == rootKey;
    ForEachFileOfKey(key, all, [&](DWORD id) {
        Enter(m_mapCheckedFiles, id);
        if (rootSave) {
            DWORD parent = 0;
            if (ParentOfFileId(id, &parent) && parent == rootKey)
                Enter(m_mapSaveFiles, id);
        }
    });
}

void CResultListCtrl::UnmarkFolder(DWORD key, HTREEITEM hItem)
{
    const ResultKind kind = CurrentResultKind();
    if (kind == ResultTrace)
        return;
    const bool isRoot = m_pTree && m_pTree->GetSafeHwnd() && hItem == m_pTree->GetRootItem();
    const DWORD rootKey = RootFolderKey();
    if (!isRoot) {
        if (key == rootKey) {
            ForEachFolderItem([this](DWORD item) { RemoveCheckedFolderTree((HTREEITEM)(uintptr_t)item); });
        } else {
            DWORD item = 0;
            if (FolderOfKey(key, &item))
                RemoveCheckedFolderTree((HTREEITEM)(uintptr_t)item);
        }
    }
    ForEachFileOfKey(key, key == rootKey, [this](DWORD id) {
        Remove(m_mapCheckedFiles, id);
        Remove(m_mapSaveFiles, id);
    });
}

void CResultListCtrl::DropFolderFileMarks(HTREEITEM hItem)
{
    ForEachFolderFile(hItem, [this](uint32_t id) {
        m_mapSaveFiles.RemoveKey(id);
        return true;
    });
    if (m_mapSaveFiles.IsEmpty())
        m_mapSaveFiles.RemoveAll();
}

void CResultListCtrl::MarkTraceType(LPCTSTR lpszName, int bByDescription)
{
    const bool all = _wcsicmp(lpszName, L"ROOT") == 0;
    for (const TraceHit* hit = g_TraceHitList.head; hit; hit = hit->next) {
        const wchar_t* field = bByDescription ? hit->description : hit->extension;
        if (all || (field && _wcsicmp(field, lpszName) == 0)) {
            Enter(m_mapSaveFiles, hit->hitNumber);
            Enter(m_mapCheckedFiles, hit->hitNumber);
        }
    }
}

void CResultListCtrl::UnmarkTraceType(LPCTSTR lpszName, int bByDescription)
{
    const bool all = _wcsicmp(lpszName, L"ROOT") == 0;
    for (const TraceHit* hit = g_TraceHitList.head; hit; hit = hit->next) {
        const wchar_t* field = bByDescription ? hit->description : hit->extension;
        if (all || (field && _wcsicmp(field, lpszName) == 0)) {
            Remove(m_mapSaveFiles, hit->hitNumber);
            Remove(m_mapCheckedFiles, hit->hitNumber);
        }
    }
}

void CResultListCtrl::SyncFolderMark(DWORD key)
{
    if (CurrentResultKind() == ResultTrace || m_pTree == NULL || m_pTree->GetSafeHwnd() == NULL)
        return;
    CFolderTreeCtrl& tree = *m_pTree;
    HTREEITEM root = tree.GetRootItem();
    DWORD item = 0;
    if (!FolderOfKey(key, &item)) {
        bool any = false;
        ForEachFileOfKey(key, FALSE, [&](DWORD) { any = true; });
        if (!any || root == NULL)
            return;
        if (AreAllRowsMarked())
            tree.SetCheck(root, 1);
        else if (AreNoRowsMarked())
            tree.SetCheck(root, 0);
        else
            SetTreeItemPartlyChecked(tree, root);
        return;
    }
    HTREEITEM hItem = (HTREEITEM)(uintptr_t)item;
    if (hItem == NULL)
        return;
    if (AreAllRowsMarked()) {
        if (hItem != root)
            tree.SetCheck(hItem, 1);
    } else if (AreNoRowsMarked()) {
        tree.SetCheck(hItem, 0);
    } else if (hItem != root) {
        for (HTREEITEM h = hItem; h; h = tree.GetParentItem(h))
            SetTreeItemPartlyChecked(tree, h);
    }
}

void CResultListCtrl::SyncTraceTypeMarks(DWORD id, LPCTSTR lpszDescription, LPCTSTR lpszExtension, int bTypeRow)
{
    (void)id;
    if (m_pTree == NULL || m_pTree->GetSafeHwnd() == NULL)
        return;
    CFolderTreeCtrl& tree = *m_pTree;
    HTREEITEM root = tree.GetRootItem();
    if (root == NULL)
        return;
    for (HTREEITEM child = tree.GetChildItem(root); child; child = tree.GetNextSiblingItem(child)) {
        if (tree.GetItemText(child) == lpszDescription) {
            if (!bTypeRow) {
                if (AreAllRowsMarked()) {
                    SetTreeItemPartlyChecked(tree, root);
                    tree.CheckItem(child);
                } else if (AreNoRowsMarked()) {
                    tree.UncheckItem(child);
                } else {
                    SetTreeItemPartlyChecked(tree, root);
                    SetTreeItemPartlyChecked(tree, child);
                }
            } else if (tree.GetCheckState(child) == TreeUnchecked) {
                tree.SetCheck(child, 1);
                MarkTraceType(lpszDescription, 1);
            } else if (tree.GetCheckState(child) == TreeChecked) {
                tree.SetCheck(child, 0);
                UnmarkTraceType(lpszDescription, 1);
            }
        }
        SyncTraceSubtypeMarks(child, lpszExtension);
    }
}

void CResultListCtrl::SyncTraceSubtypeMarks(HTREEITEM hTypeItem, LPCTSTR lpszExtension)
{
    if (m_pTree == NULL || lpszExtension == NULL)
        return;
    CFolderTreeCtrl& tree = *m_pTree;
    for (HTREEITEM h = tree.GetChildItem(hTypeItem); h; h = tree.GetNextSiblingItem(h)) {
        if (tree.GetItemText(h) != lpszExtension)
            continue;
        if (AreAllRowsMarked())
            tree.CheckItem(h);
        else if (AreNoRowsMarked())
            tree.UncheckItem(h);
        else
            SetTreeItemPartlyChecked(tree, h);
    }
}

void CResultListCtrl::ClearMarks()
{
    for (CMarkMap* map : {&m_mapCheckedFiles, &m_mapCheckedFolders, &m_mapSaveFolders, &m_mapSaveFiles,
                          &m_mapTreeChecked})
        map->RemoveAll();
}

// --- the check-box click ---------------------------------------------------

void CResultListCtrl::ToggleRowMark(int nRow)
{
    if (nRow < 0 || nRow >= GetItemCount())
        return;
    const bool wasMarked = GetRowMark(nRow) == 1;
    const int newState = wasMarked ? 1 : 2;
    switch (GetRowKind(nRow)) {
    case RowParent:
        return;
    case RowFolder: {
        const DWORD item = GetRowId(nRow);
        DWORD key = 0, parentKey = 0;
        if (!FolderOfTreeItem(item, &key, &parentKey))
            return;
        SetRowState(nRow, newState);
        HTREEITEM hItem = (HTREEITEM)(uintptr_t)item;
        if (hItem && m_pTree && m_pTree->GetSafeHwnd())
            m_pTree->ToggleCheck(hItem);
        if (wasMarked)
            UnmarkFolder(key, hItem);
        else
            MarkFolder(key, hItem);
        SyncFolderMark(parentKey);
        return;
    }
    case RowFile: {
        const DWORD id = GetRowId(nRow);
        DWORD parentKey = 0;
        if (!ParentOfFileId(id, &parentKey))
            return;
        SetRowState(nRow, newState);
        MarkFileRow(parentKey, id, nRow);
        SyncFolderMark(parentKey);
        return;
    }
    case RowTraceType: {
        SetRowState(nRow, newState);
        SyncTraceTypeMarks(0, GetItemText(nRow, 0), NULL, 1);
        return;
    }
    case RowTraceHit: {
        const DWORD id = GetRowId(nRow);
        const TraceHit* hit = g_TraceHitList.head;
        while (hit && hit->hitNumber != id)
            hit = hit->next;
        if (hit == NULL)
            return;
        SetRowState(nRow, newState);
        if (wasMarked) {
            Remove(m_mapSaveFiles, id);
            Remove(m_mapCheckedFiles, id);
        } else {
            Enter(m_mapSaveFiles, id);
            Enter(m_mapCheckedFiles, id);
        }
        SyncTraceTypeMarks(id, hit->description, hit->extension, 0);
        return;
    }
    }
}

void CResultListCtrl::OnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMITEMACTIVATE* activate = reinterpret_cast<const NMITEMACTIVATE*>(pNMHDR);
    if (GetItemCount() == 0)
        return;
    LVHITTESTINFO hit = {};
    hit.pt = activate->ptAction;
    const int row = (int)SendMessage(LVM_SUBITEMHITTEST, 0, (LPARAM)&hit);
    if (row < 0 || hit.flags != LVHT_ONITEMSTATEICON)
        return;
    if (m_hMarkCursor)
        ::SetCursor(m_hMarkCursor);
    ToggleRowMark(row);
}

BOOL CResultListCtrl::OnItemChanging(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    *pResult = FALSE;
    // The control flips a check box on its own when the button goes down;
    // only this class decides a row's mark, so every state-image change it
    // did not make is refused.
    if (m_nOwnStateChange == 0 && (change->uChanged & LVIF_STATE) && change->iItem >= 0 &&
        ((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK) != 0) {
        *pResult = TRUE;
        return TRUE;
    }
    return FALSE;
}

void CResultListCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLVCUSTOMDRAW* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        *pResult = CDRF_NOTIFYITEMDRAW;
        break;
    case CDDS_ITEMPREPAINT: {
        // The parent row shows no box: its state image is one the two-image
        // list does not draw.
        const int row = (int)draw->nmcd.dwItemSpec;
        if (IsParentName(GetItemText(row, 0)) && GetRowMark(row) != 2)
            SetRowState(row, 3);
        break;
    }
    default:
        break;
    }
}

void CResultListCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    // The marks and the tree were brought in step when the click was
    // handled; a button-up on a check box or beside every row goes no
    // further.
    LVHITTESTINFO hit = {};
    hit.pt = point;
    const int row = (int)SendMessage(LVM_SUBITEMHITTEST, 0, (LPARAM)&hit);
    if (row < 0 || hit.flags == LVHT_ONITEMSTATEICON) {
        if (row >= 0 && m_hMarkCursor)
            ::SetCursor(m_hMarkCursor);
        return;
    }
    CVZListCtrl::OnLButtonUp(nFlags, point);
}

void CResultListCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    LVHITTESTINFO hit = {};
    hit.pt = point;
    const int row = (int)SendMessage(LVM_SUBITEMHITTEST, 0, (LPARAM)&hit);
    if (row < 0 || IsParentName(GetItemText(row, 0)))
        return;
    if (hit.flags == LVHT_ONITEMSTATEICON && m_hMarkCursor)
        ::SetCursor(m_hMarkCursor);
    CVZListCtrl::OnMouseMove(nFlags, point);
}

void CResultListCtrl::OnNothing() {}

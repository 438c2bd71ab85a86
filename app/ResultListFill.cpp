#include "ResultListFill.h"

#include <stdio.h>

#include <string>

#include "CFolderTreeCtrl.h"
#include "CProgressDlg.h"
#include "CRecoveryWizardApp.h"
#include "CResultListCtrl.h"
#include "CShellIcons.h"
#include "extensive/NtfsExtraction.h"
#include "fat/FatLists.h"
#include "ntfs/NtfsLists.h"
#include "save/MatchNameMask.h"
#include "state/EngineState.h"
#include "trace/TraceHit.h"
#include "trace/TraceResults.h"

wchar_t g_FileFilters[FileFilterSlots][FileFilterChars];
int g_nFileFilterCount = 0;
int g_ShowListProgress = 0;

namespace {

CResultListCtrl* s_pFillTarget = NULL;

CShellIcons& ShellIcons()
{
    static CShellIcons icons;
    return icons;
}

// The optional progress dialog of one fill, over the list's parent.
class CFillProgress
{
public:
    explicit CFillProgress(CResultListCtrl& list)
    {
        if (g_ShowListProgress != 1)
            return;
        m_pDlg = new CProgressDlg;
        if (!m_pDlg->Create(list.GetParent())) {
            delete m_pDlg;
            m_pDlg = NULL;
            return;
        }
        m_pDlg->SetRange(0, 100);
        g_ProgressPercent = 0;
        Show(0);
    }
    ~CFillProgress()
    {
        if (m_pDlg) {
            Show(100);
            m_pDlg->DestroyWindow();
            delete m_pDlg;
        }
    }
    bool Active() const { return m_pDlg != NULL; }
    // One record looked at (100 per record over the denominator).
    void Step(uint32_t denominator)
    {
        if (!m_pDlg)
            return;
        m_counter += 100;
        Show((int)(m_counter / (denominator ? denominator : 1)));
    }
    void Advance()
    {
        if (m_pDlg)
            Show((int)g_ProgressPercent + 1);
    }

private:
    void Show(int position)
    {
        g_ProgressPercent = (uint32_t)position;
        m_pDlg->SendMessage(WM_PROGRESSDLG_SETPOS, (WPARAM)position, 0);
    }
    CProgressDlg* m_pDlg = NULL;
    uint64_t m_counter = 0;
};

// Appends a row with its texts (column 0 first) and checks it once.
int AppendRow(CResultListCtrl& list, const wchar_t* name, int image, const CString* texts, int nTexts, bool check)
{
    const int row = list.InsertItem(list.GetItemCount(), name ? name : L"", image);
    if (row < 0)
        return row;
    for (int i = 0; i < nTexts; ++i)
        list.SetItemText(row, i + 1, texts[i]);
    if (check)
        list.CheckRow(row);
    return row;
}

CString Decimal(uint64_t value)
{
    wchar_t text[32];
    swprintf(text, 32, L"%llu", (unsigned long long)value);
    return text;
}

CString FatDate(uint16_t date)
{
    wchar_t text[32];
    FormatFatDate(date, text);
    return text;
}

CString FileTimeText(const FILETIME& ft)
{
    wchar_t text[64];
    FormatFileTime(ft.dwLowDateTime, ft.dwHighDateTime, text);
    return text;
}

CString FileTypeText(const wchar_t* name, uint32_t deleted)
{
    CString type = ShellIcons().GetFileTypeName(name ? name : L"");
    return deleted == 1 ? L"Deleted " + type : type;
}

// Steps 1 to 3 of every filler: the list emptied and, below the root, the
// parent row.
void BeginFill(CResultListCtrl& list, bool belowRoot)
{
    list.DeleteAllItems();
    if (belowRoot) {
        const CString empty[5];
        AppendRow(list, L"Parent...", ShellIcons().GetFolderIconIndex(TRUE), empty, 5, false);
    }
}

void EndFill(CResultListCtrl& list)
{
    if (list.m_pTree && list.m_pTree->GetSafeHwnd())
        list.m_pTree->SetFocus();
}

template <class Folder>
void AppendFolderRow(CResultListCtrl& list, const Folder* f, const CString& first, const CString& second)
{
    const CString texts[5] = {f->deleted == 1 ? L"Deleted Folder" : L"Folder", L"0", first, second,
                              Decimal(f->treeItem)};
    AppendRow(list, f->name, ShellIcons().GetFolderIconIndex(TRUE), texts, 5, true);
}

void AppendFileRow(CResultListCtrl& list, const wchar_t* name, uint32_t deleted, uint64_t size,
                   const CString& first, const CString& second, uint32_t id)
{
    const CString texts[5] = {FileTypeText(name, deleted), Decimal(size), first, second, Decimal(id)};
    AppendRow(list, name, ShellIcons().GetFileIconIndex(name ? name : L"", TRUE), texts, 5, true);
}

void FillNtfs(CResultListCtrl& list, uint32_t key, bool extensive)
{
    BeginFill(list, key != 5);
    CFillProgress progress(list);
    if (key != 5)
        progress.Advance();
    const uint32_t files = extensive ? g_NtfsScanFileList.count : g_FileCount;
    const uint32_t denominator = g_FolderCount + files;
    for (const NtfsFolderRecord* f : NtfsChildrenOf(key).folders) {
        AppendFolderRow(list, f, FileTimeText(f->created), FileTimeText(f->changed));
        progress.Step(denominator);
    }
    if (extensive) {
        for (const NtfsScanFileRecord* f = g_NtfsScanFileList.head; f; f = f->next) {
            if (f->parent != key || !IsInChosenNtfsVolume(f))
                continue;
            if (!PassesFileFilters(f->name))
                continue;
            AppendFileRow(list, f->name, f->deleted, f->size, FileTimeText(f->created), FileTimeText(f->changed),
                          f->recordSector);
            progress.Step(denominator);
        }
    } else {
        for (const NtfsFileRecord* f : NtfsChildrenOf(key).files) {
            if (!PassesFileFilters(f->name))
                continue;
            // The whole 64-bit size: a file above 4 GiB keeps its size.
            AppendFileRow(list, f->name, f->deleted, f->size, FileTimeText(f->created), FileTimeText(f->changed),
                          f->dataRecordSector);
            progress.Step(denominator);
        }
    }
    // The parent row is checked with the rows below it.
    if (key != 5 && list.GetItemCount() > 1)
        list.CheckRow(0);
    EndFill(list);
}

}  // namespace

int PassesFileFilters(const wchar_t* name)
{
    if (g_nFileFilterCount <= 0)
        return 1;
    std::wstring upper = name ? name : L"";
    for (wchar_t& c : upper)
        c = (wchar_t)towupper(c);
    const int count = g_nFileFilterCount < FileFilterSlots ? g_nFileFilterCount : FileFilterSlots;
    for (int i = 0; i < count; ++i) {
        wchar_t mask[FileFilterChars];
        wcsncpy(mask, g_FileFilters[i], FileFilterChars);
        mask[FileFilterChars - 1] = 0;
        _wcsupr(mask);
        if (MatchNameMask(upper.c_str(), mask) == 1)
            return 1;
    }
    return 0;
}

void FormatFatDate(uint16_t date, wchar_t* out)
{
    swprintf(out, 16, L"%02u-%02u-%04u ", (unsigned)(date & 0x1F), (unsigned)((date >> 5) & 0x0F),
             (unsigned)((date >> 9) + 1980));
}

void FormatFileTime(DWORD low, DWORD high, wchar_t* out)
{
    FILETIME ft = {low, high};
    SYSTEMTIME st = {};
    if (!::FileTimeToSystemTime(&ft, &st)) {
        out[0] = 0;
        return;
    }
    swprintf(out, 32, L"%u-%u-%u %u:%u:%u", st.wDay, st.wMonth, st.wYear, st.wHour, st.wMinute, st.wSecond);
}

CResultListCtrl* FillTargetList()
{
    if (s_pFillTarget)
        return s_pFillTarget;
    CRecoveryWizardApp* pApp = GetWizardApp();
    CResultListCtrl* pList = pApp ? pApp->m_pResultList : NULL;
    return pList && pList->GetSafeHwnd() ? pList : NULL;
}

void SetFillTargetList(CResultListCtrl* pList) { s_pFillTarget = pList; }

void FillResultListFat(uint32_t cluster)
{
    CResultListCtrl* pList = FillTargetList();
    if (!pList)
        return;
    CResultListCtrl& list = *pList;
    BeginFill(list, cluster != 0);
    CFillProgress progress(list);
    const uint32_t denominator = g_FolderCount + g_FileCount;
    const FatChildren& children = FatChildrenOf(cluster);
    for (const FatFolderRecord* f : children.folders) {
        AppendFolderRow(list, f, FatDate(f->modifiedDate), FatDate(f->accessDate));
        progress.Step(denominator);
    }
    for (const FatFileRecord* f : children.files) {
        if (!PassesFileFilters(f->name))
            continue;
        AppendFileRow(list, f->name, f->deleted, f->size, FatDate(f->modifiedDate), FatDate(f->accessDate),
                      f->fileNumber);
        progress.Step(denominator);
    }
    if (cluster != 0)
        list.SetRowStateMarked(0);
    EndFill(list);
}

void FillResultListNtfs(uint32_t recordNumber)
{
    if (g_ScanMode == ScanModeExtensive && VolumeParams.fileSystemType == FileSystemNtfs) {
        FillResultListNtfsExtensive(recordNumber);
        return;
    }
    if (CResultListCtrl* pList = FillTargetList())
        FillNtfs(*pList, recordNumber, false);
}

void FillResultListNtfsExtensive(uint32_t recordNumber)
{
    if (CResultListCtrl* pList = FillTargetList())
        FillNtfs(*pList, recordNumber, true);
}

void FillResultListRoot()
{
    if (g_ScanMode == ScanModeFileTrace) {
        ListTraceHits(L"Root", 0);
        return;
    }
    switch (VolumeParams.fileSystemType) {
    case FileSystemFat16:
    case FileSystemFat32:
        FillResultListFat(0);
        break;
    case FileSystemNtfs:
        FillResultListNtfs(5);
        break;
    default:
        break;
    }
}

void ListTraceTypes() { ListTraceHits(L"Root", 0); }

void ListTraceHits(const wchar_t* text, int bByDescription)
{
    CResultListCtrl* pList = FillTargetList();
    if (!pList)
        return;
    CResultListCtrl& list = *pList;
    list.DeleteAllItems();
    CFillProgress progress(list);
    const std::wstring wanted = text ? text : L"";
    if (!bByDescription && _wcsicmp(wanted.c_str(), L"Root") == 0) {
        const CString dash[2] = {L"-", L"-"};
        for (const std::wstring& row : TraceTypeRows()) {
            AppendRow(list, row.c_str(), ShellIcons().GetFolderIconIndex(TRUE), dash, 2, true);
            progress.Step(g_FolderCount);
        }
    } else {
        for (const TraceHit* hit = g_TraceHitList.head; hit; hit = hit->next) {
            if (!PassesFileFilters(hit->name))
                continue;
            if (TraceHitBelongs(*hit, wanted, bByDescription != 0)) {
                const CString texts[2] = {ShellIcons().GetFileTypeName(hit->name ? hit->name : L""),
                                          Decimal(hit->hitNumber)};
                AppendRow(list, hit->name, ShellIcons().GetFileIconIndex(hit->name ? hit->name : L"", TRUE), texts,
                          2, true);
            }
            progress.Step(g_FolderCount);
        }
    }
    EndFill(list);
}

// A window holding the recovery step's result tree and result list side by
// side, wired as the recovery step wires them, with the list as the
// fillers' target; the engine's lists are freed when it goes.
#pragma once

#include <afxcmn.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CFolderTreeCtrl.h"
#include "CResultListCtrl.h"
#include "ResultListFill.h"
#include "extensive/ExtensiveLists.h"
#include "fat/FatLists.h"
#include "ntfs/NtfsLists.h"
#include "state/EngineState.h"
#include "trace/TraceHit.h"

// FAT: Root holds DOCS (cluster 3) and R1 (file 1); DOCS holds SUB
// (cluster 4), D1 and D2 (files 2, 3); SUB holds S1 (file 4); OTHER
// (cluster 7) is empty.
inline void MakeFatLists()
{
    FreeEntryLists();
    VolumeParams.fileSystemType = FileSystemFat32;
    g_ScanMode = ScanModeQuick;
    AddFatFolder(L"DOCS", 3, 0, 0x3C2F, 0x3C2F, 0, 0);
    AddFatFolder(L"SUB", 4, 3, 0x3C2F, 0x3C2F, 0, 0);
    AddFatFolder(L"OTHER", 7, 0, 0x3C2F, 0x3C2F, 0, 0);
    const struct
    {
        const wchar_t* name;
        uint32_t parent;
    } files[] = {{L"R1.TXT", 0}, {L"D1.TXT", 3}, {L"D2.TXT", 3}, {L"S1.TXT", 4}};
    for (const auto& f : files) {
        ++g_FileCount;
        AddFatFile(f.name, 10, f.parent, 0x3C2F, 0x3C2F, 100, 0);
    }
}

class CResultsWindow
{
public:
    CResultsWindow()
    {
        m_frame.CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1)),
                         L"results", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 30, 30, 900, 520, NULL, NULL);
        m_tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                          TVS_SHOWSELALWAYS,
                      CRect(0, 0, 250, 480), &m_frame, 162);
        m_tree.SetupImages(NULL);
        m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_EDITLABELS, CRect(260, 0, 880, 480),
                      &m_frame, 165);
        const DWORD extended = LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT;
        m_list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
        m_list.SetStateImages();
        m_tree.m_pList = &m_list;
        m_list.m_pTree = &m_tree;
        SetFillTargetList(&m_list);
        // A scan that ended left the stop flag set; the builders obey it.
        g_ScanStop = 0;
    }
    ~CResultsWindow()
    {
        SetFillTargetList(NULL);
        FreeEntryLists();
        FreeNtfsEntryLists();
        FreeExtensiveScanLists();
        FreeTraceHitList();
        g_nFileFilterCount = 0;
        g_ScanMode = ScanModeQuick;
        m_frame.DestroyWindow();
    }

    // The columns of a mode, as the start page makes them.
    void SetColumns(int mode)
    {
        while (m_list.DeleteColumn(0))
            ;
        const wchar_t* scan[] = {L"File Name", L"Type", L"Size", L"Creation Time", L"Modification Time", L"ID"};
        const wchar_t* trace[] = {L"File Name", L"Type", L"ID"};
        const int n = mode == ScanModeFileTrace ? 3 : 6;
        for (int i = 0; i < n; ++i)
            m_list.InsertColumn(i, mode == ScanModeFileTrace ? trace[i] : scan[i], LVCFMT_LEFT, i == 0 ? 200 : 100);
    }

    // Row texts: column 0 to the last column, joined by "|".
    std::wstring Row(int row) const
    {
        std::wstring text;
        const int columns = const_cast<CResultListCtrl&>(m_list).GetHeaderCtrl()->GetItemCount();
        for (int c = 0; c < columns; ++c)
            text += (c ? L"|" : L"") + std::wstring((LPCTSTR)m_list.GetItemText(row, c));
        return text;
    }
    std::vector<std::wstring> Names() const
    {
        std::vector<std::wstring> names;
        for (int r = 0; r < m_list.GetItemCount(); ++r)
            names.push_back((LPCTSTR)m_list.GetItemText(r, 0));
        return names;
    }
    int FindRow(const wchar_t* name) const
    {
        for (int r = 0; r < m_list.GetItemCount(); ++r)
            if (m_list.GetItemText(r, 0) == name)
                return r;
        return -1;
    }

    CWnd m_frame;
    CFolderTreeCtrl m_tree;
    CResultListCtrl m_list;
};

inline HTREEITEM FindChildByText(CTreeCtrl& tree, HTREEITEM parent, const wchar_t* text)
{
    for (HTREEITEM c = tree.GetChildItem(parent); c; c = tree.GetNextSiblingItem(c))
        if (tree.GetItemText(c) == text)
            return c;
    return NULL;
}

// The keys of a map, sorted.
inline std::vector<DWORD> Keys(const CMarkMap& map)
{
    std::vector<DWORD> keys;
    POSITION pos = map.GetStartPosition();
    while (pos) {
        DWORD key = 0;
        int value = 0;
        map.GetNextAssoc(pos, key, value);
        keys.push_back(key);
    }
    std::sort(keys.begin(), keys.end());
    return keys;
}

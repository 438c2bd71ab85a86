#include "CFileSystemTreeCtrl.h"

#include <string>

#include "CFileSystemForm.h"
#include "extensive/ExtensiveLists.h"
#include "state/EngineState.h"

HTREEITEM CFileSystemTreeCtrl::AddItemWithIcon(LPCTSTR lpszText, HTREEITEM hParent)
{
    return InsertItem(lpszText, 0, 0, hParent, TVI_LAST);
}

HTREEITEM CFileSystemTreeCtrl::AddItem(LPCTSTR lpszText, HTREEITEM hParent)
{
    return InsertItem(lpszText, hParent, TVI_LAST);
}

unsigned CFileSystemTreeCtrl::SelectFoundVolume(HTREEITEM hItem)
{
    if (!hItem)
        return 0;
    CString text = GetItemText(hItem);
    if (text.IsEmpty() || text == L"File System") {
        if (m_pForm && VolumeParams.selectionCode == FileSystemNtfs)
            m_pForm->ShowNtfsCaptions();
        else if (m_pForm && (VolumeParams.selectionCode == FileSystemFat16 ||
                             VolumeParams.selectionCode == FileSystemFat32))
            m_pForm->ShowFatCaptions();
        return 0;
    }
    unsigned number = 1;
    for (FoundVolume* v = g_FoundVolumes.head; v; v = v->next, ++number)
        if (v->treeItem == (uint32_t)(uintptr_t)hItem) {
            if (!SelectFoundVolumeParams(number))
                return 0;
            ShowChosenVolume();
            return number;
        }
    return 0;
}

void CFileSystemTreeCtrl::ShowChosenVolume()
{
    if (!m_pForm)
        return;
    const VolumeParamsRecord& p = VolumeParams;
    // The file system starts at its cluster base; its size in megabytes.
    const std::wstring start = std::to_wstring(p.clusterBase);
    const std::wstring perCluster = std::to_wstring(p.sectorsPerCluster);
    const std::wstring size = std::to_wstring((uint32_t)(p.fileSystemEnd - p.clusterBase) >> 11) + L" MB";
    if (p.fileSystemType == FileSystemNtfs) {
        m_pForm->ShowNtfsCaptions();
        m_pForm->SetRowValue(1, start.c_str());
        m_pForm->SetRowValue(2, perCluster.c_str());
        m_pForm->SetRowValue(3, std::to_wstring(p.mftSector).c_str());
        m_pForm->SetRowValue(4, std::to_wstring(p.mftMirrorSector).c_str());
        m_pForm->SetRowValue(5, size.c_str());
    } else {
        m_pForm->ShowFatValues(start.c_str(), perCluster.c_str(), p.fileSystemEnd ? size.c_str() : L"Unknown");
    }
}

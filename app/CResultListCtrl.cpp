#include "CResultListCtrl.h"

#include "CFolderTreeCtrl.h"

int g_bListFirstPaint = 1;

CResultListCtrl::CResultListCtrl() {}

CResultListCtrl::~CResultListCtrl() {}

void CResultListCtrl::DropFolderFileMarks(HTREEITEM hItem)
{
    ForEachFolderFile(hItem, [this](uint32_t id) {
        m_mapSaveFiles.RemoveKey(id);
        return true;
    });
    if (m_mapSaveFiles.IsEmpty())
        m_mapSaveFiles.RemoveAll();
}

void CResultListCtrl::ClearMarks()
{
    for (CMarkMap* map : {&m_mapCheckedFiles, &m_mapCheckedFolders, &m_mapSaveFolders, &m_mapSaveFiles,
                          &m_mapTreeChecked})
        map->RemoveAll();
}

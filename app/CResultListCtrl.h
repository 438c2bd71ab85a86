// The recovery step's result list: the entries of the folder chosen in the
// result tree, and the maps that remember what the user marked. The tree's
// check marks are mirrored into the maps; saving reads them.
#pragma once

#include <afxcmn.h>
#include <afxtempl.h>
#include <stdint.h>

#include "CVZListCtrl.h"

// Every map is keyed by a 32-bit value (a tree item or an engine record's
// list ID) with the value 1.
typedef CMap<DWORD, DWORD, int, int> CMarkMap;

class CResultListCtrl : public CVZListCtrl
{
public:
    CResultListCtrl();
    ~CResultListCtrl() override;

    // Removes from m_mapSaveFiles every file lying directly in the folder of
    // the tree item, so that a folder that is saved whole does not save its
    // files a second time.
    void DropFolderFileMarks(HTREEITEM hItem);

    // Empties the five mark maps (the preview copies stay).
    void ClearMarks();

    // Tree items of checked folders.
    CMarkMap m_mapCheckedFolders;
    // IDs of files marked through their folder.
    CMarkMap m_mapCheckedFiles;
    // Folders (tree items) and files (IDs) a save writes.
    CMarkMap m_mapSaveFolders;
    CMarkMap m_mapSaveFiles;
    // Tree items the tree itself checked.
    CMarkMap m_mapTreeChecked;
    // Preview copies in the temporary folder.
    CMarkMap m_mapPreviewCopies;
};

// Set until the list has painted once after its results changed; the
// recovery step's Back sets it again.
extern int g_bListFirstPaint;

// One entry of a cabinet as the archive viewer lists it, and the
// process-wide list that holds the entries of the cabinet listed last.
#pragma once

#include <afxwin.h>

class CArchiveEntry : public CObject
{
public:
    CArchiveEntry(const CString& name, const CString& folder, LONG size, const FILETIME& modified, WORD attributes);

    CString m_strName;     // the file name without its folders
    CString m_strFolder;   // the folders with a trailing backslash; empty at the root
    LONG m_nSize;          // uncompressed size
    FILETIME m_ftModified; // the stored date and time as UTC; 0 when it is no valid date
    WORD m_wAttributes;    // FAT attribute bits
};

// A list of CArchiveEntry pointers that owns them: emptying it deletes them.
class CArchiveEntryList : public CObList
{
public:
    explicit CArchiveEntryList(INT_PTR nBlockSize = 10) : CObList(nBlockSize) {}
    ~CArchiveEntryList() override;
    // Deletes every entry and empties the list.
    void RemoveAllEntries();
    // Adds the entry at the head; the list owns it from here.
    void AddEntry(CArchiveEntry* pEntry) { AddHead(pEntry); }
    CArchiveEntry* GetEntryAt(POSITION pos) const { return static_cast<CArchiveEntry*>(GetAt(pos)); }
};

extern CArchiveEntryList g_ArchiveEntryList;

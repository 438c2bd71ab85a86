#include "archive/CArchiveEntry.h"

CArchiveEntryList g_ArchiveEntryList;

CArchiveEntry::CArchiveEntry(const CString& name, const CString& folder, LONG size, const FILETIME& modified,
                             WORD attributes)
    : m_strName(name), m_strFolder(folder), m_nSize(size), m_ftModified(modified), m_wAttributes(attributes)
{
}

CArchiveEntryList::~CArchiveEntryList() { RemoveAllEntries(); }

void CArchiveEntryList::RemoveAllEntries()
{
    for (POSITION pos = GetHeadPosition(); pos != NULL;)
        delete static_cast<CArchiveEntry*>(GetNext(pos));
    RemoveAll();
}

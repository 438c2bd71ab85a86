// Walks every directory of the selected FAT volume with the engine's
// directory reader and keeps each entry with its path.
#pragma once

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FixtureOracles.h"
#include "fat/FatDirEntry.h"
#include "fat/FatDirectory.h"
#include "volume/VolumeParamsReader.h"

// Selects a FAT partition of an sfdisk dump and reads its parameters.
inline void SelectFatVolume(const wchar_t* dump, int number)
{
    oracle::SelectSfdiskPartition(dump, number);
    ASSERT_EQ(1, ReadVolumeParams());
}

struct WalkedEntry
{
    std::vector<std::wstring> path;  // components from the root
    std::vector<bool> longName;      // per component: a long name was decoded
    bool deleted;
    bool directory;
    uint32_t cluster;
    uint32_t size;
};

class CFatWalk
{
public:
    // Reads the root and, breadth first, every folder below it.
    CFatWalk()
    {
        m_ok = ReadFatDirectory(0, 0, Visit, this);
        for (size_t i = 0; i < entries.size(); ++i) {
            const WalkedEntry& e = entries[i];
            if (!e.directory || e.cluster < 2 || !m_seen.insert(e.cluster).second)
                continue;
            m_parent = i + 1;
            ReadFatDirectory(e.cluster, e.deleted, Visit, this);
        }
    }

    bool rootRead() const { return m_ok != 0; }
    std::vector<WalkedEntry> entries;

    const WalkedEntry* Find(const std::wstring& joined) const
    {
        for (const WalkedEntry& e : entries)
            if (Join(e) == joined)
                return &e;
        return nullptr;
    }

    static std::wstring Join(const WalkedEntry& e)
    {
        std::wstring s;
        for (const std::wstring& c : e.path)
            s += (s.empty() ? L"" : L"/") + c;
        return s;
    }

private:
    static int Visit(const FatDirEntryInfo& info, void* context)
    {
        CFatWalk* self = (CFatWalk*)context;
        if (info.attributes & 0x08)  // volume label
            return 1;
        WalkedEntry e;
        if (self->m_parent) {
            const WalkedEntry& p = self->entries[self->m_parent - 1];
            e.path = p.path;
            e.longName = p.longName;
        }
        e.path.push_back(info.name);
        e.longName.push_back(info.hasLongName != 0);
        e.deleted = info.deleted != 0;
        e.directory = (info.attributes & FatAttrDirectory) != 0;
        e.cluster = info.cluster;
        e.size = info.size;
        self->entries.push_back(e);
        return 1;
    }

    int m_ok = 0;
    size_t m_parent = 0;
    std::set<uint32_t> m_seen;
};

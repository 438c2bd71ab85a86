// Long names decoded from directory entries built in memory: sets across
// sector boundaries, stale and broken sets, deleted neighbouring sets.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "fat/FatDirEntry.h"
#include "fat/FatDirectory.h"
#include "fat/FatLongName.h"
#include "state/EngineState.h"

namespace {

// A directory built entry by entry.
class CDirBuilder
{
public:
    // Short entry with an 11-byte name; deleted marks it 0xE5.
    CDirBuilder& Short(const char* name11, bool deleted = false, uint16_t cluster = 9)
    {
        unsigned char* e = Next();
        memcpy(e, name11, 11);
        e[11] = 0x20;
        e[0x1A] = (unsigned char)cluster;
        e[0x1B] = (unsigned char)(cluster >> 8);
        e[0x1C] = 1;
        if (deleted)
            e[0] = FatDeletedMark;
        return *this;
    }

    // The long-name set of name for the short entry name11, highest ordinal
    // first. skip leaves out the entry of that ordinal.
    CDirBuilder& Long(const std::wstring& name, const char* name11, bool deleted = false, int skip = 0)
    {
        unsigned char shortName[11];
        memcpy(shortName, name11, 11);
        uint8_t sum = FatShortNameChecksum(shortName);
        int count = (int)(name.size() + FatLongNameUnits - 1) / FatLongNameUnits;
        static const int offsets[FatLongNameUnits] = {1, 3, 5, 7, 9, 14, 16, 18, 20, 22, 24, 28, 30};
        for (int k = count; k >= 1; --k) {
            if (k == skip)
                continue;
            unsigned char* e = Next();
            e[0] = (unsigned char)(k | (k == count ? FatLongNameLast : 0));
            e[11] = FatAttrLongName;
            e[13] = sum;
            for (int i = 0; i < FatLongNameUnits; ++i) {
                size_t at = (size_t)(k - 1) * FatLongNameUnits + i;
                uint16_t u = at < name.size() ? name[at] : at == name.size() ? 0 : 0xFFFF;
                e[offsets[i]] = (unsigned char)u;
                e[offsets[i] + 1] = (unsigned char)(u >> 8);
            }
            if (deleted)
                e[0] = FatDeletedMark;
        }
        return *this;
    }

    CDirBuilder& Pad(int entries)
    {
        for (int i = 0; i < entries; ++i) {
            char name[12];
            snprintf(name, sizeof name, "PAD%05d   ", m_pad++);
            Short(name);
        }
        return *this;
    }

    int size() const { return (int)(m_bytes.size() / FatDirEntrySize); }
    const unsigned char* data() const { return m_bytes.data(); }

    // Names of the short entries, walked sector by sector with one carried set.
    std::vector<std::wstring> Walk(bool* deletedFlags = nullptr) const
    {
        std::vector<unsigned char> sectors(m_bytes);
        sectors.resize((sectors.size() + 511) / 512 * 512 + 512);  // ends with a 0 entry
        VolumeParams.fileSystemType = FileSystemFat16;
        Collected out;
        FatLongNameSet carry;
        ResetLongNameSet(&carry);
        for (size_t s = 0; s < sectors.size(); s += 512)
            if (WalkFatDirSector(&sectors[s], 0, 0, &carry, Collect, &out))
                break;
        if (deletedFlags)
            for (size_t i = 0; i < out.deleted.size(); ++i)
                deletedFlags[i] = out.deleted[i];
        return out.names;
    }

private:
    struct Collected
    {
        std::vector<std::wstring> names;
        std::vector<bool> deleted;
    };
    static int Collect(const FatDirEntryInfo& e, void* context)
    {
        Collected* c = (Collected*)context;
        if (wcsncmp(e.name, L"PAD", 3) != 0) {
            c->names.push_back(e.name);
            c->deleted.push_back(e.deleted != 0);
        }
        return 1;
    }
    unsigned char* Next()
    {
        m_bytes.resize(m_bytes.size() + FatDirEntrySize);
        return &m_bytes[m_bytes.size() - FatDirEntrySize];
    }

    std::vector<unsigned char> m_bytes;
    int m_pad = 0;
};

const std::wstring kForty = L"A long name of forty characters, exactly";  // 4 entries
const std::wstring kThirty = L"Thirty characters, three parts";           // 3 entries

TEST(FatLongName, SetsAcrossASectorBoundaryDecodeWhole)
{
    // Entries 13-16 and the short entry 17: the set crosses into sector 1.
    CDirBuilder across;
    across.Pad(13).Long(kForty, "ALONGN~1   ").Short("ALONGN~1   ");
    EXPECT_EQ(std::vector<std::wstring>{kForty}, across.Walk());
    wchar_t name[256];
    EXPECT_EQ(0, DecodeLongName(across.data(), 17, name, 256));
    EXPECT_EQ(kForty, name);

    // Entries 13-15, and the short entry first in sector 1.
    CDirBuilder first;
    first.Pad(13).Long(kThirty, "THIRTY~1   ").Short("THIRTY~1   ");
    EXPECT_EQ(std::vector<std::wstring>{kThirty}, first.Walk());
}

TEST(FatLongName, BrokenLiveSetsLeaveThe83Name)
{
    CDirBuilder stale;  // the short entry was renamed behind its long name
    stale.Long(kThirty, "THIRTY~1   ").Short("OTHERNM TXT");
    EXPECT_EQ(std::vector<std::wstring>{L"OTHERNM.TXT"}, stale.Walk());

    CDirBuilder gap;  // the middle entry is missing
    gap.Long(kThirty, "THIRTY~1   ", false, 2).Short("THIRTY~1   ");
    EXPECT_EQ(std::vector<std::wstring>{L"THIRTY~1"}, gap.Walk());

    CDirBuilder headless;  // the 0x40 entry is missing
    headless.Long(kThirty, "THIRTY~1   ", false, 3).Short("THIRTY~1   ");
    EXPECT_EQ(std::vector<std::wstring>{L"THIRTY~1"}, headless.Walk());

    CDirBuilder twoSets;  // an orphaned set before a complete one is not joined to it
    twoSets.Long(kForty, "ALONGN~1   ").Long(kThirty, "THIRTY~1   ").Short("THIRTY~1   ");
    EXPECT_EQ(std::vector<std::wstring>{kThirty}, twoSets.Walk());
}

TEST(FatLongName, DeletedSetsDecodeEachOnTheirOwn)
{
    CDirBuilder pair;
    pair.Long(kForty, "ALONGN~1   ", true).Short("ALONGN~1   ", true)
        .Long(kThirty, "THIRTY~1   ", true).Short("THIRTY~1   ", true);
    bool deleted[2] = {};
    EXPECT_EQ((std::vector<std::wstring>{kForty, kThirty}), pair.Walk(deleted));
    EXPECT_TRUE(deleted[0]);
    EXPECT_TRUE(deleted[1]);

    // The first set's short entry was reused for the second set's entries:
    // the two deleted sets stand side by side.
    CDirBuilder adjacent;
    adjacent.Long(kForty, "ALONGN~1   ", true).Long(kThirty, "THIRTY~1   ", true)
        .Short("THIRTY~1   ", true);
    EXPECT_EQ(std::vector<std::wstring>{kThirty}, adjacent.Walk());

    // A deleted set that fills its entries exactly shows no end mark; it is
    // taken when its checksum gives the short entry a first letter that
    // matches the name's, and not when it was made for another short name.
    const std::wstring exact = L"Twenty-six characters long";  // 2 entries, no end mark
    CDirBuilder foreign;
    foreign.Long(exact, "ZWENTY~1   ", true).Short("TWENTY~1   ", true);
    EXPECT_EQ(std::vector<std::wstring>{L"xWENTY~1"}, foreign.Walk());
    CDirBuilder full;
    full.Long(exact, "TWENTY~1   ", true).Short("TWENTY~1   ", true);
    EXPECT_EQ(std::vector<std::wstring>{exact}, full.Walk());

    // A deleted set never names a live short entry.
    CDirBuilder reused;
    reused.Long(kThirty, "THIRTY~1   ", true).Short("NEWFILE TXT");
    EXPECT_EQ(std::vector<std::wstring>{L"NEWFILE.TXT"}, reused.Walk());
}

TEST(FatLongName, LiveSetOfADeletedShortEntryAndExactLengths)
{
    const std::wstring exact = L"Twenty-six characters long";
    CDirBuilder dir;
    dir.Long(exact, "TWENTY~1   ").Short("TWENTY~1   ")
        .Long(kForty, "ALONGN~1   ").Short("ALONGN~1   ", true);
    bool deleted[2] = {};
    EXPECT_EQ((std::vector<std::wstring>{exact, kForty}), dir.Walk(deleted));
    EXPECT_FALSE(deleted[0]);
    EXPECT_TRUE(deleted[1]);
}

}  // namespace

// MFT records: the update-sequence fixup, the attribute walk and the choice
// of names, on records built in memory and broken one field at a time.
#include <gtest/gtest.h>

#include "NtfsTestSupport.h"
#include "ntfs/MftRecord.h"
#include "ntfs/NtfsAttribute.h"
#include "ntfs/NtfsDataAttribute.h"
#include "ntfs/NtfsFileName.h"
#include "ntfs/NtfsIndex.h"

using namespace ntfstest;

namespace {

Bytes RecordWithName(const std::wstring& name, unsigned nameSpace = 1)
{
    CRecordBuilder b;
    b.Resident(0x30, FileNameValue(name, 42, nameSpace));
    return b.Finish();
}

}  // namespace

TEST(MftRecordFixup, RestoresBothSectorEndsAndDetectsTornSectors)
{
    CRecordBuilder b;
    b.raw()[510] = 0xAA; b.raw()[511] = 0xBB;
    b.raw()[1022] = 0xCC; b.raw()[1023] = 0xDD;
    Bytes r = b.Finish(0x0707);
    EXPECT_EQ(r[510], 0x07);
    EXPECT_EQ(1, PrepareMftRecord(r.data()));
    EXPECT_EQ(r[510], 0xAA); EXPECT_EQ(r[511], 0xBB);
    EXPECT_EQ(r[1022], 0xCC); EXPECT_EQ(r[1023], 0xDD);

    // A sector written without the rest of the record (its end is not the
    // update sequence number) makes the record untrustworthy.
    Bytes torn = b.Finish(0x0707);
    torn[1022] = 0x00;
    EXPECT_EQ(0, PrepareMftRecord(torn.data()));
}

TEST(MftRecordFixup, RejectsArraysThatDoNotFitTheBlock)
{
    struct Case { const char* what; uint16_t offset; uint16_t count; };
    const Case cases[] = {
        {"count 2 for two sectors", 0x30, 2},
        {"count 0", 0x30, 0},
        {"huge count", 0x30, 0xFFFF},
        {"array past the first sector", 0x1FE, 3},
        {"array over the header", 0x02, 3},
        {"odd offset", 0x31, 3},
    };
    for (const Case& c : cases) {
        Bytes r = RecordWithName(L"x.txt");
        Put16(&r[4], c.offset);
        Put16(&r[6], c.count);
        EXPECT_EQ(0, ApplyUpdateSequence(r.data(), r.size())) << c.what;
    }
    Bytes small(100, 0);
    EXPECT_EQ(0, ApplyUpdateSequence(small.data(), small.size()));
}

TEST(MftRecordNames, Win32NameWinsOverDosWhateverTheOrder)
{
    for (int dosFirst = 0; dosFirst < 2; ++dosFirst) {
        CRecordBuilder b;
        if (dosFirst) b.Resident(0x30, FileNameValue(L"LONGNA~1.TXT", 7, 2));
        b.Resident(0x30, FileNameValue(L"Long name.txt", 7, 1));
        if (!dosFirst) b.Resident(0x30, FileNameValue(L"LONGNA~1.TXT", 7, 2));
        Bytes r = b.Finish();
        ASSERT_EQ(1, PrepareMftRecord(r.data()));
        NtfsFileNameValue v;
        ASSERT_TRUE(ChooseFileName(r.data(), r.size(), v));
        EXPECT_STREQ(L"Long name.txt", v.name);
        EXPECT_EQ(7u, v.parent);
    }
    CRecordBuilder both;
    both.Resident(0x30, FileNameValue(L"SHORT.TXT", 5, 3));
    Bytes r = both.Finish();
    PrepareMftRecord(r.data());
    NtfsFileNameValue v;
    ASSERT_TRUE(ChooseFileName(r.data(), r.size(), v));
    EXPECT_STREQ(L"SHORT.TXT", v.name);
}

TEST(MftRecordNames, HardLinksGiveOneNamePerLinkAndNoDosAlias)
{
    CRecordBuilder b;
    b.Resident(0x30, FileNameValue(L"ORIGIN~1.TXT", 40, 2));
    b.Resident(0x30, FileNameValue(L"original.txt", 40, 1));
    b.Resident(0x30, FileNameValue(L"hard link.txt", 41, 0));
    Bytes r = b.Finish();
    PrepareMftRecord(r.data());
    std::vector<NtfsFileNameValue> names;
    CollectLinkNames(r.data(), r.size(), names);
    ASSERT_EQ(2u, names.size());
    EXPECT_STREQ(L"original.txt", names[0].name);
    EXPECT_STREQ(L"hard link.txt", names[1].name);
    EXPECT_EQ(41u, names[1].parent);
}

// Every field read is bounded by the attribute and the record: corrupt
// lengths end the walk or skip the attribute, never read past the buffer.
TEST(MftRecordBounds, CorruptAttributesAreNotReadPastTheirEnd)
{
    struct Case { const char* what; void (*breakIt)(unsigned char* r, uint32_t attr); };
    const Case cases[] = {
        {"attribute length past the record", [](unsigned char* r, uint32_t a) { Put32(r + a + 4, 0x10000); }},
        {"attribute length zero", [](unsigned char* r, uint32_t a) { Put32(r + a + 4, 0); }},
        {"attribute length not a multiple of 8", [](unsigned char* r, uint32_t a) { Put32(r + a + 4, 0x61); }},
        {"value length past the attribute", [](unsigned char* r, uint32_t a) { Put32(r + a + 0x10, 0x400); }},
        {"value offset past the attribute", [](unsigned char* r, uint32_t a) { Put16(r + a + 0x14, 0x3F0); }},
        {"name length past the value", [](unsigned char* r, uint32_t a) { r[a + 0x18 + 0x40] = 255; }},
        {"first attribute past the record", [](unsigned char* r, uint32_t) { Put16(r + 0x14, 0x3FC); }},
        {"first attribute at the end", [](unsigned char* r, uint32_t) { Put16(r + 0x14, 0xFFFF); }},
    };
    for (const Case& c : cases) {
        CRecordBuilder b;
        uint32_t at = b.Resident(0x30, FileNameValue(L"name.txt", 5, 1));
        Bytes r = b.Finish();
        ASSERT_EQ(1, PrepareMftRecord(r.data()));
        c.breakIt(r.data(), at);
        // The record is the last thing in a buffer: a read past it would be
        // a read past the allocation (caught by the sanitiser-free check
        // that nothing is found).
        NtfsFileNameValue v;
        EXPECT_FALSE(ChooseFileName(r.data(), r.size(), v)) << c.what;
        uint64_t size = 0;
        EXPECT_EQ(0, FindDataSize(0, &size, r.data(), 0)) << c.what;
    }
}

TEST(MftRecordData, UnnamedDataGivesTheSizeNamedStreamsAndLaterExtentsDoNot)
{
    {
        CRecordBuilder b;
        b.Resident(0x80, Bytes(50, 1), L"stream");
        b.Resident(0x80, Bytes(100, 2));
        Bytes r = b.Finish();
        PrepareMftRecord(r.data());
        uint64_t size = 0;
        EXPECT_EQ(1, FindDataSize(0, &size, r.data(), 0));
        EXPECT_EQ(100u, size);
        uint32_t offset;
        EXPECT_EQ(1, FindDataAttribute(r.data(), &offset));
    }
    {
        CRecordBuilder b;
        b.NonResident(0x80, {0x11, 0x04, 0x20, 0}, 3145728);
        Bytes r = b.Finish();
        PrepareMftRecord(r.data());
        uint64_t size = 0;
        EXPECT_EQ(1, FindDataSize(0, &size, r.data(), 0));
        EXPECT_EQ(3145728u, size);
    }
    {
        // The second extent of a file spread over records: no size here.
        CRecordBuilder b;
        b.NonResident(0x80, {0x11, 0x04, 0x20, 0}, 0, 462);
        Bytes r = b.Finish();
        PrepareMftRecord(r.data());
        uint64_t size = 7;
        EXPECT_EQ(0, FindDataSize(0, &size, r.data(), 0));
    }
}

TEST(MftRecordIndex, IndexRootOwnerIsReadOnlyWhenTheKeyFits)
{
    // Index root value: root header (0x10), node header (entries at 0x10),
    // then one entry with a $FILE_NAME key whose parent is the directory.
    Bytes key = FileNameValue(L"child.txt", 77, 1);
    Bytes value(0x20 + 0x10 + key.size() + 0x10, 0);
    Put32(&value[0x10], 0x10);
    unsigned char* e = &value[0x20];
    Put16(e + 8, (uint16_t)(0x10 + key.size()));
    Put16(e + 0x0A, (uint16_t)key.size());
    memcpy(e + 0x10, key.data(), key.size());

    CRecordBuilder good(3);
    good.Resident(0x90, value, L"$I30");
    Bytes r = good.Finish();
    PrepareMftRecord(r.data());
    EXPECT_EQ(77u, IndexRootOwnNumber(r.data(), r.size()));

    Bytes broken = value;
    Put16(&broken[0x20 + 0x0A], 0x400);   // key longer than the entry
    CRecordBuilder bad(3);
    bad.Resident(0x90, broken, L"$I30");
    r = bad.Finish();
    PrepareMftRecord(r.data());
    EXPECT_EQ(0u, IndexRootOwnNumber(r.data(), r.size()));

    Bytes distant = value;
    Put32(&distant[0x10], 0x7FFFFFF0);          // first entry distant outside
    CRecordBuilder bad2(3);
    bad2.Resident(0x90, distant, L"$I30");
    r = bad2.Finish();
    PrepareMftRecord(r.data());
    EXPECT_EQ(0u, IndexRootOwnNumber(r.data(), r.size()));
}

TEST(MftRecordIndex, IndexBlockEntryMustFitTheBlock)
{
    Bytes block(4096, 0);
    memcpy(&block[0], "INDX", 4);
    Put32(&block[0x10], 9);
    Put32(&block[0x18], 0x28);
    Bytes key = FileNameValue(L"f.txt", 123, 1);
    unsigned char* e = &block[0x18 + 0x28];
    Put16(e + 8, (uint16_t)(0x10 + key.size()));
    Put16(e + 0x0A, (uint16_t)key.size());
    memcpy(e + 0x10, key.data(), key.size());
    uint32_t owner = 0, vcn = 0;
    ASSERT_TRUE(ParseIndexBlock(block.data(), block.size(), &owner, &vcn));
    EXPECT_EQ(123u, owner);
    EXPECT_EQ(9u, vcn);
    // Entry offset near 2^32: 64-bit arithmetic keeps it outside.
    Put32(&block[0x18], 0xFFFFFFF0);
    EXPECT_FALSE(ParseIndexBlock(block.data(), block.size(), &owner, &vcn));
    Put32(&block[0x18], 4096 - 0x18 - 0x20);
    EXPECT_FALSE(ParseIndexBlock(block.data(), block.size(), &owner, &vcn));
}

// The MFT run table built from small volumes in a temporary file.
#include <gtest/gtest.h>

#include "NtfsTestSupport.h"
#include "ntfs/MftRunTable.h"

using namespace ntfstest;

namespace {

const uint32_t V = 63, K = 8, M = 63 + 100 * 8;

Bytes ListEntry(uint32_t type, uint32_t record, uint64_t vcn)
{
    Bytes e(0x20, 0);
    Put32(&e[0], type);
    Put16(&e[4], 0x20);
    Put64(&e[8], vcn);
    Put32(&e[0x10], record);
    return e;
}

// Record 0 of an MFT in the runs (LCN 100, 50 clusters), (LCN 300, 50).
void WriteTwoRunMft(CTempVolume& vol)
{
    CRecordBuilder r0;
    r0.NonResident(0x80, {0x11, 50, 100, 0x21, 50, 200, 0}, 100 * 1024);
    vol.Write(M, r0.Finish());
    vol.Attach();
}

}  // namespace

TEST(MftRunTable, TwoRunsMapRecordsAcrossTheGap)
{
    CTempVolume vol(3000);
    WriteTwoRunMft(vol);
    ASSERT_EQ(MftRunTableBuilt, BuildMftRunTable(V, M, K, 2999));
    ASSERT_EQ(2u, g_MftRunCount);
    EXPECT_EQ(863u, g_MftRunStarts[0]);
    EXPECT_EQ(2463u, g_MftRunStarts[1]);
    EXPECT_EQ(400u, g_MftRunLengths[0]);
    EXPECT_EQ(400u, g_MftRunLengths[1]);
    EXPECT_EQ(2563u, MapRecordToSector(250));
    EXPECT_EQ(1063u, MapRecordToSector(100));
    EXPECT_EQ(0u, MapRecordToSector(400));
    EXPECT_EQ(800u, MftRunTableSectors());
}

TEST(MftRunTable, SparseRunIsSkippedWhenCountingTheNextRun)
{
    CTempVolume vol(3000);
    CRecordBuilder r0;
    r0.NonResident(0x80, {0x11, 10, 100, 0x01, 5, 0x21, 10, 200, 0}, 25 * 8 * 512);
    vol.Write(M, r0.Finish());
    vol.Attach();
    ASSERT_EQ(MftRunTableBuilt, BuildMftRunTable(V, M, K, 2999));
    ASSERT_EQ(3u, g_MftRunCount);
    EXPECT_EQ(0u, g_MftRunStarts[1]);
    EXPECT_EQ(63u + 300 * 8, g_MftRunStarts[2]);
    EXPECT_EQ(0u, MapRecordToSector(45));             // in the sparse run
    EXPECT_EQ(63u + 300 * 8, MapRecordToSector(60));
}

TEST(MftRunTable, ExtensionRecordsGiveTheRunsOfTheWholeMft)
{
    CTempVolume vol(3000);
    Bytes list = ListEntry(0x10, 0, 0);
    for (const Bytes& e : {ListEntry(0x80, 0, 0), ListEntry(0x80, 16, 50), ListEntry(0x80, 16, 50)})
        list.insert(list.end(), e.begin(), e.end());
    CRecordBuilder r0;
    r0.Resident(0x20, list);
    r0.NonResident(0x80, {0x11, 50, 100, 0}, 100 * 1024);
    vol.Write(M, r0.Finish());
    CRecordBuilder r16;
    r16.NonResident(0x80, {0x21, 50, 0x2C, 0x01, 0}, 0, 50);   // LCN 300, counted from 0
    vol.Write(M + 32, r16.Finish());
    vol.Attach();
    ASSERT_EQ(MftRunTableBuilt, BuildMftRunTable(V, M, K, 2999));
    ASSERT_EQ(2u, g_MftRunCount);
    EXPECT_EQ(2463u, g_MftRunStarts[1]);
    EXPECT_EQ(2563u, MapRecordToSector(250));
}

TEST(MftRunTable, NoStaleRunsFromTheVolumeBefore)
{
    {
        CTempVolume a(3000);
        WriteTwoRunMft(a);
        ASSERT_EQ(MftRunTableBuilt, BuildMftRunTable(V, M, K, 2999));
        ASSERT_EQ(2u, g_MftRunCount);
    }
    // Record 0 of the next volume is not a record: the table describes this
    // volume only, from its MFT sector to its end.
    CTempVolume b(2000);
    b.Attach();
    EXPECT_EQ(MftRunTableFallback, BuildMftRunTable(V, M, K, 1999));
    ASSERT_EQ(1u, g_MftRunCount);
    EXPECT_EQ(M, g_MftRunStarts[0]);
    EXPECT_EQ(1999u - M + 1 - 1, g_MftRunLengths[0]);   // whole records only
    EXPECT_EQ(0u, MapRecordToSector(1000));

    EXPECT_EQ(MftRunTableFailed, BuildMftRunTable(V, 0, K, 1999));
    EXPECT_EQ(0u, g_MftRunCount);
}

TEST(MftRunTable, RunsAreKeptInsideTheVolume)
{
    CTempVolume vol(3000);
    CRecordBuilder r0;
    // Second run far beyond the volume, first run cut at its end.
    r0.NonResident(0x80, {0x12, 0x00, 0x10, 100, 0x31, 50, 0, 0, 0x10, 0}, 100 * 1024);
    vol.Write(M, r0.Finish());
    vol.Attach();
    ASSERT_EQ(MftRunTableBuilt, BuildMftRunTable(V, M, K, 2999));
    ASSERT_EQ(1u, g_MftRunCount);
    EXPECT_EQ(2999u - M + 1 - 1, g_MftRunLengths[0]);
}

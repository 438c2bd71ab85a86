// Saving a file whose record has a damaged data size: the file is written
// up to the clusters allocated to it and no further, and is incomplete.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "NtfsTestSupport.h"
#include "SavedCopy.h"
#include "ntfs/MftRunTable.h"

using namespace ntfstest;

TEST(NtfsSave, DataSizePastTheAllocationIsCutThere)
{
    const uint32_t Record = 40, Lcn = 20, K = 8;
    const uint64_t Allocated = 2 * K * 512, Size = 8000;
    Bytes data(Allocated);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = (unsigned char)(i * 7 + 3);
    const struct
    {
        uint64_t size;
        bool whole;
    } cases[] = {{Size, true}, {Allocated, true}, {Allocated + 1, false}, {1u << 20, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        CTempVolume vol(400);
        vol.Write(Lcn * K, data);
        CRecordBuilder r;
        uint32_t at = r.NonResident(0x80, {0x11, 2, (unsigned char)Lcn, 0}, Size);
        Put64(r.raw() + at + 0x18, 1);   // the highest VCN
        Put64(r.raw() + at + 0x28, Allocated);
        Put64(r.raw() + at + 0x30, c.size);
        Put64(r.raw() + at + 0x38, std::min<uint64_t>(c.size, Allocated));
        vol.Write(Record, r.Finish());
        vol.Attach();
        VolumeParams = VolumeParamsRecord();
        VolumeParams.fileSystemType = FileSystemNtfs;
        VolumeParams.sectorsPerCluster = K;
        VolumeParams.endSector = 399;
        ClearMftRunTable();
        bool whole = false;
        std::string saved = SavedCopy(true, Record, c.size, &whole);
        EXPECT_EQ(c.whole, whole);
        const uint64_t expected = std::min<uint64_t>(c.size, Allocated);
        ASSERT_EQ(expected, saved.size());
        EXPECT_TRUE(saved == std::string(data.begin(), data.begin() + expected));
    }
    VolumeParams = VolumeParamsRecord();
}

// Fuzz target of one MFT record: the input is the record's 1024 bytes
// (shorter inputs are padded with zeros), fixed up and walked as the
// Quick Scan and the Extensive Scan read records: its attributes, names,
// run lists, attribute list and index root.
#include <stdint.h>
#include <string.h>
#include <vector>

#include "ntfs/MftRecord.h"
#include "ntfs/NtfsAttribute.h"
#include "ntfs/NtfsAttributeList.h"
#include "ntfs/NtfsDataRuns.h"
#include "ntfs/NtfsFileName.h"
#include "ntfs/NtfsIndex.h"

namespace {

void AddRecord(uint32_t record, void* context)
{
    *(uint64_t*)context += record;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > MftRecordSize)
        return -1;
    // Exactly the record's bytes on the heap, so that a read past it is seen.
    std::vector<unsigned char> record(MftRecordSize, 0);
    memcpy(record.data(), data, size);
    unsigned char* r = record.data();
    PrepareMftRecord(r);
    MftRecordFlags(r);
    MftRecordSequence(r);
    MftRecordNumber(r);
    MftBaseRecordReference(r);
    MftFirstAttributeOffset(r);

    uint64_t sum = 0;
    std::vector<NtfsRun> runs;
    CNtfsAttributeWalk walk(r, MftRecordSize);
    NtfsAttribute attr;
    for (int n = 0; walk.Next(attr) && n < 256; ++n) {
        const unsigned char* value;
        uint32_t valueLength;
        if (ResidentValue(attr, &value, &valueLength)) {
            if (attr.type == NtfsAttrFileName) {
                NtfsFileNameValue name;
                ParseFileNameValue(value, valueLength, name);
            } else if (attr.type == NtfsAttrAttributeList) {
                ParseAttributeListEntries(value, valueLength, 0, AddRecord, &sum);
                ParseAttributeListEntries(value, valueLength, NtfsAttrData, AddRecord, &sum);
            }
        }
        const unsigned char* pairs;
        size_t pairBytes;
        if (attr.nonResident && MappingPairs(attr, &pairs, &pairBytes)) {
            runs.clear();
            DecodeMappingPairs(pairs, pairBytes, runs);
            sum += NonResidentLowestVcn(attr) + NonResidentDataSize(attr);
        }
        AttributeNameIs(attr, "$I30");
    }
    NtfsFileNameValue chosen;
    ChooseFileName(r, MftRecordSize, chosen);
    std::vector<NtfsFileNameValue> links;
    CollectLinkNames(r, MftRecordSize, links);
    IndexRootOwnNumber(r, MftRecordSize);
    IndexAllocationFirstCluster(r, MftRecordSize);
    ResetExtRecordTable(MftRecordNumber(r));
    CollectAttributeListRecords(r, MftRecordSize, nullptr);
    volatile uint64_t keep = sum;
    (void)keep;
    return 0;
}

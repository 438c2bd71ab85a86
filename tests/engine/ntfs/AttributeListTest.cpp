// The extension-record table filled from attribute lists: each record once,
// however often the list names it, and never read past the list.
#include <gtest/gtest.h>

#include "NtfsTestSupport.h"
#include "ntfs/MftRecord.h"
#include "ntfs/NtfsAttributeList.h"

using namespace ntfstest;

namespace {

Bytes ListEntry(uint32_t type, uint32_t record, uint64_t vcn = 0)
{
    Bytes e(0x20, 0);
    Put32(&e[0], type);
    Put16(&e[4], 0x20);
    Put64(&e[8], vcn);
    Put32(&e[0x10], record);
    Put16(&e[0x16], 1);
    return e;
}

}  // namespace

TEST(AttributeList, ManyEntriesForFewRecordsAreDeduplicated)
{
    // 27 entries (a fragmented file's list repeats its records): more than
    // fit a fixed table of records in the old layout once repeats count.
    Bytes value;
    auto add = [&](const Bytes& e) { value.insert(value.end(), e.begin(), e.end()); };
    add(ListEntry(0x10, 164));
    add(ListEntry(0x30, 165));
    for (uint32_t i = 0; i < 25; ++i)
        add(ListEntry(0x80, 164 + (i % 3) * 3, i * 100));
    CRecordBuilder b;
    b.Resident(0x20, value);
    Bytes r = b.Finish();
    ASSERT_EQ(1, PrepareMftRecord(r.data()));
    ResetExtRecordTable(164);
    EXPECT_EQ(3u, CollectAttributeListRecords(r.data(), r.size(), nullptr));
    EXPECT_EQ((std::vector<uint32_t>{164, 165, 167, 170}), g_ExtRecordNumbers);
}

TEST(AttributeList, ManyDistinctRecordsAllFit)
{
    // More than 50 distinct records, as a non-resident list of a very
    // fragmented file can name: the table grows.
    Bytes value;
    for (uint32_t i = 0; i < 400; ++i) {
        Bytes e = ListEntry(0x80, 1000 + i, i);
        value.insert(value.end(), e.begin(), e.end());
    }
    ResetExtRecordTable(7);
    ParseAttributeListEntries(value.data(), value.size(), 0,
                              [](uint32_t n, void*) { g_ExtRecordNumbers.push_back(n); }, nullptr);
    EXPECT_EQ(401u, g_ExtRecordNumbers.size());
}

TEST(AttributeList, EntriesEndAtTheValueLength)
{
    Bytes value = ListEntry(0x80, 300);
    Bytes second = ListEntry(0x80, 301);
    value.insert(value.end(), second.begin(), second.end());
    struct Case { const char* what; size_t length; uint16_t secondLength; size_t expected; };
    const Case cases[] = {
        {"whole list", 0x40, 0x20, 3},
        {"value ends inside the second entry", 0x30, 0x20, 2},
        {"second entry longer than the value", 0x40, 0x200, 2},
        {"second entry length zero", 0x40, 0, 2},
    };
    for (const Case& c : cases) {
        Bytes v = value;
        Put16(&v[0x24], c.secondLength);
        ResetExtRecordTable(5);
        ParseAttributeListEntries(v.data(), c.length, 0,
                                  [](uint32_t n, void*) { g_ExtRecordNumbers.push_back(n); }, nullptr);
        EXPECT_EQ(c.expected, g_ExtRecordNumbers.size()) << c.what;
    }
}

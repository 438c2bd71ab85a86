// The engine list shape, the recovery-setting defaults and the out-of-memory
// rule.
#include <gtest/gtest.h>

#include <stdint.h>
#include <wchar.h>

#include "MessageRecorder.h"
#include "state/EngineList.h"
#include "state/EngineState.h"

namespace {

struct NameRecord
{
    wchar_t* name;
    uint32_t value;
    NameRecord* next;
};

void FreeName(NameRecord* r) { free(r->name); }

struct ItemRecord
{
    uint32_t treeItem;
    ItemRecord* next;
};

// Marking every folder of a large volume and preparing the save looks each
// marked item up once: 100,000 lookups index the list once, and an item
// moved by a new tree build indexes it once more.
TEST(EngineListTest, TreeItemLookupsIndexTheListOnce)
{
    const uint32_t n = 100000;
    EngineList<ItemRecord> list = {};
    for (uint32_t i = 0; i < n; ++i) {
        ItemRecord* r = (ItemRecord*)EngineAlloc(sizeof(ItemRecord));
        r->treeItem = 1000 + 7 * i;
        EngineListAppend(list, r);
    }
    CTreeItemIndex<ItemRecord> index;
    uint32_t found = 0;
    for (ItemRecord* r = list.head; r; r = r->next)
        found += index.Find(list, r->treeItem) == r ? 1 : 0;
    EXPECT_EQ(n, found);
    EXPECT_EQ(n, index.Visited());
    EXPECT_EQ(nullptr, index.Find(list, 0));

    // A new tree: every item changes; the first lookup indexes anew.
    for (ItemRecord* r = list.head; r; r = r->next)
        r->treeItem += 3;
    found = 0;
    for (ItemRecord* r = list.head; r; r = r->next)
        found += index.Find(list, r->treeItem) == r ? 1 : 0;
    EXPECT_EQ(n, found);
    EXPECT_EQ(2ull * n, index.Visited());
    EngineListReset(list, [](ItemRecord*) {});
}

TEST(EngineListTest, AppendsAtTheTailAndResetsTwice)
{
    EngineList<NameRecord> list = {};
    const wchar_t* names[] = {L"a", L"bb", L"ccc"};
    for (uint32_t i = 0; i < 3; ++i) {
        NameRecord* r = (NameRecord*)EngineAlloc(sizeof(NameRecord));
        r->name = EngineStrDup(names[i]);
        r->value = i;
        EngineListAppend(list, r);
    }
    ASSERT_EQ(list.count, 3u);
    uint32_t expected = 0;
    for (NameRecord* r = list.head; r; r = r->next, ++expected) {
        EXPECT_STREQ(r->name, names[expected]);
        EXPECT_EQ(r->value, expected);
    }
    EXPECT_EQ(list.tail->value, 2u);

    EngineListReset(list, FreeName);
    EngineListReset(list, FreeName);
    EXPECT_EQ(list.head, nullptr);
    EXPECT_EQ(list.tail, nullptr);
    EXPECT_EQ(list.count, 0u);
}

TEST(EngineListTest, RecoverySettingsDefaults)
{
    RecoverySettings = {7, 3, 2, 9};
    ResetRecoverySettings();
    EXPECT_EQ(RecoverySettings.sectorsPerRead, 100u);
    EXPECT_EQ(RecoverySettings.duplicateNames, 1);
    EXPECT_EQ(RecoverySettings.deletedFiles, 1);
    EXPECT_EQ(RecoverySettings.retries, 3);
}

// A failed allocation tells the user and ends the process with code 0.
TEST(EngineListDeathTest, OutOfMemoryEndsTheProcess)
{
    EXPECT_EXIT(
        {
            CMessageRecorder recorder;
            EngineAlloc((size_t)-1 / 2);
        },
        testing::ExitedWithCode(0), "");
}

}  // namespace

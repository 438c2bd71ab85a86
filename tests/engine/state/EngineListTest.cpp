// The engine list shape, the recovery-setting defaults and the out-of-memory
// rule.
#include <gtest/gtest.h>

#include <stdint.h>
#include <string.h>
#include <wchar.h>

#include <utility>
#include <vector>

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

// The tree builder stores items, saving looks them up: one step each. A
// record moved to a new item leaves its old one; an item reused for another
// record names that record.
TEST(EngineListTest, TreeItemIndexFollowsTheStores)
{
    ItemRecord a = {0, nullptr}, b = {0, nullptr};
    CTreeItemIndex<ItemRecord> index;
    index.Store(&a, 10);
    index.Store(&b, 20);
    EXPECT_EQ(&a, index.Find(10));
    EXPECT_EQ(&b, index.Find(20));
    index.Store(&a, 30);   // a new tree
    EXPECT_EQ(nullptr, index.Find(10));
    EXPECT_EQ(&a, index.Find(30));
    index.Store(&b, 10);   // the old item's value given to another record
    EXPECT_EQ(&b, index.Find(10));
    EXPECT_EQ(nullptr, index.Find(20));
    index.Store(&a, 0);
    EXPECT_EQ(nullptr, index.Find(30));
    EXPECT_EQ(nullptr, index.Find(0));
    EXPECT_EQ(13u, index.Steps());   // five stores, eight lookups
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

// The arena's pieces: 8-byte aligned, apart from each other (a large one
// too), all given back by the list's reset, which leaves the list empty.
TEST(EngineListTest, ArenaPiecesLastUntilTheReset)
{
    CEngineArena arena;
    EngineList<NameRecord> list = {};
    std::vector<std::pair<unsigned char*, size_t>> pieces;
    for (size_t size : {1u, 3u, 8u, 13u, 64u, 100u, 3000000u, 7u, 40000u, 5u}) {
        unsigned char* p = (unsigned char*)arena.Alloc(size);
        EXPECT_EQ(0u, (uintptr_t)p % 8);
        memset(p, (int)(pieces.size() + 1), size);
        pieces.push_back({p, size});
    }
    for (uint32_t i = 0; i < 5000; ++i) {
        NameRecord* r = arena.New<NameRecord>();
        r->name = arena.StrDup(i % 2 ? L"odd" : nullptr);
        r->value = i;
        EngineListAppend(list, r);
    }
    for (size_t i = 0; i < pieces.size(); ++i)
        for (size_t k = 0; k < pieces[i].second; k += 997)
            ASSERT_EQ((int)(i + 1), pieces[i].first[k]) << "piece " << i;
    uint32_t expected = 0;
    for (NameRecord* r = list.head; r; r = r->next, ++expected) {
        EXPECT_STREQ(r->name, expected % 2 ? L"odd" : L"");
        EXPECT_EQ(r->value, expected);
    }
    EXPECT_EQ(5000u, expected);
    EXPECT_GE(arena.ReservedBytes(), 3040000u);

    EngineListReset(list, arena);
    EXPECT_EQ(list.head, nullptr);
    EXPECT_EQ(list.tail, nullptr);
    EXPECT_EQ(list.count, 0u);
    EXPECT_EQ(0u, arena.ReservedBytes());
    EngineListReset(list, arena);
    EXPECT_EQ(0u, (uintptr_t)arena.Alloc(2) % 8);
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

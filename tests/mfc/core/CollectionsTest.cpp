// Collections: array growth, insertion past the end, map hashing and
// iteration order, and removal while iterating.
#include <afx.h>
#include <afxtempl.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

// Exposes the allocated capacity of an array.
template <class BASE>
class CapacityProbe : public BASE
{
public:
    INT_PTR Capacity() const { return this->m_nMaxSize; }
};

// Capacities seen while adding elements one at a time.
template <class ARRAY, class T>
std::vector<INT_PTR> CapacitiesWhileAdding(ARRAY& arr, int nCount, T value)
{
    std::vector<INT_PTR> seen;
    for (int i = 0; i < nCount; i++)
    {
        arr.Add(value);
        if (seen.empty() || seen.back() != arr.Capacity())
            seen.push_back(arr.Capacity());
    }
    return seen;
}

TEST(ArrayTest, DefaultGrowthIsAnEighthClampedToFourAnd1024)
{
    // Exact first allocation, then +4 until size/8 exceeds 4.
    const std::vector<INT_PTR> expected = {1, 5, 9, 13, 17, 21, 25, 29, 33, 37, 41, 46, 51, 57, 64, 72, 81, 91, 102};
    CapacityProbe<CPtrArray> ptrs;
    EXPECT_EQ(expected, CapacitiesWhileAdding(ptrs, 100, (void*)nullptr));
    CapacityProbe<CArray<int, int>> ints;
    EXPECT_EQ(expected, CapacitiesWhileAdding(ints, 100, 0));

    CapacityProbe<CPtrArray> big;
    big.SetSize(9000);
    EXPECT_EQ(9000, big.Capacity());
    big.Add(nullptr);
    EXPECT_EQ(9000 + 1024, big.Capacity());

    CapacityProbe<CDWordArray> fixedStep;
    fixedStep.SetSize(0, 100);
    fixedStep.Add(1);
    fixedStep.Add(2);
    EXPECT_EQ(101, fixedStep.Capacity());
}

TEST(ArrayTest, InsertRemoveAndGrowPastTheEnd)
{
    CArray<int, int> arr;
    arr.Add(1);
    arr.Add(2);
    arr.InsertAt(5, 7);   // past the end: the gap is zero-filled
    EXPECT_EQ((std::vector<int>{1, 2, 0, 0, 0, 7}), std::vector<int>(arr.GetData(), arr.GetData() + arr.GetSize()));
    arr.InsertAt(1, 9, 2);
    EXPECT_EQ((std::vector<int>{1, 9, 9, 2, 0, 0, 0, 7}),
              std::vector<int>(arr.GetData(), arr.GetData() + arr.GetSize()));
    arr.RemoveAt(2, 4);
    EXPECT_EQ((std::vector<int>{1, 9, 0, 7}), std::vector<int>(arr.GetData(), arr.GetData() + arr.GetSize()));
    arr.SetAtGrow(6, 5);
    EXPECT_EQ(7, arr.GetSize());
    EXPECT_EQ(5, arr[6]);
    EXPECT_EQ(0, arr[5]);

    bool bThrown = false;
    try
    {
        arr.RemoveAt(5, 3);   // beyond the end
    }
    catch (CInvalidArgException* e)
    {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
    EXPECT_EQ(7, arr.GetSize());
}

TEST(ArrayTest, AddingAnOwnElementSurvivesReallocation)
{
    CStringArray arr;
    arr.Add(L"first");
    arr.Add(arr[0]);        // reallocates while the argument points into the array
    arr.InsertAt(0, arr[1]);
    arr.SetAtGrow(9, arr[2]);
    ASSERT_EQ(10, arr.GetSize());
    EXPECT_STREQ(L"first", arr[0]);
    EXPECT_STREQ(L"first", arr[1]);
    EXPECT_STREQ(L"first", arr[2]);
    EXPECT_STREQ(L"", arr[5]);
    EXPECT_STREQ(L"first", arr[9]);
}

template <class MAP, class KEY, class VALUE>
std::vector<KEY> Keys(const MAP& map)
{
    std::vector<KEY> keys;
    POSITION pos = map.GetStartPosition();
    while (pos != NULL)
    {
        KEY key{};
        VALUE value{};
        map.GetNextAssoc(pos, key, value);
        keys.push_back(key);
    }
    return keys;
}

TEST(MapTest, IterationFollowsBucketsAndNewestFirst)
{
    // Buckets are (key >> 4) % size; a new key goes to the head of its bucket.
    struct Case
    {
        UINT nHashSize;
        std::vector<int> expected;
    };
    const Case cases[] = {
        // 17: bucket 0 {5, 0x115}, 1 {0x15, 0x10, 300}, 2 {0x20}
        {17, {0x115, 5, 300, 0x10, 0x15, 0x20}},
        // 7: bucket 0 {5}, 1 {0x15, 0x10}, 2 {0x20}, 3 {0x115}, 4 {300}
        {7, {5, 0x10, 0x15, 0x20, 0x115, 300}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nHashSize);
        CMap<int, int, int, int> map;
        map.InitHashTable(c.nHashSize);
        for (int key : {5, 0x15, 0x115, 0x20, 0x10, 300})
            map[key] = key * 2;
        map.SetAt(5, 1);   // updating keeps the position
        EXPECT_EQ(c.expected, (Keys<CMap<int, int, int, int>, int, int>(map)));
        int value = 0;
        EXPECT_TRUE(map.Lookup(5, value));
        EXPECT_EQ(1, value);
        EXPECT_FALSE(map.Lookup(6, value));
    }
}

TEST(MapTest, PointerAndStringKeysHashLikeTheFramework)
{
    CMapPtrToPtr ptrs;
    ptrs.InitHashTable(17);
    for (UINT_PTR p : {0x1000u, 0x1010u, 0x1110u, 0x2000u})
        ptrs[(void*)p] = (void*)p;
    // 0x100 % 17 = 1, 0x101 % 17 = 2, 0x111 % 17 = 1, 0x200 % 17 = 2
    std::vector<void*> expected = {(void*)0x1110, (void*)0x1000, (void*)0x2000, (void*)0x1010};
    EXPECT_EQ(expected, (Keys<CMapPtrToPtr, void*, void*>(ptrs)));

    // "a" = 97 (bucket 12), "b" = 98 (13), "ab" = 97 * 33 + 98 = 3299 (1)
    CMapStringToPtr strings;
    strings[L"a"] = nullptr;
    strings[L"b"] = nullptr;
    strings[L"ab"] = nullptr;
    std::vector<CString> keys = Keys<CMapStringToPtr, CString, void*>(strings);
    ASSERT_EQ(3u, keys.size());
    EXPECT_STREQ(L"ab", keys[0]);
    EXPECT_STREQ(L"a", keys[1]);
    EXPECT_STREQ(L"b", keys[2]);

    LPCTSTR pStoredKey = nullptr;
    EXPECT_TRUE(strings.LookupKey(L"ab", pStoredKey));
    EXPECT_STREQ(L"ab", pStoredKey);

    CMap<CString, LPCTSTR, CString, LPCTSTR> names;
    names[L"key"] = L"value";
    CString value;
    EXPECT_TRUE(names.Lookup(L"key", value));
    EXPECT_STREQ(L"value", value);
}

TEST(MapTest, RemovingTheReturnedEntryWhileIterating)
{
    CMap<int, int, int, int> map;
    map.InitHashTable(17);
    for (int key = 0; key < 100; key += 3)
        map[key] = key;

    // Remove the even keys during one pass.
    POSITION pos = map.GetStartPosition();
    int nVisited = 0;
    while (pos != NULL)
    {
        int key, value;
        map.GetNextAssoc(pos, key, value);
        nVisited++;
        if (key % 2 == 0)
        {
            EXPECT_TRUE(map.RemoveKey(key));
        }
    }
    EXPECT_EQ(34, nVisited);
    EXPECT_EQ(17, map.GetCount());
    for (int key : Keys<CMap<int, int, int, int>, int, int>(map))
        EXPECT_EQ(1, key % 2);

    // Remove the rest the same way: the map ends empty and is usable again.
    pos = map.GetStartPosition();
    while (pos != NULL)
    {
        int key, value;
        map.GetNextAssoc(pos, key, value);
        map.RemoveKey(key);
    }
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ((POSITION)NULL, map.GetStartPosition());
    EXPECT_FALSE(map.RemoveKey(3));
    map[0x30] = 1;
    map[0x10] = 2;
    EXPECT_EQ((std::vector<int>{0x10, 0x30}), (Keys<CMap<int, int, int, int>, int, int>(map)));
}

template <class LIST>
std::vector<int> Values(const LIST& list)
{
    std::vector<int> values;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        values.push_back(list.GetNext(pos));
    return values;
}

TEST(ListTest, RemoveWhileIteratingAndInsertAround)
{
    CList<int, int> list;
    for (int i = 1; i <= 25; i++)   // more than two blocks of nodes
        list.AddTail(i);
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    {
        POSITION posCur = pos;
        if (list.GetNext(pos) % 5 != 0)
            list.RemoveAt(posCur);
    }
    EXPECT_EQ((std::vector<int>{5, 10, 15, 20, 25}), Values(list));

    list.InsertBefore(list.GetHeadPosition(), 1);
    list.InsertAfter(list.FindIndex(2), 11);
    list.InsertBefore(NULL, 0);   // NULL: at the head
    list.InsertAfter(NULL, 99);   // NULL: at the tail
    EXPECT_EQ((std::vector<int>{0, 1, 5, 10, 11, 15, 20, 25, 99}), Values(list));
    EXPECT_EQ((POSITION)NULL, list.FindIndex(9));
    EXPECT_EQ((POSITION)NULL, list.FindIndex(-1));

    POSITION posTen = list.Find(10);
    ASSERT_NE((POSITION)NULL, posTen);
    EXPECT_EQ((POSITION)NULL, list.Find(10, posTen));
    EXPECT_EQ(0, list.RemoveHead());
    EXPECT_EQ(99, list.RemoveTail());

    list.AddTail(&list);   // doubles, and ends
    EXPECT_EQ(14, list.GetCount());

    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    {
        POSITION posCur = pos;
        list.GetNext(pos);
        list.RemoveAt(posCur);
    }
    EXPECT_TRUE(list.IsEmpty());
    list.AddHead(3);
    list.AddHead(2);
    EXPECT_EQ((std::vector<int>{2, 3}), Values(list));
}

TEST(ListTest, TypedPointerListsAndStringLists)
{
    CStringList strings;
    strings.AddTail(L"b");
    strings.AddHead(CString(L"a"));
    EXPECT_EQ(strings.GetHeadPosition(), strings.Find(L"a"));
    EXPECT_EQ((POSITION)NULL, strings.Find(L"A"));   // case-sensitive

    int a = 1, b = 2;
    CTypedPtrList<CPtrList, int*> ptrs;
    ptrs.AddTail(&a);
    ptrs.AddTail(&b);
    POSITION pos = ptrs.GetHeadPosition();
    EXPECT_EQ(&a, ptrs.GetNext(pos));
    EXPECT_EQ(&b, ptrs.GetNext(pos));
    EXPECT_EQ(pos, ptrs.Find(nullptr));
}

}  // namespace

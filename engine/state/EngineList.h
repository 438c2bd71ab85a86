// The shape every engine list follows: fixed-size records with their own
// UTF-16 name copies, a head, a tail and a count, appended at the tail and
// freed as a whole by a reset. The result lists of a run take their records
// and names from an arena of their own (large blocks, freed at once by the
// list's reset, which the engine's run reset calls); the user's choices
// (the chosen signatures) are malloc'd one by one.
#pragma once

#include <stddef.h>
#include <stdlib.h>

#include <stdint.h>

#include <algorithm>
#include <unordered_map>
#include <vector>

// Allocation for engine records and name copies. On failure it tells the
// user "Out of memory, close other applications and run again" and ends the
// process, so no caller ever sees a null result.
void* EngineAlloc(size_t size);
wchar_t* EngineStrDup(const wchar_t* text);

// Memory handed out in order from large blocks and given back only as a
// whole. Pieces are 8-byte aligned and live until Release; a record that is
// unlinked or a name that is replaced keeps its bytes until then. Not
// thread-safe: one list family is filled by one thread at a time.
class CEngineArena
{
public:
    CEngineArena() = default;
    CEngineArena(const CEngineArena&) = delete;
    CEngineArena& operator=(const CEngineArena&) = delete;
    ~CEngineArena() { Release(); }

    // size bytes (at least 1), uninitialised. Ends the process as
    // EngineAlloc does when memory runs out.
    void* Alloc(size_t size);
    // A copy of text (null: an empty text).
    wchar_t* StrDup(const wchar_t* text);
    template <class Record>
    Record* New()
    {
        return (Record*)Alloc(sizeof(Record));
    }
    // Frees every block.
    void Release();
    // Bytes held in blocks (used or not).
    size_t ReservedBytes() const { return m_reserved; }

private:
    struct Block
    {
        Block* next;
        size_t size;  // bytes after the header
    };
    Block* m_blocks = nullptr;
    unsigned char* m_free = nullptr;  // next free byte of the newest block
    size_t m_left = 0;                // bytes left in it
    size_t m_reserved = 0;
};

template <class Record>
struct EngineList
{
    Record* head;
    Record* tail;
    unsigned count;
};

// Links a record (already filled in) after the tail.
template <class Record>
void EngineListAppend(EngineList<Record>& list, Record* record)
{
    record->next = nullptr;
    if (list.tail)
        list.tail->next = record;
    else
        list.head = record;
    list.tail = record;
    ++list.count;
}

// Frees every record after freeFields(record) has released its strings;
// leaves the list empty. Safe on an empty list.
template <class Record, class FreeFields>
void EngineListReset(EngineList<Record>& list, FreeFields freeFields)
{
    Record* r = list.head;
    while (r) {
        Record* next = r->next;
        freeFields(r);
        free(r);
        r = next;
    }
    list.head = list.tail = nullptr;
    list.count = 0;
}

// Empties a list whose records live in arena, and releases the arena.
template <class Record>
void EngineListReset(EngineList<Record>& list, CEngineArena& arena)
{
    list.head = list.tail = nullptr;
    list.count = 0;
    arena.Release();
}

// Unlinks record, whose predecessor is prev (null for the head), without
// freeing it.
template <class Record>
void EngineListUnlink(EngineList<Record>& list, Record* prev, Record* record)
{
    if (prev)
        prev->next = record->next;
    else
        list.head = record->next;
    if (list.tail == record)
        list.tail = prev;
    record->next = nullptr;
    --list.count;
}

// Relinks the records in the order less gives, records that compare equal
// keeping their order.
template <class Record, class Less>
void EngineListStableSort(EngineList<Record>& list, Less less)
{
    std::vector<Record*> records;
    records.reserve(list.count);
    for (Record* r = list.head; r; r = r->next)
        records.push_back(r);
    std::stable_sort(records.begin(), records.end(), less);
    list.head = list.tail = nullptr;
    list.count = 0;
    for (Record* r : records)
        EngineListAppend(list, r);
}

// Records of a list by their result-tree item, so that saving finds each
// marked folder's record in one step. The tree builder stores each item
// through Store, which keeps the record's treeItem field and the index
// together; a record given a new item (the tree was built again) leaves its
// old one.
template <class Record>
class CTreeItemIndex
{
public:
    void Store(Record* record, uint32_t item)
    {
        ++m_steps;
        auto old = m_records.find(record->treeItem);
        if (old != m_records.end() && old->second == record)
            m_records.erase(old);
        record->treeItem = item;
        if (item)
            m_records[item] = record;
    }
    Record* Find(uint32_t item)
    {
        ++m_steps;
        auto it = m_records.find(item);
        return item && it != m_records.end() && it->second->treeItem == item ? it->second : nullptr;
    }
    void Clear() { m_records.clear(); }
    // Stores and lookups over the index's life: the cost.
    uint64_t Steps() const { return m_steps; }

private:
    std::unordered_map<uint32_t, Record*> m_records;
    uint64_t m_steps = 0;
};

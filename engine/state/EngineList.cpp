#include "state/EngineList.h"

#include <wchar.h>
#include <windows.h>

#include "msg/MessageSink.h"

namespace {

[[noreturn]] void OutOfMemory()
{
    ShowMessage(L"Out of memory, close other applications and run again", MessageKindError);
    ExitProcess(0);
}

}  // namespace

void* EngineAlloc(size_t size)
{
    void* p = malloc(size ? size : 1);
    if (!p)
        OutOfMemory();
    return p;
}

namespace {

// Characters of text with its terminator (null: the empty text).
size_t TextUnits(const wchar_t*& text)
{
    if (!text)
        text = L"";
    size_t n = wcslen(text) + 1;
    if (n > (size_t)-1 / sizeof(wchar_t))
        OutOfMemory();
    return n;
}

// The first block of an arena; each further one twice the last, up to the
// largest (a big request gets a block of its own size).
const size_t FirstArenaBlock = 16 * 1024;
const size_t LargestArenaBlock = 1024 * 1024;

}  // namespace

wchar_t* EngineStrDup(const wchar_t* text)
{
    size_t n = TextUnits(text);
    wchar_t* copy = (wchar_t*)EngineAlloc(n * sizeof(wchar_t));
    wmemcpy(copy, text, n);
    return copy;
}

void* CEngineArena::Alloc(size_t size)
{
    if (size > (size_t)-1 / 2)
        OutOfMemory();
    size = (size + 7) & ~(size_t)7;
    if (size == 0)
        size = 8;
    if (size > m_left) {
        size_t blockSize = m_blocks ? m_blocks->size * 2 : FirstArenaBlock;
        if (blockSize > LargestArenaBlock)
            blockSize = LargestArenaBlock;
        if (blockSize < size)
            blockSize = size;
        // The header takes 8 bytes so that every piece stays 8-byte aligned.
        const size_t header = (sizeof(Block) + 7) & ~(size_t)7;
        Block* block = (Block*)EngineAlloc(header + blockSize);
        block->next = m_blocks;
        block->size = blockSize;
        m_blocks = block;
        m_free = (unsigned char*)block + header;
        m_left = blockSize;
        m_reserved += blockSize;
    }
    void* p = m_free;
    m_free += size;
    m_left -= size;
    return p;
}

wchar_t* CEngineArena::StrDup(const wchar_t* text)
{
    size_t n = TextUnits(text);
    wchar_t* copy = (wchar_t*)Alloc(n * sizeof(wchar_t));
    wmemcpy(copy, text, n);
    return copy;
}

void CEngineArena::Release()
{
    while (m_blocks) {
        Block* next = m_blocks->next;
        free(m_blocks);
        m_blocks = next;
    }
    m_free = nullptr;
    m_left = 0;
    m_reserved = 0;
}

#include "VZPGuardedCall.h"

#include <setjmp.h>

// GCC for 32-bit Windows has no __try/__except. The guard links its own
// registration record at the head of the thread's exception chain (fs:[0]):
// when the call faults, the system calls GuardHandler, which jumps back to
// the setjmp below. The runtime's longjmp unwinds the chain down to the
// record that was current at setjmp, so fs:[0] is consistent again when
// control returns here; it is restored explicitly in both cases all the same.

namespace {

// The first two fields are the system's EXCEPTION_REGISTRATION_RECORD; the
// handler finds the jump buffer behind them through its frame argument.
struct GuardRecord
{
    GuardRecord* pNext;
    void* pfnHandler;
    jmp_buf* pJump;
};

// The head of this thread's exception-registration chain lives at fs:[0].
void* ChainHead()
{
    void* pHead;
    __asm__ __volatile__("movl %%fs:0, %0" : "=r"(pHead));
    return pHead;
}

void SetChainHead(void* pHead)
{
    __asm__ __volatile__("movl %0, %%fs:0" : : "r"(pHead) : "memory");
}

extern "C" EXCEPTION_DISPOSITION __cdecl GuardHandler(EXCEPTION_RECORD* pRecord, void* pFrame, CONTEXT*, void*)
{
    // During an unwind the system only tells the frame it is being left.
    if (pRecord->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
        return ExceptionContinueSearch;
    longjmp(*static_cast<GuardRecord*>(pFrame)->pJump, 1);
}

}  // namespace

BOOL VZPCallGuarded(void (*pfnCall)(void*), void* pContext)
{
    jmp_buf jump;
    // volatile: these are read after longjmp returns to the setjmp.
    volatile GuardRecord record = { NULL, reinterpret_cast<void*>(&GuardHandler), &jump };
    void* const pPrevious = ChainHead();
    volatile BOOL bCompleted = FALSE;
    if (setjmp(jump) == 0)
    {
        record.pNext = static_cast<GuardRecord*>(pPrevious);
        SetChainHead(const_cast<GuardRecord*>(&record));
        pfnCall(pContext);
        bCompleted = TRUE;
    }
    SetChainHead(pPrevious);
    return bCompleted;
}

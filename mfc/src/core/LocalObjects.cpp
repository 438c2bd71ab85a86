// Process-wide locks, thread-local and process-local objects.
#include "CoreImpl.h"

#include <algorithm>
#include <vector>

// ---------------------------------------------------------------------------
// Global locks. Made on first use and never destroyed: static objects may
// take them during start-up and exit, in any order.

static CAfxLock& GlobalLock(int nLockType)
{
    static CAfxLock* s_locks = new CAfxLock[CRIT_MAX];
    if (nLockType < 0 || nLockType >= CRIT_MAX)
        AfxThrowInvalidArgException();
    return s_locks[nLockType];
}

void AFXAPI AfxLockGlobals(int nLockType)
{
    GlobalLock(nLockType).Lock();
}

void AFXAPI AfxUnlockGlobals(int nLockType)
{
    GlobalLock(nLockType).Unlock();
}

// ---------------------------------------------------------------------------
// Thread-local objects. Each thread keeps its objects in creation order; all
// threads' lists are registered so that a CThreadLocal going away can delete
// its objects on every thread. One lock guards every list: lookups are short
// and objects are deleted outside it (a destructor may use other locals).

namespace {

struct CLocalSlot
{
    const CThreadLocalObject* pOwner;
    void* pData;
    AFX_PFNLOCALDELETE pfnDelete;
};

CAfxLock& SlotLock()
{
    static CAfxLock* s_pLock = new CAfxLock;
    return *s_pLock;
}

struct CThreadSlots;

std::vector<CThreadSlots*>& AllThreadSlots()
{
    static std::vector<CThreadSlots*>* s_pList = new std::vector<CThreadSlots*>;
    return *s_pList;
}

// Removes and returns the newest slot of slots that matches pOwner (any slot
// when pOwner is NULL); pData is NULL when there is none. Caller holds the lock.
CLocalSlot TakeNewest(std::vector<CLocalSlot>& slots, const CThreadLocalObject* pOwner)
{
    for (size_t i = slots.size(); i-- > 0;)
    {
        if (pOwner == NULL || slots[i].pOwner == pOwner)
        {
            CLocalSlot slot = slots[i];
            slots.erase(slots.begin() + (ptrdiff_t)i);
            return slot;
        }
    }
    return CLocalSlot{NULL, NULL, NULL};
}

struct CThreadSlots
{
    std::vector<CLocalSlot> m_slots;

    CThreadSlots()
    {
        CAfxLockGuard guard(SlotLock());
        AllThreadSlots().push_back(this);
    }
    ~CThreadSlots()
    {
        DestroyAll();
        CAfxLockGuard guard(SlotLock());
        auto& all = AllThreadSlots();
        all.erase(std::remove(all.begin(), all.end(), this), all.end());
    }
    // Newest first; objects a destructor makes meanwhile go as well.
    void DestroyAll()
    {
        for (;;)
        {
            CLocalSlot slot;
            {
                CAfxLockGuard guard(SlotLock());
                slot = TakeNewest(m_slots, NULL);
            }
            if (slot.pData == NULL)
                return;
            slot.pfnDelete(slot.pData);
        }
    }
};

// The calling thread's list lives on the heap. It goes when the thread ends:
// for any thread through the loader's thread-detach callback below, and for
// the main thread at exit through a thread_local owner the C++ run-time
// destroys. Asked for after that, a thread gets a new list, which the
// CThreadLocal destructors still empty.
thread_local CThreadSlots* t_pSlots = NULL;

void ReleaseThreadSlots()
{
    CThreadSlots* pSlots = t_pSlots;
    if (pSlots != NULL)
    {
        pSlots->DestroyAll();   // destructors may still look at other locals
        t_pSlots = NULL;
        delete pSlots;
    }
}

struct CThreadSlotsOwner
{
    ~CThreadSlotsOwner() { ReleaseThreadSlots(); }
};

// At a thread's end the run-time releases the thread's thread_local
// variables before it runs the thread_local destructors, so the owner above
// would find t_pSlots NULL and leave the objects alive. The loader calls a
// program's TLS callbacks as every thread ends; this one runs while the
// thread's storage is still in place (before the thread library's own
// callback, which is in .CRT$XLF).
void NTAPI OnThreadDetach(PVOID, DWORD dwReason, PVOID)
{
    if (dwReason == DLL_THREAD_DETACH)
        ReleaseThreadSlots();
}

}  // namespace

extern "C" __attribute__((section(".CRT$XLE"), used)) const PIMAGE_TLS_CALLBACK g_pfnAfxThreadLocalsDetach =
    &OnThreadDetach;

namespace {

CThreadSlots* ThreadSlots()
{
    if (t_pSlots == NULL)
    {
        static thread_local CThreadSlotsOwner s_owner;
        (void)s_owner;
        t_pSlots = new CThreadSlots;
    }
    return t_pSlots;
}

}  // namespace

void* CThreadLocalObject::GetData(AFX_PFNLOCALCREATE pfnCreate, AFX_PFNLOCALDELETE pfnDelete)
{
    void* pData = GetDataNA();
    if (pData != NULL)
        return pData;
    // Made outside the lock: the constructor may ask for other locals.
    pData = pfnCreate();
    CThreadSlots* pSlots = ThreadSlots();
    CAfxLockGuard guard(SlotLock());
    pSlots->m_slots.push_back(CLocalSlot{this, pData, pfnDelete});
    return pData;
}

void* CThreadLocalObject::GetDataNA() const
{
    CThreadSlots* pSlots = t_pSlots;
    if (pSlots == NULL)
        return NULL;
    CAfxLockGuard guard(SlotLock());
    for (const CLocalSlot& slot : pSlots->m_slots)
    {
        if (slot.pOwner == this)
            return slot.pData;
    }
    return NULL;
}

CThreadLocalObject::~CThreadLocalObject()
{
    for (;;)
    {
        CLocalSlot slot{NULL, NULL, NULL};
        {
            CAfxLockGuard guard(SlotLock());
            for (CThreadSlots* pSlots : AllThreadSlots())
            {
                slot = TakeNewest(pSlots->m_slots, this);
                if (slot.pData != NULL)
                    break;
            }
        }
        if (slot.pData == NULL)
            return;
        slot.pfnDelete(slot.pData);
    }
}

void AFXAPI AfxTermThreadLocals()
{
    if (t_pSlots != NULL)
        t_pSlots->DestroyAll();
}

// ---------------------------------------------------------------------------
// Process-local objects

void* CProcessLocalObject::GetData(AFX_PFNLOCALCREATE pfnCreate, AFX_PFNLOCALDELETE pfnDelete)
{
    void* pObject = m_pObject.load(std::memory_order_acquire);
    if (pObject != NULL)
        return pObject;
    AfxLockGlobals(CRIT_PROCESSLOCAL);
    pObject = m_pObject.load(std::memory_order_relaxed);
    if (pObject == NULL)
    {
        try
        {
            pObject = pfnCreate();
        }
        catch (...)
        {
            AfxUnlockGlobals(CRIT_PROCESSLOCAL);
            throw;
        }
        m_pfnDelete = pfnDelete;
        m_pObject.store(pObject, std::memory_order_release);
    }
    AfxUnlockGlobals(CRIT_PROCESSLOCAL);
    return pObject;
}

CProcessLocalObject::~CProcessLocalObject()
{
    void* pObject = m_pObject.exchange(NULL);
    if (pObject != NULL)
        m_pfnDelete(pObject);
}

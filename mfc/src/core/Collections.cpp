// Run-time classes of the typed collections, the block allocator and the
// string hash used by the maps.
#include <afx.h>

IMPLEMENT_SERIAL(CByteArray, CObject, 0)
IMPLEMENT_SERIAL(CWordArray, CObject, 0)
IMPLEMENT_SERIAL(CDWordArray, CObject, 0)
IMPLEMENT_DYNAMIC(CUIntArray, CObject)
IMPLEMENT_DYNAMIC(CPtrArray, CObject)
IMPLEMENT_SERIAL(CObArray, CObject, 0)
IMPLEMENT_SERIAL(CStringArray, CObject, 0)
IMPLEMENT_DYNAMIC(CPtrList, CObject)
IMPLEMENT_SERIAL(CObList, CObject, 0)
IMPLEMENT_SERIAL(CStringList, CObject, 0)
IMPLEMENT_DYNAMIC(CMapWordToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapPtrToWord, CObject)
IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)
IMPLEMENT_SERIAL(CMapWordToOb, CObject, 0)
IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)
IMPLEMENT_SERIAL(CMapStringToOb, CObject, 0)
IMPLEMENT_SERIAL(CMapStringToString, CObject, 0)

void* AFXAPI AfxCollAlloc(UINT_PTR nCount, UINT_PTR cbElement)
{
    if (cbElement != 0 && nCount > ((UINT_PTR)-1 / 2) / cbElement)
        AfxThrowMemoryException();
    void* p = ::operator new(nCount * cbElement, std::nothrow);
    if (p == NULL)
        AfxThrowMemoryException();
    return p;
}

void AFXAPI AfxCollFree(void* p)
{
    ::operator delete(p);
}

CPlex* PASCAL CPlex::Create(CPlex*& pHead, UINT_PTR nMax, UINT_PTR cbElement)
{
    if (nMax == 0 || cbElement == 0 || nMax > ((UINT_PTR)-1 / 2 - sizeof(CPlex)) / cbElement)
        AfxThrowMemoryException();
    CPlex* p = (CPlex*)AfxCollAlloc(1, sizeof(CPlex) + nMax * cbElement);
    p->pNext = pHead;
    pHead = p;
    return p;
}

void CPlex::FreeDataChain()
{
    CPlex* p = this;
    while (p != NULL)
    {
        CPlex* pNext = p->pNext;
        AfxCollFree(p);
        p = pNext;
    }
}

UINT AFXAPI _AfxHashString(LPCWSTR key)
{
    UINT nHash = 0;
    if (key != NULL)
    {
        while (*key)
            nHash = (nHash << 5) + nHash + *key++;
    }
    return nHash;
}

UINT AFXAPI _AfxHashString(LPCSTR key)
{
    UINT nHash = 0;
    if (key != NULL)
    {
        while (*key)
            nHash = (nHash << 5) + nHash + (BYTE)*key++;
    }
    return nHash;
}

// afxplex_.h - CPlex, the block allocator behind the lists and maps.
//
// Nodes are carved from blocks of nBlockSize elements chained together; a
// collection frees its blocks all at once when it becomes empty.
#pragma once
#ifndef __AFXPLEX_H__
#define __AFXPLEX_H__

#ifndef __AFX_H__
#include <afx.h>
#endif

struct CPlex
{
    CPlex* pNext;
    DWORD dwReserved[1];   // keeps the elements 8-byte aligned

    void* data() { return this + 1; }

    // Allocates a block for nMax elements of cbElement bytes and puts it at
    // the head of the chain; throws CMemoryException on failure.
    static CPlex* PASCAL Create(CPlex*& head, UINT_PTR nMax, UINT_PTR cbElement);
    void FreeDataChain();   // frees this block and the ones after it
};

// Allocation for the collections: throws CMemoryException instead of
// returning NULL, also when nCount * cbElement overflows.
void* AFXAPI AfxCollAlloc(UINT_PTR nCount, UINT_PTR cbElement);
void AFXAPI AfxCollFree(void* p);

#endif // __AFXPLEX_H__

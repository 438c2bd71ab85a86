// afxcoll.h - the framework's typed collections (arrays, lists and maps of
// pointers, objects, strings and integers), built on the templates of
// afxtempl.h so that they grow, hash and iterate the same way.
#pragma once
#ifndef __AFXCOLL_H__
#define __AFXCOLL_H__

#ifndef __AFX_H__
#include <afx.h>
#endif
#include <afxtempl.h>

// ---------------------------------------------------------------------------
// Arrays

class CByteArray : public CArray<BYTE, BYTE>
{
    DECLARE_SERIAL(CByteArray)
};

class CWordArray : public CArray<WORD, WORD>
{
    DECLARE_SERIAL(CWordArray)
};

class CDWordArray : public CArray<DWORD, DWORD>
{
    DECLARE_SERIAL(CDWordArray)
};

class CUIntArray : public CArray<UINT, UINT>
{
    DECLARE_DYNAMIC(CUIntArray)
};

class CPtrArray : public CArray<void*, void*>
{
    DECLARE_DYNAMIC(CPtrArray)
};

class CObArray : public CArray<CObject*, CObject*>
{
    DECLARE_SERIAL(CObArray)
};

class CStringArray : public CArray<CString, const CString&>
{
    DECLARE_SERIAL(CStringArray)
public:
    INT_PTR Add(LPCTSTR newElement) { return CArray::Add(CString(newElement)); }
    INT_PTR Add(const CString& newElement) { return CArray::Add(newElement); }
};

// ---------------------------------------------------------------------------
// Lists

class CPtrList : public CList<void*, void*>
{
    DECLARE_DYNAMIC(CPtrList)
public:
    explicit CPtrList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
};

class CObList : public CList<CObject*, CObject*>
{
    DECLARE_SERIAL(CObList)
public:
    explicit CObList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
};

class CStringList : public CList<CString, const CString&>
{
    DECLARE_SERIAL(CStringList)
public:
    explicit CStringList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}

    using CList::AddHead;
    using CList::AddTail;
    POSITION AddHead(LPCTSTR newElement) { return CList::AddHead(CString(newElement)); }
    POSITION AddTail(LPCTSTR newElement) { return CList::AddTail(CString(newElement)); }
};

// ---------------------------------------------------------------------------
// Maps

class CMapWordToPtr : public CMap<WORD, WORD, void*, void*>
{
    DECLARE_DYNAMIC(CMapWordToPtr)
public:
    explicit CMapWordToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapPtrToWord : public CMap<void*, void*, WORD, WORD>
{
    DECLARE_DYNAMIC(CMapPtrToWord)
public:
    explicit CMapPtrToWord(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapPtrToPtr : public CMap<void*, void*, void*, void*>
{
    DECLARE_DYNAMIC(CMapPtrToPtr)
public:
    explicit CMapPtrToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapWordToOb : public CMap<WORD, WORD, CObject*, CObject*>
{
    DECLARE_SERIAL(CMapWordToOb)
public:
    explicit CMapWordToOb(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

// String-keyed maps also hand out the stored key (LookupKey).
template <class VALUE, class ARG_VALUE>
class CMapStringTo : public CMap<CString, LPCTSTR, VALUE, ARG_VALUE>
{
    typedef CMap<CString, LPCTSTR, VALUE, ARG_VALUE> Base;

public:
    explicit CMapStringTo(INT_PTR nBlockSize = 10) : Base(nBlockSize) {}

    BOOL LookupKey(LPCTSTR key, LPCTSTR& rKey) const
    {
        if (this->m_pHashTable == NULL)
            return FALSE;
        UINT nHash = ::HashKey<LPCTSTR>(key) % this->m_nHashTableSize;
        for (typename Base::CAssoc* pAssoc = this->m_pHashTable[nHash]; pAssoc != NULL; pAssoc = pAssoc->pNext)
        {
            if (pAssoc->key == key)
            {
                rKey = pAssoc->key;
                return TRUE;
            }
        }
        return FALSE;
    }
};

class CMapStringToPtr : public CMapStringTo<void*, void*>
{
    DECLARE_DYNAMIC(CMapStringToPtr)
public:
    explicit CMapStringToPtr(INT_PTR nBlockSize = 10) : CMapStringTo(nBlockSize) {}
};

class CMapStringToOb : public CMapStringTo<CObject*, CObject*>
{
    DECLARE_SERIAL(CMapStringToOb)
public:
    explicit CMapStringToOb(INT_PTR nBlockSize = 10) : CMapStringTo(nBlockSize) {}
};

class CMapStringToString : public CMapStringTo<CString, LPCTSTR>
{
    DECLARE_SERIAL(CMapStringToString)
public:
    explicit CMapStringToString(INT_PTR nBlockSize = 10) : CMapStringTo(nBlockSize) {}
};

#endif // __AFXCOLL_H__

// afxcom_.h - COM interfaces of command targets: interface maps
// (DECLARE_INTERFACE_MAP, BEGIN_INTERFACE_PART...) and their lookup.
#pragma once
#ifndef __AFXCOM__H__
#define __AFXCOM__H__

#ifndef __AFXWIN_H__
#include <afxwin.h>
#endif

// One interface of a map: its IID and the offset of the object implementing
// it from the CCmdTarget part of the owner.
struct AFX_INTERFACEMAP_ENTRY
{
    const void* piid;   // NULL ends the map
    size_t nOffset;
};

struct AFX_INTERFACEMAP
{
    const AFX_INTERFACEMAP* (PASCAL* pfnGetBaseMap)();   // NULL at the root
    const AFX_INTERFACEMAP_ENTRY* pEntry;
};

// Offset of a member from the start of theClass, and from its CCmdTarget part.
#define AFX_MEMBER_OFFSET(theClass, member) \
    ((size_t)((const BYTE*)&(reinterpret_cast<const theClass*>(0x10000))->member - (const BYTE*)0x10000))
#define AFX_INTERFACE_OFFSET(theClass, member) \
    ((size_t)((const BYTE*)&(reinterpret_cast<const theClass*>(0x10000))->member - \
              (const BYTE*)static_cast<const CCmdTarget*>(reinterpret_cast<const theClass*>(0x10000))))

#define DECLARE_INTERFACE_MAP() \
public: \
    static const AFX_INTERFACEMAP* PASCAL GetThisInterfaceMap(); \
    const AFX_INTERFACEMAP* GetInterfaceMap() const override;

#define BEGIN_INTERFACE_MAP(theClass, theBase) \
    const AFX_INTERFACEMAP* theClass::GetInterfaceMap() const { return GetThisInterfaceMap(); } \
    const AFX_INTERFACEMAP* PASCAL theClass::GetThisInterfaceMap() \
    { \
        typedef theClass ThisClass; \
        typedef theBase TheBaseClass; \
        (void)sizeof(ThisClass*); \
        static const AFX_INTERFACEMAP_ENTRY _interfaceEntries[] = {

#define INTERFACE_PART(theClass, iid, localClass) \
            { &(iid), AFX_INTERFACE_OFFSET(theClass, m_x##localClass) },

#define END_INTERFACE_MAP() \
            { NULL, (size_t)-1 } \
        }; \
        static const AFX_INTERFACEMAP interfaceMap = { &TheBaseClass::GetThisInterfaceMap, &_interfaceEntries[0] }; \
        return &interfaceMap; \
    }

// A nested class implementing baseClass; its methods reach the owner through
// METHOD_PROLOGUE.
#define BEGIN_INTERFACE_PART(localClass, baseClass) \
    class X##localClass : public baseClass \
    { \
    public: \
        STDMETHOD_(ULONG, AddRef)() override; \
        STDMETHOD_(ULONG, Release)() override; \
        STDMETHOD(QueryInterface)(REFIID iid, LPVOID* ppvObj) override;

#define BEGIN_INTERFACE_PART_STATIC BEGIN_INTERFACE_PART
#define INIT_INTERFACE_PART(theClass, localClass)
#define INIT_INTERFACE_PART_DERIVE(theClass, localClass)

#define END_INTERFACE_PART(localClass) \
    } m_x##localClass; \
    friend class X##localClass;

#define END_INTERFACE_PART_STATIC END_INTERFACE_PART
#define END_INTERFACE_PART_OPTIONAL END_INTERFACE_PART

#define METHOD_PROLOGUE(theClass, localClass) \
    theClass* pThis = reinterpret_cast<theClass*>(reinterpret_cast<BYTE*>(this) - \
                                                  AFX_MEMBER_OFFSET(theClass, m_x##localClass)); \
    (void)pThis;
#define METHOD_PROLOGUE_(theClass, localClass) METHOD_PROLOGUE(theClass, localClass)
#define METHOD_PROLOGUE_EX(theClass, localClass) METHOD_PROLOGUE(theClass, localClass)
#define METHOD_PROLOGUE_EX_(theClass, localClass) METHOD_PROLOGUE(theClass, localClass)

#endif // __AFXCOM__H__

// The process-wide theme manager: one shared factory per factory class, so
// that every control of one kind shares one theme.
#pragma once

#include <afxcoll.h>
#include <afxwin.h>

class CVZThemeManagerStyleFactory;

class CVZThemeManager
{
public:
    CVZThemeManager();
    // Deletes the shared factories (their themes with them).
    virtual ~CVZThemeManager();
    CVZThemeManager(const CVZThemeManager&) = delete;
    CVZThemeManager& operator=(const CVZThemeManager&) = delete;

    // The class's shared factory, made with the class's CreateObject on the
    // first request; NULL (kept) when the class cannot be created by name.
    CVZThemeManagerStyleFactory* GetSharedFactory(CRuntimeClass* pFactoryClass);
    // Deletes every shared factory, as at exit; hosts bound to them are left
    // without a factory.
    void DeleteSharedFactories();

    CMapPtrToPtr m_mapSharedFactories;   // CRuntimeClass* -> factory
    int m_nStyle;                        // style number every shared factory makes
};

// The process-wide manager, made on first use and destroyed at exit.
CVZThemeManager* GetThemeManager();

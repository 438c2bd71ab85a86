#include "CVZThemeManager.h"

#include "CVZThemeManagerStyleFactory.h"

namespace {
PROCESS_LOCAL(CVZThemeManager, g_themeManager)
}  // namespace

CVZThemeManager::CVZThemeManager() : m_mapSharedFactories(10), m_nStyle(0)
{
}

CVZThemeManager::~CVZThemeManager()
{
    DeleteSharedFactories();
}

CVZThemeManagerStyleFactory* CVZThemeManager::GetSharedFactory(CRuntimeClass* pFactoryClass)
{
    void* pFactory = NULL;
    if (!m_mapSharedFactories.Lookup(pFactoryClass, pFactory))
    {
        CObject* pObject = pFactoryClass != NULL ? pFactoryClass->CreateObject() : NULL;
        CVZThemeManagerStyleFactory* pNew = dynamic_cast<CVZThemeManagerStyleFactory*>(pObject);
        if (pNew == NULL)
            delete pObject;   // not a factory class
        pFactory = pNew;
        m_mapSharedFactories.SetAt(pFactoryClass, pFactory);
    }
    return static_cast<CVZThemeManagerStyleFactory*>(pFactory);
}

void CVZThemeManager::DeleteSharedFactories()
{
    POSITION pos = m_mapSharedFactories.GetStartPosition();
    while (pos != NULL)
    {
        void* pKey = NULL;
        void* pFactory = NULL;
        m_mapSharedFactories.GetNextAssoc(pos, pKey, pFactory);
        delete static_cast<CVZThemeManagerStyleFactory*>(pFactory);
    }
    m_mapSharedFactories.RemoveAll();
}

CVZThemeManager* GetThemeManager()
{
    return g_themeManager.GetData();
}

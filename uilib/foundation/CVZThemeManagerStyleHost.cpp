#include "CVZThemeManagerStyleHost.h"

#include "CVZThemeManager.h"
#include "CVZThemeManagerStyle.h"
#include "CVZThemeManagerStyleFactory.h"

CVZThemeManagerStyleHost::CVZThemeManagerStyleHost(CRuntimeClass* pFactoryClass)
    : m_bOwnsPrivateFactory(FALSE),
      m_pFactoryClass(NULL),
      m_pPrivateFactory(NULL),
      m_pSharedFactory(NULL),
      m_pNextHost(NULL)
{
    if (pFactoryClass != NULL)
        SetFactoryClass(pFactoryClass);
}

CVZThemeManagerStyleHost::~CVZThemeManagerStyleHost()
{
    if (CVZThemeManagerStyleFactory* pFactory = GetFactory())
        pFactory->UnlinkHost(this);
    if (m_bOwnsPrivateFactory)
        delete m_pPrivateFactory;
}

CVZThemeManagerStyleFactory* CVZThemeManagerStyleHost::CreateFactory()
{
    if (m_pFactoryClass == NULL)
        return NULL;
    return dynamic_cast<CVZThemeManagerStyleFactory*>(m_pFactoryClass->CreateObject());
}

void CVZThemeManagerStyleHost::OnThemeChanged()
{
}

void CVZThemeManagerStyleHost::SetFactoryClass(CRuntimeClass* pFactoryClass)
{
    m_pFactoryClass = pFactoryClass;
    if (m_pPrivateFactory != NULL)
        return;   // the shared factory is looked up when the host returns to it
    if (m_pSharedFactory != NULL)
        m_pSharedFactory->UnlinkHost(this);
    m_pSharedFactory = GetThemeManager()->GetSharedFactory(pFactoryClass);
    if (m_pSharedFactory != NULL)
        m_pSharedFactory->LinkHost(this);
}

CVZThemeManagerStyleFactory* CVZThemeManagerStyleHost::GetFactory() const
{
    return m_pPrivateFactory != NULL ? m_pPrivateFactory : m_pSharedFactory;
}

CVZThemeManagerStyle* CVZThemeManagerStyleHost::GetTheme() const
{
    CVZThemeManagerStyleFactory* pFactory = GetFactory();
    return pFactory != NULL ? pFactory->GetTheme() : NULL;
}

void CVZThemeManagerStyleHost::SetTheme(CVZThemeManagerStyle* pTheme)
{
    if (m_pPrivateFactory == NULL && pTheme == NULL)
        return;
    if (CVZThemeManagerStyleFactory* pFactory = GetFactory())
        pFactory->UnlinkHost(this);
    if (m_bOwnsPrivateFactory)
        delete m_pPrivateFactory;
    m_pPrivateFactory = NULL;
    m_bOwnsPrivateFactory = FALSE;

    if (pTheme != NULL)
    {
        CVZThemeManagerStyleFactory* pFactory = CreateFactory();
        if (pFactory != NULL)
        {
            // While the host has a theme of its own it is on no shared
            // factory's list, so it keeps no pointer to one that could be
            // deleted behind its back.
            m_pPrivateFactory = pFactory;
            m_bOwnsPrivateFactory = TRUE;
            m_pSharedFactory = NULL;
            pFactory->SetTheme(pTheme);   // no host linked yet: nobody told twice
        }
        else
        {
            delete pTheme;   // nothing can hold it
        }
    }
    else if (m_pFactoryClass != NULL)
    {
        m_pSharedFactory = GetThemeManager()->GetSharedFactory(m_pFactoryClass);
    }
    OnThemeChanged();
    if (CVZThemeManagerStyleFactory* pFactory = GetFactory())
        pFactory->LinkHost(this);
}

void CVZThemeManagerStyleHost::ForgetFactory(CVZThemeManagerStyleFactory* pFactory)
{
    if (m_pSharedFactory == pFactory)
        m_pSharedFactory = NULL;
    if (m_pPrivateFactory == pFactory)
    {
        m_pPrivateFactory = NULL;
        m_bOwnsPrivateFactory = FALSE;
    }
}

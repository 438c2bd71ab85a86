#include "CVZThemeManagerStyleFactory.h"

#include "CVZThemeManager.h"
#include "CVZThemeManagerStyle.h"
#include "CVZThemeManagerStyleHost.h"

IMPLEMENT_DYNCREATE(CVZThemeManagerStyleFactory, CObject)

CVZThemeManagerStyleFactory::CVZThemeManagerStyleFactory() : m_pTheme(NULL), m_pHosts(NULL)
{
}

CVZThemeManagerStyleFactory::~CVZThemeManagerStyleFactory()
{
    delete m_pTheme;
    // Hosts may outlive the factory (the manager deletes its shared
    // factories at exit, before static or global controls go).
    while (m_pHosts != NULL)
    {
        CVZThemeManagerStyleHost* pHost = m_pHosts;
        m_pHosts = pHost->m_pNextHost;
        pHost->m_pNextHost = NULL;
        pHost->ForgetFactory(this);
    }
}

CVZThemeManagerStyle* CVZThemeManagerStyleFactory::CreateTheme(int /*nStyle*/)
{
    return NULL;
}

void CVZThemeManagerStyleFactory::RefreshMetrics()
{
    if (m_pTheme != NULL)
        m_pTheme->RefreshMetrics();
}

CVZThemeManagerStyle* CVZThemeManagerStyleFactory::GetTheme()
{
    if (m_pTheme == NULL)
    {
        CVZThemeManagerStyle* pTheme = CreateTheme(GetThemeManager()->m_nStyle);
        if (pTheme != NULL)
            AdoptTheme(pTheme);
    }
    return m_pTheme;
}

void CVZThemeManagerStyleFactory::SetTheme(CVZThemeManagerStyle* pTheme)
{
    if (pTheme != m_pTheme)
    {
        delete m_pTheme;
        m_pTheme = NULL;
        if (pTheme != NULL)
            AdoptTheme(pTheme);
    }
    for (CVZThemeManagerStyleHost* pHost = m_pHosts; pHost != NULL;)
    {
        CVZThemeManagerStyleHost* pNext = pHost->m_pNextHost;   // a host may rebind itself
        pHost->OnThemeChanged();
        pHost = pNext;
    }
}

void CVZThemeManagerStyleFactory::AdoptTheme(CVZThemeManagerStyle* pTheme)
{
    pTheme->m_pFactory = this;
    pTheme->RefreshMetrics();
    m_pTheme = pTheme;
}

void CVZThemeManagerStyleFactory::LinkHost(CVZThemeManagerStyleHost* pHost)
{
    pHost->m_pNextHost = m_pHosts;
    m_pHosts = pHost;
}

void CVZThemeManagerStyleFactory::UnlinkHost(CVZThemeManagerStyleHost* pHost)
{
    for (CVZThemeManagerStyleHost** ppLink = &m_pHosts; *ppLink != NULL; ppLink = &(*ppLink)->m_pNextHost)
    {
        if (*ppLink == pHost)
        {
            *ppLink = pHost->m_pNextHost;
            pHost->m_pNextHost = NULL;
            return;
        }
    }
}

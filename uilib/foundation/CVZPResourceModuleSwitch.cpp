#include "CVZPResourceModuleSwitch.h"

namespace {
HINSTANCE g_hResourceModule = NULL;
HINSTANCE g_hLibraryInstance = NULL;
}  // namespace

HINSTANCE VZPGetResourceModule()
{
    return g_hResourceModule;
}

HINSTANCE VZPGetLibraryInstance()
{
    return g_hLibraryInstance;
}

void VZPSetResourceModule(HINSTANCE hResourceModule, HINSTANCE hLibraryInstance)
{
    g_hResourceModule = hResourceModule;
    g_hLibraryInstance = hLibraryInstance;
}

CVZPResourceModuleSwitch::CVZPResourceModuleSwitch()
    : m_bSwitched(FALSE), m_hSavedResource(NULL), m_hSavedInstance(NULL)
{
    if (g_hResourceModule == NULL)
        return;
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    m_hSavedResource = pState->m_hCurrentResourceHandle;
    m_hSavedInstance = pState->m_hCurrentInstanceHandle;
    pState->m_hCurrentResourceHandle = g_hResourceModule;
    if (pState->m_hCurrentInstanceHandle == NULL)
        pState->m_hCurrentInstanceHandle = g_hLibraryInstance;
    m_bSwitched = TRUE;
}

void CVZPResourceModuleSwitch::Restore()
{
    if (m_bSwitched)
    {
        AFX_MODULE_STATE* pState = AfxGetModuleState();
        pState->m_hCurrentResourceHandle = m_hSavedResource;
        pState->m_hCurrentInstanceHandle = m_hSavedInstance;
        m_bSwitched = FALSE;
    }
    m_hSavedResource = NULL;
    m_hSavedInstance = NULL;
}

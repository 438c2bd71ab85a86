#include "CVZPToolBarResource.h"

#include <afxpriv.h>

BOOL CVZPToolBarResource::Load(UINT nIDResource)
{
    AFX_TOOLBAR_RESOURCE resource;
    if (!AfxReadToolBarResource(MAKEINTRESOURCE(nIDResource), resource))
        return FALSE;
    m_wVersion = resource.wVersion;
    m_wWidth = resource.wWidth;
    m_wHeight = resource.wHeight;
    m_ids = resource.ids;
    return TRUE;
}

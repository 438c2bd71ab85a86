#include "CVZPCommandBarPaintManager.h"

#include <stdlib.h>

namespace {

CVZPCommandBarPaintManager* g_pPaintManager = NULL;
bool g_bExitRoutineRegistered = false;

void ReleaseCurrent()
{
    CVZPCommandBarPaintManager* pOld = g_pPaintManager;
    g_pPaintManager = NULL;
    if (pOld != NULL)
        pOld->InternalRelease();
}

}  // namespace

CVZPCommandBarPaintManager::CVZPCommandBarPaintManager() : m_nThemeType(0)
{
}

CVZPCommandBarPaintManager::~CVZPCommandBarPaintManager()
{
}

void CVZPCommandBarPaintManager::SetTheme(int nTheme)
{
    if (!g_bExitRoutineRegistered)
    {
        g_bExitRoutineRegistered = true;
        atexit(ReleaseCurrent);
    }
    CVZPCommandBarPaintManager* pNew = new CVZPCommandBarPaintManager;
    ReleaseCurrent();
    g_pPaintManager = pNew;
    pNew->m_nThemeType = nTheme;
}

CVZPCommandBarPaintManager* VZPPaintManager()
{
    return g_pPaintManager;
}

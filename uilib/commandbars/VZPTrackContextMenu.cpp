#include "VZPTrackContextMenu.h"

#include "CVZPCommandBarPaintManager.h"
#include "CVZPCommandBars.h"
#include "CVZPImageManager.h"
#include "CVZPPopupBar.h"

int TrackContextMenu(CMenu* pPopup, UINT nFlags, int x, int y, CWnd* pOwner, int nToolBarID)
{
    if (VZPPaintManager() == NULL)
        CVZPCommandBarPaintManager::SetTheme(vzpThemeOffice2000);
    if (VZPPaintManager() == NULL)
    {
        if (pPopup == NULL || pPopup->GetSafeHmenu() == NULL)
            return 0;
        return pPopup->TrackPopupMenu(nFlags, x, y, pOwner, NULL);
    }
    CVZPPopupBar* pBar = CVZPPopupBar::CreatePopupBar(NULL);
    if (pBar == NULL)
        return 0;
    if (nToolBarID > 0)
    {
        CVZPImageManager* pImageManager = new CVZPImageManager;
        pImageManager->LoadToolBarIcons((UINT)nToolBarID);
        pBar->SetImageManager(pImageManager);
    }
    int nResult = 0;
    if (pBar->LoadMenu(pPopup, TRUE))
        nResult = (int)CVZPCommandBars::TrackPopupBar(pBar, nFlags | TPM_NONOTIFY, x, y, pOwner, NULL, NULL);
    pBar->InternalRelease();
    return nResult;
}

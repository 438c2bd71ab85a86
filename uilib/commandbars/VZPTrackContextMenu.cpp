#include "VZPTrackContextMenu.h"

int TrackContextMenu(CMenu* pPopup, UINT nFlags, int x, int y, CWnd* pOwner, int nToolBarID)
{
    (void)nToolBarID;   // the system menu has no images
    if (pPopup == NULL || pPopup->GetSafeHmenu() == NULL)
        return 0;
    return pPopup->TrackPopupMenu(nFlags, x, y, pOwner);
}

#include "VZPPanes.h"

#include <afxwin.h>

#include "CVZPTaskPanelItem.h"

namespace {
void AFXAPI StartPanes() { VZPRegisterTaskPanelClipboardFormat(); }
bool g_bRegistered = false;
}  // namespace

void VZPPanesRegisterStartup()
{
    if (g_bRegistered)
        return;
    g_bRegistered = true;
    AfxAddStartupInitializer(VZPSTARTUP_PANES, StartPanes);
}

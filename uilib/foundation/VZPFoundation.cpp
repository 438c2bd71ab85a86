#include "VZPFoundation.h"

#include <afxwin.h>

#include "CVZPDrawTools.h"
#include "CVZPImageManager.h"
#include "CVZPMonitorApi.h"
#include "CVZPVisualStyle.h"
#include "CVZPWindowsVersion.h"

namespace {
void AFXAPI StartVisualStyle() { CVZPVisualStyle::InitializeProcessState(); }
void AFXAPI StartWindowsVersion() { CVZPWindowsVersion::InitializeProcessState(); }
void AFXAPI StartDrawTools() { CVZPDrawTools::InitializeProcessState(); }
void AFXAPI EndDrawTools() { CVZPDrawTools::ReleaseProcessState(); }
void AFXAPI StartMonitorApi() { CVZPMonitorApi::InitializeProcessState(); }
void AFXAPI StartImageManager() { VZPImageManagerStartup(); }
void AFXAPI EndImageManager() { VZPImageManagerShutdown(); }
bool g_bRegistered = false;
}  // namespace

void VZPFoundationRegisterStartup()
{
    if (g_bRegistered)
        return;
    g_bRegistered = true;
    AfxAddStartupInitializer(VZPSTARTUP_VISUAL_STYLE, StartVisualStyle);
    AfxAddStartupInitializer(VZPSTARTUP_WINDOWS_VERSION, StartWindowsVersion);
    AfxAddStartupInitializer(VZPSTARTUP_DRAW_TOOLS, StartDrawTools, EndDrawTools);
    AfxAddStartupInitializer(VZPSTARTUP_MONITOR_API, StartMonitorApi);
    AfxAddStartupInitializer(VZPSTARTUP_IMAGE_MANAGER, StartImageManager, EndImageManager);
}

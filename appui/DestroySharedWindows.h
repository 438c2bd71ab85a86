// Clean-up the HTML viewer calls when it goes away.
#pragma once

// Would destroy two process-wide windows of the application's controls;
// nothing in this program creates them, so there is nothing to do.
void DestroySharedWindows();

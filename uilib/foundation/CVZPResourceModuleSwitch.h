// Points the framework's current resource handle at the library's resource
// module for the length of one lookup (a stack object), and the process-wide
// handles of that module.
#pragma once

#include <afxwin.h>

// The library's resource module: NULL (nothing here sets it), so every lookup
// ends in the application's resources. The library instance handle goes with
// it.
HINSTANCE VZPGetResourceModule();
HINSTANCE VZPGetLibraryInstance();

class CVZPResourceModuleSwitch
{
public:
    // Switches to the library's resource module when there is one.
    CVZPResourceModuleSwitch();
    ~CVZPResourceModuleSwitch() { Restore(); }
    CVZPResourceModuleSwitch(const CVZPResourceModuleSwitch&) = delete;
    CVZPResourceModuleSwitch& operator=(const CVZPResourceModuleSwitch&) = delete;

    // Puts the saved handles back (once); the destructor calls it.
    void Restore();

private:
    BOOL m_bSwitched;
    HINSTANCE m_hSavedResource;
    HINSTANCE m_hSavedInstance;
};

// Points the framework's current resource handle at the library's resource
// module for the length of one lookup (a stack object), and the process-wide
// handles of that module.
#pragma once

#include <afxwin.h>

// The library's resource module: NULL unless set, so every lookup ends in the
// application's resources. The library instance handle goes with it.
HINSTANCE VZPGetResourceModule();
HINSTANCE VZPGetLibraryInstance();
// Sets both (NULL, NULL puts the library back on the application's
// resources). The program never sets them; tests point them at a module.
void VZPSetResourceModule(HINSTANCE hResourceModule, HINSTANCE hLibraryInstance);

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

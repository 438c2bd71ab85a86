// The program: the single-instance mutex, then the application object. The
// mutex's initializer is defined first, so it runs before theApp is
// constructed (initializers of one file run in definition order).
#include "CRecoveryWizardApp.h"
#include "InstanceMutex.h"

static const int s_nInstanceMutex = CreateInstanceMutex();

CRecoveryWizardApp theApp;

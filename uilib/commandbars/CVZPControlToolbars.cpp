#include "CVZPControlToolbars.h"

IMPLEMENT_SERIAL(CVZPControlToolbars, CVZPControlButton, VERSIONABLE_SCHEMA | 0x10)

CVZPControlToolbars::CVZPControlToolbars()
{
}

CVZPControlToolbars::~CVZPControlToolbars()
{
}

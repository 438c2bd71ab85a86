#include "CVZPControlWindowList.h"

IMPLEMENT_SERIAL(CVZPControlWindowList, CVZPControlButton, VERSIONABLE_SCHEMA | 0x10)

CVZPControlWindowList::CVZPControlWindowList()
{
}

CVZPControlWindowList::~CVZPControlWindowList()
{
}

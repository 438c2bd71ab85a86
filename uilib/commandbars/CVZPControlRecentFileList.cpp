#include "CVZPControlRecentFileList.h"

IMPLEMENT_SERIAL(CVZPControlRecentFileList, CVZPControlButton, VERSIONABLE_SCHEMA | 0x10)

CVZPControlRecentFileList::CVZPControlRecentFileList()
{
}

CVZPControlRecentFileList::~CVZPControlRecentFileList()
{
}

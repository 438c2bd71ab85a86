#include "CVZPControlSelector.h"

IMPLEMENT_SERIAL(CVZPControlSelector, CVZPControl, VERSIONABLE_SCHEMA | 0x10)

CVZPControlSelector::CVZPControlSelector()
{
}

CVZPControlSelector::~CVZPControlSelector()
{
}

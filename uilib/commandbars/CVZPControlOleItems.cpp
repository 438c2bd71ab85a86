#include "CVZPControlOleItems.h"

IMPLEMENT_SERIAL(CVZPControlOleItems, CVZPControlButton, VERSIONABLE_SCHEMA | 0x10)

CVZPControlOleItems::CVZPControlOleItems()
{
}

CVZPControlOleItems::~CVZPControlOleItems()
{
}

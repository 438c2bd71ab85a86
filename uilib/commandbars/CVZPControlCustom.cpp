#include "CVZPControlCustom.h"

IMPLEMENT_SERIAL(CVZPControlCustom, CVZPControlButton, VERSIONABLE_SCHEMA | 0x10)

CVZPControlCustom::CVZPControlCustom()
{
    m_dwFlags = 0x10;   // locked against customisation
}

CVZPControlCustom::~CVZPControlCustom()
{
}

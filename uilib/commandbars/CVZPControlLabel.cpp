#include "CVZPControlLabel.h"

IMPLEMENT_SERIAL(CVZPControlLabel, CVZPControl, VERSIONABLE_SCHEMA | 0x10)

CVZPControlLabel::CVZPControlLabel()
{
    m_dwFlags = flagSkipNavigate | flagLocked;
}

CVZPControlLabel::~CVZPControlLabel()
{
}

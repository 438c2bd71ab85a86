#include "CVZPControlLabel.h"

IMPLEMENT_SERIAL(CVZPControlLabel, CVZPControl, VERSIONABLE_SCHEMA | 0x10)

CVZPControlLabel::CVZPControlLabel()
{
}

CVZPControlLabel::~CVZPControlLabel()
{
}

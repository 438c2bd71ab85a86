#include "CVZPControlEdit.h"

IMPLEMENT_SERIAL(CVZPControlEdit, CVZPControl, VERSIONABLE_SCHEMA | 0x10)

CVZPControlEdit::CVZPControlEdit()
{
    m_controlType = vzpControlEdit;
}

CVZPControlEdit::~CVZPControlEdit()
{
}

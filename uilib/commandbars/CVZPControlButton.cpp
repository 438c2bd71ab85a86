#include "CVZPControlButton.h"

IMPLEMENT_SERIAL(CVZPControlButton, CVZPControl, VERSIONABLE_SCHEMA | 0x10)

CVZPControlButton::CVZPControlButton()
{
    m_controlType = vzpControlButton;
}

CVZPControlButton::~CVZPControlButton()
{
}

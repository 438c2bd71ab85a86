#include "CVZPControlWorkspaceActions.h"

IMPLEMENT_SERIAL(CVZPControlWorkspaceActions, CVZPControlButton, VERSIONABLE_SCHEMA | 0x10)

CVZPControlWorkspaceActions::CVZPControlWorkspaceActions()
{
}

CVZPControlWorkspaceActions::~CVZPControlWorkspaceActions()
{
}

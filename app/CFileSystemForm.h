// The file-system step's information panel: progress and status line.
#pragma once

#include "CStepPanel.h"

class CFileSystemForm : public CStepPanel
{
};

// Placeholder that lists the recently used files.
#pragma once

#include "CVZPControlButton.h"

class CVZPControlRecentFileList : public CVZPControlButton
{
    DECLARE_SERIAL(CVZPControlRecentFileList)
public:
    CVZPControlRecentFileList();
    ~CVZPControlRecentFileList() override;
};

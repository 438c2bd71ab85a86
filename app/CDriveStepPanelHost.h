// Connects the partition search to the drive step: its progress, status and
// wait texts go to the drive panel, its partition items to the device tree.
#pragma once

#include "partition/DriveStepHost.h"

class CDeviceTreeCtrl;
class CFirstDisplay;

class CDriveStepPanelHost : public CDriveStepHost
{
public:
    CDriveStepPanelHost(CFirstDisplay* pPanel, CDeviceTreeCtrl* pTree);

    void AskPartitionType() override;
    void SetProgress(int position) override;
    void SetStatusText(const wchar_t* text) override;
    void SetWaitText(const wchar_t* text) override;
    void AddPartitionItem(const wchar_t* parentText, const wchar_t* itemText) override;
    void ExpandRoot() override;

private:
    CFirstDisplay* m_pPanel;
    CDeviceTreeCtrl* m_pTree;
};

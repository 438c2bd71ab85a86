// Connects the scans to the scan step's panel: progress, status line and the
// counter values (folders found, files found, current sector, last item).
#pragma once

#include "fat/ScanPanelHost.h"

class CSecondDisplay;

class CScanStepPanelHost : public CScanPanelHost
{
public:
    explicit CScanStepPanelHost(CSecondDisplay* pPanel);

    void SetProgress(int position) override;
    void SetStatusText(const wchar_t* text) override;
    void SetFoldersFound(uint32_t count) override;
    void SetFilesFound(uint32_t count) override;
    void SetCurrentSector(uint64_t sector) override;
    void SetLastItem(const wchar_t* name) override;

private:
    void SetValue(int row, const wchar_t* text);
    void SetNumber(int row, uint64_t value);

    CSecondDisplay* m_pPanel;
};

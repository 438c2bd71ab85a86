// What the FAT directory parser and the parameter search show on the scan
// step's information panel: progress (0 to 99), status line and the
// folders-found, files-found, current-sector and last-item values. The
// application installs its implementation; without one the calls do nothing.
#pragma once

#include <stdint.h>

class CScanPanelHost
{
public:
    virtual ~CScanPanelHost() {}
    virtual void SetProgress(int position) { (void)position; }
    virtual void SetStatusText(const wchar_t* text) { (void)text; }
    virtual void SetFoldersFound(uint32_t count) { (void)count; }
    virtual void SetFilesFound(uint32_t count) { (void)count; }
    virtual void SetCurrentSector(uint64_t sector) { (void)sector; }
    virtual void SetLastItem(const wchar_t* name) { (void)name; }
};

// Installs the host (null: the do-nothing default); returns the previous one.
CScanPanelHost* SetScanPanelHost(CScanPanelHost* host);
CScanPanelHost& ScanPanelHost();

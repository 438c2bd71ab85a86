// The device table: the devices the drive step's tree shows (in this
// program exactly one, the open virtual disk) with their geometry, and the
// mode text every step view draws at its bottom left.
#pragma once

#include <afxwin.h>
#include <stdint.h>

enum { MaxDevices = 10 };

extern int g_DiskCount;
extern uint32_t g_DiskCylinders[MaxDevices];
extern uint32_t g_DiskHeads[MaxDevices];
extern uint32_t g_DiskSectorsPerTrack[MaxDevices];
// Sectors of the device: the image's own sector count (a VHD's current size,
// which its cylinder-head-sector geometry may not reach; a VHDX's disk size).
extern uint64_t g_DiskTotalSectors[MaxDevices];
extern char g_DiskNames[MaxDevices][512];
// "\\.\PhysicalDrive0" to "\\.\PhysicalDrive9", by device index.
extern const char g_DevicePaths[MaxDevices][20];

// The mode and drive type the step views draw ("\r\n" between the lines);
// defined by the scan step.
extern CString g_ModeText;

class CVirtualDisk;

// Registers devices into the table; made for one registration, so its
// count starts at 0 each time.
class CDiskEnumerator
{
public:
    CDiskEnumerator() : m_nCount(0) {}
    virtual ~CDiskEnumerator() {}

    // The open virtual disk becomes device m_nCount (0 for a fresh
    // enumerator): its entry is cleared first, so nothing of an image
    // registered before survives; the geometry of a VHD's footer, the
    // sector count of either kind. Returns 0.
    int AddVirtualDisk(CVirtualDisk* pDisk, int nImageType);

    int m_nCount;
};

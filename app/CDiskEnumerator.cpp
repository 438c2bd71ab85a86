#include "CDiskEnumerator.h"

#include <string.h>

#include "image/VirtualDisk.h"

int g_DiskCount = 0;
uint32_t g_DiskCylinders[MaxDevices];
uint32_t g_DiskHeads[MaxDevices];
uint32_t g_DiskSectorsPerTrack[MaxDevices];
uint64_t g_DiskTotalSectors[MaxDevices];
char g_DiskNames[MaxDevices][512];
const char g_DevicePaths[MaxDevices][20] = {
    "\\\\.\\PhysicalDrive0", "\\\\.\\PhysicalDrive1", "\\\\.\\PhysicalDrive2", "\\\\.\\PhysicalDrive3",
    "\\\\.\\PhysicalDrive4", "\\\\.\\PhysicalDrive5", "\\\\.\\PhysicalDrive6", "\\\\.\\PhysicalDrive7",
    "\\\\.\\PhysicalDrive8", "\\\\.\\PhysicalDrive9",
};

int CDiskEnumerator::AddVirtualDisk(CVirtualDisk* pDisk, int nImageType)
{
    ++g_DiskCount;
    const int i = m_nCount;
    if (i < 0 || i >= MaxDevices)
        return 0;
    g_DiskCylinders[i] = g_DiskHeads[i] = g_DiskSectorsPerTrack[i] = 0;
    g_DiskTotalSectors[i] = 0;
    if (pDisk) {
        if (nImageType == 0) {
            g_DiskCylinders[i] = (uint32_t)pDisk->GetCylinders();
            g_DiskHeads[i] = (uint32_t)pDisk->GetHeads();
            g_DiskSectorsPerTrack[i] = (uint32_t)pDisk->GetSectorsPerTrack();
        }
        g_DiskTotalSectors[i] = pDisk->GetSectorCount();
    }
    strcpy(g_DiskNames[i], "Virtual Hard Disk");
    ++m_nCount;
    g_DiskCount = m_nCount;
    return 0;
}

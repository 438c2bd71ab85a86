// The published identifiers of the VHDX regions and metadata items, and the
// labels the reader gives them.
#pragma once

#include <stdint.h>

struct VhdxGuid
{
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    unsigned char data4[8];
};

extern const VhdxGuid VhdxBatRegionGuid;
extern const VhdxGuid VhdxMetadataRegionGuid;
extern const VhdxGuid VhdxFileParametersGuid;
extern const VhdxGuid VhdxVirtualDiskSizeGuid;
extern const VhdxGuid VhdxPage83Guid;
extern const VhdxGuid VhdxLogicalSectorSizeGuid;
extern const VhdxGuid VhdxPhysicalSectorSizeGuid;
extern const VhdxGuid VhdxParentLocatorGuid;

// Compares 16 on-disk bytes (first three fields little-endian) with a GUID.
bool VhdxGuidEquals(const unsigned char* onDisk, const VhdxGuid& guid);

// "Bat Guid", "MetaData_Guid", "File Parameter", "Virtual Disk Size",
// "Page83", "Logical Sector Size", "Physical Sector Size", "Parent Locator",
// or "Invalid Item Id" for any other identifier.
const wchar_t* VhdxGuidLabel(const unsigned char* onDisk);

// 1 when all 16 bytes are zero.
bool VhdxGuidIsZero(const unsigned char* onDisk);

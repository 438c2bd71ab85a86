#include "image/VhdxGuids.h"

#include <string.h>

#include "common/ByteOrder.h"

const VhdxGuid VhdxBatRegionGuid = {0x2DC27766, 0xF623, 0x4200,
                                    {0x9D, 0x64, 0x11, 0x5E, 0x9B, 0xFD, 0x4A, 0x08}};
const VhdxGuid VhdxMetadataRegionGuid = {0x8B7CA206, 0x4790, 0x4B9A,
                                         {0xB8, 0xFE, 0x57, 0x5F, 0x05, 0x0F, 0x88, 0x6E}};
const VhdxGuid VhdxFileParametersGuid = {0xCAA16737, 0xFA36, 0x4D43,
                                         {0xB3, 0xB6, 0x33, 0xF0, 0xAA, 0x44, 0xE7, 0x6B}};
const VhdxGuid VhdxVirtualDiskSizeGuid = {0x2FA54224, 0xCD1B, 0x4876,
                                          {0xB2, 0x11, 0x5D, 0xBE, 0xD8, 0x3B, 0xF4, 0xB8}};
const VhdxGuid VhdxPage83Guid = {0xBECA12AB, 0xB2E6, 0x4523,
                                 {0x93, 0xEF, 0xC3, 0x09, 0xE0, 0x00, 0xC7, 0x46}};
const VhdxGuid VhdxLogicalSectorSizeGuid = {0x8141BF1D, 0xA96F, 0x4709,
                                            {0xBA, 0x47, 0xF2, 0x33, 0xA8, 0xFA, 0xAB, 0x5F}};
const VhdxGuid VhdxPhysicalSectorSizeGuid = {0xCDA348C7, 0x445D, 0x4471,
                                             {0x9C, 0xC9, 0xE9, 0x88, 0x52, 0x51, 0xC5, 0x56}};
const VhdxGuid VhdxParentLocatorGuid = {0xA8D35F2D, 0xB30B, 0x454D,
                                        {0xAB, 0xF7, 0xD3, 0xD8, 0x48, 0x34, 0xAB, 0x0C}};

bool VhdxGuidEquals(const unsigned char* onDisk, const VhdxGuid& guid)
{
    return le32(onDisk) == guid.data1 && le16(onDisk + 4) == guid.data2 &&
           le16(onDisk + 6) == guid.data3 && memcmp(onDisk + 8, guid.data4, 8) == 0;
}

const wchar_t* VhdxGuidLabel(const unsigned char* onDisk)
{
    static const struct
    {
        const VhdxGuid* guid;
        const wchar_t* label;
    } table[] = {
        {&VhdxBatRegionGuid, L"Bat Guid"},
        {&VhdxMetadataRegionGuid, L"MetaData_Guid"},
        {&VhdxFileParametersGuid, L"File Parameter"},
        {&VhdxVirtualDiskSizeGuid, L"Virtual Disk Size"},
        {&VhdxPage83Guid, L"Page83"},
        {&VhdxLogicalSectorSizeGuid, L"Logical Sector Size"},
        {&VhdxPhysicalSectorSizeGuid, L"Physical Sector Size"},
        {&VhdxParentLocatorGuid, L"Parent Locator"},
    };
    for (const auto& entry : table)
        if (VhdxGuidEquals(onDisk, *entry.guid))
            return entry.label;
    return L"Invalid Item Id";
}

bool VhdxGuidIsZero(const unsigned char* onDisk)
{
    for (int i = 0; i < 16; ++i)
        if (onDisk[i])
            return false;
    return true;
}

#include "volume/NtfsBootSector.h"

#include <string.h>

#include "common/ByteOrder.h"

int IsNtfsBootSector(const unsigned char* s) { return memcmp(s + 3, "NTFS", 4) == 0; }
int IsExfatBootSector(const unsigned char* s) { return memcmp(s + 3, "EXFAT   ", 8) == 0; }

NtfsBootFields ReadNtfsBootFields(const unsigned char* s)
{
    NtfsBootFields f;
    f.sectorsPerCluster = s[0x0D];
    f.totalSectors = le64(s + 0x28);
    f.mftCluster = le32(s + 0x30);
    f.mftMirrorCluster = le32(s + 0x38);
    f.recordSizeValue = le32(s + 0x40);
    return f;
}

int NtfsClusterSizeUsable(uint32_t k) { return IsPowerOfTwo(k) && k <= 128; }

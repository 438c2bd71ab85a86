// Process-wide state of the recovery engine: the wizard's selection, the
// selected file system's parameters, the partition table, the recovery
// settings, the worker flags, handles and shared counters. Every engine
// operation reads and writes these; they live for the whole run.
#pragma once

#include <windows.h>
#include <stdint.h>

#include <string>

class CWinThread;

// Scan modes.
enum ScanModeValue
{
    ScanModeExtensive = 0,
    ScanModeFileTrace = 1,
    ScanModeQuick = 2,
};

// File-system codes.
enum FileSystemCode
{
    FileSystemFat16 = 100,
    FileSystemFat32 = 200,
    FileSystemNtfs = 300,
};

// Source types.
enum SourceTypeValue
{
    SourceVirtualDisk = 1,
    SourceLogicalVolume = 2,
    SourceNone = 3,
};

// Selection made in the wizard.
extern int g_ScanMode;
extern std::wstring g_ModeName;
extern int g_ImageType;          // 0 VHD image, 1 VHDX image
extern uint16_t g_SourceType;
extern uint16_t g_DiskIndex;
extern std::wstring g_DevicePath;   // device name of the selected disk, passed to ReadSectors

// Parameters of the selected file system, field by field in stored order.
struct VolumeParamsRecord
{
    uint16_t selectionCode;
    uint32_t startSector;
    uint32_t sectorCount;
    uint32_t endSector;
    uint16_t partitionIndex;
    uint16_t fileSystemType;
    uint32_t fatSize;
    uint32_t sectorsPerCluster;
    uint32_t rootDirSectors;
    uint32_t rootLocation;
    uint32_t reservedSectors;
    uint32_t clusterBase;
    uint32_t fat1Start;
    uint32_t fat2Start;
    uint32_t mftSector;
    uint32_t mftMirrorSector;
    uint32_t ntfsValueA;
    uint32_t mftRecordSizeValue;
    uint32_t fileSystemEnd;
    uint16_t foundVolumeIndex;
};
extern VolumeParamsRecord VolumeParams;

// Partition table of the selected disk.
struct PartitionEntry
{
    uint32_t startSector;
    uint32_t sectorCount;
    uint16_t fileSystemCode;
};
enum { MaxPartitions = 25 };
extern PartitionEntry g_PartitionTable[MaxPartitions];
extern int g_PartitionCount;
extern int g_SearchPartitions;

// Recovery settings; ResetRecoverySettings gives the defaults each time an
// image is added.
struct RecoverySettingsRecord
{
    uint32_t sectorsPerRead;
    uint16_t duplicateNames;   // 1 rename, 2 overwrite, 3 skip
    uint16_t deletedFiles;     // 1 include, 2 only deleted, 3 exclude
    uint16_t retries;
};
extern RecoverySettingsRecord RecoverySettings;
void ResetRecoverySettings();

// Worker control. One worker at a time; the step timers take the worker as
// finished when g_ScanBusy is 0 and g_ScanStop is 1.
extern CWinThread* g_ScanThread;
extern volatile int g_ScanStop;
extern volatile unsigned char g_ScanBusy;
extern CRITICAL_SECTION g_ScanLock;   // initialised once for the whole process
extern volatile int g_SaveStop;
extern volatile int g_SaveSkip;
extern int g_SavedFileCount;

// Handles. g_DiskHandle is a physical-drive handle; image reads never use it.
extern HANDLE g_VolumeHandle;
extern HANDLE g_DiskHandle;

// Counters shared by scans and the wizard.
extern uint32_t g_FolderCount;
extern uint32_t g_FileCount;
extern uint64_t g_TotalFileSize;
extern uint32_t g_ParsedEntryCount;
extern int g_ShowScanProgress;

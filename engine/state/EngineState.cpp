#include "state/EngineState.h"

int g_ScanMode = 0;
std::wstring g_ModeName;
int g_ImageType = 0;
uint16_t g_SourceType = 0;
uint16_t g_DiskIndex = 0;
std::wstring g_DevicePath;

VolumeParamsRecord VolumeParams = {};

PartitionEntry g_PartitionTable[MaxPartitions] = {};
int g_PartitionCount = 0;
int g_SearchPartitions = 0;

RecoverySettingsRecord RecoverySettings = {};

void ResetRecoverySettings()
{
    RecoverySettings.sectorsPerRead = 100;
    RecoverySettings.duplicateNames = 1;
    RecoverySettings.deletedFiles = 1;
    RecoverySettings.retries = 3;
}

CWinThread* g_ScanThread = nullptr;
volatile int g_ScanStop = 0;
volatile unsigned char g_ScanBusy = 0;
CRITICAL_SECTION g_ScanLock;
volatile int g_SaveStop = 0;
volatile int g_SaveSkip = 0;
int g_SavedFileCount = 0;

HANDLE g_VolumeHandle = NULL;
HANDLE g_DiskHandle = NULL;

uint32_t g_FolderCount = 0;
uint32_t g_FileCount = 0;
uint64_t g_TotalFileSize = 0;
uint32_t g_ParsedEntryCount = 0;
int g_ShowScanProgress = 1;

namespace {

// The scan lock exists before any view or worker can reach it and lives
// until the process ends, so no view has to own its lifetime.
struct ScanLockInit
{
    ScanLockInit() { InitializeCriticalSection(&g_ScanLock); }
};
ScanLockInit g_scanLockInit;

}  // namespace

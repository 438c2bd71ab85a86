#include "snapshot/SnapshotCommands.h"

#include <windows.h>
#include <stdio.h>
#include <string.h>
#include <wctype.h>

#include "fat/FatLists.h"
#include "image/VirtualDisk.h"
#include "io/SectorReader.h"
#include "msg/MessageSink.h"
#include "ntfs/MftRunTable.h"
#include "snapshot/SnapshotFile.h"
#include "snapshot/SnapshotShell.h"
#include "state/EngineState.h"
#include "io/SourceSectors.h"

int g_SnapshotLoading = 0;
int g_SnapshotSourceMatches = 0;

namespace {

const wchar_t SnapshotExtension[] = L".xwqz";

bool EndsWithExtension(const std::wstring& path)
{
    return path.size() >= 5 && path.compare(path.size() - 5, 5, SnapshotExtension) == 0;
}

// The text shown when loaded results have no image or volume to read.
const wchar_t NoSourceText[] =
    L"No image is open that these results can be read from. Open the image the snapshot was made from to "
    L"preview or recover files.";
const wchar_t MismatchText[] = L"Source file and load recovery snapshot mismatch";

// Sectors of the open source; 0 when nothing is open.
bool SectorStartsWith(uint32_t lba, const void* bytes, size_t n, size_t offset = 0)
{
    unsigned char sector[SectorSize];
    return ReadSourceSectors(lba, 1, sector) == 1 && memcmp(sector + offset, bytes, n) == 0;
}

// Builds the MFT run table for loaded NTFS results, once their source is
// known to match.
void PrepareSource()
{
    ClearMftRunTable();
    if (VolumeParams.fileSystemType == FileSystemNtfs && VolumeParams.mftSector != 0)
        BuildMftRunTable(VolumeParams.clusterBase, VolumeParams.mftSector, VolumeParams.sectorsPerCluster,
                         VolumeParams.endSector);
}

// The end of a load: the progress dialog goes, no worker is running.
void EndLoad(CSnapshotShell& shell)
{
    shell.EndProgress();
    g_SnapshotLoading = 0;
    g_ScanStop = 1;
    g_ScanBusy = 0;
}

// Reads the file and checks its source; on failure everything is freed and
// the user told. Returns the source state, or -1 when the load failed.
int ReadAndCheck(CSnapshotShell& shell, const std::wstring& path, bool trace)
{
    SnapshotReadResult read = ReadSnapshotFile(path.c_str(), &shell);
    if (read != SnapshotRead) {
        EndLoad(shell);
        ShowMessage(SnapshotReadMessage(read), MessageKindError);
        return -1;
    }
    ReopenSourceVolume(shell, VolumeParams.partitionIndex);
    SnapshotSource source = CheckSnapshotSource(trace);
    if (source == SnapshotSourceMismatch) {
        FreeAllResultLists();
        EndLoad(shell);
        ShowMessage(MismatchText, MessageKindError);
        return -1;
    }
    g_SnapshotSourceMatches = source == SnapshotSourceMatches;
    if (g_SnapshotSourceMatches)
        PrepareSource();
    return source;
}

// Shows the loaded results on the recovery step.
void FinishLoad(CSnapshotShell& shell, int source)
{
    shell.SetProgress(100);
    EndLoad(shell);
    shell.EnableRecovery(source == SnapshotSourceMatches);
    shell.ShowRecoveryStep();
    if (source == SnapshotSourceMissing)
        ShowMessage(NoSourceText, MessageKindInformation);
}

std::wstring LowerCase(const std::wstring& text)
{
    std::wstring lower = text;
    for (wchar_t& c : lower)
        c = (wchar_t)towlower(c);
    return lower;
}

// The mode name of a snapshot's letter; null for any other letter.
const wchar_t* SnapshotModeName(int letter)
{
    switch (letter) {
    case L'D':
        return L"Quick Scan";
    case L'A':
        return L"Extensive Scan";
    case L'R':
        return L"File Trace";
    }
    return nullptr;
}

// Prepares the recovery step for the mode and loads the file.
int LoadSnapshotOfMode(CSnapshotShell& shell, const std::wstring& path, int letter)
{
    const int mode = letter == L'A' ? ScanModeExtensive : letter == L'R' ? ScanModeFileTrace : ScanModeQuick;
    g_ScanMode = mode;
    shell.SetStepFlag(mode == ScanModeExtensive ? 3 : 2);
    shell.SetResultColumns(mode);
    shell.ShowRecoveryButtons();
    int loaded = mode == ScanModeFileTrace ? LoadTraceSnapshot(shell, path) : LoadScanSnapshot(shell, path);
    if (!loaded) {
        shell.ResetStepFlags();
        return 0;
    }
    shell.HideBackButton();
    return 1;
}

}  // namespace

std::wstring DefaultSnapshotName(const std::wstring& imageName, const std::wstring& modeName, const SYSTEMTIME& t)
{
    wchar_t stamp[64];
    swprintf(stamp, 64, L"%02u-%02u-%04u_%02u.%02u.%02u", t.wMonth, t.wDay, t.wYear, t.wHour, t.wMinute, t.wSecond);
    return imageName + L"_" + modeName + L"_" + stamp;
}

int SaveSnapshotCommand(CSnapshotShell& shell, const std::wstring& imageName)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    std::wstring path;
    if (!shell.ChooseFile(true, DefaultSnapshotName(imageName, g_ModeName, now), SnapshotSaveFlags, L"*.xwqz",
                          L"Save Sanpshot", path))
        return 0;
    return SaveSnapshotAs(path);
}

int SaveSnapshotAs(std::wstring path)
{
    // The dialog has asked about the name it returned; a name that gets the
    // extension here is a different file, which it has not asked about.
    if (!EndsWithExtension(path)) {
        path += SnapshotExtension;
        if (FileExists(path.c_str()) &&
            AskQuestion((EscapeMarkup(path) + L" already exists.\r\nDo you want to replace it?").c_str()) != 1) {
            g_strMessageText.clear();
            return 0;
        }
    }
    const bool trace = g_ScanMode == ScanModeFileTrace;
    switch (WriteSnapshotFile(path.c_str(), SnapshotModeLetter(g_ScanMode))) {
    case SnapshotWritten:
        return 1;
    case SnapshotOpenFailed:
        ShowMessage(trace ? L"Unable to open the file" : L"Unable to open the file.", MessageKindError);
        return 0;
    case SnapshotWriteFailed:
        break;
    }
    ShowMessage(L"Unable to write the file.", MessageKindError);
    return 0;
}

int LoadSnapshotCommand(CSnapshotShell& shell)
{
    std::wstring path;
    if (!shell.ChooseFile(false, L"", SnapshotOpenFlags, L"*.xwqz", nullptr, path))
        return 0;
    return LoadSnapshot(shell, path);
}

int LoadSnapshot(CSnapshotShell& shell, const std::wstring& chosen)
{
    std::wstring path = LowerCase(chosen);
    if (!EndsWithExtension(path))
        path += SnapshotExtension;
    if (!FileExists(path.c_str())) {
        ShowMessage((EscapeMarkup(path) + L" does not exists.").c_str(), MessageKindQuestion);
        return 0;
    }
    const int letter = ReadSnapshotModeLetter(path.c_str());
    if (letter == 0) {
        ShowMessage(L"Unable to open the file.", MessageKindError);
        return 0;
    }
    const wchar_t* modeText = SnapshotModeName(letter);
    if (!modeText) {
        ShowMessage(L"Invalid Snapshot File. Please Load respective valid Snapshot. ", MessageKindQuestion);
        return 0;
    }
    if (g_ModeName != modeText) {
        std::wstring text = std::wstring(L"Snapshot was saved using ") + modeText + L". Select " + modeText +
                            L" mode and then load Snapshot.";
        ShowMessage(text.c_str(), MessageKindError);
        shell.DriveStepBack();
        return 0;
    }
    return LoadSnapshotOfMode(shell, path, letter);
}

int LoadCommandLineSnapshot(CSnapshotShell& shell, const std::wstring& commandLine)
{
    std::wstring path;
    for (wchar_t c : LowerCase(commandLine))
        if (c != L'"')
            path += c;
    if (path.empty())
        return 0;
    const int letter = ReadSnapshotModeLetter(path.c_str());
    const wchar_t* modeText = SnapshotModeName(letter);
    if (!modeText) {
        ShowMessage(letter == 0 ? L"Unable to open the file." : L"Invalid File.", MessageKindError);
        return 0;
    }
    g_ModeName = modeText;
    return LoadSnapshotOfMode(shell, path, letter);
}

int LoadScanSnapshot(CSnapshotShell& shell, const std::wstring& path)
{
    shell.BeginProgress(L"Opening the file...");
    g_SnapshotLoading = 1;
    shell.SetProgress(0);
    int source = ReadAndCheck(shell, path, false);
    if (source < 0)
        return 0;
    shell.SetProgressText(L"Creating the Folders Files Tree...");
    g_ScanStop = 0;
    if (VolumeParams.fileSystemType == FileSystemFat16 || VolumeParams.fileSystemType == FileSystemFat32) {
        shell.SetProgress(0);
        shell.BuildFatTree();
    } else if (VolumeParams.fileSystemType == FileSystemNtfs) {
        // Either kind is now Quick Scan results.
        g_ScanMode = ScanModeQuick;
        shell.BuildNtfsTree();
    }
    FinishLoad(shell, source);
    shell.HideBackButton();
    return 1;
}

int LoadTraceSnapshot(CSnapshotShell& shell, const std::wstring& path)
{
    shell.BeginProgress(L"");
    shell.SetProgress(0);
    int source = ReadAndCheck(shell, path, true);
    if (source < 0)
        return 0;
    g_ScanStop = 0;
    shell.BuildTraceTree();
    FinishLoad(shell, source);
    return 1;
}

SnapshotSource CheckSnapshotSource(bool traceResults)
{
    const uint64_t sectors = KnownSourceSectors();
    if (sectors == 0)
        return SnapshotSourceMissing;
    const VolumeParamsRecord& v = VolumeParams;
    if (v.startSector > v.endSector || v.endSector >= sectors || v.fileSystemEnd >= sectors)
        return SnapshotSourceMismatch;
    if (traceResults)
        return SnapshotSourceMatches;
    if (v.fileSystemType == FileSystemNtfs) {
        bool found = v.mftSector != 0 ? SectorStartsWith(v.mftSector, "FILE", 4)
                                      : SectorStartsWith(v.clusterBase, "NTFS    ", 8, 3);
        return found ? SnapshotSourceMatches : SnapshotSourceMismatch;
    }
    if (v.fileSystemType == FileSystemFat16 || v.fileSystemType == FileSystemFat32)
        return SectorStartsWith(v.fat1Start, "\xF8", 1) ? SnapshotSourceMatches : SnapshotSourceMismatch;
    return SnapshotSourceMatches;
}

SnapshotSource RecheckSnapshotSource(CSnapshotShell& shell)
{
    SnapshotSource source = CheckSnapshotSource(g_ScanMode == ScanModeFileTrace);
    g_SnapshotSourceMatches = source == SnapshotSourceMatches;
    if (g_SnapshotSourceMatches)
        PrepareSource();
    shell.EnableRecovery(g_SnapshotSourceMatches != 0);
    if (source != SnapshotSourceMatches)
        ShowMessage(source == SnapshotSourceMissing ? NoSourceText : MismatchText, MessageKindError);
    return source;
}

void ReopenSourceVolume(CSnapshotShell& shell, uint16_t partitionIndex)
{
    if (g_SourceType != SourceLogicalVolume)
        return;
    VolumeParams.partitionIndex = partitionIndex;
    if (!OpenLogicalVolume(shell.LogicalDriveName(partitionIndex)))
        g_VolumeHandle = INVALID_HANDLE_VALUE;
}

// Helpers of the snapshot tests: a recording stand-in for the wizard, the
// engine's lists written out as text lines for record-by-record comparison,
// and temporary snapshot files.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <stdint.h>

#include <map>
#include <string>
#include <vector>

#include "snapshot/SnapshotShell.h"
#include "state/EngineState.h"

// Records what loading tells the wizard. ChooseFile answers with a set
// path (false when it is empty) and remembers what it was asked.
class CRecordingSnapshotShell : public CSnapshotShell
{
public:
    bool ChooseFile(bool save, const std::wstring& defaultName, DWORD flags, const wchar_t* filter,
                    const wchar_t* title, std::wstring& path) override
    {
        askedSave = save;
        askedName = defaultName;
        askedFlags = flags;
        askedFilter = filter ? filter : L"";
        askedTitle = title ? title : L"";
        path = chosenPath;
        return !chosenPath.empty();
    }
    void BeginProgress(const wchar_t* text) override
    {
        ++progressDialogs;
        texts.push_back(text);
    }
    void SetProgressText(const wchar_t* text) override { texts.push_back(text); }
    void SetProgress(int position) override
    {
        if (position < 0 || position > 100)
            ++badPositions;
        lastPosition = position;
    }
    void EndProgress() override { ++progressEnds; }
    void DriveStepBack() override { ++driveStepBacks; }
    void SetStepFlag(int index) override { stepFlag = index; }
    void ResetStepFlags() override { stepFlag = 0; }
    void SetResultColumns(int scanMode) override { columnsMode = scanMode; }
    void ShowRecoveryButtons() override { recoveryButtons = true; }
    void HideBackButton() override { backHidden = true; }
    void BuildFatTree() override { ++fatTrees; }
    void BuildNtfsTree() override { ++ntfsTrees; }
    void BuildTraceTree() override { ++traceTrees; }
    void EnableRecovery(bool enable) override { recoveryEnabled = enable ? 1 : 0; }
    std::wstring LogicalDriveName(unsigned) override { return driveName; }
    void ShowRecoveryStep() override { ++recoverySteps; }

    std::wstring chosenPath, driveName;
    bool askedSave = false;
    std::wstring askedName, askedFilter, askedTitle;
    DWORD askedFlags = 0;
    std::vector<std::wstring> texts;
    int progressDialogs = 0, progressEnds = 0, badPositions = 0, lastPosition = -1;
    int driveStepBacks = 0, stepFlag = -1, columnsMode = -1;
    bool recoveryButtons = false, backHidden = false;
    int fatTrees = 0, ntfsTrees = 0, traceTrees = 0, recoverySteps = 0;
    int recoveryEnabled = -1;
};

// Every record of the lists a snapshot stores, one line each, with every
// stored field. "A" results give their NTFS files as they load: the found
// records of the chosen file system, record sector as the data record
// sector, record number 0.
std::vector<std::string> DumpSnapshotLists(wchar_t modeLetter);
// The 19 stored fields of VolumeParams, the disk index and the source type.
std::string DumpStoredParams();

// A path for a snapshot file in the temporary folder (deleted first).
std::wstring TempSnapshotPath(const wchar_t* name);
bool WriteBytes(const std::wstring& path, const std::vector<unsigned char>& bytes);
std::vector<unsigned char> ReadBytes(const std::wstring& path);

// Whether every list a snapshot fills is empty.
bool AllListsEmpty();

// A snapshot built by hand from the layout: little-endian fields, with
// named offsets for the fields a test changes.
struct CSnapshotBytes
{
    std::vector<unsigned char> b;
    std::map<std::string, size_t> at;

    CSnapshotBytes& Mark(const char* name)
    {
        at[name] = b.size();
        return *this;
    }
    CSnapshotBytes& U8(unsigned v)
    {
        b.push_back((unsigned char)v);
        return *this;
    }
    CSnapshotBytes& U16(unsigned v) { return U8(v & 0xFF).U8((v >> 8) & 0xFF); }
    CSnapshotBytes& U32(uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
    CSnapshotBytes& U64(uint64_t v) { return U32((uint32_t)v).U32((uint32_t)(v >> 32)); }
    // A UTF-16 string, its NUL and extra zero bytes.
    CSnapshotBytes& Wide(const wchar_t* s, size_t extra)
    {
        for (; *s; ++s)
            U16(*s);
        U16(0);
        for (size_t i = 0; i < extra; ++i)
            U8(0);
        return *this;
    }
    // Mode letter, tag and version.
    CSnapshotBytes& Start(char mode)
    {
        U16(mode);
        for (int c : {(int)'w', 0, (int)'q', 0, (int)'z', 0, (int)'4'})
            U8(c);
        Mark("version");
        return U8('1').U8(0).U8('.');
    }
    // The 19 stored fields of a parameter block.
    CSnapshotBytes& Params(const VolumeParamsRecord& v)
    {
        Mark("params");
        U16(v.selectionCode).U32(v.startSector).U32(v.sectorCount).U32(v.endSector).U16(v.partitionIndex);
        U16(v.fileSystemType).U32(v.fatSize).Mark("spc").U32(v.sectorsPerCluster).U32(v.rootDirSectors);
        U32(v.reservedSectors).U32(v.clusterBase).U32(v.fat1Start).U32(v.fat2Start).U32(v.mftSector);
        U32(v.mftMirrorSector).U32(v.ntfsValueA).U32(v.mftRecordSizeValue).U32(v.fileSystemEnd);
        return U16(v.foundVolumeIndex);
    }
    // Start and the parameters of a FAT32-like layout at sector 2048.
    CSnapshotBytes& Header(char mode, uint16_t type, uint32_t spc = 4)
    {
        VolumeParamsRecord v = {};
        v.selectionCode = v.fileSystemType = type;
        v.startSector = 2048;
        v.sectorCount = 278528;
        v.endSector = 2048 + 278528 - 1;
        v.fatSize = 1064;
        v.sectorsPerCluster = spc;
        v.reservedSectors = 32;
        v.clusterBase = 2048 + 32 + 2 * 1064 - 2 * spc;
        v.fat1Start = 2080;
        v.fat2Start = 3144;
        return Start(mode).Params(v);
    }
    // Disk index 0, source type 1 (the virtual disk).
    CSnapshotBytes& Trailer() { return U16(0).U16(1); }
};

// FAT32 parameters of a volume without a partition table: 163840 sectors,
// 2 per cluster, 32 reserved sectors (the first FAT at sector 32).
inline VolumeParamsRecord Fat32VolumeParams()
{
    VolumeParamsRecord v = {};
    v.selectionCode = v.fileSystemType = FileSystemFat32;
    v.sectorCount = 163840;
    v.endSector = 163839;
    v.sectorsPerCluster = 2;
    v.reservedSectors = 32;
    v.fat1Start = 32;
    return v;
}

// A snapshot of one FAT folder "A" with the given parameters.
inline std::vector<unsigned char> OneFolderSnapshot(char mode, const VolumeParamsRecord& v)
{
    CSnapshotBytes s;
    s.Start(mode).Params(v).U32(1).U16(19).Wide(L"A", 0).U32(3).U32(0).U16(0).U16(0).U8(0).U16(0).U32(0);
    return s.Trailer().b;
}

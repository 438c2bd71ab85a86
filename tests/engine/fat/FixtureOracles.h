// Reading the oracle files that the fixture scripts write beside the disk
// images: sfdisk dumps, fsstat layouts and fls listings; and selecting a
// partition of an opened image the way the wizard does.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "state/EngineState.h"

namespace oracle {

inline std::string Text(const wchar_t* fixture)
{
    return tesmir::test::ReadWholeFile(tesmir::test::FixturePath(fixture));
}

inline std::vector<std::string> Lines(const wchar_t* fixture)
{
    std::vector<std::string> lines;
    std::istringstream in(Text(fixture));
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

inline std::wstring Utf8(const std::string& s)
{
    if (s.empty())
        return std::wstring();
    int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), (int)s.size(), nullptr, 0);
    std::wstring w(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), (int)s.size(), &w[0], n);
    return w;
}

// One partition line of `sfdisk -d`.
struct SfdiskPartition
{
    int number;  // Linux numbering: 1-4 primary, 5 and up logical
    uint32_t start;
    uint32_t size;
    unsigned type;
};

inline std::vector<SfdiskPartition> Sfdisk(const wchar_t* fixture)
{
    std::vector<SfdiskPartition> parts;
    for (const std::string& line : Lines(fixture)) {
        size_t colon = line.find(" : start=");
        if (colon == std::string::npos)
            continue;
        size_t digits = colon;
        while (digits > 0 && isdigit((unsigned char)line[digits - 1]))
            --digits;
        SfdiskPartition p;
        p.number = atoi(line.c_str() + digits);
        p.start = (uint32_t)strtoul(line.c_str() + line.find("start=") + 6, nullptr, 10);
        p.size = (uint32_t)strtoul(line.c_str() + line.find("size=") + 5, nullptr, 10);
        p.type = (unsigned)strtoul(line.c_str() + line.find("type=") + 5, nullptr, 16);
        parts.push_back(p);
    }
    return parts;
}

inline SfdiskPartition SfdiskNumber(const wchar_t* fixture, int number)
{
    for (const SfdiskPartition& p : Sfdisk(fixture))
        if (p.number == number)
            return p;
    ADD_FAILURE() << "no partition " << number;
    return SfdiskPartition{};
}

// The value after "key" on the first line that starts with it (0 if none).
inline long long FsstatNumber(const std::vector<std::string>& lines, const std::string& key)
{
    for (const std::string& line : lines)
        if (line.compare(0, key.size(), key) == 0)
            return strtoll(line.c_str() + key.size(), nullptr, 10);
    return -1;
}

// A FAT layout as fsstat prints it, in sectors from the volume start.
struct FatLayout
{
    long long fat0, fat1;  // first sector of FAT 0 and FAT 1 (-1: none)
    long long fatSectors;  // sectors per FAT
    long long rootDir;     // FAT16: first sector of the root directory
    long long rootDirSectors;
    long long clusterArea; // first sector of cluster 2
    long long clusterSectors;
    long long totalSectors;  // the sectors the file system spans
};

inline FatLayout FsstatFat(const wchar_t* fixture)
{
    std::vector<std::string> lines = Lines(fixture);
    FatLayout l;
    l.fat0 = FsstatNumber(lines, "* FAT 0: ");
    l.fat1 = FsstatNumber(lines, "* FAT 1: ");
    for (const std::string& line : lines)
        if (line.compare(0, 9, "* FAT 0: ") == 0)
            l.fatSectors = strtoll(line.c_str() + line.find(" - ") + 3, nullptr, 10) - l.fat0 + 1;
    // FAT16: "** Root Directory" in the data area; FAT32: "*** Root
    // Directory" in the cluster area.
    l.rootDir = -1;
    l.rootDirSectors = 0;
    for (const std::string& line : lines) {
        size_t at = line.find("* Root Directory: ");
        if (at == std::string::npos || line.compare(0, 1, "*") != 0)
            continue;
        l.rootDir = strtoll(line.c_str() + at + 18, nullptr, 10);
        l.rootDirSectors = strtoll(line.c_str() + line.find(" - ") + 3, nullptr, 10) - l.rootDir + 1;
    }
    l.clusterArea = FsstatNumber(lines, "** Cluster Area: ");
    l.clusterSectors = FsstatNumber(lines, "Cluster Size: ") / 512;
    l.totalSectors = 0;
    for (const std::string& line : lines)
        if (line.compare(0, 13, "Total Range: ") == 0)
            l.totalSectors = strtoll(line.c_str() + line.find(" - ") + 3, nullptr, 10) + 1;
    return l;
}

// One line of `fls -r -p`.
struct FlsEntry
{
    std::wstring path;
    bool directory;
    bool deleted;
};

inline std::vector<FlsEntry> Fls(const wchar_t* fixture)
{
    std::vector<FlsEntry> entries;
    for (const std::string& line : Lines(fixture)) {
        size_t tab = line.find('\t');
        if (tab == std::string::npos || line.compare(0, 1, "v") == 0 || line.compare(0, 1, "V") == 0 ||
            line.find("(Volume Label Entry)") != std::string::npos)
            continue;
        FlsEntry e;
        e.directory = line.compare(0, 3, "d/d") == 0;
        e.deleted = line.find(" * ") < tab;
        e.path = Utf8(line.substr(tab + 1));
        entries.push_back(e);
    }
    return entries;
}

// File-system code of a partition type byte; 0 for other types.
inline uint16_t CodeOfType(unsigned type)
{
    switch (type) {
    case 0x04: case 0x06: case 0x0E: return FileSystemFat16;
    case 0x0B: case 0x0C: return FileSystemFat32;
    case 0x07: return FileSystemNtfs;
    default: return 0;
    }
}

// Selects a partition as the device tree does before a scan.
inline void SelectPartition(uint32_t start, uint32_t count, uint16_t code, uint16_t index = 0)
{
    VolumeParams = VolumeParamsRecord{};
    VolumeParams.selectionCode = code;
    VolumeParams.startSector = start;
    VolumeParams.sectorCount = count;
    VolumeParams.endSector = start + count - 1;
    VolumeParams.partitionIndex = index;
    g_ScanStop = 0;
}

// Selects partition `number` of an sfdisk dump, typed by its type byte.
inline void SelectSfdiskPartition(const wchar_t* dump, int number)
{
    SfdiskPartition p = SfdiskNumber(dump, number);
    SelectPartition(p.start, p.size, CodeOfType(p.type));
}

}  // namespace oracle

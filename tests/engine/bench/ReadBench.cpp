// Reads whole fixture images through ReadSectors in reads of 100 and 2048
// sectors and prints the rate. A figure, not a test.
#include <windows.h>
#include <stdio.h>

#include <vector>

#include "TestSupport.h"
#include "image/VirtualDisk.h"
#include "io/SectorReader.h"
#include "state/EngineState.h"

namespace {

void Measure(const wchar_t* fixture, uint32_t sectorsPerRead)
{
    CVirtualDisk disk;
    std::wstring path = tesmir::test::FixturePath(fixture);
    disk.Create(ImageKindFromPath(path.c_str()));
    if (!disk.Open(path.c_str())) {
        wprintf(L"%ls: not opened\n", fixture);
        return;
    }
    g_SourceType = SourceVirtualDisk;
    SetSectorReaderDisk(&disk);
    std::vector<unsigned char> buffer((size_t)sectorsPerRead * 512);
    const uint64_t sectors = disk.GetSectorCount();
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (uint64_t lba = 0; lba < sectors; lba += sectorsPerRead) {
        uint32_t count = (uint32_t)(sectors - lba < sectorsPerRead ? sectors - lba : sectorsPerRead);
        ReadSectors(L"", (DWORD)lba, (DWORD)(lba >> 32), count, buffer.data());
    }
    QueryPerformanceCounter(&end);
    SetSectorReaderDisk(nullptr);
    double seconds = (double)(end.QuadPart - start.QuadPart) / frequency.QuadPart;
    double mib = sectors / 2048.0;
    wprintf(L"%-22ls %5u sectors/read  %9.1f MiB  %7.3f s  %8.1f MiB/s\n", fixture, sectorsPerRead,
            mib, seconds, seconds > 0 ? mib / seconds : 0.0);
}

}  // namespace

int wmain()
{
    const wchar_t* images[] = {L"vhd-fixed.vhd", L"vhd-dynamic.vhd", L"vhdx-dynamic.vhdx",
                               L"mixed-dynamic.vhd", L"mixed-dynamic.vhdx", L"vhdx-5g.vhdx"};
    for (const wchar_t* image : images)
        for (uint32_t perRead : {100u, 2048u})
            Measure(image, perRead);
    return 0;
}

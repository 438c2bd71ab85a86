#include "FuzzSupport.h"

#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "image/VhdFooter.h"
#include "image/VirtualDisk.h"
#include "io/SectorReader.h"
#include "snapshot/EngineRun.h"
#include "state/EngineState.h"

namespace fuzz {

namespace {

CVirtualDisk* g_disk;

std::string Narrow(const std::wstring& w)
{
    std::string s;
    for (wchar_t c : w)
        s += (char)c;
    return s;
}

void PutBe(unsigned char* p, uint64_t v, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i, v >>= 8)
        p[i] = (unsigned char)v;
}

}  // namespace

std::wstring ScratchPath(const char* extension)
{
    struct stat st;
    std::string dir = stat("/dev/shm", &st) == 0 ? "/dev/shm" : "/tmp";
    std::string path = dir + "/tesmir-fuzz-" + std::to_string(getpid()) + extension;
    return std::wstring(path.begin(), path.end());
}

uint64_t WriteChunkFile(const std::wstring& path, const uint8_t* data, size_t size, uint64_t maxBytes)
{
    int fd = open(Narrow(path).c_str(), O_RDWR | O_CREAT | O_TRUNC, 0600);
    if (fd < 0)
        return 0;
    uint64_t end = 0;
    size_t pos = 0;
    while (size - pos >= 6) {
        uint64_t offset = (uint64_t)(data[pos] | data[pos + 1] << 8 | data[pos + 2] << 16 | (uint32_t)data[pos + 3] << 24) * 512;
        size_t length = data[pos + 4] | data[pos + 5] << 8;
        pos += 6;
        if (length > size - pos)
            length = size - pos;
        if (offset < maxBytes && length <= maxBytes - offset) {
            if (pwrite(fd, data + pos, length, (off_t)offset) != (ssize_t)length)
                break;
            if (offset + length > end)
                end = offset + length;
        }
        pos += length;
    }
    if (ftruncate(fd, (off_t)end) != 0)
        end = 0;
    close(fd);
    return end;
}

void AppendFixedFooter(const std::wstring& path)
{
    std::string name = Narrow(path);
    struct stat st;
    if (stat(name.c_str(), &st) != 0)
        return;
    uint64_t bytes = ((uint64_t)st.st_size + 511) / 512 * 512;
    if (bytes == 0)
        bytes = 512;
    unsigned char f[VhdFooterSize] = {};
    memcpy(f, "conectix", 8);
    PutBe(f + 8, 2, 4);
    PutBe(f + 12, 0x00010000, 4);
    PutBe(f + 16, ~0ull, 8);
    memcpy(f + 28, "fuzz", 4);
    PutBe(f + 40, bytes, 8);
    PutBe(f + 48, bytes, 8);
    uint64_t sectors = bytes / 512;
    uint64_t cylinders = sectors / (16 * 63) + 1;
    PutBe(f + 56, cylinders > 65535 ? 65535 : cylinders, 2);
    f[58] = 16;
    f[59] = 63;
    PutBe(f + 60, VhdDiskTypeFixed, 4);
    PutBe(f + 64, VhdChecksum(f, sizeof f, 64), 4);
    int fd = open(name.c_str(), O_WRONLY);
    if (fd < 0)
        return;
    if (pwrite(fd, f, sizeof f, (off_t)bytes) != (ssize_t)sizeof f)
        perror("footer");
    close(fd);
}

bool OpenImage(const std::wstring& path)
{
    CloseImage();
    ResetEngineRun();
    ResetRecoverySettings();
    int kind = ImageKindFromPath(path.c_str());
    g_disk = new CVirtualDisk;
    g_disk->Create(kind);
    g_ImageType = kind == ImageKindVhdx ? 1 : 0;
    g_SourceType = SourceVirtualDisk;
    g_DiskIndex = 0;
    if (!g_disk->Open(path.c_str())) {
        CloseImage();
        return false;
    }
    SetSectorReaderDisk(g_disk);
    return true;
}

void CloseImage()
{
    if (!g_disk)
        return;
    SetSectorReaderDisk(nullptr);
    g_disk->Close();
    delete g_disk;
    g_disk = nullptr;
}

}  // namespace fuzz

// Runs the PSD decoder over the crafted documents in a folder and over
// damaged copies of each (every truncation, and header and length fields
// overwritten with extreme values), under the sanitizers.
#include "PsdGdi.h"

#include <dirent.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "database/CPsdDecoder.h"

HDC GetDC(HWND) { return (HDC)1; }
int ReleaseDC(HWND, HDC) { return 1; }
HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT, void** bits, HANDLE, DWORD)
{
    size_t stride = ((size_t)info->bmiHeader.biWidth * 3 + 3) & ~(size_t)3;
    void* p = malloc(stride * (size_t)info->bmiHeader.biHeight);
    *bits = p;
    return (HBITMAP)p;
}
BOOL DeleteObject(HGDIOBJ object)
{
    free(object);
    return TRUE;
}
BOOL GdiFlush() { return TRUE; }

namespace {

std::vector<unsigned char> ReadAll(const std::string& path)
{
    std::vector<unsigned char> data;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f)
        return data;
    int c;
    while ((c = fgetc(f)) != EOF)
        data.push_back((unsigned char)c);
    fclose(f);
    return data;
}

int Decode(const std::vector<unsigned char>& data, const std::string& scratch)
{
    FILE* f = fopen(scratch.c_str(), "wb");
    if (!data.empty())
        fwrite(data.data(), 1, data.size(), f);
    fclose(f);
    std::wstring wide(scratch.begin(), scratch.end());
    CPsdDecoder decoder;
    return decoder.Load(wide.c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: %s <folder of .psd files> <scratch file>\n", argv[0]);
        return 2;
    }
    std::string folder = argv[1], scratch = argv[2];
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return 2;
    int files = 0, runs = 0;
    while (dirent* e = readdir(dir)) {
        std::string name = e->d_name;
        if (name.size() < 4 || name.compare(name.size() - 4, 4, ".psd") != 0)
            continue;
        std::vector<unsigned char> data = ReadAll(folder + "/" + name);
        ++files;
        Decode(data, scratch);
        ++runs;
        for (size_t cut = 0; cut < data.size(); ++cut, ++runs)
            Decode(std::vector<unsigned char>(data.begin(), data.begin() + cut), scratch);
        // Channels, sizes, depth, mode and the first lengths set to extremes.
        const size_t fields[] = {12, 14, 18, 22, 24, 26, 30, 34};
        const unsigned char values[] = {0x00, 0x7F, 0x80, 0xFF};
        for (size_t at : fields)
            for (unsigned char v : values) {
                if (at + 2 > data.size())
                    continue;
                std::vector<unsigned char> copy = data;
                copy[at] = v;
                copy[at + 1] = v;
                Decode(copy, scratch);
                ++runs;
            }
    }
    closedir(dir);
    printf("psd: %d documents, %d decodes\n", files, runs);
    return files ? 0 : 1;
}

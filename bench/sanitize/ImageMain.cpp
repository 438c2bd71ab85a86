// Native driver for the image layer's own decoders under the sanitizers:
// every PCX, Targa, anymap and WBMP picture of the fixture folder, and seeded
// damaged copies of each (cut short, bytes flipped, header bytes
// overwritten), goes through its decoder in a buffer of exactly its length.
// Usage: image_native FIXTURE_DIR ROUNDS
#include "windows.h"

#include "image/PcxDecoder.h"
#include "image/PnmDecoder.h"
#include "image/TgaDecoder.h"
#include "image/WbmpDecoder.h"

#include <dirent.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <random>
#include <string>
#include <vector>

namespace {

typedef bool (*Decoder)(const BYTE*, size_t, CDibImage&);

Decoder DecoderFor(const std::string& name)
{
    size_t dot = name.rfind('.');
    std::string ext = dot == std::string::npos ? "" : name.substr(dot + 1);
    if (ext == "pcx")
        return DecodePcx;
    if (ext == "tga")
        return DecodeTga;
    if (ext == "pnm" || ext == "pgm" || ext == "ppm")
        return DecodePnm;
    if (ext == "wbmp")
        return DecodeWbmp;
    return nullptr;
}

std::vector<BYTE> ReadAll(const std::string& path)
{
    std::vector<BYTE> data;
    if (FILE* f = fopen(path.c_str(), "rb")) {
        BYTE buf[65536];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, f)) > 0)
            data.insert(data.end(), buf, buf + n);
        fclose(f);
    }
    return data;
}

// One damaged copy: cut short, a few bytes flipped, or a header byte set.
std::vector<BYTE> Damage(const std::vector<BYTE>& d, std::mt19937& rng)
{
    std::vector<BYTE> copy(d);
    if (copy.empty())
        return copy;
    switch (rng() % 3) {
    case 0:
        copy.resize(rng() % copy.size());
        break;
    case 1:
        for (int i = 0; i < 4; ++i)
            copy[rng() % copy.size()] ^= static_cast<BYTE>(1u << (rng() % 8));
        break;
    default:
        copy[rng() % std::min<size_t>(copy.size(), 32)] = static_cast<BYTE>(rng());
        break;
    }
    return copy;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: image_native FIXTURE_DIR [ROUNDS]\n");
        return 2;
    }
    std::string dir = argv[1];
    int rounds = argc > 2 ? atoi(argv[2]) : 200;
    DIR* d = opendir(dir.c_str());
    if (!d) {
        fprintf(stderr, "image_native: no folder %s\n", dir.c_str());
        return 2;
    }
    std::vector<std::string> names;
    while (dirent* e = readdir(d))
        if (DecoderFor(e->d_name))
            names.push_back(e->d_name);
    closedir(d);
    std::mt19937 rng(1234);
    int files = 0, decoded = 0, damaged = 0, damagedDecoded = 0;
    for (const std::string& name : names) {
        Decoder decode = DecoderFor(name);
        std::vector<BYTE> data = ReadAll(dir + "/" + name);
        CDibImage image;
        ++files;
        // An exact-size copy, so a read past the end reaches the redzone.
        {
            std::vector<BYTE> exact(data);
            bool ok = decode(exact.empty() ? nullptr : exact.data(), exact.size(), image);
            decoded += ok;
            if (getenv("IMAGE_NATIVE_LIST"))
                printf("%s %s\n", ok ? "decoded" : "refused", name.c_str());
        }
        for (int r = 0; r < rounds; ++r) {
            std::vector<BYTE> copy = Damage(data, rng);
            ++damaged;
            damagedDecoded += decode(copy.empty() ? nullptr : copy.data(), copy.size(), image);
        }
    }
    printf("image_native: %d files (%d decoded), %d damaged copies (%d decoded)\n", files, decoded, damaged,
           damagedDecoded);
    return files > 0 ? 0 : 1;
}

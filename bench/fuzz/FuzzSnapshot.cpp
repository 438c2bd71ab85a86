// Fuzz target of the snapshot reader: the input is a snapshot file, read
// into the engine's lists and freed again.
#include <stdint.h>
#include <stdio.h>

#include "FuzzSupport.h"
#include "snapshot/SnapshotFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::wstring path = fuzz::ScratchPath(".xwqz");
    std::string name(path.begin(), path.end());
    FILE* f = fopen(name.c_str(), "wb");
    if (!f)
        return 0;
    size_t written = fwrite(data, 1, size, f);
    fclose(f);
    if (written != size)
        return 0;
    ReadSnapshotFile(path.c_str(), nullptr);
    FreeAllResultLists();
    return 0;
}

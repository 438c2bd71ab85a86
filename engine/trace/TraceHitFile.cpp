#include "trace/TraceHitFile.h"

#include <windows.h>
#include <string.h>

#include <vector>

#include "io/SectorReader.h"
#include "io/SourceSectors.h"
#include "state/EngineState.h"
#include "trace/SignatureSelection.h"
#include "trace/TraceText.h"

uint32_t TraceChunkCount() { return g_TraceSizeMB > 0 ? (uint32_t)g_TraceSizeMB * TraceChunksPerMB : 0; }

int WriteSectorChunks(FILE* file, uint64_t start, uint32_t chunkCount)
{
    std::vector<unsigned char> chunk((size_t)TraceChunkSectors * SectorSize);
    int ok = 1;
    for (uint32_t k = 0; k < chunkCount; ++k) {
        memset(&chunk[0], 0, chunk.size());
        uint64_t lba = start + (uint64_t)k * TraceChunkSectors;
        ReadSourceSectors(lba, TraceChunkSectors, &chunk[0]);
        if (fwrite(&chunk[0], 1, chunk.size(), file) != chunk.size()) {
            ok = 0;
            break;
        }
    }
    return ok;
}

int WriteTraceFile(const wchar_t* folder, const wchar_t* name, uint32_t start)
{
    std::wstring path = std::wstring(folder ? folder : L"") + (name ? name : L"");
    FILE* file = _wfopen(path.c_str(), L"wb+");
    if (!file)
        return 0;
    int ok = WriteSectorChunks(file, start, TraceChunkCount());
    if (fclose(file) != 0)
        ok = 0;
    return ok;
}

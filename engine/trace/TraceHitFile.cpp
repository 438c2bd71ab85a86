#include "trace/TraceHitFile.h"

#include <windows.h>
#include <string.h>

#include <vector>

#include "io/SectorReader.h"
#include "msg/MessageSink.h"
#include "save/SavePath.h"
#include "state/EngineState.h"
#include "trace/SignatureSelection.h"
#include "trace/TraceText.h"

namespace {

TraceSaveReporter g_reporter;

uint32_t TraceChunkCount() { return g_TraceSizeMB > 0 ? (uint32_t)g_TraceSizeMB * TraceChunksPerMB : 0; }

}  // namespace

int WriteSectorChunks(FILE* file, uint64_t start, uint32_t chunkCount)
{
    std::vector<unsigned char> chunk((size_t)TraceChunkSectors * SectorSize);
    int ok = 1;
    for (uint32_t k = 0; k < chunkCount; ++k) {
        memset(&chunk[0], 0, chunk.size());
        uint64_t lba = start + (uint64_t)k * TraceChunkSectors;
        ReadSectors(L"", (DWORD)lba, (DWORD)(lba >> 32), TraceChunkSectors, &chunk[0]);
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

void SetTraceSaveReporter(const TraceSaveReporter* reporter)
{
    if (reporter)
        g_reporter = *reporter;
    else
        g_reporter = TraceSaveReporter();
}

const TraceSaveReporter& GetTraceSaveReporter() { return g_reporter; }

int SaveTraceHit(const wchar_t* folder, uint32_t /*hitNumber*/, int report, uint32_t start, std::wstring& name)
{
    if (g_SaveStop == 1)
        return 0;
    g_SaveSkip = 0;
    const std::wstring folderPath = folder ? folder : L"";
    std::wstring path = JoinPath(folderPath, name);
    if (report == 1) {
        if (g_reporter.nameAccepted && !g_reporter.nameAccepted(g_reporter.context, name.c_str()))
            return 0;
        if (!ApplyDuplicatePolicy(folderPath, name, RecoverySettings.duplicateNames))
            return 0;
        path = JoinPath(folderPath, name);
    }
    FILE* file = _wfopen(path.c_str(), L"wb+");
    if (!file) {
        g_strMessageText = L"Error creating file : " + EscapeMarkup(path) + L".  Continue Recovery ? ";
        g_nMessageKind = MessageKindError;
        if (ShowQuestionBox() != 1)
            g_SaveStop = 1;
        return 0;
    }
    if (report == 1) {
        ++g_SavedFileCount;
        if (g_reporter.fileStarted)
            g_reporter.fileStarted(g_reporter.context, folder, name.c_str(), g_SavedFileCount);
    }
    int ok = WriteSectorChunks(file, start, TraceChunkCount());
    if (fclose(file) != 0)
        ok = 0;
    return ok;
}

#include "save/SaveTraceHit.h"

#include <stdio.h>

#include "msg/MessageSink.h"
#include "save/SaveFile.h"
#include "save/SavePath.h"
#include "save/SaveReporter.h"
#include "state/EngineState.h"
#include "trace/TraceHitFile.h"

int SaveTraceHit(const wchar_t* folder, uint32_t /*hitNumber*/, int report, uint32_t start, std::wstring& name)
{
    if (g_SaveStop == 1)
        return 0;
    g_SaveSkip = 0;
    const TraceSaveReporter& rep = GetTraceSaveReporter();
    const std::wstring folderPath = folder ? folder : L"";
    std::wstring path = JoinPath(folderPath, name);
    if (report == 1) {
        if (rep.nameAccepted && !rep.nameAccepted(rep.context, name.c_str()))
            return 0;
        if (!ApplyDuplicatePolicy(folderPath, name, RecoverySettings.duplicateNames))
            return 0;
        path = JoinPath(folderPath, name);
    }
    FILE* file = _wfopen(path.c_str(), L"wb+");
    if (!file) {
        g_strMessageText = CreateErrorQuestion(path);
        g_nMessageKind = MessageKindError;
        if (ShowQuestionBox() != 1)
            g_SaveStop = 1;
        return 0;
    }
    if (report == 1) {
        ++g_SavedFileCount;
        if (rep.fileStarted)
            rep.fileStarted(rep.context, folder, name.c_str(), g_SavedFileCount);
    }
    int ok = WriteSectorChunks(file, start, TraceChunkCount());
    if (fclose(file) != 0)
        ok = 0;
    return ok;
}

#include "trace/TraceHit.h"

EngineList<TraceHit> g_TraceHitList;

namespace {

CEngineArena g_arena;

}  // namespace

void AppendTraceHit(const wchar_t* name, const wchar_t* extension, const wchar_t* description, uint32_t startSector,
                    uint32_t hitNumber)
{
    TraceHit* r = g_arena.New<TraceHit>();
    r->name = g_arena.StrDup(name);
    r->extension = g_arena.StrDup(extension);
    r->description = g_arena.StrDup(description);
    r->startSector = startSector;
    r->hitNumber = hitNumber;
    EngineListAppend(g_TraceHitList, r);
}

void FreeTraceHitList()
{
    EngineListReset(g_TraceHitList, g_arena);
}

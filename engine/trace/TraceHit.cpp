#include "trace/TraceHit.h"

EngineList<TraceHit> g_TraceHitList;

void AppendTraceHit(const wchar_t* name, const wchar_t* extension, const wchar_t* description, uint32_t startSector,
                    uint32_t hitNumber)
{
    TraceHit* r = (TraceHit*)EngineAlloc(sizeof(TraceHit));
    r->name = EngineStrDup(name);
    r->extension = EngineStrDup(extension);
    r->description = EngineStrDup(description);
    r->startSector = startSector;
    r->hitNumber = hitNumber;
    EngineListAppend(g_TraceHitList, r);
}

void FreeTraceHitList()
{
    EngineListReset(g_TraceHitList, [](TraceHit* r) {
        free(r->name);
        free(r->extension);
        free(r->description);
    });
}

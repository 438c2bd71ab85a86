// The hits of a File Trace: sectors whose leading bytes matched a chosen
// signature, each the assumed start of a file.
#pragma once

#include <stdint.h>

#include "state/EngineList.h"

// One hit (engine list record).
struct TraceHit
{
    wchar_t* name;         // hit number and extension, e.g. 12.jpg
    wchar_t* extension;    // with its dot
    wchar_t* description;  // of the signature that matched
    uint32_t startSector;
    uint32_t hitNumber;    // 1 for the first hit of a search
    TraceHit* next;
};

extern EngineList<TraceHit> g_TraceHitList;

// Appends a hit with its own copies of the texts. The caller keeps
// g_FileCount and g_FolderCount.
void AppendTraceHit(const wchar_t* name, const wchar_t* extension, const wchar_t* description, uint32_t startSector,
                    uint32_t hitNumber);

// Frees every hit and empties the list.
void FreeTraceHitList();

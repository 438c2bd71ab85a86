// The system's non-client metrics (menu, status and caption fonts) in the
// 500-byte form every Windows version from 2000 on accepts. The structure
// grows by four bytes when the version macros target Vista or later, and
// older systems refuse that size, so the size is spelled out, never sizeof.
#pragma once

#include <windows.h>

class CVZNonClientMetrics : public NONCLIENTMETRICSW
{
public:
    enum { kMetricsSize = 500 };

    // Zeroes the 500 bytes, sets the size and asks the system; a failing
    // call leaves the zeroed record (with its size).
    CVZNonClientMetrics();
};

static_assert(sizeof(NONCLIENTMETRICSW) >= CVZNonClientMetrics::kMetricsSize,
              "NONCLIENTMETRICSW holds at least the 500-byte form");

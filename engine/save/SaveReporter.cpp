#include "save/SaveReporter.h"

namespace {

TraceSaveReporter g_reporter;

}  // namespace

void SetTraceSaveReporter(const TraceSaveReporter* reporter)
{
    if (reporter)
        g_reporter = *reporter;
    else
        g_reporter = TraceSaveReporter();
}

const TraceSaveReporter& GetTraceSaveReporter() { return g_reporter; }

// The compound-file probe reads the summary stream through COM, which the
// native build does not have: hits keep their signature's type.
#include "trace/OfficeProbe.h"

std::wstring ProbeOfficeType(uint32_t) { return std::wstring(); }

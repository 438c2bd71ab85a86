// Telling Word, Excel and PowerPoint files apart: they share one compound
// file container, so a hit found through the ".doc" or ".docx" signature is
// copied to a temporary file and its summary information's application name
// decides the type.
#pragma once

#include <stdint.h>

#include <string>

struct IPropertySetStorage;

// Copies the 1 MB that starts at sector t to the temporary file "0001",
// reads its application name and deletes the file. Returns ".ppt" when the
// name contains "PowerPoint", else ".xls" for "Excel", else ".doc" for
// "Word", else ".pub" (also when the copy is no compound file).
std::wstring ProbeOfficeType(uint32_t t);

// The application name of a compound file's summary information, formatted
// "<name> (VT_LPSTR)\n"; empty when the file is no compound file or has no
// such name.
std::wstring ReadSummaryAppName(const wchar_t* path);
std::wstring ReadAppNameProperty(IPropertySetStorage* set);

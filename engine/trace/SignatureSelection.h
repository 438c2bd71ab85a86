// The chosen signatures of a File Trace and the size written for each hit.
#pragma once

#include <stdint.h>

#include "state/EngineList.h"

// One chosen catalogue record (engine list record).
struct SignatureSelection
{
    wchar_t* extension;      // with its dot
    wchar_t* description;
    uint32_t compareLength;  // as the catalogue gives it; the search clamps it
    char* signature;         // upper-case hexadecimal text
    int32_t fifthFieldValue;
    SignatureSelection* next;
};

extern EngineList<SignatureSelection> g_SignatureList;
extern uint32_t g_SignatureCount;

// Megabytes written for each recovered hit; 0 until the File Types dialog
// sets it.
extern int g_TraceSizeMB;

// Appends a record with its own copies of the texts.
void AppendSignatureSelection(const wchar_t* extension, const wchar_t* description, uint32_t compareLength,
                              const char* signature, int32_t fifthFieldValue);

// Frees every record and empties the list; g_SignatureCount becomes 0.
void FreeSignatureList();

// The further field's hexadecimal text read as a decimal number: reading
// stops at the first character that is not a digit ("0A10" gives 0, "0010"
// gives 10).
int32_t FifthFieldValue(const char* hexText);

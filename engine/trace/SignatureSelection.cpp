#include "trace/SignatureSelection.h"

#include <string.h>

EngineList<SignatureSelection> g_SignatureList;
uint32_t g_SignatureCount;
int g_TraceSizeMB;

void AppendSignatureSelection(const wchar_t* extension, const wchar_t* description, uint32_t compareLength,
                              const char* signature, int32_t fifthFieldValue)
{
    if (!signature)
        signature = "";
    SignatureSelection* r = (SignatureSelection*)EngineAlloc(sizeof(SignatureSelection));
    r->extension = EngineStrDup(extension);
    r->description = EngineStrDup(description);
    r->compareLength = compareLength;
    size_t n = strlen(signature) + 1;
    r->signature = (char*)EngineAlloc(n);
    memcpy(r->signature, signature, n);
    r->fifthFieldValue = fifthFieldValue;
    EngineListAppend(g_SignatureList, r);
    ++g_SignatureCount;
}

void FreeSignatureList()
{
    EngineListReset(g_SignatureList, [](SignatureSelection* r) {
        free(r->extension);
        free(r->description);
        free(r->signature);
    });
    g_SignatureCount = 0;
}

int32_t FifthFieldValue(const char* hexText)
{
    int32_t value = 0;
    for (const char* p = hexText; p && *p >= '0' && *p <= '9'; ++p) {
        if (value > 214748364)
            break;
        value = value * 10 + (*p - '0');
    }
    return value;
}

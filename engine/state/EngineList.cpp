#include "state/EngineList.h"

#include <wchar.h>
#include <windows.h>

#include "msg/MessageSink.h"

namespace {

[[noreturn]] void OutOfMemory()
{
    ShowMessage(L"Out of memory, close other applications and run again", MessageKindError);
    ExitProcess(0);
}

}  // namespace

void* EngineAlloc(size_t size)
{
    void* p = malloc(size ? size : 1);
    if (!p)
        OutOfMemory();
    return p;
}

wchar_t* EngineStrDup(const wchar_t* text)
{
    if (!text)
        text = L"";
    size_t n = wcslen(text) + 1;
    if (n > (size_t)-1 / sizeof(wchar_t))
        OutOfMemory();
    wchar_t* copy = (wchar_t*)EngineAlloc(n * sizeof(wchar_t));
    wmemcpy(copy, text, n);
    return copy;
}

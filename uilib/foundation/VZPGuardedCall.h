// Calls into code the program does not control (entry points of optional
// system libraries) behind a structured-exception guard, so that a fault
// inside them becomes a failure value instead of ending the process.
#pragma once

#include <windows.h>

// Runs pfnCall(pContext). Returns TRUE when it returned normally, FALSE when
// a structured exception (an access violation, say) was raised inside it.
// After a fault the call's own stack frames are abandoned without running
// C++ destructors, so pfnCall must be a plain forwarding function.
BOOL VZPCallGuarded(void (*pfnCall)(void* pContext), void* pContext);

// The same for a callable object, which runs by reference; see above for what
// it may hold.
template <class TCall>
inline BOOL VZPCallGuarded(TCall& call)
{
    return VZPCallGuarded([](void* pContext) { (*static_cast<TCall*>(pContext))(); }, &call);
}

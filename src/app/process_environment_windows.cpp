#include <windows.h>

#include <cstdio>

#include "app/vellumark_app.h"

// A window program has no console of its own: started from one, its usage text and the command
// line's messages go to that console. WGL gives accumulation buffers through the pixel format
// and the system allocator keeps large blocks without being told, so nothing else is needed.
void PrepareProcessEnvironment() {
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if ((error == nullptr || error == INVALID_HANDLE_VALUE) &&
        AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
}

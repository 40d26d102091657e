#pragma once
// An entry point beyond GL 1.1, asked of the driver of the current context; null when it has none.

#include <windows.h>

template <typename Function>
void LoadDriverFunction(Function& function, const char* name) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(wglGetProcAddress(name)));
}

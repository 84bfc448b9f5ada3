// The few pieces of the platform's module loader that a vessel module uses.
// On Windows they are the real ones; elsewhere the module carries a small
// loader layer of its own that gives them the same meaning.
#pragma once

#if defined(_WIN32)

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#else

#include <cstdint>

using BOOL = int;
using DWORD = std::uint32_t;
using LPVOID = void*;
using HINSTANCE = void*;  // the handle that the loader issued for a loaded module
using HMODULE = HINSTANCE;
using FARPROC = std::intptr_t (*)();

#define WINAPI

// Reason codes that the loader passes to a module's entry routine.
enum : DWORD {
    DLL_PROCESS_DETACH = 0,
    DLL_PROCESS_ATTACH = 1,
    DLL_THREAD_ATTACH = 2,
    DLL_THREAD_DETACH = 3,
};

// Looks a symbol up among the named module's exports; null when it has none.
FARPROC GetProcAddress(HMODULE module, const char* name);

#endif

// The entry routine that the loader notifies when the module is attached to
// or detached from the process, and when threads start or end.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);

// Exit functions that a module may export for its entry routine to find.
// Each records its call, with the instance handle it was given, in the
// host's log, which outlives the module.
#include <cstdio>
#include <string>

#include "host.h"

namespace {
void recordExit(const char* name, HINSTANCE instance) {
    char handle[32];
    std::snprintf(handle, sizeof handle, "%p", static_cast<void*>(instance));
    standin::host().log().record(nullptr, std::string(name) + "(" + handle + ")");
}
}  // namespace

#if defined(WITH_EXIT_MODULE)
MODULE_EXPORT void ExitModule(HINSTANCE instance) { recordExit("ExitModule", instance); }
#endif

#if defined(WITH_OPC_DLL_EXIT)
MODULE_EXPORT void opcDLLExit(HINSTANCE instance) { recordExit("opcDLLExit", instance); }
#endif

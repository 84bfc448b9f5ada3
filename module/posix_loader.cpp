// Where the platform's loader does not notify a module's entry routine, this
// layer does: attach when the module is loaded, detach when it is unloaded,
// each with the module's own handle. It is linked last, so that the attach
// notification follows every static initialiser of the module and the
// detach notification comes before their destructors, as on Windows.
#include <dlfcn.h>
#include <link.h>

#include "platform.h"

namespace {

HINSTANCE g_instance = nullptr;

// The handle dlopen gave the host for this module. With glibc it is the
// module's link map, which dladdr1 finds from any address inside the module
// without taking a reference that would pin the module in memory.
HINSTANCE ownHandle() {
    Dl_info info;
    link_map* map = nullptr;
    static const char anchor = 0;
    if (!dladdr1(&anchor, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP)) return nullptr;
    return map;
}

__attribute__((constructor)) void notifyAttach() {
    g_instance = ownHandle();
    DllMain(g_instance, DLL_PROCESS_ATTACH, nullptr);
}

__attribute__((destructor)) void notifyDetach() {
    DllMain(g_instance, DLL_PROCESS_DETACH, nullptr);
}

}  // namespace

FARPROC GetProcAddress(HMODULE module, const char* name) {
    return reinterpret_cast<FARPROC>(dlsym(module, name));
}

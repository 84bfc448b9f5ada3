// The module's whole boundary: the entry routine that the platform's loader
// notifies, and the four exports through which the host identifies the
// module and creates and destroys debris vessels.
#include <new>

#include "debris_vessel.h"
#include "orbiter_api.h"
#include "platform.h"

namespace {

// Module-wide state: zero at load, never reset while the module is loaded.
using ExitFunction = void (*)(HINSTANCE);
ExitFunction g_exitFunc = nullptr;  // looked up at attach, called at detach
int g_moduleVersion = 0;            // GetModuleVersion's answer, once non-zero

ExitFunction findExitFunction(HINSTANCE instance, const char* name) {
    // A detour through the generic function-pointer type keeps the cast
    // from FARPROC explicit on every platform.
    return reinterpret_cast<ExitFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(instance, name)));
}

}  // namespace

// Called by the loader: at process attach after the runtime's own start-up,
// at detach before its shutdown, and for every thread start and end.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        InitLib(instance);
        g_exitFunc = findExitFunction(instance, "ExitModule");
        if (!g_exitFunc) g_exitFunc = findExitFunction(instance, "opcDLLExit");
        break;
    case DLL_PROCESS_DETACH:
        if (g_exitFunc) g_exitFunc(instance);
        break;
    default:  // thread notifications: nothing to do
        break;
    }
    return 1;
}

// Called by the host to create a debris; the handle and flight model go to
// VESSEL2 unchanged. A null answer tells the host that creation failed.
MODULE_EXPORT VESSEL* ovcInit(OBJHANDLE vessel, int flightModel) {
    return new (std::nothrow) DebrisVessel(vessel, flightModel);
}

// Called by the host with what ovcInit returned, once the vessel is gone from
// the simulation. The handles it held belong to the host.
MODULE_EXPORT void ovcExit(VESSEL* vessel) {
    if (!vessel) return;
    delete static_cast<DebrisVessel*>(vessel);
}

// The module's build date, as the host reads it.
MODULE_EXPORT const char* ModuleDate() {
    return "Jan  4 2013";
}

// The module's version, the host's integer form of the date the version was
// cut. A zero answer is not kept, so the host is asked again next time.
MODULE_EXPORT int GetModuleVersion() {
    if (g_moduleVersion == 0) g_moduleVersion = Date2Int("Oct 29 2011");
    return g_moduleVersion;
}

// A module that lacks ovcExit, for the loader's error path.
#include "orbiter_api.h"

MODULE_EXPORT VESSEL* ovcInit(OBJHANDLE, int) { return nullptr; }
MODULE_EXPORT const char* ModuleDate() { return "Jan  1 2000"; }
MODULE_EXPORT int GetModuleVersion() { return 1; }

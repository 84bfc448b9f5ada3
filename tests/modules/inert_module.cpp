// A vessel module whose class keeps every default callback of the host: the
// baseline that the debris's own callbacks are measured against.
#include <new>

#include "orbiter_api.h"

namespace {
class InertVessel final : public VESSEL2 {
public:
    using VESSEL2::VESSEL2;
};
}  // namespace

MODULE_EXPORT VESSEL* ovcInit(OBJHANDLE vessel, int flightModel) {
    return new (std::nothrow) InertVessel(vessel, flightModel);
}
MODULE_EXPORT void ovcExit(VESSEL* vessel) { delete static_cast<InertVessel*>(vessel); }
MODULE_EXPORT const char* ModuleDate() { return "Jan  1 2000"; }
MODULE_EXPORT int GetModuleVersion() { return 1; }

// hulkfall-sim: loads the debris module into the stand-in host and shows
// one debris set up, kicked off, stepped and removed.
#include <cstdio>
#include <string>

#include "host.h"

using standin::host;
using standin::Vessel;

namespace {

void printSetup(const Vessel& v) {
    std::printf("debris '%s': size %s m, empty mass %s kg, camera %s\n", v.name.c_str(),
                standin::formatNumber(v.size).c_str(), standin::formatNumber(v.emptyMass).c_str(),
                standin::formatVector(v.cameraOffset).c_str());
    for (const VECTOR3& point : v.touchdownPoints)
        std::printf("  touchdown point %s\n", standin::formatVector(point).c_str());
    for (const standin::Propellant& tank : v.tanks)
        std::printf("  tank P%d: %s kg of %s kg, efficiency %s\n", tank.id,
                    standin::formatNumber(tank.mass).c_str(),
                    standin::formatNumber(tank.capacity).c_str(),
                    standin::formatNumber(tank.efficiency).c_str());
    for (const standin::Thruster& t : v.thrusters)
        std::printf("  thruster T%d: at %s along %s, %s N, isp %s m/s, level %s\n", t.id,
                    standin::formatVector(t.position).c_str(),
                    standin::formatVector(t.direction).c_str(),
                    standin::formatNumber(t.maxThrust).c_str(),
                    standin::formatNumber(t.isp).c_str(), standin::formatNumber(t.level).c_str());
    for (const standin::ExhaustStream& s : v.streams)
        std::printf("  stream on T%d: %s\n", s.thruster->id, standin::formatStream(s.spec).c_str());
    for (const std::string& mesh : v.meshes) std::printf("  mesh \"%s\"\n", mesh.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : HULKFALL_DEFAULT_MODULE;
    std::string error;
    standin::LoadedModule* module = host().loadModule(path, &error);
    if (!module) {
        std::fprintf(stderr, "hulkfall-sim: %s\n", error.c_str());
        return 1;
    }
    std::printf("loaded %s: date \"%s\", version %d\n", path.c_str(), module->ModuleDate(),
                module->GetModuleVersion());
    host().addPlainVessel("user");  // debris is never removed while it is the last vessel
    OBJHANDLE debris = host().createVessel(*module, "debris1", 1, nullptr, &error);
    if (!debris) {
        std::fprintf(stderr, "hulkfall-sim: %s\n", error.c_str());
        return 1;
    }
    printSetup(*host().find(debris));
    host().log().setEnabled(false);
    const double stepLength = 10;
    int steps = 0;
    while (host().find(debris) && steps < 1000) {
        host().step(stepLength);
        ++steps;
    }
    std::printf("stepped %d times by %s s: debris1 %s at t = %s s\n", steps,
                standin::formatNumber(stepLength).c_str(),
                host().find(debris) ? "still there" : "removed",
                standin::formatNumber(host().simTime()).c_str());
    host().unloadModule(module);
    std::printf("unloaded the module\n");
    return 0;
}

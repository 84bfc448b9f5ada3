#include "debris_vessel.h"

namespace {

// Two streams that differ only in size, rate, lifetime and growth: the trail
// (small particles that linger and grow slowly) rides on the weak thruster,
// the burst (large particles that live one second) on the strong one.
PARTICLESTREAMSPEC debrisStream(double size, double rate, double lifetime, double growthRate) {
    PARTICLESTREAMSPEC spec{};
    spec.flags = 0;
    spec.size = size;
    spec.rate = rate;
    spec.speed = 0;
    spec.speedSpread = 0.5;
    spec.lifetime = lifetime;
    spec.growthRate = growthRate;
    spec.atmosSlowdown = 5;
    spec.lighting = PARTICLE_EMISSIVE;
    spec.levelMap = LEVELMAP_SQRT_RANGE;
    spec.levelMin = 0;
    spec.levelMax = 2;
    spec.atmosMap = ATMOSMAP_LOG_RANGE;
    spec.atmosMin = 1e-4;
    spec.atmosMax = 1;
    spec.texture = nullptr;
    return spec;
}

constexpr VECTOR3 kOrigin{0, 0, 0};
constexpr VECTOR3 kPlusX{1, 0, 0};
constexpr double kFullTank = -1;
constexpr double kReferencePressure = 101400;  // Pa

}  // namespace

DebrisVessel::DebrisVessel(OBJHANDLE vessel, int flightModel) : VESSEL2(vessel, flightModel) {}

// Called by the host once per instance, right after ovcInit and before any
// other callback. The configuration file holds nothing the class needs.
void DebrisVessel::clbkSetClassCaps(FILEHANDLE /*config*/) {
    SetSize(3.5);
    SetEmptyMass(5000);
    SetCameraOffset({0, 0.8, 0});
    SetTouchdownPoints({0.1, 0, 0}, {0, 0.1, 0}, {0, 0, 0.1});

    ph_burst = CreatePropellantResource(10, kFullTank, 1);
    ph_trail = CreatePropellantResource(10, kFullTank, 1);
    th_burst = CreateThruster(kOrigin, kPlusX, 100000, ph_burst, 1500, 0, kReferencePressure);
    th_trail = CreateThruster(kOrigin, kPlusX, 0.001, ph_trail, 100, 0, kReferencePressure);

    const PARTICLESTREAMSPEC trail = debrisStream(0.5, 25, 20, 0.5);
    const PARTICLESTREAMSPEC burst = debrisStream(10, 20, 1, 100);
    AddExhaustStream(th_trail, kOrigin, &trail);
    AddExhaustStream(th_burst, kOrigin, &burst);
    AddMesh("Hulkfall", nullptr);
}

#include "debris_vessel.h"

#include <cstdlib>

#include "module_clock.h"

namespace {

// Module-wide state, shared by every instance and never reset while the
// module is loaded: the sum of the step lengths given to all instances.
// With n debris alive it passes kLifetime after about kLifetime / n seconds.
double g_elapsed = 0;

constexpr double kLifetime = 6000;  // s of the shared clock
constexpr double kRestingAirspeed = 1.0;  // m/s

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

// Called by the host once, right after clbkSetClassCaps.
void DebrisVessel::clbkPostCreation() {
    SetEnableFocus(false);
    // Reseeded at every creation: debris created within the same millisecond
    // fly off in the same direction.
    std::srand(static_cast<unsigned>(moduleClockMilliseconds()));
    const int x = std::rand() % 10 - 4;
    const int y = std::rand() % 10 - 4;
    const int z = std::rand() % 10 - 4;
    // Not normalised: the length, 0 to sqrt(75), is what the host makes of it.
    SetThrusterDir(th_burst, {double(x), double(y), double(z)});
    SetThrusterLevel(th_burst, 1);
    SetThrusterLevel(th_trail, 1);
}

// Called by the host at every simulation step, before its state update. The
// host defers a removal until this returns, and accepts a second request for
// the same vessel, so both rules may ask in the same step.
void DebrisVessel::clbkPreStep(double /*simTime*/, double /*stepLength*/, double /*mjd*/) {
    if (GroundContact() && oapiGetVesselCount() > 1 && GetAirspeed() < kRestingAirspeed)
        oapiDeleteVessel(GetHandle(), nullptr);
    if (g_elapsed > kLifetime && oapiGetVesselCount() > 1) oapiDeleteVessel(GetHandle(), nullptr);
}

// Called by the host at every simulation step, after its state update.
void DebrisVessel::clbkPostStep(double /*simTime*/, double stepLength, double /*mjd*/) {
    g_elapsed += stepLength;
}

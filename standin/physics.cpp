#include "physics.h"

#include <algorithm>
#include <cmath>

namespace standin {
namespace {

double length(const VECTOR3& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

// Thrust force over the step, draining each thruster's tank.
VECTOR3 thrustForce(Vessel& vessel, double stepLength) {
    VECTOR3 force{0, 0, 0};
    for (Thruster& thruster : vessel.thrusters) {
        const double level = std::clamp(thruster.level, 0.0, 1.0);
        const double norm = length(thruster.direction);
        Propellant* tank = thruster.tank;
        if (!(level > 0) || !(norm > 0) || !std::isfinite(norm) || !tank || !(tank->mass > 0))
            continue;
        double thrust = level * thruster.maxThrust;
        if (thruster.isp > 0) {
            const double burn = thrust / thruster.isp * stepLength;
            const double used = std::min(burn, tank->mass);
            if (burn > 0) thrust *= used / burn;  // the tank ran dry within the step
            tank->mass -= used;
        }
        force.x += thrust * thruster.direction.x / norm;
        force.y += thrust * thruster.direction.y / norm;
        force.z += thrust * thruster.direction.z / norm;
    }
    return force;
}

}  // namespace

void advance(Vessel& vessel, double stepLength, const PhysicsSettings& settings) {
    if (!(stepLength > 0) || !std::isfinite(stepLength)) return;
    double mass = vessel.emptyMass;
    for (const Propellant& tank : vessel.tanks) mass += tank.mass;
    const VECTOR3 force = thrustForce(vessel, stepLength);
    VECTOR3& v = vessel.velocity;
    VECTOR3& p = vessel.position;
    if (mass > 0) {
        v.x += force.x / mass * stepLength;
        v.y += force.y / mass * stepLength;
        v.z += force.z / mass * stepLength;
    }
    v.y -= settings.gravity * stepLength;
    p.x += v.x * stepLength;
    p.y += v.y * stepLength;
    p.z += v.z * stepLength;

    const double lowest = vessel.lowestTouchdownHeight;
    vessel.groundContact = p.y + lowest <= 0;
    if (vessel.groundContact) {
        p.y = 0 - lowest;  // not -0 when the lowest point is at 0
        v.y = std::max(v.y, 0.0);
        const double sliding = std::hypot(v.x, v.z);
        const double slowdown = settings.friction * settings.gravity * stepLength;
        const double keep = sliding > slowdown ? (sliding - slowdown) / sliding : 0;
        v.x *= keep;
        v.z *= keep;
    }
    vessel.airspeed = length(v);
}

}  // namespace standin

// The stand-in host's state update: a point mass over flat ground.
//
// Ground is the plane y = 0 under uniform gravity. A vessel's mass is its
// empty mass plus its propellant. Each thruster pushes with level x maximum
// thrust along its direction, taken as a unit vector whatever its length (a
// zero or non-finite direction pushes not at all), and drains its tank at
// thrust / isp until the tank is empty. A vessel is in ground contact while
// its lowest touchdown point is at or below the ground: it cannot sink, and
// friction slows it along the ground until it stops. Airspeed is the speed
// relative to the ground (there is no wind). Orientation does not change.
#pragma once

#include "host.h"

namespace standin {

struct PhysicsSettings {
    double gravity = 9.81;  // m/s^2
    double friction = 0.5;  // coefficient of sliding friction
};

// Advances one vessel by a step. Steps that are not positive and finite
// change nothing.
void advance(Vessel& vessel, double stepLength, const PhysicsSettings& settings);

}  // namespace standin

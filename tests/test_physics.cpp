// The stand-in host's state update, on vessel records of the test's own.
#include <gtest/gtest.h>

#include <cmath>

#include "physics.h"

namespace {

// A debris-like record: 5000 kg, one 10 kg tank feeding a 100 kN thruster.
standin::Vessel debrisLike(VECTOR3 direction, double altitude) {
    standin::Vessel v;
    v.emptyMass = 5000;
    v.setTouchdownPoints({{0.1, 0, 0}, {0, 0.1, 0}, {0, 0, 0.1}});
    v.tanks.push_back({1, 10, 10, 1});
    v.thrusters.push_back({1, {0, 0, 0}, direction, 100000, &v.tanks[0], 1500, 0, 101400, 1});
    v.position = {0, altitude, 0};
    return v;
}

const standin::PhysicsSettings kEarth;

TEST(PhysicsTest, ThrustActsAlongTheDirectionWhateverItsLength) {
    for (double length : {1.0, 8.0}) {
        standin::Vessel v = debrisLike({0, 0, length}, 1000);
        standin::advance(v, 0.01, kEarth);
        // 100 kN on 5010 kg for 0.01 s, whatever the direction's length.
        EXPECT_NEAR(v.velocity.z, 100000.0 / 5010 * 0.01, 1e-9) << length;
        EXPECT_NEAR(v.velocity.y, -9.81 * 0.01, 1e-12);
    }
}

TEST(PhysicsTest, AZeroOrNonFiniteDirectionGivesNoThrustAndNoNaN) {
    for (VECTOR3 direction : {VECTOR3{0, 0, 0}, VECTOR3{NAN, 0, 0}, VECTOR3{INFINITY, 1, 0}}) {
        standin::Vessel v = debrisLike(direction, 1000);
        standin::advance(v, 0.01, kEarth);
        EXPECT_EQ(v.velocity.x, 0);
        EXPECT_EQ(v.velocity.z, 0);
        EXPECT_TRUE(std::isfinite(v.position.y));
        EXPECT_EQ(v.tanks[0].mass, 10);  // nothing burnt
    }
}

TEST(PhysicsTest, TheTankDrainsAtThrustOverIspAndThrustStopsWhenEmpty) {
    standin::Vessel v = debrisLike({1, 0, 0}, 1000);
    standin::advance(v, 0.01, kEarth);
    EXPECT_NEAR(v.tanks[0].mass, 10 - 100000.0 / 1500 * 0.01, 1e-9);
    for (int i = 0; i < 100; ++i) standin::advance(v, 0.01, kEarth);
    EXPECT_EQ(v.tanks[0].mass, 0);
    // The whole tank gives isp x ln(m0 / m1) of speed.
    EXPECT_NEAR(v.velocity.x, 1500 * std::log(5010.0 / 5000.0), 0.05);
    const double coasting = v.velocity.x;
    standin::advance(v, 0.01, kEarth);
    EXPECT_EQ(v.velocity.x, coasting);
}

TEST(PhysicsTest, FallsToTheGroundAndFrictionBringsItToRest) {
    standin::Vessel v = debrisLike({1, 0, 0}, 3);
    v.thrusters[0].level = 0;
    v.velocity = {2, 0, 0};
    int steps = 0;
    while (!v.groundContact && steps < 1000) {
        standin::advance(v, 0.01, kEarth);
        ++steps;
    }
    ASSERT_TRUE(v.groundContact);
    EXPECT_NEAR(steps * 0.01, std::sqrt(2 * 3 / 9.81), 0.02);
    EXPECT_EQ(v.position.y, 0);
    EXPECT_EQ(v.velocity.y, 0);
    for (int i = 0; i < 100; ++i) standin::advance(v, 0.01, kEarth);
    EXPECT_TRUE(v.groundContact);
    EXPECT_EQ(v.airspeed, 0);  // 2 m/s against 0.5 g of friction: still within 0.5 s
}

TEST(PhysicsTest, StepsThatAreNotPositiveAndFiniteChangeNothing) {
    for (double step : {0.0, -1.0, double(NAN), double(INFINITY)}) {
        standin::Vessel v = debrisLike({1, 0, 0}, 10);
        standin::advance(v, step, kEarth);
        EXPECT_EQ(v.position.y, 10) << step;
        EXPECT_EQ(v.velocity.x, 0) << step;
        EXPECT_EQ(v.tanks[0].mass, 10) << step;
    }
}

}  // namespace

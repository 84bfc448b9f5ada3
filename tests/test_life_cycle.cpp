// The debris's life after its kick-off: the two removal rules and the
// module's shared clock, driven through the host's step loop.
#include <cmath>
#include <limits>

#include "module_test.h"

using standin::host;
using standin::Vessel;

namespace {

class LifeCycleTest : public ModuleTest {
protected:
    static Vessel& record(OBJHANDLE debris) { return *host().find(debris); }
    static bool gone(OBJHANDLE debris) { return host().find(debris) == nullptr; }

    static void rest(OBJHANDLE debris, bool onGround, double airspeed) {
        record(debris).groundContact = onGround;
        record(debris).airspeed = airspeed;
    }

    // Steps until the vessel is gone; the 1-based step in which it went, or 0.
    static int stepsUntilGone(OBJHANDLE debris, double stepLength, int limit) {
        for (int step = 1; step <= limit; ++step) {
            host().step(stepLength);
            if (gone(debris)) return step;
        }
        return 0;
    }
};

struct RestCase {
    const char* label;
    bool onGround;
    bool otherVessel;
    double airspeed;
    std::vector<std::string> preStepCalls;
};
void PrintTo(const RestCase& c, std::ostream* out) { *out << c.label; }

const std::vector<std::string> kRemoval = {"GetHandle()", "oapiDeleteVessel(debris, null)"};

std::vector<std::string> plus(std::vector<std::string> calls, const std::vector<std::string>& more) {
    calls.insert(calls.end(), more.begin(), more.end());
    return calls;
}

class RestRuleTest : public LifeCycleTest, public ::testing::WithParamInterface<RestCase> {};

TEST_P(RestRuleTest, TestsGroundThenCountThenAirspeedAndStopsAtTheFirstFailure) {
    const RestCase& c = GetParam();
    if (c.otherVessel) host().addPlainVessel("user");
    OBJHANDLE debris = create("debris");
    rest(debris, c.onGround, c.airspeed);
    host().step(0.1);
    EXPECT_EQ(callsDuring(debris, "> clbkPreStep"), c.preStepCalls);
    const bool removed = c.preStepCalls.size() > 3;
    EXPECT_EQ(gone(debris), removed);
    EXPECT_EQ(host().log().textsStartingWith("> ovcExit(").size(), removed ? 1u : 0u);
}

const std::vector<std::string> kGroundCountAirspeed = {"GroundContact()", "oapiGetVesselCount()",
                                                       "GetAirspeed()"};

INSTANTIATE_TEST_SUITE_P(
    Cases, RestRuleTest,
    ::testing::Values(
        RestCase{"InFlight", false, true, 0.0, {"GroundContact()"}},
        RestCase{"OnGroundAlone", true, false, 0.0, {"GroundContact()", "oapiGetVesselCount()"}},
        RestCase{"JustBelowOne", true, true, 0.99, plus(kGroundCountAirspeed, kRemoval)},
        RestCase{"Still", true, true, 0.0, plus(kGroundCountAirspeed, kRemoval)},
        RestCase{"ExactlyOne", true, true, 1.0, kGroundCountAirspeed},
        RestCase{"Sliding", true, true, 3.0, kGroundCountAirspeed}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(LifeCycleTest, PostStepAsksTheHostNothing) {
    OBJHANDLE debris = create("debris");
    host().step(0.1);
    EXPECT_TRUE(callsDuring(debris, "> clbkPostStep").empty());
}

struct TimeCase {
    const char* label;
    std::vector<double> steps;  // taken with the rule kept from firing
    bool removedAtNextStep;
};
void PrintTo(const TimeCase& c, std::ostream* out) { *out << c.label; }

class TimeRuleTest : public LifeCycleTest, public ::testing::WithParamInterface<TimeCase> {};

TEST_P(TimeRuleTest, FiresOnceTheSharedClockIsStrictlyAbove6000) {
    const TimeCase& c = GetParam();
    OBJHANDLE debris = create("debris");
    for (double length : c.steps) host().step(length);  // alone: nothing fires
    ASSERT_FALSE(gone(debris));
    host().addPlainVessel("user");
    host().log().clear();
    host().step(0.0);
    EXPECT_EQ(gone(debris), c.removedAtNextStep);
    const std::vector<std::string> ground = {"GroundContact()"};
    EXPECT_EQ(callsDuring(debris, "> clbkPreStep"),
              c.removedAtNextStep ? plus(plus(ground, {"oapiGetVesselCount()"}), kRemoval)
                                  : ground);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TimeRuleTest,
    ::testing::Values(TimeCase{"Exactly6000", {6000}, false},
                      TimeCase{"Exactly6000InParts", {2000, 2000, 1500, 500}, false},
                      TimeCase{"JustAbove", {6000, 1e-9}, true},
                      TimeCase{"FarAbove", {1e9}, true},
                      TimeCase{"BackBelowAfterANegativeStep", {7000, -1000.5}, false},
                      // A NaN step leaves the clock NaN, never above 6000.
                      TimeCase{"PoisonedByNaN", {std::nan(""), 7000}, false},
                      TimeCase{"Infinite", {std::numeric_limits<double>::infinity()}, true},
                      TimeCase{"MinusInfinity", {-std::numeric_limits<double>::infinity(), 1e300},
                               false},
                      TimeCase{"ZeroSteps", std::vector<double>(100, 0.0), false}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(LifeCycleTest, ALoneDebrisIsNeverRemovedAtRestOrAfterAnyTime) {
    OBJHANDLE debris = create("debris");
    rest(debris, true, 0.0);
    for (double length : {0.5, 6000.0, 1e6, std::numeric_limits<double>::infinity()})
        host().step(length);
    EXPECT_FALSE(gone(debris));
    EXPECT_TRUE(host().log().textsStartingWith("oapiDeleteVessel(").empty());
}

struct ClockRateCase {
    const char* label;
    int debris;
    double stepLength;
    int removedInStep;  // the shared clock passes 6000 in the step before
};
void PrintTo(const ClockRateCase& c, std::ostream* out) { *out << c.label; }

class SharedClockTest : public LifeCycleTest, public ::testing::WithParamInterface<ClockRateCase> {};

TEST_P(SharedClockTest, EveryInstanceAddsItsStep) {
    const ClockRateCase& c = GetParam();
    host().addPlainVessel("user");
    std::vector<OBJHANDLE> debris;
    for (int i = 0; i < c.debris; ++i) debris.push_back(create("debris" + std::to_string(i)));
    host().log().setEnabled(false);
    EXPECT_EQ(stepsUntilGone(debris.back(), c.stepLength, c.removedInStep + 5), c.removedInStep);
    for (OBJHANDLE d : debris) EXPECT_TRUE(gone(d));
}

// Step lengths that add up exactly: 16000 steps of 3 x 0.125 s reach 6000,
// one more passes it, and the step after that removes.
INSTANTIATE_TEST_SUITE_P(
    Cases, SharedClockTest,
    ::testing::Values(ClockRateCase{"OneDebrisEighthSeconds", 1, 0.125, 48002},
                      ClockRateCase{"ThreeDebrisEighthSeconds", 3, 0.125, 16002},
                      ClockRateCase{"FourDebrisQuarterSeconds", 4, 0.25, 6002}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(LifeCycleTest, ThreeInstancesSteppingATenthAdvanceTheClockByThreeTenthsAStep) {
    host().addPlainVessel("user");
    std::vector<OBJHANDLE> debris;
    for (int i = 0; i < 3; ++i) debris.push_back(create("debris" + std::to_string(i)));
    host().log().setEnabled(false);
    // 6000 / 0.3 = 20000 steps; rounding may put the sum on either side.
    const int removedIn = stepsUntilGone(debris[0], 0.1, 30000);
    EXPECT_GE(removedIn, 20001);
    EXPECT_LE(removedIn, 20002);
}

TEST_F(LifeCycleTest, TheLastVesselStandingStays) {
    std::vector<OBJHANDLE> debris;
    for (int i = 0; i < 3; ++i) debris.push_back(create("debris" + std::to_string(i)));
    host().step(7000);
    host().step(0.1);
    EXPECT_TRUE(gone(debris[0]));
    EXPECT_TRUE(gone(debris[1]));
    EXPECT_FALSE(gone(debris[2]));
    EXPECT_EQ(host().vesselCount(), 1u);
}

TEST_F(LifeCycleTest, ADebrisCreatedAfterTheClockRanOutGoesInItsFirstPreStep) {
    OBJHANDLE user = host().addPlainVessel("user");
    OBJHANDLE first = create("first");
    host().step(6001);
    host().step(0.1);
    ASSERT_TRUE(gone(first));

    OBJHANDLE late = create("late");
    host().step(0.1);
    EXPECT_TRUE(gone(late));

    host().destroyVessel(user);
    OBJHANDLE alone = create("alone");
    host().step(0.1);
    EXPECT_FALSE(gone(alone));
}

TEST_F(LifeCycleTest, BothRulesAskInOneStepAndTheHostRemovesOnce) {
    host().addPlainVessel("user");
    OBJHANDLE debris = create("debris");
    host().step(6001);
    rest(debris, true, 0.0);
    host().log().clear();
    host().step(0.1);
    EXPECT_EQ(callsDuring(debris, "> clbkPreStep"),
              plus(plus(kGroundCountAirspeed, kRemoval), plus({"oapiGetVesselCount()"}, kRemoval)));
    EXPECT_EQ(host().log().textsStartingWith("> ovcExit("),
              std::vector<std::string>{"> ovcExit(debris)"});
    EXPECT_EQ(host().vesselCount(), 1u);
    EXPECT_TRUE(callsDuring(debris, "> clbkPostStep").empty());  // no callback after exit
}

TEST_F(LifeCycleTest, StepArgumentsOtherThanTheLengthAreNotRead) {
    host().addPlainVessel("user");
    OBJHANDLE debris = create("debris");
    VESSEL2& instance = *record(debris).instance;
    const double nan = std::nan("");
    instance.clbkPreStep(nan, 1e9, nan);  // a length read here would matter below
    instance.clbkPostStep(nan, 6000, nan);
    host().step(0);
    EXPECT_FALSE(gone(debris));
}

TEST_F(LifeCycleTest, ReloadingStartsTheSharedClockAtZero) {
    create("debris");
    host().step(7000);
    host().unloadModule(module);
    module = loadOrFail(HULKFALL_MODULE);
    host().addPlainVessel("user");
    OBJHANDLE fresh = create("fresh");
    host().step(0.1);
    EXPECT_FALSE(gone(fresh));
}

}  // namespace

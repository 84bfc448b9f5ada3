// The debris's kick-off at creation. The module seeds the C library's
// generator from its own clock; the test program holds that clock still
// and watches the generator through the probes it exports.
#include <cmath>
#include <cstdlib>
#include <set>

#include "libc_probes.h"
#include "module_test.h"

using standin::host;
using standin::Vessel;

namespace {

constexpr long long kLoadedAtMs = 5'000'000;  // the steady clock's reading at load

// The direction a debris created at this module-clock reading must get.
VECTOR3 predictedDirection(unsigned seed) {
    std::srand(seed);
    const int x = std::rand() % 10 - 4;
    const int y = std::rand() % 10 - 4;
    const int z = std::rand() % 10 - 4;
    return {double(x), double(y), double(z)};
}

class KickOffTest : public ModuleTest {
protected:
    void SetUp() override {
        libc_probes::holdSteadyClock(kLoadedAtMs);
        ModuleTest::SetUp();
    }
    void TearDown() override {
        ModuleTest::TearDown();
        libc_probes::logGenerator(false);
        libc_probes::releaseSteadyClock();
    }

    // Creates a debris while the module's clock reads the given milliseconds.
    OBJHANDLE createAt(const std::string& name, long long moduleClockMs) {
        libc_probes::holdSteadyClock(kLoadedAtMs + moduleClockMs);
        return create(name);
    }

    static Vessel& record(OBJHANDLE debris) { return *host().find(debris); }
};

TEST_F(KickOffTest, KickOffRefusesFocusBeforeDrawingThenOpensBothThrusters) {
    libc_probes::logGenerator(true);
    OBJHANDLE debris = createAt("debris", 1234);
    const VECTOR3 d = predictedDirection(1234);
    EXPECT_EQ(callsDuring(debris, "> clbkPostCreation"),
              (std::vector<std::string>{
                  "SetEnableFocus(false)", "srand(1234)", "rand()", "rand()", "rand()",
                  "SetThrusterDir(T1, " + standin::formatVector(d) + ")",
                  "SetThrusterLevel(T1, 1)", "SetThrusterLevel(T2, 1)"}));
    EXPECT_FALSE(record(debris).focusEnabled);
}

TEST_F(KickOffTest, SeedIsWholeMillisecondsSinceLoad) {
    // The held clock reads 999999 ns past each millisecond: rounding shows.
    for (long long ms : {0LL, 1LL, 59'999LL, 3'600'000LL}) {
        libc_probes::logGenerator(true);
        OBJHANDLE debris = createAt("debris" + std::to_string(ms), ms);
        libc_probes::logGenerator(false);
        EXPECT_EQ(callsDuring(debris, "> clbkPostCreation").at(1),
                  "srand(" + std::to_string(ms) + ")");
    }
}

TEST_F(KickOffTest, DirectionIsTheUnnormalisedDrawForTheMillisecond) {
    std::set<int> seen[3];
    bool sawLongerThanOne = false;
    for (long long ms = 0; ms < 400; ++ms) {
        OBJHANDLE debris = createAt("debris" + std::to_string(ms), ms);
        const VECTOR3 expected = predictedDirection(static_cast<unsigned>(ms));
        const Vessel& v = record(debris);
        const VECTOR3 burst = v.thrusters[0].direction;
        ASSERT_EQ(standin::formatVector(burst), standin::formatVector(expected)) << "ms " << ms;
        seen[0].insert(int(burst.x));
        seen[1].insert(int(burst.y));
        seen[2].insert(int(burst.z));
        sawLongerThanOne |= std::sqrt(burst.x * burst.x + burst.y * burst.y + burst.z * burst.z) > 1.5;
        EXPECT_EQ(standin::formatVector(v.thrusters[1].direction), "(1, 0, 0)");
        EXPECT_EQ(v.thrusters[0].level, 1);
        EXPECT_EQ(v.thrusters[1].level, 1);
        host().destroyVessel(debris);
    }
    const std::set<int> range = {-4, -3, -2, -1, 0, 1, 2, 3, 4, 5};
    for (const std::set<int>& component : seen) EXPECT_EQ(component, range);
    EXPECT_TRUE(sawLongerThanOne);
}

TEST_F(KickOffTest, TwoCreationsInTheSameMillisecondGetTheSameDirection) {
    OBJHANDLE first = createAt("first", 777);
    OBJHANDLE second = createAt("second", 777);
    OBJHANDLE later = createAt("later", 778);
    const std::string firstDir = standin::formatVector(record(first).thrusters[0].direction);
    EXPECT_EQ(standin::formatVector(record(second).thrusters[0].direction), firstDir);
    EXPECT_EQ(standin::formatVector(record(later).thrusters[0].direction),
              standin::formatVector(predictedDirection(778)));
}

TEST_F(KickOffTest, TheDirectionMayBeZero) {
    unsigned seed = 0;
    while (standin::formatVector(predictedDirection(seed)) != "(0, 0, 0)") ++seed;
    OBJHANDLE debris = createAt("debris", seed);
    EXPECT_EQ(standin::formatVector(record(debris).thrusters[0].direction), "(0, 0, 0)");
    EXPECT_EQ(record(debris).thrusters[0].level, 1);
}

}  // namespace

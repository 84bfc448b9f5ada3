// clbkSetClassCaps: the debris's one-time setup, as the host sees it.
#include "module_test.h"

using standin::host;

namespace {

const std::string kTrailStream =
    "{flags=0 size=0.5 rate=25 speed=0 spread=0.5 lifetime=20 growth=0.5 slowdown=5 "
    "lighting=0 levelmap=4 level=[0,2] atmosmap=2 atmos=[1e-04,1] texture=null}";
const std::string kBurstStream =
    "{flags=0 size=10 rate=20 speed=0 spread=0.5 lifetime=1 growth=100 slowdown=5 "
    "lighting=0 levelmap=4 level=[0,2] atmosmap=2 atmos=[1e-04,1] texture=null}";

const std::vector<std::string> kSetupCalls = {
    "SetSize(3.5)",
    "SetEmptyMass(5000)",
    "SetCameraOffset((0, 0.8, 0))",
    "SetTouchdownPoints((0.1, 0, 0), (0, 0.1, 0), (0, 0, 0.1))",
    "CreatePropellantResource(10, -1, 1)",
    "CreatePropellantResource(10, -1, 1)",
    "CreateThruster((0, 0, 0), (1, 0, 0), 1e+05, P1, 1500, 0, 101400)",
    "CreateThruster((0, 0, 0), (1, 0, 0), 0.001, P2, 100, 0, 101400)",
    "AddExhaustStream(T2, (0, 0, 0), " + kTrailStream + ")",
    "AddExhaustStream(T1, (0, 0, 0), " + kBurstStream + ")",
    "AddMesh(\"Hulkfall\", null)",
};

using ClassCapsTest = ModuleTest;

TEST_F(ClassCapsTest, MakesExactlyTheSetupCallsInOrder) {
    OBJHANDLE debris = create("debris");
    EXPECT_EQ(callsDuring(debris, "> clbkSetClassCaps"), kSetupCalls);
}

TEST_F(ClassCapsTest, EveryInstanceGetsItsOwnCompleteSetup) {
    OBJHANDLE first = create("first");
    OBJHANDLE second = create("second");
    for (OBJHANDLE debris : {first, second}) {
        EXPECT_EQ(callsDuring(debris, "> clbkSetClassCaps"),
                  kSetupCalls);
        const standin::Vessel& v = *host().find(debris);
        EXPECT_EQ(v.tanks.size(), 2u);
        EXPECT_EQ(v.thrusters.size(), 2u);
        EXPECT_EQ(v.streams.size(), 2u);
        EXPECT_EQ(v.meshes, std::vector<std::string>{"Hulkfall"});
    }
}

TEST_F(ClassCapsTest, HostRecordsHoldTheSetUpValues) {
    const standin::Vessel& v = *host().find(create("debris"));
    EXPECT_EQ(v.size, 3.5);
    EXPECT_EQ(v.emptyMass, 5000);
    ASSERT_EQ(v.tanks.size(), 2u);
    for (const standin::Propellant& tank : v.tanks) {
        EXPECT_EQ(tank.capacity, 10);
        EXPECT_EQ(tank.mass, 10);  // -1 filled it
        EXPECT_EQ(tank.efficiency, 1);
    }
    ASSERT_EQ(v.thrusters.size(), 2u);
    const standin::Thruster& burst = v.thrusters[0];
    const standin::Thruster& trail = v.thrusters[1];
    EXPECT_EQ(burst.tank, &v.tanks[0]);
    EXPECT_EQ(trail.tank, &v.tanks[1]);
    EXPECT_EQ(standin::formatVector(burst.position), "(0, 0, 0)");
    EXPECT_EQ(standin::formatVector(trail.position), "(0, 0, 0)");
    EXPECT_EQ(standin::formatVector(trail.direction), "(1, 0, 0)");  // the kick turns only burst
    ASSERT_EQ(v.streams.size(), 2u);
    EXPECT_EQ(v.streams[0].thruster, &trail);
    EXPECT_EQ(v.streams[1].thruster, &burst);
}

struct StreamFields {
    double size, rate, lifetime, growthRate;
};

TEST_F(ClassCapsTest, StreamRecordsMatchFieldByField) {
    const standin::Vessel& v = *host().find(create("debris"));
    ASSERT_EQ(v.streams.size(), 2u);
    const StreamFields expected[] = {{0.5, 25, 20, 0.5}, {10, 20, 1, 100}};  // trail, burst
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i == 0 ? "trail" : "burst");
        const PARTICLESTREAMSPEC& s = v.streams[i].spec;
        EXPECT_EQ(s.flags, 0u);
        EXPECT_EQ(s.size, expected[i].size);
        EXPECT_EQ(s.rate, expected[i].rate);
        EXPECT_EQ(s.speed, 0);
        EXPECT_EQ(s.speedSpread, 0.5);
        EXPECT_EQ(s.lifetime, expected[i].lifetime);
        EXPECT_EQ(s.growthRate, expected[i].growthRate);
        EXPECT_EQ(s.atmosSlowdown, 5);
        EXPECT_EQ(s.lighting, PARTICLE_EMISSIVE);
        EXPECT_EQ(s.levelMap, LEVELMAP_SQRT_RANGE);
        EXPECT_EQ(s.levelMin, 0);
        EXPECT_EQ(s.levelMax, 2);
        EXPECT_EQ(s.atmosMap, ATMOSMAP_LOG_RANGE);
        EXPECT_EQ(s.atmosMin, 1e-4);
        EXPECT_EQ(s.atmosMax, 1);
        EXPECT_EQ(s.texture, nullptr);
    }
}

TEST_F(ClassCapsTest, TheConfigurationHandleIsIgnored) {
    int someFile = 0;
    const FILEHANDLE configs[] = {nullptr, reinterpret_cast<FILEHANDLE>(&someFile),
                                  reinterpret_cast<FILEHANDLE>(std::uintptr_t{0xdead})};
    for (FILEHANDLE config : configs) {
        host().reset();
        module = loadOrFail(HULKFALL_MODULE);
        OBJHANDLE debris = create("debris", 1, config);
        EXPECT_EQ(callsDuring(debris, "> clbkSetClassCaps"),
                  kSetupCalls);
    }
}

TEST_F(ClassCapsTest, EveryOtherCallbackKeepsTheHostsDefault) {
    OBJHANDLE debris = create("debris");
    VESSEL2& v = *host().find(debris)->instance;
    host().defaultCallbackCalls.clear();
    VECTOR3 point{0, 0, 0};
    char keys[256] = {};
    v.clbkSaveState(nullptr);
    v.clbkLoadStateEx(nullptr, nullptr);
    v.clbkSetStateEx(nullptr);
    v.clbkFocusChanged(true, debris, nullptr);
    v.clbkPlaybackEvent(0, 0, "", "");
    v.clbkVisualCreated(nullptr, 1);
    v.clbkVisualDestroyed(nullptr, 1);
    v.clbkDrawHUD(0, nullptr, nullptr);
    v.clbkRCSMode(0);
    v.clbkADCtrlMode(0);
    v.clbkHUDMode(0);
    v.clbkMFDMode(0, 0);
    v.clbkNavMode(0, true);
    v.clbkDockEvent(0, nullptr);
    v.clbkAnimate(0);
    v.clbkConsumeDirectKey(keys);
    v.clbkConsumeBufferedKey(0, true, keys);
    v.clbkLoadGenericCockpit();
    v.clbkLoadPanel(0);
    v.clbkPanelMouseEvent(0, 0, 0, 0);
    v.clbkPanelRedrawEvent(0, 0, nullptr);
    v.clbkLoadVC(0);
    v.clbkVCMouseEvent(0, 0, point);
    v.clbkVCRedrawEvent(0, 0, nullptr);
    EXPECT_EQ(host().defaultCallbackCalls.size(), 24u);
    for (const char* own : {"clbkSetClassCaps"}) EXPECT_EQ(host().defaultCallbackCalls.count(own), 0u);
}

}  // namespace

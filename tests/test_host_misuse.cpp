// What a careless host may do to the module, which must stay safe: vessels
// destroyed in any order, callbacks on many instances interleaved, very
// many instances.
#include <algorithm>
#include <random>

#include "module_test.h"
#include "test_seed.h"

using standin::host;

namespace {

using HostMisuseTest = ModuleTest;

std::vector<OBJHANDLE> createDebris(HostMisuseTest& test, int count) {
    std::vector<OBJHANDLE> debris;
    for (int i = 0; i < count; ++i) debris.push_back(test.create("debris" + std::to_string(i)));
    return debris;
}

TEST_F(HostMisuseTest, VesselsDestroyedInAnyOrderExitOnceEach) {
    std::mt19937 random(testSeed());
    for (int round = 0; round < 20; ++round) {
        std::vector<OBJHANDLE> debris = createDebris(*this, 12);
        std::shuffle(debris.begin(), debris.end(), random);
        host().log().clear();
        for (std::size_t i = 0; i < debris.size(); ++i) {
            host().destroyVessel(debris[i]);
            host().destroyVessel(debris[i]);  // a second destruction is ignored
            EXPECT_EQ(host().vesselCount(), debris.size() - i - 1);
            if (i % 3 == 0) host().step(0.1);  // the rest keep stepping between
        }
        EXPECT_EQ(host().log().textsStartingWith("> ovcExit(").size(), debris.size());
    }
}

TEST_F(HostMisuseTest, CallbacksOnManyInstancesInterleavedInAnyOrder) {
    std::mt19937 random(testSeed());
    host().addPlainVessel("user");
    std::vector<OBJHANDLE> debris = createDebris(*this, 50);
    std::vector<VESSEL2*> instances;
    for (OBJHANDLE d : debris) instances.push_back(host().find(d)->instance);
    std::uniform_int_distribution<std::size_t> pick(0, instances.size() - 1);
    double postSteps = 0;
    for (int call = 0; call < 5000; ++call) {
        VESSEL2* vessel = instances[pick(random)];
        switch (call % 3) {
        case 0: vessel->clbkPreStep(call, 0.5, 0); break;
        case 1: vessel->clbkPostStep(call, 0.5, 0); postSteps += 0.5; break;
        default: vessel->clbkPostCreation(); break;
        }
    }
    ASSERT_LT(postSteps, 6000);  // the shared clock has not run out: nobody asked to go
    EXPECT_TRUE(host().log().textsStartingWith("oapiDeleteVessel(").empty());
    host().step(6000 - postSteps + 1);  // 50 instances add far more than the rest
    host().step(0.1);
    EXPECT_EQ(host().vesselCount(), 1u);
}

TEST_F(HostMisuseTest, AHundredThousandInstances) {
    host().log().setEnabled(false);
    host().addPlainVessel("user");
    std::vector<OBJHANDLE> debris = createDebris(*this, 100000);
    EXPECT_EQ(host().vesselCount(), 100001u);
    host().step(0.01);
    EXPECT_EQ(host().vesselCount(), 100001u);
    // 100 000 x 0.05 s passes the shared clock's 6000 s in one step.
    host().step(0.05);
    host().step(0.01);
    EXPECT_EQ(host().vesselCount(), 1u);
    for (OBJHANDLE d : debris) EXPECT_EQ(host().find(d), nullptr);
}

TEST_F(HostMisuseTest, StaleHandlesFindNothingAfterTheirSlotIsReused) {
    OBJHANDLE first = create("first");
    host().destroyVessel(first);
    OBJHANDLE second = create("second");
    EXPECT_NE(first, second);
    EXPECT_EQ(host().find(first), nullptr);
    EXPECT_FALSE(oapiDeleteVessel(first, nullptr));
    EXPECT_NE(host().find(second), nullptr);
}

}  // namespace

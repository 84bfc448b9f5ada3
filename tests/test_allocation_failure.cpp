// ovcInit when its one allocation fails. The test program replaces the
// nothrow operator new, which the module binds to when it is loaded: a
// dynamic-linking feature of ELF platforms.
#include "failing_allocation.h"
#include "module_test.h"

using standin::host;

namespace {

using AllocationFailureTest = ModuleTest;

TEST_F(AllocationFailureTest, OvcInitReturnsNullAndLeavesNothingBehindWhenItsAllocationFails) {
    OBJHANDLE handle = host().addPlainVessel("hull");
    const int before = failing_allocation::nothrowAllocations();
    failing_allocation::failNext();
    EXPECT_EQ(module->ovcInit(handle, 1), nullptr);
    EXPECT_EQ(failing_allocation::nothrowAllocations() - before, 1);  // one try, no retry
    EXPECT_TRUE(host().log().textsFor(handle).empty());  // no VESSEL2 was constructed
}

TEST_F(AllocationFailureTest, HostDropsAVesselWhoseOvcInitFailed) {
    host().addPlainVessel("user");
    failing_allocation::failNext();
    std::string error;
    EXPECT_EQ(host().createVessel(*module, "debris", 1, nullptr, &error), nullptr);
    EXPECT_NE(error.find("ovcInit returned null"), std::string::npos) << error;
    EXPECT_EQ(host().vesselCount(), 1u);
    EXPECT_EQ(host().findByName("debris"), nullptr);
    // The module still works afterwards.
    EXPECT_NE(create("debris"), nullptr);
}

}  // namespace

// The four exports, called by the host on the loaded module.
#include <climits>
#include <cstring>

#include "module_test.h"

using standin::host;

namespace {

using ExportsTest = ModuleTest;

TEST_F(ExportsTest, ModuleDateIsTheSameTextAtTheSameAddressEveryTime) {
    const char* first = module->ModuleDate();
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(first, "Jan  4 2013");
    EXPECT_EQ(std::strlen(first), 11u);  // two blanks after the month
    for (int i = 0; i < 3; ++i) EXPECT_EQ(module->ModuleDate(), first);
}

TEST_F(ExportsTest, ModuleDateAsksTheHostNothing) {
    host().log().clear();
    module->ModuleDate();
    EXPECT_TRUE(host().log().calls().empty());
}

struct VersionCase {
    const char* label;
    int hostAnswer;
    int expectedDate2IntCalls;  // over three GetModuleVersion calls
};
void PrintTo(const VersionCase& c, std::ostream* out) { *out << c.label; }

class ModuleVersionTest : public ModuleTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(ModuleVersionTest, AsksDate2IntOnceANonZeroAnswerIsKept) {
    const VersionCase& c = GetParam();
    host().date2IntAnswer = c.hostAnswer;
    host().log().clear();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(module->GetModuleVersion(), c.hostAnswer);
    const std::vector<std::string> asked = host().log().textsStartingWith("Date2Int(");
    EXPECT_EQ(static_cast<int>(asked.size()), c.expectedDate2IntCalls);
    for (const std::string& call : asked) EXPECT_EQ(call, "Date2Int(\"Oct 29 2011\")");
}

INSTANTIATE_TEST_SUITE_P(Answers, ModuleVersionTest,
                         ::testing::Values(VersionCase{"NonZero", 20111029, 1},
                                           VersionCase{"Negative", -5, 1},
                                           VersionCase{"Zero", 0, 3}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(ExportsTest, AZeroVersionIsAskedAgainAndAFirstNonZeroAnswerThenKept) {
    host().date2IntAnswer = 0;
    EXPECT_EQ(module->GetModuleVersion(), 0);
    host().date2IntAnswer = 42;
    EXPECT_EQ(module->GetModuleVersion(), 42);
    host().date2IntAnswer = 7;
    EXPECT_EQ(module->GetModuleVersion(), 42);
    EXPECT_EQ(host().log().textsStartingWith("Date2Int(").size(), 2u);
}

TEST_F(ExportsTest, OvcExitWithNullDoesNothing) {
    host().log().clear();
    module->ovcExit(nullptr);
    EXPECT_TRUE(host().log().calls().empty());
}

class FlightModelTest : public ModuleTest, public ::testing::WithParamInterface<int> {};

TEST_P(FlightModelTest, OvcInitPassesHandleAndFlightModelToVessel2Unchanged) {
    const int flightModel = GetParam();
    OBJHANDLE handle = host().addPlainVessel("hull");
    VESSEL* vessel = module->ovcInit(handle, flightModel);
    ASSERT_NE(vessel, nullptr);
    EXPECT_EQ(host().log().textsFor(handle),
              std::vector<std::string>{"VESSEL2(hull, " + std::to_string(flightModel) + ")"});
    EXPECT_EQ(vessel->GetHandle(), handle);
    module->ovcExit(vessel);
}

INSTANTIATE_TEST_SUITE_P(Values, FlightModelTest, ::testing::Values(0, 1, -3, INT_MAX, INT_MIN));

TEST_F(ExportsTest, OvcExitReleasesWhatOvcInitMadeWithoutCallingTheHost) {
    OBJHANDLE handle = create("debris");
    host().log().clear();
    host().destroyVessel(handle);
    EXPECT_EQ(host().log().textsFor(handle), std::vector<std::string>{"> ovcExit(debris)"});
    EXPECT_EQ(host().vesselCount(), 0u);
}

}  // namespace

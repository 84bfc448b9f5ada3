// The entry routine on its own, linked into this program with a
// GetProcAddress that records every lookup, so that each reason code can be
// delivered by hand.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "host.h"
#include "platform.h"

namespace {

std::vector<std::pair<HMODULE, std::string>> g_lookups;
std::vector<HINSTANCE> g_exitCalls;
const char* g_exported = nullptr;  // the one exit function name the fake module exports

void recordExit(HINSTANCE instance) { g_exitCalls.push_back(instance); }

HINSTANCE fakeInstance() {
    static int anchor;
    return reinterpret_cast<HINSTANCE>(&anchor);
}

class EntryRoutineTest : public ::testing::Test {
protected:
    void SetUp() override {
        standin::host().reset();
        g_lookups.clear();
        g_exitCalls.clear();
        g_exported = nullptr;
    }
};

TEST_F(EntryRoutineTest, AttachRegistersThenLooksUpBothNamesOnItsOwnHandle) {
    EXPECT_EQ(DllMain(fakeInstance(), DLL_PROCESS_ATTACH, nullptr), 1);
    EXPECT_EQ(standin::host().initLibCalls, std::vector<HINSTANCE>{fakeInstance()});
    const std::vector<std::pair<HMODULE, std::string>> expected = {
        {fakeInstance(), "ExitModule"}, {fakeInstance(), "opcDLLExit"}};
    EXPECT_EQ(g_lookups, expected);
    EXPECT_EQ(DllMain(fakeInstance(), DLL_PROCESS_DETACH, nullptr), 1);
    EXPECT_TRUE(g_exitCalls.empty());
}

TEST_F(EntryRoutineTest, AFoundExitModuleStopsTheLookupAndIsCalledAtDetach) {
    g_exported = "ExitModule";
    DllMain(fakeInstance(), DLL_PROCESS_ATTACH, nullptr);
    ASSERT_EQ(g_lookups.size(), 1u);
    EXPECT_TRUE(g_exitCalls.empty());
    DllMain(fakeInstance(), DLL_PROCESS_DETACH, nullptr);
    EXPECT_EQ(g_exitCalls, std::vector<HINSTANCE>{fakeInstance()});
}

TEST_F(EntryRoutineTest, ThreadNotificationsChangeNothingAndReturnOne) {
    g_exported = "opcDLLExit";
    for (DWORD reason : {DWORD{DLL_THREAD_ATTACH}, DWORD{DLL_THREAD_DETACH}}) {
        EXPECT_EQ(DllMain(fakeInstance(), reason, nullptr), 1);
    }
    EXPECT_TRUE(standin::host().initLibCalls.empty());
    EXPECT_TRUE(g_lookups.empty());
    EXPECT_TRUE(g_exitCalls.empty());
    EXPECT_TRUE(standin::host().log().calls().empty());
}

}  // namespace

FARPROC GetProcAddress(HMODULE module, const char* name) {
    g_lookups.emplace_back(module, name);
    if (g_exported && name == std::string(g_exported))
        return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&recordExit));
    return nullptr;
}

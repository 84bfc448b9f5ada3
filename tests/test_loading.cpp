// Loading and unloading module files: what the entry routine does at attach
// and detach, and how the host's loader reports files it cannot use.
#include <cstdio>
#include <fstream>

#if defined(_WIN32)
#include <windows.h>
#endif

#include "module_test.h"

using standin::host;

namespace {

std::string pointerText(const void* pointer) {
    char text[32];
    std::snprintf(text, sizeof text, "%p", pointer);
    return text;
}

class LoadingTest : public ::testing::Test {
protected:
    void SetUp() override { host().reset(); }
    void TearDown() override { host().reset(); }
};

TEST_F(LoadingTest, InitLibReceivesTheModulesOwnHandleOnceAtLoad) {
    standin::LoadedModule* module = loadOrFail(HULKFALL_MODULE);
    ASSERT_NE(module, nullptr);
    ASSERT_NE(module->handle(), nullptr);
    EXPECT_EQ(host().initLibCalls, std::vector<HINSTANCE>{module->handle()});
    EXPECT_EQ(host().log().textsStartingWith("InitLib("), std::vector<std::string>{"InitLib()"});
}

struct ExitCase {
    const char* label;
    const char* path;
    const char* calledAtUnload;  // null: no exit function
};
void PrintTo(const ExitCase& c, std::ostream* out) { *out << c.label; }

class ExitFunctionTest : public LoadingTest, public ::testing::WithParamInterface<ExitCase> {};

TEST_P(ExitFunctionTest, DetachCallsTheExitFunctionFoundAtAttach) {
    const ExitCase& c = GetParam();
    standin::LoadedModule* module = loadOrFail(c.path);
    ASSERT_NE(module, nullptr);
    const std::string handle = pointerText(module->handle());
    host().log().clear();
    host().unloadModule(module);
    std::vector<std::string> expected;
    if (c.calledAtUnload) expected.push_back(std::string(c.calledAtUnload) + "(" + handle + ")");
    std::vector<std::string> exitCalls = host().log().textsStartingWith("ExitModule(");
    for (const std::string& call : host().log().textsStartingWith("opcDLLExit("))
        exitCalls.push_back(call);
    EXPECT_EQ(exitCalls, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Modules, ExitFunctionTest,
    ::testing::Values(ExitCase{"ExportsBothPrefersExitModule", EXIT_MODULE_TEST, "ExitModule"},
                      ExitCase{"ExportsOnlyOpcDLLExit", DLL_EXIT_TEST, "opcDLLExit"},
                      ExitCase{"HulkfallExportsNeither", HULKFALL_MODULE, nullptr}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(LoadingTest, UnloadingReallyUnmapsTheModule) {
    standin::LoadedModule* module = loadOrFail(HULKFALL_MODULE);
    ASSERT_NE(module, nullptr);
    EXPECT_TRUE(standin::isModuleResident(HULKFALL_MODULE));
    OBJHANDLE debris = host().createVessel(*module, "debris");
    ASSERT_NE(debris, nullptr);
    host().unloadModule(module);
    EXPECT_EQ(host().find(debris), nullptr);  // its vessels went first
    EXPECT_FALSE(standin::isModuleResident(HULKFALL_MODULE));
}

TEST_F(LoadingTest, AReloadedModuleStartsWithFreshModuleWideValues) {
    standin::LoadedModule* first = loadOrFail(HULKFALL_MODULE);
    ASSERT_NE(first, nullptr);
    host().date2IntAnswer = 5;
    EXPECT_EQ(first->GetModuleVersion(), 5);
    host().unloadModule(first);

    standin::LoadedModule* second = loadOrFail(HULKFALL_MODULE);
    ASSERT_NE(second, nullptr);
    host().date2IntAnswer = 9;
    EXPECT_EQ(second->GetModuleVersion(), 9);  // a kept 5 would survive a missed unload
    EXPECT_EQ(host().initLibCalls.size(), 2u);
}

struct BadFileCase {
    const char* label;
    std::string path;
    std::string mentions;  // besides the path
};
void PrintTo(const BadFileCase& c, std::ostream* out) { *out << c.label; }

std::string notAModule() {
    const std::string path = ::testing::TempDir() + "not_a_module" + MODULE_SUFFIX;
    std::ofstream(path) << "MSHX1\nthis is not a module\n";
    return path;
}

class BadModuleFileTest : public LoadingTest, public ::testing::WithParamInterface<BadFileCase> {};

TEST_P(BadModuleFileTest, LoaderNamesTheFileAndWhatFailed) {
    const BadFileCase& c = GetParam();
    std::string error;
    EXPECT_EQ(host().loadModule(c.path, &error), nullptr);
    EXPECT_NE(error.find(c.path), std::string::npos) << error;
    EXPECT_NE(error.find(c.mentions), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadModuleFileTest,
    ::testing::Values(BadFileCase{"Missing", std::string("/nonexistent/Hulkfall") + MODULE_SUFFIX,
                                  "cannot load module"},
                      BadFileCase{"NotAModule", notAModule(), "cannot load module"},
                      BadFileCase{"LacksOvcExit", INCOMPLETE_MODULE, "'ovcExit'"}),
    [](const auto& info) { return std::string(info.param.label); });

#if defined(_WIN32)
DWORD WINAPI doNothing(LPVOID) { return 0; }

// The Windows loader notifies every loaded module of each thread's start and
// end; the entry routine does nothing with them.
TEST_F(LoadingTest, ThreadNotificationsChangeNothing) {
    standin::LoadedModule* module = loadOrFail(EXIT_MODULE_TEST);
    ASSERT_NE(module, nullptr);
    const std::size_t callsBefore = host().log().calls().size();
    for (int i = 0; i < 3; ++i) {
        HANDLE thread = CreateThread(nullptr, 0, doNothing, nullptr, 0, nullptr);
        ASSERT_NE(thread, nullptr);
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
    EXPECT_EQ(host().log().calls().size(), callsBefore);  // no InitLib, no exit function
    EXPECT_EQ(host().initLibCalls.size(), 1u);
    EXPECT_NE(module->GetModuleVersion(), 0);  // and the module still answers
}
#endif

TEST_F(LoadingTest, AModuleLackingAnExportIsUnloadedAgain) {
    std::string error;
    ASSERT_EQ(host().loadModule(INCOMPLETE_MODULE, &error), nullptr);
    EXPECT_FALSE(standin::isModuleResident(INCOMPLETE_MODULE));
}

}  // namespace

// hulkfall-sim as a user runs it: whole scenarios, their output, and the
// errors it reports for bad options and a broken add-on tree.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

struct SandboxRun {
    int exitCode;
    std::string out, err;
};

std::string slurp(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// CTest runs cases side by side: each run gets files of its own.
SandboxRun runSandbox(const std::string& arguments) {
    static int runs = 0;
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string stem = std::string(::testing::TempDir()) + "sandbox." + test->test_suite_name() +
                             "." + test->name() + "." + std::to_string(++runs);
    std::string unique = stem;
    std::replace(unique.begin() + std::string(::testing::TempDir()).size(), unique.end(), '/', '_');
    const fs::path out = unique + ".out", err = unique + ".err";
    const std::string command = std::string(HULKFALL_SIM) + " " + arguments + " >" +
                                out.string() + " 2>" + err.string();
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(out), slurp(err)};
}

// Every line must be a JSON object; a line that is not fails the test.
std::vector<json> jsonLines(const std::string& text) {
    std::vector<json> objects;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        json object = json::parse(line, nullptr, false);
        EXPECT_TRUE(object.is_object()) << "not a JSON object: " << line;
        objects.push_back(object);
    }
    return objects;
}

std::vector<json> eventsNamed(const std::vector<json>& objects, const std::string& name) {
    std::vector<json> found;
    for (const json& object : objects)
        if (object.value("event", "") == name) found.push_back(object);
    return found;
}

TEST(SandboxTest, DefaultScenarioRemovesEveryDebrisAndAccountsForEach) {
    const SandboxRun run = runSandbox("--json --seed 3");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<json> lines = jsonLines(run.out);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front()["event"], "run");
    EXPECT_EQ(lines.front()["seed"], 3);
    EXPECT_EQ(eventsNamed(lines, "created").size(), 5u);
    EXPECT_EQ(eventsNamed(lines, "removed").size(), 5u);
    const std::vector<json> summaries = eventsNamed(lines, "summary");
    ASSERT_EQ(summaries.size(), 5u);
    for (const json& s : summaries) {
        EXPECT_TRUE(s["removed_at"].is_number()) << s;
        EXPECT_EQ(s["rule"], "rest") << s;
        EXPECT_LE(s["first_contact"].get<double>(), s["removed_at"].get<double>());
    }
    EXPECT_EQ(eventsNamed(lines, "end").at(0)["removed"], 5);
}

TEST(SandboxTest, TheSameSeedReleasesAtTheSamePoints) {
    const std::vector<json> first = eventsNamed(jsonLines(runSandbox("--json --seed 11").out), "created");
    const std::vector<json> second = eventsNamed(jsonLines(runSandbox("--json --seed 11").out), "created");
    ASSERT_EQ(first.size(), 5u);
    ASSERT_EQ(second.size(), 5u);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(first[i]["position"], second[i]["position"]);
}

TEST(SandboxTest, TextRunPrintsTheSeedAndASummaryRowPerDebris) {
    const SandboxRun run = runSandbox("--seed 5 -n 3");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("seed 5"), std::string::npos);
    EXPECT_NE(run.out.find("mesh \"Hulkfall\": 2 groups"), std::string::npos) << run.out;
    for (const char* name : {"debris1", "debris2", "debris3"})
        EXPECT_NE(run.out.find(std::string("\n") + name + " "), std::string::npos) << name;
    EXPECT_NE(run.out.find("3 of 3 debris removed"), std::string::npos) << run.out;
}

TEST(SandboxTest, AloneTheOnlyDebrisIsNeverRemoved) {
    const SandboxRun run = runSandbox("--json --alone -n 1 --step 1 --time-limit 7000");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<json> lines = jsonLines(run.out);
    EXPECT_TRUE(eventsNamed(lines, "removal_requested").empty());
    EXPECT_EQ(eventsNamed(lines, "end").at(0)["time"], 7000);
    EXPECT_TRUE(eventsNamed(lines, "summary").at(0)["removed_at"].is_null());
}

TEST(SandboxTest, AloneTheLastOfSeveralDebrisStays) {
    const SandboxRun run = runSandbox("--json --alone -n 3 --time-limit 20");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(eventsNamed(jsonLines(run.out), "end").at(0)["removed"], 2);
}

TEST(SandboxTest, TheTimeRuleFiresAtTheStepTheSharedClockPredicts) {
    // 100 debris falling from 100 km add 100 s to the shared clock per 1 s
    // step: 6000 after step 60, above it after step 61, removal in step 62.
    const SandboxRun run = runSandbox("--json -n 100 --height 100000 --step 1 --time-limit 100 --spacing-ms 0");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<json> lines = jsonLines(run.out);
    const std::vector<json> requests = eventsNamed(lines, "removal_requested");
    ASSERT_EQ(requests.size(), 100u);
    for (const json& r : requests) {
        EXPECT_EQ(r["rule"], "time");
        EXPECT_EQ(r["time"], 62);
    }
    EXPECT_TRUE(eventsNamed(lines, "ground_contact").empty());
}

TEST(SandboxTest, WritesTrajectoriesAndAPlot) {
    const fs::path dir = fs::path(::testing::TempDir()) / "sandbox_outputs";
    fs::create_directories(dir);
    const SandboxRun run = runSandbox("--seed 2 -n 2 --csv " + (dir / "t.csv").string() + " --plot " +
                               (dir / "p.svg").string());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string csv = slurp(dir / "t.csv");
    EXPECT_EQ(csv.rfind("time,vessel,x,y,z,speed\n", 0), 0u);
    EXPECT_NE(csv.find(",debris2,"), std::string::npos);
    const std::string svg = slurp(dir / "p.svg");
    EXPECT_EQ(svg.rfind("<svg", 0), 0u);
    EXPECT_NE(svg.find("<polyline"), std::string::npos);
    EXPECT_NE(svg.find("debris1 removed at"), std::string::npos);
    EXPECT_NE(svg.find("</svg>"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "t.csv.partial"));
}

class BadOptionTest : public ::testing::TestWithParam<const char*> {};

TEST_P(BadOptionTest, ExitsWithTwoAndOneLineOnStderr) {
    const fs::path csv = fs::path(::testing::TempDir()) /
                         ("never" + std::to_string(std::hash<std::string>{}(GetParam())) + ".csv");
    fs::remove(csv);
    const SandboxRun run = runSandbox(std::string(GetParam()) + " --csv " + csv.string());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.out.empty()) << run.out;
    EXPECT_EQ(run.err.rfind("hulkfall-sim: ", 0), 0u) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_FALSE(fs::exists(csv));
    EXPECT_FALSE(fs::exists(csv.string() + ".partial"));
}

INSTANTIATE_TEST_SUITE_P(Options, BadOptionTest,
                         ::testing::Values("--bogus", "--step 0", "--step -0.5", "--step nan",
                                           "--step abc", "-n -3", "-n 2.5", "--time-limit inf",
                                           "--height nan", "--seed -1",
                                           "--plot /nonexistent/dir/plot.svg"));

// An add-on tree of the test's own, with the built module and whatever
// configuration and mesh a case gives it.
class AddonTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::path(::testing::TempDir()) /
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(root);
        fs::create_directories(root / "Config" / "Vessels");
        fs::create_directories(root / "Modules");
        fs::create_directories(root / "Meshes");
        fs::copy_file(HULKFALL_MODULE, root / "Modules" / "Hulkfall.so");
    }
    void write(const fs::path& relative, const std::string& text) {
        std::ofstream(root / relative) << text;
    }
    SandboxRun runIn(const std::string& arguments = "") {
        return runSandbox("--root " + root.string() + " -n 1 " + arguments);
    }
    fs::path root;
};

TEST_F(AddonTreeTest, MissingClassConfigurationIsAnErrorNamingTheFile) {
    const SandboxRun run = runIn();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find((root / "Config/Vessels/Hulkfall.cfg").string()), std::string::npos)
        << run.err;
}

TEST_F(AddonTreeTest, MissingModuleKeyIsAnErrorNamingFileAndKey) {
    write("Config/Vessels/Hulkfall.cfg", "ClassName = Hulkfall\n; Module = Hulkfall\n");
    const SandboxRun run = runIn();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Hulkfall.cfg: no value for 'Module'"), std::string::npos) << run.err;
}

TEST_F(AddonTreeTest, AModuleThatWillNotLoadIsAnErrorAndLeavesNoOutputFile) {
    write("Config/Vessels/Hulkfall.cfg", "ClassName = Hulkfall\nModule = Nowhere\n");
    const SandboxRun run = runIn("--csv " + (root / "t.csv").string());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find((root / "Modules/Nowhere.so").string()), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(root / "t.csv"));
    EXPECT_FALSE(fs::exists(root / "t.csv.partial"));
}

TEST_F(AddonTreeTest, AMalformedMeshIsAWarningNamingFileAndLineAndTheRunGoesOn) {
    write("Config/Vessels/Hulkfall.cfg", "ClassName = Hulkfall\nModule = Hulkfall\n");
    write("Meshes/Hulkfall.msh", "MSHX1\nGROUPS 1\nMATERIAL 0\nTEXTURE 0\nGEOM 3 1\n0 0 0 0 1 0\n");
    const SandboxRun run = runIn();
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("warning: mesh of debris1: " + (root / "Meshes/Hulkfall.msh").string() +
                           ":7: expected vertex"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.out.find("1 of 1 debris removed"), std::string::npos);
}

TEST_F(AddonTreeTest, AMissingMeshIsAWarningAndTheRunGoesOn) {
    write("Config/Vessels/Hulkfall.cfg", "ClassName = Hulkfall\nModule = Hulkfall\n");
    const SandboxRun run = runIn();
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("Meshes/Hulkfall.msh: cannot open the mesh file"), std::string::npos)
        << run.err;
}

}  // namespace

// hulkfall-sim: the stand-in host's sandbox. Finds the debris module through
// its class configuration, releases debris above flat ground, and shows how
// each is kicked, where it falls, when it rests and which rule removes it.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>

#include <CLI/CLI.hpp>

#if defined(_WIN32)
#include <windows.h>
#endif

#include "class_config.h"
#include "report.h"
#include "scenario.h"

namespace fs = std::filesystem;

namespace {

#if defined(_WIN32)
constexpr const char* kModuleSuffix = ".dll";
fs::path executablePath() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return fs::path(std::string(path, length));
}
#else
constexpr const char* kModuleSuffix = ".so";
fs::path executablePath() { return fs::read_symlink("/proc/self/exe"); }
#endif

// The program sits in <root>/bin, in the build tree as in an installed one.
fs::path defaultRoot() { return executablePath().parent_path().parent_path(); }

// A number option that must be finite and at least (or above) a bound.
CLI::Validator finiteNumber(double bound, bool strictlyAbove) {
    const std::string description =
        std::string("finite number ") + (strictlyAbove ? "> " : ">= ") + std::to_string(int(bound));
    return CLI::Validator(
        [=](std::string& text) -> std::string {
            char* end = nullptr;
            const double value = std::strtod(text.c_str(), &end);
            const bool ok = end != text.c_str() && *end == '\0' && std::isfinite(value) &&
                            (strictlyAbove ? value > bound : value >= bound);
            return ok ? std::string() : "'" + text + "' is not a " + description;
        },
        description);
}

// An output file that appears only once the run has succeeded: it is
// written beside its final name and renamed at the end.
class OutputFile {
public:
    bool open(const std::string& path) {
        path_ = path;
        temporary_ = path + ".partial";
        stream_.open(temporary_, std::ios::binary | std::ios::trunc);
        return stream_.is_open();
    }
    std::ostream& stream() { return stream_; }
    bool commit() {
        stream_.close();
        std::error_code error;
        if (stream_.fail()) return false;
        fs::rename(temporary_, path_, error);
        committed_ = !error;
        return committed_;
    }
    ~OutputFile() {
        if (!committed_ && !temporary_.empty()) {
            stream_.close();
            std::error_code ignored;
            fs::remove(temporary_, ignored);
        }
    }

private:
    std::string path_, temporary_;
    std::ofstream stream_;
    bool committed_ = false;
};

int fail(const std::string& message) {
    std::fprintf(stderr, "hulkfall-sim: %s\n", message.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    sandbox::ScenarioOptions options;
    std::optional<unsigned> seed;
    bool json = false;
    std::string csvPath, plotPath, root = defaultRoot().string();

    CLI::App app("Releases Hulkfall debris in the stand-in host and shows what becomes of it.",
                 "hulkfall-sim");
    app.add_option("-n,--debris", options.debris, "Number of debris")
        ->check(CLI::Range(0, 1000000));
    app.add_flag("--alone", options.alone, "No other vessel: the last debris is never removed");
    app.add_option("--step", options.stepLength, "Step length, s")->check(finiteNumber(0, true));
    app.add_option("--time-limit", options.timeLimit, "Simulated time to run at most, s")
        ->check(finiteNumber(0, false));
    app.add_option("--height", options.releaseHeight, "Release height above the ground, m")
        ->check(finiteNumber(0, false));
    app.add_option("--spread", options.spread, "Release points lie within this of the origin, m")
        ->check(finiteNumber(0, false));
    app.add_option("--seed", seed, "Seed of the release points (printed on every run)");
    app.add_option("--spacing-ms", options.creationSpacingMs,
                   "Wall-clock wait between creations, ms (the module seeds from its clock)")
        ->check(CLI::Range(0, 1000));
    app.add_flag("--json", json, "One JSON object per line instead of the timeline");
    app.add_option("--csv", csvPath, "Write every debris's trajectory to this CSV file");
    app.add_option("--plot", plotPath, "Draw altitude and speed over time to this SVG file");
    app.add_option("--root", root, "Add-on root with Config/, Modules/ and Meshes/")
        ->capture_default_str();
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& help) {
        return app.exit(help);
    } catch (const CLI::ParseError& error) {
        std::fprintf(stderr, "hulkfall-sim: %s (see --help)\n", error.what());
        return 2;
    }

    OutputFile csv, plot;
    for (auto [path, file] : {std::pair{&csvPath, &csv}, std::pair{&plotPath, &plot}})
        if (!path->empty() && !file->open(*path)) {
            std::fprintf(stderr, "hulkfall-sim: cannot write '%s'\n", path->c_str());
            return 2;
        }
    options.seed = seed ? *seed : std::random_device{}();
    options.keepTrajectories = !csvPath.empty() || !plotPath.empty();

    std::string error;
    const fs::path configPath = fs::path(root) / "Config" / "Vessels" / "Hulkfall.cfg";
    const std::optional<sandbox::ClassConfig> config =
        sandbox::readClassConfig(configPath.string(), &error);
    if (!config) return fail(error);
    const std::string* className = config->require("ClassName", &error);
    const std::string* moduleName = className ? config->require("Module", &error) : nullptr;
    if (!moduleName) return fail(error);

    standin::Host& host = standin::host();
    const fs::path modulePath = fs::path(root) / "Modules" / (*moduleName + kModuleSuffix);
    standin::LoadedModule* module = host.loadModule(modulePath.string(), &error);
    if (!module) return fail(error + " (named by " + configPath.string() + ")");
    host.setMeshDirectory((fs::path(root) / "Meshes").string());

    const sandbox::RunHeader header{options.seed, modulePath.string(), module->ModuleDate(),
                                    module->GetModuleVersion()};
    sandbox::ScenarioResult result;
    if (!sandbox::runScenario(options, *module, &result, &error)) return fail(error);
    for (const std::string& warning : result.warnings)
        std::fprintf(stderr, "hulkfall-sim: warning: %s\n", warning.c_str());
    if (json)
        sandbox::printJsonLines(stdout, header, options, result);
    else
        sandbox::printText(stdout, header, options, result);

    if (!csvPath.empty()) sandbox::writeCsv(csv.stream(), result);
    if (!plotPath.empty()) sandbox::writeSvg(plot.stream(), result);
    for (auto [path, file] : {std::pair{&csvPath, &csv}, std::pair{&plotPath, &plot}})
        if (!path->empty() && !file->commit()) return fail("cannot write '" + *path + "'");
    host.reset();
    return 0;
}

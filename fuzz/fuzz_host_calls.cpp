// Fuzzes the module as a host drives it. Each input decodes into a sequence
// of host operations on a freshly loaded module: create or destroy a debris,
// step everything with a step length that may be zero, tiny, huge, negative,
// infinite or NaN, add or take away a vessel of the user's, script what a
// debris reports, query date and version, turn physics on or off, unload and
// reload. After every operation the invariants are checked; a broken one
// aborts, which libFuzzer reports with the input that did it. Leaks at the
// end of an input are libFuzzer's and LeakSanitizer's to find.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "host.h"
#include "physics.h"

namespace {

const double kStepLengths[] = {0,    1e-300, 1e-9,   0.01,     0.1,       1,        600,
                               6001, 1e308,  -0.1,   -1e308,   INFINITY,  -INFINITY, NAN};
const double kAirspeeds[] = {0, 0.5, 0.99, 1.0, 1.01, 100, -1, NAN, INFINITY};
constexpr int kMaxOperations = 256;

// What the module may ask of the host, and nothing else.
const std::set<std::string> kAllowedCalls = {
    "VESSEL2", "SetSize", "SetEmptyMass", "SetCameraOffset", "SetTouchdownPoints",
    "CreatePropellantResource", "CreateThruster", "AddExhaustStream", "AddMesh",
    "SetEnableFocus", "SetThrusterDir", "SetThrusterLevel", "GroundContact", "GetAirspeed",
    "GetHandle", "oapiGetVesselCount", "oapiDeleteVessel", "InitLib", "Date2Int"};

[[noreturn]] void broken(const std::string& what) {
    std::fprintf(stderr, "invariant broken: %s\n", what.c_str());
    std::abort();
}

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool done() const { return position_ >= size_; }
    std::uint8_t next() { return position_ < size_ ? data_[position_++] : 0; }
    template <typename T, std::size_t N>
    T pick(const T (&choices)[N]) { return choices[next() % N]; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

// Watches removals: never asked for by the last vessel, always honoured,
// each followed by exactly one ovcExit.
class RemovalWatch : public standin::HostObserver {
public:
    void removalRequested(const standin::Vessel& vessel) override {
        if (standin::host().vesselCount() <= 1) broken(vessel.name + " asked to go as the last vessel");
        requested_.insert(vessel.handle);
    }
    void vesselRemoved(const standin::Vessel& vessel) override {
        if (++exits_[vessel.handle] > 1) broken(vessel.name + " removed twice");
    }
    void check() {
        for (OBJHANDLE handle : requested_) {
            if (standin::host().find(handle)) broken("a removal request was not honoured");
            if (exits_[handle] != 1) broken("a removed debris did not get exactly one ovcExit");
        }
        requested_.clear();
    }
    void forget() { exits_.clear(); }  // handles of an unloaded module's vessels may be issued again

private:
    std::set<OBJHANDLE> requested_;
    std::map<OBJHANDLE, int> exits_;
};

void checkModuleCalls() {
    for (const standin::LoggedCall& call : standin::host().log().calls()) {
        const std::string& text = call.text;
        if (text.compare(0, 2, "> ") == 0) continue;  // the host's own calls
        if (!kAllowedCalls.count(text.substr(0, text.find('('))))
            broken("the module called " + text);
        if (text.find("on unknown vessel") != std::string::npos) broken("the module called " + text);
    }
    standin::host().log().clear();
}

struct LoadedState {
    standin::LoadedModule* module = nullptr;
    const char* date = nullptr;
    int version = 0;
};

LoadedState load() {
    std::string error;
    LoadedState state;
    state.module = standin::host().loadModule(HULKFALL_MODULE, &error);
    if (!state.module) broken(error);
    state.date = state.module->ModuleDate();
    state.version = state.module->GetModuleVersion();
    return state;
}

void checkIdentity(const LoadedState& state) {
    const char* date = state.module->ModuleDate();
    if (date != state.date || std::strcmp(date, "Jan  4 2013") != 0) broken("ModuleDate changed");
    if (state.module->GetModuleVersion() != state.version) broken("GetModuleVersion changed");
}

template <typename Handles>
void dropStale(Handles& handles) {
    std::vector<OBJHANDLE> live;
    for (OBJHANDLE handle : handles)
        if (standin::host().find(handle)) live.push_back(handle);
    handles.swap(live);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    standin::Host& host = standin::host();
    host.reset();
    RemovalWatch watch;
    host.setObserver(&watch);
    const standin::PhysicsSettings physics;
    LoadedState loaded = load();
    std::vector<OBJHANDLE> debris, others;
    Input in(data, size);
    for (int operation = 0; operation < kMaxOperations && !in.done(); ++operation) {
        switch (in.next() % 10) {
        case 0:
        case 1:
            if (OBJHANDLE handle = host.createVessel(*loaded.module, "debris")) debris.push_back(handle);
            break;
        case 2:
            if (!debris.empty()) host.destroyVessel(debris[in.next() % debris.size()]);
            break;
        case 3:
        case 4:
            host.step(in.pick(kStepLengths));
            break;
        case 5:
            others.push_back(host.addPlainVessel("user"));
            break;
        case 6:
            if (!others.empty()) host.destroyVessel(others[in.next() % others.size()]);
            break;
        case 7:
            if (!debris.empty()) {
                standin::Vessel* vessel = host.find(debris[in.next() % debris.size()]);
                const std::uint8_t how = in.next();
                vessel->groundContact = how & 1;
                vessel->airspeed = in.pick(kAirspeeds);
            }
            break;
        case 8:
            host.setPhysics(in.next() & 1 ? &physics : nullptr);
            break;
        case 9: {
            const std::size_t registrations = host.initLibCalls.size();
            host.unloadModule(loaded.module);
            if (standin::isModuleResident(HULKFALL_MODULE)) broken("the module stayed mapped");
            watch.forget();
            loaded = load();
            if (host.initLibCalls.size() != registrations + 1) broken("InitLib not called once");
            break;
        }
        }
        watch.check();
        checkModuleCalls();
        checkIdentity(loaded);
        dropStale(debris);
        dropStale(others);
        for (OBJHANDLE handle : debris) {
            const standin::Vessel* vessel = host.find(handle);
            for (const standin::Thruster& t : vessel->thrusters)
                if (!std::isfinite(t.direction.x) || t.direction.x < -4 || t.direction.x > 5)
                    broken("a thruster direction left the module's range");
        }
    }
    host.reset();
    return 0;
}

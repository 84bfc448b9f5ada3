#include "scenario.h"

#include <chrono>
#include <random>
#include <thread>
#include <unordered_map>

#include "physics.h"

namespace sandbox {
namespace {

constexpr double kRestingAirspeed = 1.0;  // m/s, below which a debris on the ground rests

// Turns the host's notices into the scenario's events.
class Recorder : public standin::HostObserver {
public:
    explicit Recorder(ScenarioResult& result) : result_(result) {}

    void track(OBJHANDLE handle, int index) { indices_[handle] = index; }
    int removed() const { return removed_; }

    void removalRequested(const standin::Vessel& vessel) override {
        const int index = indexOf(vessel);
        if (index < 0) return;
        // The module tests the rest rule first; a second request in the same
        // step can only come from the time rule.
        const bool resting = vessel.groundContact && vessel.airspeed < kRestingAirspeed;
        const std::string rule = vessel.removalRequests == 1 && resting ? "rest" : "time";
        DebrisReport& report = result_.debris[index];
        if (report.rule.empty()) report.rule = rule;
        add(EventKind::RemovalRequested, index, vessel, rule);
    }

    void vesselRemoved(const standin::Vessel& vessel) override {
        const int index = indexOf(vessel);
        if (index < 0) return;
        result_.debris[index].removedAt = standin::host().simTime();
        result_.debris[index].lastPosition = vessel.position;
        ++removed_;
        add(EventKind::Removed, index, vessel, "");
    }

    void warning(const std::string& text) override { result_.warnings.push_back(text); }

    void add(EventKind kind, int index, const standin::Vessel& vessel, const std::string& rule) {
        result_.events.push_back({kind, standin::host().simTime(), index, rule, vessel.position,
                                  vessel.airspeed, standin::host().postStepLengthSum()});
    }

private:
    int indexOf(const standin::Vessel& vessel) const {
        auto found = indices_.find(vessel.handle);
        return found == indices_.end() ? -1 : found->second;
    }

    ScenarioResult& result_;
    std::unordered_map<OBJHANDLE, int> indices_;
    int removed_ = 0;
};

std::string describeMeshes(const standin::Vessel& vessel) {
    std::string text;
    for (std::size_t m = 0; m < vessel.meshes.size(); ++m) {
        if (!text.empty()) text += "; ";
        text += "\"" + vessel.meshes[m] + "\"";
        if (m < vessel.meshSummaries.size() && vessel.meshSummaries[m].read) {
            const standin::MeshSummary& s = vessel.meshSummaries[m];
            text += ": " + std::to_string(s.groups) + " groups, " + std::to_string(s.vertices) +
                    " vertices, " + std::to_string(s.triangles) + " triangles";
        } else {
            text += ": not read";
        }
    }
    return text.empty() ? "none" : text;
}

}  // namespace

bool runScenario(const ScenarioOptions& options, standin::LoadedModule& module,
                 ScenarioResult* result, std::string* error) {
    standin::Host& host = standin::host();
    const standin::PhysicsSettings physics;
    Recorder recorder(*result);
    host.setPhysics(&physics);
    host.setObserver(&recorder);
    host.log().setEnabled(false);
    if (!options.alone) host.addPlainVessel("user");

    std::mt19937 random(options.seed);
    std::uniform_real_distribution<double> around(-options.spread, options.spread);
    std::uniform_real_distribution<double> above(0, 0.5);
    std::vector<OBJHANDLE> handles;
    for (int i = 0; i < options.debris; ++i) {
        // The module seeds its generator from its millisecond clock: debris
        // created within one millisecond would all fly the same way.
        if (i > 0 && options.creationSpacingMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(options.creationSpacingMs));
        DebrisReport report;
        report.name = "debris" + std::to_string(i + 1);
        report.released = {around(random), options.releaseHeight + above(random), around(random)};
        result->debris.push_back(report);
        OBJHANDLE handle = host.createVessel(module, report.name, 1, nullptr, error);
        if (!handle) return false;
        recorder.track(handle, i);
        handles.push_back(handle);
        standin::Vessel& vessel = *host.find(handle);
        vessel.position = result->debris[i].released;
        if (!vessel.thrusters.empty()) result->debris[i].kick = vessel.thrusters[0].direction;
        if (i == 0) result->meshes = describeMeshes(vessel);
        recorder.add(EventKind::Created, i, vessel, "");
    }

    while (recorder.removed() < options.debris &&
           host.simTime() + options.stepLength / 2 < options.timeLimit) {
        host.step(options.stepLength);
        ++result->steps;
        for (int i = 0; i < options.debris; ++i) {
            const standin::Vessel* vessel = host.find(handles[i]);
            if (!vessel) continue;
            DebrisReport& report = result->debris[i];
            report.lastPosition = vessel->position;
            if (vessel->groundContact && report.firstContact < 0) {
                report.firstContact = host.simTime();
                recorder.add(EventKind::GroundContact, i, *vessel, "");
            }
            if (options.keepTrajectories)
                report.trajectory.push_back({host.simTime(), vessel->position, vessel->airspeed});
        }
    }
    result->endTime = host.simTime();
    host.setObserver(nullptr);
    host.setPhysics(nullptr);
    return true;
}

}  // namespace sandbox

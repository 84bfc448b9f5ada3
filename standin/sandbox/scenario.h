// A sandbox scenario: debris released above flat ground next to a vessel of
// the user's, stepped until every debris is gone or time runs out.
#pragma once

#include <string>
#include <vector>

#include "host.h"

namespace sandbox {

struct ScenarioOptions {
    int debris = 5;
    bool alone = false;        // no other vessel: the last debris is never removed
    double stepLength = 0.01;  // s
    double timeLimit = 120;    // s of simulated time
    double releaseHeight = 3;  // m above the ground
    double spread = 2;         // m: release points lie within this of the origin
    unsigned seed = 0;         // for the host's spread of release points
    int creationSpacingMs = 2; // wall-clock wait between creations
    bool keepTrajectories = false;
};

enum class EventKind { Created, GroundContact, RemovalRequested, Removed };

struct Event {
    EventKind kind;
    double time;
    int debris;          // index into ScenarioResult::debris
    std::string rule;    // for a removal request: "rest" or "time"
    VECTOR3 position;
    double speed;
    double sharedClock;  // the module's clock as the host reckons it
};

struct Sample {
    double time;
    VECTOR3 position;
    double speed;
};

struct DebrisReport {
    std::string name;
    VECTOR3 released{};
    VECTOR3 kick{};  // the strong thruster's direction after creation
    double firstContact = -1;
    double removedAt = -1;
    std::string rule;  // of the first removal request
    VECTOR3 lastPosition{};
    std::vector<Sample> trajectory;
};

struct ScenarioResult {
    std::vector<DebrisReport> debris;
    std::vector<Event> events;
    std::string meshes;  // what the host read of the first debris's meshes
    std::vector<std::string> warnings;  // the host's, such as a mesh it could not read
    double endTime = 0;
    int steps = 0;
};

// Runs the scenario on a loaded module; false, with a message, when a
// creation fails.
bool runScenario(const ScenarioOptions& options, standin::LoadedModule& module,
                 ScenarioResult* result, std::string* error);

}  // namespace sandbox

// The stand-in host: a registry of vessels that loads vessel modules and
// drives them the way the simulator does, answering their calls from its
// records and logging every call.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "call_log.h"
#include "inline_list.h"
#include "mesh_file.h"
#include "module_loader.h"
#include "orbiter_api.h"

namespace standin {

struct Propellant {
    int id;  // 1-based, in creation order within the vessel
    double capacity, mass, efficiency;
};

struct Thruster {
    int id;  // 1-based, in creation order within the vessel
    VECTOR3 position, direction;
    double maxThrust;
    Propellant* tank;
    double isp, ispReference, pressureReference;
    double level = 0;
};

struct ExhaustStream {
    Thruster* thruster;
    VECTOR3 position;
    PARTICLESTREAMSPEC spec;  // the host's own copy
};

struct Vessel {
    // What the step loop touches for every vessel comes first, to share as
    // few cache lines as possible.
    bool removed = false;  // ovcExit has been called; purged from the registry soon
    // What the vessel reports when asked: scripted by tests, or kept by the
    // physics when it is on.
    bool groundContact = false;
    double airspeed = 0;
    VECTOR3 position{};  // m; y is the altitude
    VECTOR3 velocity{};  // m/s
    double emptyMass = 0;
    double lowestTouchdownHeight = 0;  // of the touchdown points, in the vessel's frame
    VESSEL2* instance = nullptr;       // what the module's ovcInit returned
    // Room for this many of each; the host refuses more with a warning.
    InlineList<Propellant, 8> tanks;
    InlineList<Thruster, 8> thrusters;

    OBJHANDLE handle = nullptr;
    std::string name;
    LoadedModule* module = nullptr;  // null: a vessel the host runs itself
    int flightModel = 0;
    std::uint32_t slot = 0;          // in the host's registry

    double size = 0;
    VECTOR3 cameraOffset{};
    std::vector<VECTOR3> touchdownPoints;
    std::vector<ExhaustStream> streams;
    std::vector<std::string> meshes;
    std::vector<MeshSummary> meshSummaries;  // one per mesh, when the host reads files
    bool focusEnabled = true;
    int removalRequests = 0;

    void setTouchdownPoints(std::vector<VECTOR3> points);
};

// Told of what happens to vessels, for programs that report on a run.
class HostObserver {
public:
    virtual ~HostObserver() = default;
    virtual void removalRequested(const Vessel&) {}
    // Right before the host calls the module's ovcExit for it.
    virtual void vesselRemoved(const Vessel&) {}
    virtual void warning(const std::string&) {}
};

struct PhysicsSettings;

class Host {
public:
    ~Host();

    // Loads a vessel module and resolves its four exports; null and a
    // message naming the file and the missing piece on failure.
    LoadedModule* loadModule(const std::string& path, std::string* error);
    // Destroys the module's vessels, then unloads it.
    void unloadModule(LoadedModule* module);

    // Creates a vessel of the module's class: ovcInit, clbkSetClassCaps, then
    // clbkPostCreation. Null, with a message, when ovcInit returns null.
    OBJHANDLE createVessel(LoadedModule& module, const std::string& name, int flightModel = 1,
                           FILEHANDLE config = nullptr, std::string* error = nullptr);
    // A vessel that no module runs, such as the user's spacecraft.
    OBJHANDLE addPlainVessel(const std::string& name);
    // Takes a vessel out of the simulation, calling ovcExit for a module's.
    void destroyVessel(OBJHANDLE handle);

    // One simulation step of the given length: clbkPreStep on every vessel,
    // the host's state update, then clbkPostStep on every vessel still there,
    // each with the simulation time and date at the step's end.
    void step(double stepLength);
    double simTime() const { return simTime_; }
    double mjd() const { return mjd_; }
    // The sum of every step length handed to clbkPostStep, over all vessels.
    double postStepLengthSum() const { return postStepLengthSum_; }

    // With physics on, the state update moves every vessel a module runs;
    // off (the default), what vessels report stays as scripted.
    void setPhysics(const PhysicsSettings* settings) { physics_ = settings; }
    void setObserver(HostObserver* observer) { observer_ = observer; }
    // Where AddMesh looks for "<name>.msh"; empty: meshes are not read.
    void setMeshDirectory(std::string directory) { meshDirectory_ = std::move(directory); }
    // Records a mesh for the vessel and reads its file; a file that is
    // missing or malformed is a warning, and the vessel goes on without it.
    unsigned int addMesh(Vessel& vessel, const std::string& name);

    // Null for handles that are not, or no longer, in the simulation.
    Vessel* find(OBJHANDLE handle);
    Vessel* findByName(const std::string& name);
    unsigned int vesselCount() const { return liveCount_; }
    const std::vector<Vessel*>& vessels() const { return order_; }

    // Destroys every vessel, unloads every module and clears log and scripts.
    void reset();

    CallLog& log() { return log_; }
    // A vessel's name for the log: "null", or "?" for an unknown handle.
    std::string describe(OBJHANDLE handle);
    // The vessel whose callback is running; null between callbacks.
    Vessel* current() { return current_; }

    // Scripted answers and records of module-wide calls.
    std::optional<int> date2IntAnswer;       // unset: the host's own conversion
    std::vector<HINSTANCE> initLibCalls;     // every InitLib argument, in order
    std::map<std::string, int> defaultCallbackCalls;  // default VESSEL2 bodies reached

    // Passes a warning about a module's request on to the observer.
    void warn(const std::string& text) {
        if (observer_) observer_->warning(text);
    }

    // Called from oapiDeleteVessel.
    bool requestRemoval(OBJHANDLE handle);

private:
    template <typename Callback>
    void dispatch(Vessel& vessel, Callback&& callback);
    template <typename Callback>
    void forEachModuleVessel(const char* callbackName, Callback&& callback);
    void finishRemovals();
    void purge();

    CallLog log_;
    std::vector<std::unique_ptr<LoadedModule>> modules_;
    // Handles name a slot and its generation, so that a stale handle never
    // finds the vessel that took its slot over. Records live in chunks of
    // slots that never move, one after the other in memory, so that a pass
    // over the vessels reads memory in order.
    struct Slot {
        bool occupied = false;
        std::uint32_t generation = 0;
    };
    static constexpr std::size_t kSlotsPerChunk = 1024;
    Vessel& record(std::uint32_t slot) {
        return chunks_[slot / kSlotsPerChunk][slot % kSlotsPerChunk];
    }
    Vessel& newVessel(const std::string& name);
    Vessel* lookup(OBJHANDLE handle);  // removed ones included
    std::vector<Slot> slots_;
    std::vector<std::unique_ptr<Vessel[]>> chunks_;
    std::vector<std::uint32_t> freeSlots_;
    std::vector<Vessel*> order_;  // creation order, removed ones until purged
    std::vector<Vessel*> pendingRemovals_;
    unsigned int liveCount_ = 0;
    Vessel* current_ = nullptr;
    int callbackDepth_ = 0;
    int walking_ = 0;  // passes over order_ under way: no purge meanwhile
    double simTime_ = 0;
    double mjd_ = kStartMjd;
    double postStepLengthSum_ = 0;
    const PhysicsSettings* physics_ = nullptr;
    HostObserver* observer_ = nullptr;
    std::string meshDirectory_;
    static constexpr double kStartMjd = 51544.5;  // 2000-01-01 12:00
};

// The one host of this process, as the free host functions see it.
Host& host();

}  // namespace standin

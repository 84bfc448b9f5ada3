#include "host.h"

#include <algorithm>

#include "physics.h"

namespace standin {

Host& host() {
    static Host instance;
    return instance;
}

Host::~Host() { reset(); }

LoadedModule* Host::loadModule(const std::string& path, std::string* error) {
    std::unique_ptr<LoadedModule> module = LoadedModule::load(path, error);
    if (!module) return nullptr;
    modules_.push_back(std::move(module));
    return modules_.back().get();
}

void Host::unloadModule(LoadedModule* module) {
    ++walking_;
    for (Vessel* vessel : order_)
        if (vessel->module == module && !vessel->removed) destroyVessel(vessel->handle);
    --walking_;
    purge();
    modules_.erase(std::remove_if(modules_.begin(), modules_.end(),
                                  [module](const auto& owned) { return owned.get() == module; }),
                   modules_.end());
}

namespace {
// A handle holds slot + 1 in its low bits and the slot's generation above.
constexpr int kSlotBits = sizeof(std::uintptr_t) == 8 ? 32 : 20;
constexpr std::uintptr_t kSlotMask = (std::uintptr_t{1} << kSlotBits) - 1;
}  // namespace

void Vessel::setTouchdownPoints(std::vector<VECTOR3> points) {
    touchdownPoints = std::move(points);
    lowestTouchdownHeight = 0;
    for (std::size_t i = 0; i < touchdownPoints.size(); ++i)
        if (i == 0 || touchdownPoints[i].y < lowestTouchdownHeight)
            lowestTouchdownHeight = touchdownPoints[i].y;
}

Vessel& Host::newVessel(const std::string& name) {
    std::uint32_t slot;
    if (!freeSlots_.empty()) {
        slot = freeSlots_.back();
        freeSlots_.pop_back();
    } else {
        slot = static_cast<std::uint32_t>(slots_.size());
        slots_.emplace_back();
        if (slot % kSlotsPerChunk == 0) chunks_.push_back(std::make_unique<Vessel[]>(kSlotsPerChunk));
    }
    Slot& entry = slots_[slot];
    entry.occupied = true;
    Vessel& vessel = record(slot);
    vessel = Vessel{};
    vessel.slot = slot;
    vessel.name = name;
    const std::uintptr_t generation = entry.generation & (~std::uintptr_t{0} >> kSlotBits);
    vessel.handle = reinterpret_cast<OBJHANDLE>((generation << kSlotBits) | (slot + 1));
    order_.push_back(&vessel);
    ++liveCount_;
    return vessel;
}

Vessel* Host::lookup(OBJHANDLE handle) {
    const auto value = reinterpret_cast<std::uintptr_t>(handle);
    const std::uintptr_t slot = (value & kSlotMask) - 1;  // wraps for a null handle
    if (slot >= slots_.size()) return nullptr;
    if (!slots_[slot].occupied) return nullptr;
    Vessel& vessel = record(static_cast<std::uint32_t>(slot));
    return vessel.handle == handle ? &vessel : nullptr;
}

OBJHANDLE Host::createVessel(LoadedModule& module, const std::string& name, int flightModel,
                             FILEHANDLE config, std::string* error) {
    Vessel& vessel = newVessel(name);
    vessel.module = &module;
    vessel.flightModel = flightModel;

    log_.recordLazily(vessel.handle, [&] {
        return "> ovcInit(" + name + ", " + std::to_string(flightModel) + ")";
    });
    VESSEL* instance = nullptr;
    dispatch(vessel, [&] { instance = module.ovcInit(vessel.handle, flightModel); });
    if (!instance) {
        if (error) *error = "module '" + module.path() + "': ovcInit returned null for " + name;
        log_.record(vessel.handle, "< ovcInit: null");
        vessel.removed = true;
        --liveCount_;
        purge();
        return nullptr;
    }
    // Every class the host drives is built on VESSEL2.
    vessel.instance = static_cast<VESSEL2*>(instance);

    log_.record(vessel.handle, "> clbkSetClassCaps()");
    dispatch(vessel, [&] { vessel.instance->clbkSetClassCaps(config); });
    if (!vessel.removed) {
        log_.record(vessel.handle, "> clbkPostCreation()");
        dispatch(vessel, [&] { vessel.instance->clbkPostCreation(); });
    }
    OBJHANDLE handle = vessel.removed ? nullptr : vessel.handle;
    purge();
    return handle;
}

OBJHANDLE Host::addPlainVessel(const std::string& name) { return newVessel(name).handle; }

void Host::destroyVessel(OBJHANDLE handle) {
    Vessel* vessel = find(handle);
    if (!vessel) return;
    pendingRemovals_.push_back(vessel);
    finishRemovals();
    purge();
}

void Host::step(double stepLength) {
    simTime_ += stepLength;
    mjd_ += stepLength / 86400;
    forEachModuleVessel("clbkPreStep", [&](VESSEL2& instance) {
        instance.clbkPreStep(simTime_, stepLength, mjd_);
    });
    if (physics_)
        for (Vessel* vessel : order_)
            if (!vessel->removed && vessel->instance) advance(*vessel, stepLength, *physics_);
    forEachModuleVessel("clbkPostStep", [&](VESSEL2& instance) {
        postStepLengthSum_ += stepLength;
        instance.clbkPostStep(simTime_, stepLength, mjd_);
    });
    purge();
}

// Calls one callback on every live vessel that a module runs, in creation
// order. Vessels removed on the way stay in the registry until the purge.
template <typename Callback>
void Host::forEachModuleVessel(const char* callbackName, Callback&& callback) {
    ++walking_;
    for (std::size_t i = 0; i < order_.size(); ++i) {
        Vessel& vessel = *order_[i];
        if (vessel.removed || !vessel.instance) continue;
        log_.recordLazily(vessel.handle, [&] {
            return std::string("> ") + callbackName + "(" + formatNumber(simTime_) + ")";
        });
        dispatch(vessel, [&] { callback(*vessel.instance); });
    }
    --walking_;
}

Vessel* Host::find(OBJHANDLE handle) {
    Vessel* vessel = lookup(handle);
    return vessel && !vessel->removed ? vessel : nullptr;
}

Vessel* Host::findByName(const std::string& name) {
    for (Vessel* vessel : order_)
        if (!vessel->removed && vessel->name == name) return vessel;
    return nullptr;
}

void Host::reset() {
    while (!modules_.empty()) unloadModule(modules_.back().get());
    ++walking_;
    for (Vessel* vessel : order_) destroyVessel(vessel->handle);  // the plain ones are left
    --walking_;
    purge();
    log_.clear();
    log_.setEnabled(true);
    date2IntAnswer.reset();
    initLibCalls.clear();
    defaultCallbackCalls.clear();
    simTime_ = 0;
    mjd_ = kStartMjd;
    postStepLengthSum_ = 0;
    physics_ = nullptr;
    observer_ = nullptr;
    meshDirectory_.clear();
}

unsigned int Host::addMesh(Vessel& vessel, const std::string& name) {
    vessel.meshes.push_back(name);
    if (!meshDirectory_.empty()) {
        const std::string path = meshDirectory_ + "/" + name + ".msh";
        MeshSummary summary;
        std::string error;
        if (!readMesh(path, &summary, &error)) warn("mesh of " + vessel.name + ": " + error);
        vessel.meshSummaries.push_back(summary);
    }
    return static_cast<unsigned int>(vessel.meshes.size() - 1);
}

std::string Host::describe(OBJHANDLE handle) {
    if (!handle) return "null";
    const Vessel* vessel = lookup(handle);
    return vessel ? vessel->name : "?";
}

bool Host::requestRemoval(OBJHANDLE handle) {
    Vessel* vessel = find(handle);
    if (!vessel) return false;
    if (vessel->removalRequests++ == 0) pendingRemovals_.push_back(vessel);
    if (observer_) observer_->removalRequested(*vessel);
    if (callbackDepth_ == 0) {
        finishRemovals();
        purge();
    }
    return true;
}

template <typename Callback>
void Host::dispatch(Vessel& vessel, Callback&& callback) {
    Vessel* outer = current_;
    current_ = &vessel;
    ++callbackDepth_;
    callback();
    --callbackDepth_;
    current_ = outer;
    if (callbackDepth_ == 0) finishRemovals();
}

// Removal takes effect once the callback that asked for it has returned.
void Host::finishRemovals() {
    while (!pendingRemovals_.empty()) {
        Vessel* vessel = pendingRemovals_.back();
        pendingRemovals_.pop_back();
        if (vessel->removed) continue;
        vessel->removed = true;
        --liveCount_;
        if (observer_) observer_->vesselRemoved(*vessel);
        if (vessel->instance) {
            log_.recordLazily(vessel->handle, [&] { return "> ovcExit(" + vessel->name + ")"; });
            vessel->module->ovcExit(vessel->instance);
            vessel->instance = nullptr;
        }
    }
}

// Frees the records of removed vessels; never while a pass over the
// registry is walking it.
void Host::purge() {
    if (walking_ > 0 || order_.size() == liveCount_) return;
    std::size_t kept = 0;
    for (Vessel* vessel : order_) {
        if (!vessel->removed) {
            order_[kept++] = vessel;
            continue;
        }
        const std::uint32_t slot = vessel->slot;
        *vessel = Vessel{};  // lets go of what the record holds
        slots_[slot].occupied = false;
        ++slots_[slot].generation;
        freeSlots_.push_back(slot);
    }
    order_.resize(kept);
}

}  // namespace standin

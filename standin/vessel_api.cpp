// The host's side of VESSEL and VESSEL2: every member a module calls is
// logged and answered from the vessel's record.
#include <utility>

#include "host.h"

using standin::formatNumber;
using standin::formatVector;
using standin::host;
using standin::Vessel;

namespace {

// Logs a member call; a call on a vessel the host does not know does nothing.
template <typename MakeText>
Vessel* logged(OBJHANDLE object, Vessel* vessel, MakeText&& text) {
    host().log().recordLazily(object,
                              [&] { return vessel ? text() : text() + " on unknown vessel"; });
    return vessel;
}

template <typename MakeText>
Vessel* recordFor(OBJHANDLE object, MakeText&& text) {
    return logged(object, host().find(object), std::forward<MakeText>(text));
}

// The vessel's own tank or thruster behind a handle; null for any other.
template <typename List>
auto findOwned(Vessel* vessel, List Vessel::*items, const void* handle)
    -> decltype(&(vessel->*items)[0]) {
    if (!vessel) return nullptr;
    for (auto& item : vessel->*items)
        if (&item == handle) return &item;
    return nullptr;
}

// "P1", "T2": the log's name for a vessel's tank or thruster.
template <typename List>
std::string nameOf(Vessel* vessel, List Vessel::*items, const void* handle, const char* prefix) {
    if (!handle) return "null";
    auto* item = findOwned(vessel, items, handle);
    return item ? prefix + std::to_string(item->id) : "?";
}

std::string tankName(Vessel* v, PROPELLANT_HANDLE h) { return nameOf(v, &Vessel::tanks, h, "P"); }
std::string thrusterName(Vessel* v, THRUSTER_HANDLE h) {
    return nameOf(v, &Vessel::thrusters, h, "T");
}

void noteDefault(const char* callback) { ++host().defaultCallbackCalls[callback]; }

}  // namespace

VESSEL::VESSEL(OBJHANDLE vessel, int /*flightModel*/) : object_(vessel) {}

VESSEL::~VESSEL() = default;

OBJHANDLE VESSEL::GetHandle() const {
    host().log().recordLazily(object_, [] { return std::string("GetHandle()"); });
    return object_;
}

void VESSEL::SetSize(double size) const {
    if (Vessel* v = recordFor(object_, [&] { return "SetSize(" + formatNumber(size) + ")"; }))
        v->size = size;
}

void VESSEL::SetEmptyMass(double mass) const {
    if (Vessel* v =
            recordFor(object_, [&] { return "SetEmptyMass(" + formatNumber(mass) + ")"; }))
        v->emptyMass = mass;
}

void VESSEL::SetCameraOffset(const VECTOR3& offset) const {
    if (Vessel* v = recordFor(object_,
                              [&] { return "SetCameraOffset(" + formatVector(offset) + ")"; }))
        v->cameraOffset = offset;
}

void VESSEL::SetTouchdownPoints(const VECTOR3& point1, const VECTOR3& point2,
                                const VECTOR3& point3) const {
    Vessel* v = recordFor(object_, [&] {
        return "SetTouchdownPoints(" + formatVector(point1) + ", " + formatVector(point2) + ", " +
               formatVector(point3) + ")";
    });
    if (v) v->setTouchdownPoints({point1, point2, point3});
}

PROPELLANT_HANDLE VESSEL::CreatePropellantResource(double capacity, double initialMass,
                                                   double efficiency) const {
    Vessel* v = recordFor(object_, [&] {
        return "CreatePropellantResource(" + formatNumber(capacity) + ", " +
               formatNumber(initialMass) + ", " + formatNumber(efficiency) + ")";
    });
    if (!v) return nullptr;
    const int id = static_cast<int>(v->tanks.size()) + 1;
    standin::Propellant* tank =
        v->tanks.push_back({id, capacity, initialMass < 0 ? capacity : initialMass, efficiency});
    if (!tank) host().warn(v->name + ": no room for another propellant resource");
    return reinterpret_cast<PROPELLANT_HANDLE>(tank);
}

THRUSTER_HANDLE VESSEL::CreateThruster(const VECTOR3& position, const VECTOR3& direction,
                                       double maxThrust, PROPELLANT_HANDLE propellant,
                                       double isp, double ispReference,
                                       double pressureReference) const {
    Vessel* v = logged(object_, host().find(object_), [&] {
        return "CreateThruster(" + formatVector(position) + ", " + formatVector(direction) + ", " +
               formatNumber(maxThrust) + ", " + tankName(host().find(object_), propellant) +
               ", " + formatNumber(isp) + ", " + formatNumber(ispReference) + ", " +
               formatNumber(pressureReference) + ")";
    });
    if (!v) return nullptr;
    const int id = static_cast<int>(v->thrusters.size()) + 1;
    standin::Propellant* tank = findOwned(v, &Vessel::tanks, propellant);
    standin::Thruster* thruster = v->thrusters.push_back(
        {id, position, direction, maxThrust, tank, isp, ispReference, pressureReference});
    if (!thruster) host().warn(v->name + ": no room for another thruster");
    return reinterpret_cast<THRUSTER_HANDLE>(thruster);
}

PSTREAM_HANDLE VESSEL::AddExhaustStream(THRUSTER_HANDLE thruster, const VECTOR3& position,
                                        const PARTICLESTREAMSPEC* spec) const {
    Vessel* v = recordFor(object_, [&] {
        return "AddExhaustStream(" + thrusterName(host().find(object_), thruster) + ", " +
               formatVector(position) + ", " + (spec ? standin::formatStream(*spec) : "null") +
               ")";
    });
    standin::Thruster* owner = findOwned(v, &Vessel::thrusters, thruster);
    if (!owner || !spec) return nullptr;
    v->streams.push_back({owner, position, *spec});
    return reinterpret_cast<PSTREAM_HANDLE>(v->streams.size());
}

unsigned int VESSEL::AddMesh(const char* meshName, const VECTOR3* offset) const {
    const std::string name = meshName ? meshName : "";
    Vessel* v = recordFor(object_, [&] {
        return "AddMesh(\"" + name + "\", " + (offset ? formatVector(*offset) : "null") + ")";
    });
    if (!v) return 0;
    return host().addMesh(*v, name);
}

void VESSEL::SetEnableFocus(bool enable) const {
    if (Vessel* v = recordFor(object_, [&] {
            return std::string("SetEnableFocus(") + (enable ? "true" : "false") + ")";
        }))
        v->focusEnabled = enable;
}

void VESSEL::SetThrusterDir(THRUSTER_HANDLE thruster, const VECTOR3& direction) const {
    Vessel* v = recordFor(object_, [&] {
        return "SetThrusterDir(" + thrusterName(host().find(object_), thruster) + ", " +
               formatVector(direction) + ")";
    });
    if (standin::Thruster* t = findOwned(v, &Vessel::thrusters, thruster)) t->direction = direction;
}

void VESSEL::SetThrusterLevel(THRUSTER_HANDLE thruster, double level) const {
    Vessel* v = recordFor(object_, [&] {
        return "SetThrusterLevel(" + thrusterName(host().find(object_), thruster) + ", " +
               formatNumber(level) + ")";
    });
    if (standin::Thruster* t = findOwned(v, &Vessel::thrusters, thruster)) t->level = level;
}

bool VESSEL::GroundContact() const {
    Vessel* v = recordFor(object_, [] { return std::string("GroundContact()"); });
    return v && v->groundContact;
}

double VESSEL::GetAirspeed() const {
    Vessel* v = recordFor(object_, [] { return std::string("GetAirspeed()"); });
    return v ? v->airspeed : 0;
}

VESSEL2::VESSEL2(OBJHANDLE vessel, int flightModel) : VESSEL(vessel, flightModel) {
    host().log().record(vessel, "VESSEL2(" + host().describe(vessel) + ", " +
                                    std::to_string(flightModel) + ")");
}

// Default bodies: the host's behaviour for a class that does not override.
void VESSEL2::clbkSetClassCaps(FILEHANDLE) { noteDefault("clbkSetClassCaps"); }
void VESSEL2::clbkSaveState(FILEHANDLE) { noteDefault("clbkSaveState"); }
void VESSEL2::clbkLoadStateEx(FILEHANDLE, void*) { noteDefault("clbkLoadStateEx"); }
void VESSEL2::clbkSetStateEx(const void*) { noteDefault("clbkSetStateEx"); }
void VESSEL2::clbkPostCreation() { noteDefault("clbkPostCreation"); }
void VESSEL2::clbkFocusChanged(bool, OBJHANDLE, OBJHANDLE) { noteDefault("clbkFocusChanged"); }
void VESSEL2::clbkPreStep(double, double, double) { noteDefault("clbkPreStep"); }
void VESSEL2::clbkPostStep(double, double, double) { noteDefault("clbkPostStep"); }
bool VESSEL2::clbkPlaybackEvent(double, double, const char*, const char*) {
    noteDefault("clbkPlaybackEvent");
    return false;
}
void VESSEL2::clbkVisualCreated(VISHANDLE, int) { noteDefault("clbkVisualCreated"); }
void VESSEL2::clbkVisualDestroyed(VISHANDLE, int) { noteDefault("clbkVisualDestroyed"); }
void VESSEL2::clbkDrawHUD(int, const HUDPAINTSPEC*, DEVHANDLE) { noteDefault("clbkDrawHUD"); }
void VESSEL2::clbkRCSMode(int) { noteDefault("clbkRCSMode"); }
void VESSEL2::clbkADCtrlMode(DWORD) { noteDefault("clbkADCtrlMode"); }
void VESSEL2::clbkHUDMode(int) { noteDefault("clbkHUDMode"); }
void VESSEL2::clbkMFDMode(int, int) { noteDefault("clbkMFDMode"); }
void VESSEL2::clbkNavMode(int, bool) { noteDefault("clbkNavMode"); }
void VESSEL2::clbkDockEvent(int, OBJHANDLE) { noteDefault("clbkDockEvent"); }
void VESSEL2::clbkAnimate(double) { noteDefault("clbkAnimate"); }
int VESSEL2::clbkConsumeDirectKey(char*) {
    noteDefault("clbkConsumeDirectKey");
    return 0;
}
int VESSEL2::clbkConsumeBufferedKey(DWORD, bool, char*) {
    noteDefault("clbkConsumeBufferedKey");
    return 0;
}
bool VESSEL2::clbkLoadGenericCockpit() {
    noteDefault("clbkLoadGenericCockpit");
    return false;
}
bool VESSEL2::clbkLoadPanel(int) {
    noteDefault("clbkLoadPanel");
    return false;
}
bool VESSEL2::clbkPanelMouseEvent(int, int, int, int) {
    noteDefault("clbkPanelMouseEvent");
    return false;
}
bool VESSEL2::clbkPanelRedrawEvent(int, int, SURFHANDLE) {
    noteDefault("clbkPanelRedrawEvent");
    return false;
}
bool VESSEL2::clbkLoadVC(int) {
    noteDefault("clbkLoadVC");
    return false;
}
bool VESSEL2::clbkVCMouseEvent(int, int, VECTOR3&) {
    noteDefault("clbkVCMouseEvent");
    return false;
}
bool VESSEL2::clbkVCRedrawEvent(int, int, SURFHANDLE) {
    noteDefault("clbkVCRedrawEvent");
    return false;
}

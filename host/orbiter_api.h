// The host simulator's interface, as a vessel module sees it: its types, the
// vessel classes whose members call into the host, and the free functions it
// exports. The host owns every handle it issues.
#pragma once

#include <cstdint>

#include "platform.h"

#if defined(_WIN32)
#if defined(ORBITER_HOST_BUILD)
#define OAPIFUNC __declspec(dllexport)
#else
#define OAPIFUNC __declspec(dllimport)
#endif
#define MODULE_EXPORT extern "C" __declspec(dllexport)
#else
#define OAPIFUNC __attribute__((visibility("default")))
#define MODULE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

// A position or direction, in metres where it is a position. Every vector
// and record a module passes lives only for the call: the host copies it.
struct VECTOR3 {
    double x, y, z;
};

// Opaque handles that the host issues and owns.
using OBJHANDLE = struct HostObject*;
using PROPELLANT_HANDLE = struct HostPropellant*;
using THRUSTER_HANDLE = struct HostThruster*;
using PSTREAM_HANDLE = struct HostParticleStream*;
using FILEHANDLE = struct HostFile*;
using SURFHANDLE = struct HostSurface*;
using VISHANDLE = struct HostVisual*;
using DEVHANDLE = struct HostDeviceContext*;
struct HUDPAINTSPEC;

// Lighting of a stream's particles.
enum PARTICLE_LIGHTING : std::uint32_t {
    PARTICLE_EMISSIVE = 0,
    PARTICLE_DIFFUSE = 1,
};

// How the emitting thruster's level becomes particle opacity.
enum PARTICLE_LEVELMAP : std::uint32_t {
    LEVELMAP_FLAT = 0,
    LEVELMAP_LINEAR = 1,
    LEVELMAP_SQRT = 2,
    LEVELMAP_LINEAR_RANGE = 3,
    LEVELMAP_SQRT_RANGE = 4,  // square root over [levelMin, levelMax]
};

// How atmospheric density becomes particle opacity.
enum PARTICLE_ATMOSMAP : std::uint32_t {
    ATMOSMAP_FLAT = 0,
    ATMOSMAP_LINEAR_RANGE = 1,
    ATMOSMAP_LOG_RANGE = 2,  // logarithmic over [atmosMin, atmosMax]
};

// A particle stream, in the host's field order.
struct PARTICLESTREAMSPEC {
    std::uint32_t flags;
    double size;          // particle size at creation, m
    double rate;          // particles generated per second
    double speed;         // emission speed, m/s
    double speedSpread;   // spread of the emission speed
    double lifetime;      // s
    double growthRate;    // m/s
    double atmosSlowdown; // per s
    PARTICLE_LIGHTING lighting;
    PARTICLE_LEVELMAP levelMap;
    double levelMin, levelMax;
    PARTICLE_ATMOSMAP atmosMap;
    double atmosMin, atmosMax;
    SURFHANDLE texture;   // null: the host's default particle texture
};

// The host's view of one vessel. Its members act on the vessel whose object
// handle it was constructed with.
class OAPIFUNC VESSEL {
public:
    VESSEL(OBJHANDLE vessel, int flightModel);
    virtual ~VESSEL();
    VESSEL(const VESSEL&) = delete;
    VESSEL& operator=(const VESSEL&) = delete;

    OBJHANDLE GetHandle() const;

    void SetSize(double size) const;
    void SetEmptyMass(double mass) const;
    void SetCameraOffset(const VECTOR3& offset) const;
    void SetTouchdownPoints(const VECTOR3& point1, const VECTOR3& point2,
                            const VECTOR3& point3) const;
    // An initial mass of -1 fills the tank.
    PROPELLANT_HANDLE CreatePropellantResource(double capacity, double initialMass,
                                               double efficiency) const;
    THRUSTER_HANDLE CreateThruster(const VECTOR3& position, const VECTOR3& direction,
                                   double maxThrust, PROPELLANT_HANDLE propellant,
                                   double isp, double ispReference,
                                   double pressureReference) const;
    // The stream's density follows the thruster's level.
    PSTREAM_HANDLE AddExhaustStream(THRUSTER_HANDLE thruster, const VECTOR3& position,
                                    const PARTICLESTREAMSPEC* spec) const;
    unsigned int AddMesh(const char* meshName, const VECTOR3* offset) const;
    void SetEnableFocus(bool enable) const;
    void SetThrusterDir(THRUSTER_HANDLE thruster, const VECTOR3& direction) const;
    void SetThrusterLevel(THRUSTER_HANDLE thruster, double level) const;
    bool GroundContact() const;
    double GetAirspeed() const;  // m/s

private:
    OBJHANDLE object_;  // the host keeps the rest, flight model included, in its own records
};

// The callback interface: the host calls these on every vessel of a module's
// class. Each has a default body in the host; a class overrides what it needs.
class OAPIFUNC VESSEL2 : public VESSEL {
public:
    VESSEL2(OBJHANDLE vessel, int flightModel);

    virtual void clbkSetClassCaps(FILEHANDLE config);
    virtual void clbkSaveState(FILEHANDLE scenario);
    virtual void clbkLoadStateEx(FILEHANDLE scenario, void* status);
    virtual void clbkSetStateEx(const void* status);
    virtual void clbkPostCreation();
    virtual void clbkFocusChanged(bool gainedFocus, OBJHANDLE newVessel, OBJHANDLE oldVessel);
    virtual void clbkPreStep(double simTime, double stepLength, double mjd);
    virtual void clbkPostStep(double simTime, double stepLength, double mjd);
    virtual bool clbkPlaybackEvent(double simTime, double eventTime, const char* eventType,
                                   const char* event);
    virtual void clbkVisualCreated(VISHANDLE visual, int refCount);
    virtual void clbkVisualDestroyed(VISHANDLE visual, int refCount);
    virtual void clbkDrawHUD(int mode, const HUDPAINTSPEC* spec, DEVHANDLE device);
    virtual void clbkRCSMode(int mode);
    virtual void clbkADCtrlMode(DWORD mode);
    virtual void clbkHUDMode(int mode);
    virtual void clbkMFDMode(int mfd, int mode);
    virtual void clbkNavMode(int mode, bool active);
    virtual void clbkDockEvent(int dock, OBJHANDLE mate);
    virtual void clbkAnimate(double simTime);
    virtual int clbkConsumeDirectKey(char* keyState);
    virtual int clbkConsumeBufferedKey(DWORD key, bool down, char* keyState);
    virtual bool clbkLoadGenericCockpit();
    virtual bool clbkLoadPanel(int id);
    virtual bool clbkPanelMouseEvent(int id, int event, int mouseX, int mouseY);
    virtual bool clbkPanelRedrawEvent(int id, int event, SURFHANDLE surface);
    virtual bool clbkLoadVC(int id);
    virtual bool clbkVCMouseEvent(int id, int event, VECTOR3& point);
    virtual bool clbkVCRedrawEvent(int id, int event, SURFHANDLE surface);
};

// Count of all vessels in the simulation, the caller included.
OAPIFUNC unsigned int oapiGetVesselCount();
// Asks for a vessel's removal. The host defers it until the calling callback
// returns (instance and handle stay valid till then) and accepts a repeated
// request; it then calls the module's ovcExit. Focus, if the vessel had it,
// passes to focusSuccessor (null: the host chooses).
OAPIFUNC bool oapiDeleteVessel(OBJHANDLE vessel, OBJHANDLE focusSuccessor);
// Registers a freshly attached module with the host.
OAPIFUNC void InitLib(HINSTANCE module);
// The host's integer form of a date such as "Oct 29 2011".
OAPIFUNC int Date2Int(const char* date);

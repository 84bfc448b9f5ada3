// A passive piece of debris: kicked off in a random direction at creation,
// it asks to be removed once it rests on the ground or once the module's
// shared clock has run out, but never while it is the last vessel.
#pragma once

#include "orbiter_api.h"

class DebrisVessel final : public VESSEL2 {
public:
    // Only forwards to VESSEL2; the handle fields are first written by
    // clbkSetClassCaps, which the host calls before any other callback.
    DebrisVessel(OBJHANDLE vessel, int flightModel);

    void clbkSetClassCaps(FILEHANDLE config) override;
    void clbkPostCreation() override;
    void clbkPreStep(double simTime, double stepLength, double mjd) override;
    void clbkPostStep(double simTime, double stepLength, double mjd) override;

private:
    // Host handles: the host owns them, the class never releases them.
    PROPELLANT_HANDLE ph_burst;
    PROPELLANT_HANDLE ph_trail;
    THRUSTER_HANDLE th_burst;  // strong, carries the burst stream
    THRUSTER_HANDLE th_trail;  // weak, carries the trail stream
};

// The module's clock: whole milliseconds of wall-clock time since the module
// was loaded. Processor time would stand still while the host waits for the
// next frame, so a steady wall clock is read on every platform.
#pragma once

long moduleClockMilliseconds();

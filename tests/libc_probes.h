// Probes on the C library functions the debris module uses for its kick-off
// direction. The test program defines and exports clock_gettime, srand and
// rand, so a module it loads binds to them instead of the C library's: the
// module's clock can be held still, and its use of the generator shows in
// the host's call log. Each forwards to the C library's own otherwise.
#pragma once

namespace libc_probes {

// The steady clock reads exactly this many milliseconds until released.
void holdSteadyClock(long long milliseconds);
void releaseSteadyClock();

// While on, srand and rand calls are logged against the vessel whose
// callback is running, as "srand(seed)" and "rand()".
void logGenerator(bool on);

}  // namespace libc_probes

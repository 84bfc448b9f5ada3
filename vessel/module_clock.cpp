#include "module_clock.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <time.h>
#endif

namespace {

#if defined(_WIN32)
// The performance counter, unlike the tick count, resolves single milliseconds.
long long steadyMilliseconds() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    const long long perSecond = frequency.QuadPart;
    return counter.QuadPart / perSecond * 1000 + counter.QuadPart % perSecond * 1000 / perSecond;
}
#else
long long steadyMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}
#endif

// Read by the runtime's start-up when the module is loaded.
const long long g_loadTime = steadyMilliseconds();

}  // namespace

long moduleClockMilliseconds() { return static_cast<long>(steadyMilliseconds() - g_loadTime); }

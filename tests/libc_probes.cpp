#include "libc_probes.h"

#include <dlfcn.h>
#include <time.h>

#include <string>

#include "host.h"

namespace {

bool g_held = false;
long long g_heldMilliseconds = 0;
bool g_logGenerator = false;

template <typename Function>
Function original(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

void logCall(std::string text) {
    standin::Vessel* caller = standin::host().current();
    standin::host().log().record(caller ? caller->handle : nullptr, std::move(text));
}

}  // namespace

namespace libc_probes {
void holdSteadyClock(long long milliseconds) {
    g_held = true;
    g_heldMilliseconds = milliseconds;
}
void releaseSteadyClock() { g_held = false; }
void logGenerator(bool on) { g_logGenerator = on; }
}  // namespace libc_probes

extern "C" int clock_gettime(clockid_t clock, timespec* now) {
    if (g_held && clock == CLOCK_MONOTONIC) {
        now->tv_sec = static_cast<time_t>(g_heldMilliseconds / 1000);
        now->tv_nsec = static_cast<long>(g_heldMilliseconds % 1000) * 1000000 + 999999;
        return 0;
    }
    static const auto real = original<int (*)(clockid_t, timespec*)>("clock_gettime");
    return real(clock, now);
}

extern "C" void srand(unsigned seed) noexcept {
    if (g_logGenerator) logCall("srand(" + std::to_string(seed) + ")");
    static const auto real = original<void (*)(unsigned)>("srand");
    real(seed);
}

extern "C" int rand() noexcept {
    if (g_logGenerator) logCall("rand()");
    static const auto real = original<int (*)()>("rand");
    return real();
}

// Loading and unloading the module a thousand times, as a host that reloads
// add-ons between sessions would: module-wide values start fresh at every
// load, and memory stays flat.
#include <cstdio>

#if defined(_WIN32)
#include <malloc.h>
#include <windows.h>
#include <psapi.h>
#else
#include <malloc.h>
#include <sys/resource.h>
#endif

#include "module_test.h"

using standin::host;

namespace {

// Memory in use, in KiB: the live bytes of the C runtime's heap, which the
// module and the host allocate from. Under a sanitizer or valgrind, whose
// allocators hold freed memory back, glibc tells 0 and the check is left to
// their own leak reports.
long memoryInUseKiB() {
#if defined(_WIN32)
    _HEAPINFO entry{};
    std::size_t used = 0;
    while (_heapwalk(&entry) == _HEAPOK)
        if (entry._useflag == _USEDENTRY) used += entry._size;
    return static_cast<long>(used / 1024);
#else
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long>((info.uordblks + info.hblkhd) / 1024);
#endif
}

long peakResidentKiB() {
#if defined(_WIN32)
    PROCESS_MEMORY_COUNTERS counters{};
    K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<long>(counters.PeakWorkingSetSize / 1024);
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#endif
}

TEST(LoadCycleTest, AThousandCyclesStartFreshAndKeepMemoryFlat) {
    host().reset();
    host().log().setEnabled(false);
    long afterWarmUp = 0;
    for (int cycle = 1; cycle <= 1000; ++cycle) {
        standin::LoadedModule* module = loadOrFail(HULKFALL_MODULE);
        ASSERT_NE(module, nullptr) << "cycle " << cycle;
        host().date2IntAnswer = cycle;
        ASSERT_EQ(module->GetModuleVersion(), cycle) << "a version kept from an earlier load";
        OBJHANDLE user = host().addPlainVessel("user");
        std::vector<OBJHANDLE> debris;
        for (int i = 0; i < 10; ++i) debris.push_back(host().createVessel(*module, "debris"));
        host().step(1);  // a clock kept from the last load, past 6000, would remove them all
        ASSERT_EQ(host().vesselCount(), 11u) << "cycle " << cycle;
        host().step(700);  // 10 x 700 s: the clock runs out for the next step
        for (int i = 0; i < 5; ++i) host().destroyVessel(debris[i]);
        host().unloadModule(module);  // destroys the other five
        ASSERT_EQ(host().vesselCount(), 1u);
        host().destroyVessel(user);
        ASSERT_FALSE(standin::isModuleResident(HULKFALL_MODULE));
        if (cycle == 100) afterWarmUp = memoryInUseKiB();
    }
    const long growth = memoryInUseKiB() - afterWarmUp;
    std::printf("memory in use grew by %ld KiB over cycles 100 to 1000; peak resident %ld KiB\n",
                growth, peakResidentKiB());
    if (afterWarmUp > 0) {
        EXPECT_LT(growth, 2048);  // a leak of even 3 KiB a cycle would show
    }
}

}  // namespace

// Costs of the debris in the stand-in host: vessel-steps per second of the
// whole step loop at growing numbers of debris, one debris's two step
// callbacks against a class that keeps every default, and one creation.
// Each also reports the heap allocations it makes per iteration.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <new>
#include <string>

#include "host.h"
#include "physics.h"

namespace {

long long g_allocations = 0;

standin::LoadedModule* loadModule(const char* path) {
    standin::host().reset();
    standin::host().log().setEnabled(false);
    std::string error;
    standin::LoadedModule* module = standin::host().loadModule(path, &error);
    if (!module) std::abort();
    return module;
}

void reportAllocations(benchmark::State& state, long long before) {
    state.counters["allocs_per_iter"] = benchmark::Counter(
        static_cast<double>(g_allocations - before) / static_cast<double>(state.iterations()));
}

// The host's whole step, physics included, with every debris airborne far
// above the ground and steps so short that the shared clock stays far from
// running out: the number of vessels stays the same throughout.
void stepLoop(benchmark::State& state, bool withPhysics) {
    const int debris = static_cast<int>(state.range(0));
    standin::LoadedModule* module = loadModule(HULKFALL_MODULE);
    const standin::PhysicsSettings physics;
    standin::host().setPhysics(withPhysics ? &physics : nullptr);
    standin::host().addPlainVessel("user");
    for (int i = 0; i < debris; ++i) {
        OBJHANDLE handle = standin::host().createVessel(*module, "debris" + std::to_string(i));
        standin::host().find(handle)->position = {0, 1e7, 0};
    }
    const long long before = g_allocations;
    for (auto _ : state) standin::host().step(1e-9);
    reportAllocations(state, before);
    if (standin::host().vesselCount() != static_cast<unsigned>(debris) + 1)
        state.SkipWithError("vessels were removed during the run");
    state.SetItemsProcessed(state.iterations() * debris);
    state.counters["ns_per_vessel_step"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * debris,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    standin::host().reset();
}
void BM_SandboxStep(benchmark::State& state) { stepLoop(state, true); }
// The same without the state update: the host's callback passes alone.
void BM_CallbackPasses(benchmark::State& state) { stepLoop(state, false); }
BENCHMARK(BM_SandboxStep)->Arg(10)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CallbackPasses)->Arg(10)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// clbkPreStep and clbkPostStep of one vessel, called as the host calls them.
void stepCallbacks(benchmark::State& state, const char* path) {
    standin::LoadedModule* module = loadModule(path);
    standin::host().addPlainVessel("user");
    VESSEL2* vessel = standin::host().find(standin::host().createVessel(*module, "vessel"))->instance;
    const long long before = g_allocations;
    for (auto _ : state) {
        vessel->clbkPreStep(1, 1e-9, 51544.5);
        vessel->clbkPostStep(1, 1e-9, 51544.5);
    }
    reportAllocations(state, before);
    standin::host().reset();
}
void BM_StepCallbacksDebris(benchmark::State& state) { stepCallbacks(state, HULKFALL_MODULE); }
void BM_StepCallbacksInert(benchmark::State& state) { stepCallbacks(state, INERT_MODULE); }
BENCHMARK(BM_StepCallbacksDebris);
BENCHMARK(BM_StepCallbacksInert);

// ovcInit, clbkSetClassCaps and clbkPostCreation of one debris; the vessels
// are destroyed in batches outside the timing.
void BM_Creation(benchmark::State& state) {
    standin::LoadedModule* module = loadModule(HULKFALL_MODULE);
    int created = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(standin::host().createVessel(*module, "debris"));
        if (++created == 1000) {
            state.PauseTiming();
            while (!standin::host().vessels().empty())
                standin::host().destroyVessel(standin::host().vessels().back()->handle);
            created = 0;
            state.ResumeTiming();
        }
    }
    standin::host().reset();
}
BENCHMARK(BM_Creation);

}  // namespace

// Counts every allocation in the process, the loaded modules' included.
void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* memory = std::malloc(size ? size : 1)) return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

BENCHMARK_MAIN();

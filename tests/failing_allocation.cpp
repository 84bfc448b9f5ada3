// Replaces the nothrow form of operator new. The program exports it, so a
// module loaded later binds its own nothrow allocations to it as well.
#include "failing_allocation.h"

#include <new>

namespace {
bool g_failNext = false;
int g_attempts = 0;
}  // namespace

namespace failing_allocation {
void failNext() { g_failNext = true; }
int nothrowAllocations() { return g_attempts; }
}  // namespace failing_allocation

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    ++g_attempts;
    if (g_failNext) {
        g_failNext = false;
        return nullptr;
    }
    try {
        return ::operator new(size);  // pairs with the default operator delete
    } catch (...) {
        return nullptr;
    }
}

// Lets a test make the next nothrow allocation in the process fail, in the
// test program or in any module it has loaded.
#pragma once

#include <cstddef>

namespace failing_allocation {
void failNext();
int nothrowAllocations();  // nothrow allocations attempted so far
}  // namespace failing_allocation

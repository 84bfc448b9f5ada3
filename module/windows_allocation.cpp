// On Windows the module carries its own C++ runtime, linked in statically.
// Its allocation functions are the module's own, so that none of libstdc++'s
// exception machinery is linked in: that brings an emergency pool which is
// allocated at every load and never freed, 73 KiB lost each time a host
// reloads the module. The module throws nothing and is built without
// exceptions.
#include <cstdlib>
#include <new>

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size ? size : 1);
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

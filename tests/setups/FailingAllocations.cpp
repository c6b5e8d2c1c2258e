// Allocations that fail on demand, for tests of running out of memory: in a
// translation unit of its own, so that no caller inlines them.
#include <atomic>
#include <cstdlib>
#include <new>

std::atomic<long> g_allocationsLeft{-1};

void* operator new(std::size_t size) {
    if (g_allocationsLeft >= 0 && g_allocationsLeft-- == 0) throw std::bad_alloc();
    if (void* block = std::malloc(size ? size : 1)) return block;
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

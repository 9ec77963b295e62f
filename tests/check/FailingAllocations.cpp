// The test program's own operator new and delete. Every form goes through
// malloc and free, so that the pairs match also where a sanitizer has forms
// of its own. Nothing else here allocates, so no compiler sees a new of
// another form meet this delete.
#include "tests/check/FailingAllocations.h"

#include <cstdlib>
#include <new>

namespace {

long failingAllocation = 0;
long allocations = 0;
bool counting = false;

void* Allocate(std::size_t size)
{
    if (counting && ++allocations == failingAllocation)
        return nullptr;
    return std::malloc(size == 0 ? 1 : size);
}

} // namespace

void StartCountingAllocations(long failing)
{
    allocations = 0;
    failingAllocation = failing;
    counting = true;
}

long StopCountingAllocations()
{
    counting = false;
    return allocations;
}

void* operator new(std::size_t size)
{
    if (void* memory = Allocate(size))
        return memory;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size)
{
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return Allocate(size);
}
void operator delete(void* memory) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory) noexcept
{
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept
{
    std::free(memory);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}

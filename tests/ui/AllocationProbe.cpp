#include "AllocationProbe.h"

#include <cstdlib>
#include <malloc.h>
#include <new>

namespace
{
thread_local bool t_armed = false;
thread_local long t_failAt = -1;
thread_local std::size_t t_minBytes = 0;
thread_local long t_count = 0;
thread_local long long t_balance = 0;
} // namespace

AllocationProbe::AllocationProbe(long failAt, std::size_t minBytes)
{
    t_failAt = failAt;
    t_minBytes = minBytes;
    t_count = 0;
    t_balance = 0;
    t_armed = true;
}

AllocationProbe::~AllocationProbe()
{
    t_armed = false;
}

long AllocationProbe::Count() const
{
    return t_count;
}
long long AllocationProbe::Balance() const
{
    return t_balance;
}

void* operator new(std::size_t size)
{
    if (t_armed && size >= t_minBytes)
    {
        if (t_count++ == t_failAt)
            throw std::bad_alloc();
    }
    void* p = std::malloc(size != 0 ? size : 1);
    if (p == nullptr)
        throw std::bad_alloc();
    if (t_armed && size >= t_minBytes)
        t_balance += static_cast<long long>(malloc_usable_size(p));
    return p;
}

void operator delete(void* p) noexcept
{
    if (p == nullptr)
        return;
    if (t_armed)
    {
        const std::size_t size = malloc_usable_size(p);
        if (size >= t_minBytes)
            t_balance -= static_cast<long long>(size);
    }
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    operator delete(p);
}

// Every other form goes the same way, so that each block is given back by the form that
// took it (a sanitizer's own forms would otherwise meet these).
void* operator new[](std::size_t size)
{
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try
    {
        return operator new(size);
    }
    catch (const std::bad_alloc&)
    {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept
{
    return operator new(size, tag);
}
void operator delete[](void* p) noexcept
{
    operator delete(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    operator delete(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept
{
    operator delete(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept
{
    operator delete(p);
}

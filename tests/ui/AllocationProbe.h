#pragma once
// Watches the large allocations of the calling thread while armed: counts them, can make
// one of them fail as if memory ran out, and keeps the balance of bytes taken and given
// back, so that a leak on a failure path shows.

#include <cstddef>

class AllocationProbe
{
public:
    // Allocations of at least minBytes count; the failAt-th of them (from 0) fails, none
    // when failAt is negative.
    explicit AllocationProbe(long failAt = -1, std::size_t minBytes = 4096);
    ~AllocationProbe();
    AllocationProbe(const AllocationProbe&) = delete;
    AllocationProbe& operator=(const AllocationProbe&) = delete;

    long Count() const;
    // Bytes of counted allocations not yet given back (negative when older blocks went).
    long long Balance() const;
};

#pragma once

#include <bit>
#include <cstdint>

// Numbers 1..100 of one ticket or draw; bit n-1 stands for number n.
struct TicketMask {
    std::uint64_t low = 0, high = 0;

    void add(int n) { (n <= 64 ? low : high) |= std::uint64_t { 1 } << ((n - 1) % 64); }
    void remove(int n) { (n <= 64 ? low : high) &= ~(std::uint64_t { 1 } << ((n - 1) % 64)); }
    bool has(int n) const { return ((n <= 64 ? low : high) >> ((n - 1) % 64)) & 1U; }
    int count() const { return std::popcount(low) + std::popcount(high); }
    bool empty() const { return (low | high) == 0; }

    TicketMask operator&(const TicketMask& o) const { return { low & o.low, high & o.high }; }
    TicketMask operator|(const TicketMask& o) const { return { low | o.low, high | o.high }; }
    TicketMask operator~() const { return { ~low, ~high }; }
    bool operator==(const TicketMask&) const = default;

    friend int common(const TicketMask& a, const TicketMask& b)
    {
        return std::popcount(a.low & b.low) + std::popcount(a.high & b.high);
    }

    // Calls f(n) for every number in ascending order.
    template <typename F> void forEach(F&& f) const
    {
        for (std::uint64_t bits = low; bits; bits &= bits - 1)
            f(std::countr_zero(bits) + 1);
        for (std::uint64_t bits = high; bits; bits &= bits - 1)
            f(std::countr_zero(bits) + 65);
    }
};

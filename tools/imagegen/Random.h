#pragma once
#include <cstdint>

// A small xorshift generator: the same seed gives the same starfield on every machine.
class Random {
public:
    explicit Random(std::uint32_t seed) : m_state(seed) {}

    std::uint32_t next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }

    // A whole number in [0, bound).
    int below(int bound) { return int(next() % std::uint32_t(bound)); }

private:
    std::uint32_t m_state;
};

#pragma once

#include <chrono>

// One monotonic deadline shared by every step of an output call (open, connect, write, drain).
class Deadline {
public:
    explicit Deadline(std::chrono::milliseconds budget)
        : m_budget(budget), m_end(std::chrono::steady_clock::now() + budget) {}

    bool Expired() const { return std::chrono::steady_clock::now() >= m_end; }

    // Milliseconds left, rounded up so that poll() never spins on a sub-millisecond remainder.
    int RemainingMs() const {
        const auto left = m_end - std::chrono::steady_clock::now();
        if (left <= std::chrono::steady_clock::duration::zero()) {
            return 0;
        }
        return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
    }

    std::chrono::milliseconds Budget() const { return m_budget; }

private:
    std::chrono::milliseconds m_budget;
    std::chrono::steady_clock::time_point m_end;
};

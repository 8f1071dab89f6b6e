#pragma once
// A point in time by which something must have happened. Every wait of the end-to-end tests
// is bounded by one, so a program that never shows its window fails a test instead of
// hanging it.

#include <chrono>
#include <thread>

class Deadline {
public:
    using Clock = std::chrono::steady_clock;

    explicit Deadline(Clock::duration timeout) : end_(Clock::now() + timeout) {}

    bool Expired() const { return Clock::now() >= end_; }
    Clock::duration Remaining() const
    {
        auto left = end_ - Clock::now();
        return left > Clock::duration::zero() ? left : Clock::duration::zero();
    }
    std::chrono::milliseconds RemainingMs() const
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(Remaining());
    }

    // Asks the condition again every step until it holds or the deadline passes; the
    // condition is asked once more at the deadline, so a slow step cannot lose the last look.
    template <typename Condition>
    bool PollUntil(Condition condition, Clock::duration step = std::chrono::milliseconds(25)) const
    {
        for (;;) {
            if (condition())
                return true;
            if (Expired())
                return false;
            std::this_thread::sleep_for(std::min(step, Remaining()));
        }
    }

private:
    Clock::time_point end_;
};

// The player model's dice: splitmix64, so that an attempt draws the same
// numbers on every platform, library and thread count.
#pragma once

#include <cstdint>

namespace ferlan {

class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }

    // A whole number from -spread to spread.
    int offset(int spread) {
        if (spread <= 0) return 0;
        return static_cast<int>(next() % static_cast<std::uint64_t>(2 * spread + 1)) - spread;
    }

    // A normal number of mean 0 and spread 1, cut off at 6. A sum of twelve
    // uniform numbers, added up in whole numbers: the standard library's
    // normal distribution differs between its implementations.
    double normal() {
        std::uint64_t sum = 0;
        for (int n = 0; n < 12; ++n) sum += next() >> 32;
        return static_cast<double>(sum) / 4294967296.0 - 6.0;
    }

private:
    std::uint64_t state_;
};

}  // namespace ferlan

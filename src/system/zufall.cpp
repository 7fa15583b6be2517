#include "system/zufall.h"

#include <chrono>

namespace pyra::system {

Zufallsgenerator::Zufallsgenerator(std::uint64_t startwert) {
    // splitmix64 spreads any seed (0 included) over the whole state.
    std::uint64_t x = startwert;
    for (auto& s : s_) {
        x += 0x9E3779B97F4A7C15ull;
        std::uint64_t z = x;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        s = z ^ (z >> 31);
    }
}

std::uint64_t Startwert_aus_Uhr() {
    const auto jetzt = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    const auto system = std::chrono::system_clock::now().time_since_epoch().count();
    return static_cast<std::uint64_t>(jetzt) * 0x9E3779B97F4A7C15ull ^ static_cast<std::uint64_t>(system);
}

} // namespace pyra::system

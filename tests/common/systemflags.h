#pragma once

// The system numbers of a test as the flags the system computations take.

#include "system/grundlagen.h"

#include <cstddef>
#include <vector>

namespace pyra::test {

inline system::Systemflags flags(const std::vector<int>& zahlen) {
    system::Systemflags f{};
    for (int z : zahlen) f[static_cast<std::size_t>(z)] = true;
    return f;
}

} // namespace pyra::test

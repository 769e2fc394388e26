// What every table of texts keyed by an enum keeps to: it lists each of the
// enum's values once, in the enum's order, so that an id is its own index.
#pragma once

#include <cstddef>

namespace quorbex::platform {

// lastId is the enum's last value; each entry has its id in a member id.
template <typename Entry, std::size_t N, typename Id>
constexpr bool ListsEveryIdInOrder(const Entry (&table)[N], Id lastId) {
    for (std::size_t i = 0; i < N; ++i) {
        if (static_cast<std::size_t>(table[i].id) != i) {
            return false;
        }
    }
    return static_cast<std::size_t>(lastId) + 1 == N;
}

}  // namespace quorbex::platform

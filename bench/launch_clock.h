// The clock that bench/launch_timer and the programs it starts share: the
// launch time passes in an environment variable, in nanoseconds of
// std::chrono::steady_clock, which all processes of the machine read alike.
#pragma once

#include <chrono>

namespace quorbex::bench {

inline constexpr char LAUNCH_TIME_VARIABLE[] = "QUORBEX_BENCH_LAUNCH_NS";

inline long long NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace quorbex::bench

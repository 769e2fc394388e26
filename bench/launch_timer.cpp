// Starts a program and times it twice: to the moment it says that its window
// has been painted, and to its end, the kernel's taking down of the process
// included. The program finds the moment it was started in
// QUORBEX_BENCH_LAUNCH_NS (nanoseconds of std::chrono::steady_clock, read
// just before the fork) and writes the milliseconds since then to its
// standard output once it has painted (bench/first_tree_paint.h). Prints
// "PAINT_MS EXIT_MS"; fails when the program fails or says nothing.
//
//   launch_timer PROGRAM [ARGUMENT...]
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/launch_clock.h"

using quorbex::bench::LAUNCH_TIME_VARIABLE;
using quorbex::bench::NowNs;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: launch_timer PROGRAM [ARGUMENT...]\n", stderr);
        return 2;
    }
    int report[2];
    if (pipe(report) != 0) {
        std::perror("launch_timer: pipe");
        return 2;
    }
    const long long start = NowNs();
    setenv(LAUNCH_TIME_VARIABLE, std::to_string(start).c_str(), 1);
    const pid_t child = fork();
    if (child < 0) {
        std::perror("launch_timer: fork");
        return 2;
    }
    if (child == 0) {
        dup2(report[1], STDOUT_FILENO);
        close(report[0]);
        close(report[1]);
        execv(argv[1], argv + 1);
        _exit(127);
    }
    close(report[1]);
    // Until the program's end, which closes its end of the pipe.
    std::string said;
    char buffer[256];
    for (ssize_t got; (got = read(report[0], buffer, sizeof buffer)) > 0;) {
        said.append(buffer, static_cast<std::size_t>(got));
    }
    int status = 0;
    waitpid(child, &status, 0);
    const double exitMs = static_cast<double>(NowNs() - start) / 1e6;
    char* end = nullptr;
    const double paintMs = std::strtod(said.c_str(), &end);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || end == said.c_str()) {
        std::fprintf(stderr, "launch_timer: %s failed or told no paint\n", argv[1]);
        return 1;
    }
    std::printf("%.3f %.3f\n", paintMs, exitMs);
    return 0;
}

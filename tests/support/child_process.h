// Runs a program, or a piece of a test, in a child process: for limits and
// signals that must not reach the test program itself, and for what only a
// whole process shows (its exit, its peak memory).
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace quorbex::testing {

struct ChildOptions {
    // Bytes beyond which the child cannot make a file grow (RLIMIT_FSIZE).
    std::optional<rlim_t> fileSize = std::nullopt;
    // Bytes of address space the child may take (RLIMIT_AS): memory runs
    // out at that point.
    std::optional<rlim_t> addressSpace = std::nullopt;
    // Variables set in the child's environment, as NAME=VALUE.
    std::vector<std::string> environment = {};
    // Variables taken out of the child's environment, by name.
    std::vector<std::string> unset = {};
};

struct ChildOutcome {
    bool exited = false;  // false: killed by a signal, or never started
    int status = -1;      // the exit status when exited
    int signal = 0;       // the signal that ended it otherwise
    long peakMemoryKb = 0;
    std::string out;
    std::string err;
};

inline void PrintTo(const ChildOutcome& outcome, std::ostream* out) {
    if (outcome.exited) {
        *out << "exit status " << outcome.status;
    } else {
        *out << "killed by signal " << outcome.signal;
    }
    *out << ", stderr: " << outcome.err;
}

namespace child_process_detail {

// In the child: the options, and the default action of SIGXFSZ, so that
// whatever the child does not ignore itself kills it, as it would anywhere.
inline void Apply(const ChildOptions& options) {
    std::signal(SIGXFSZ, SIG_DFL);
    // Before the limits: a child short of address space could not grow its
    // environment.
    for (const std::string& variable : options.environment) {
        ::putenv(const_cast<char*>(variable.c_str()));
    }
    for (const std::string& name : options.unset) {
        ::unsetenv(name.c_str());
    }
    const auto lower = [](int resource, std::optional<rlim_t> bytes) {
        if (bytes) {
            rlimit limit{};
            getrlimit(resource, &limit);
            limit.rlim_cur = *bytes;
            if (setrlimit(resource, &limit) != 0) {
                _exit(125);
            }
        }
    };
    lower(RLIMIT_FSIZE, options.fileSize);
    lower(RLIMIT_AS, options.addressSpace);
}

inline void Wait(pid_t child, ChildOutcome& outcome) {
    int status = 0;
    rusage usage{};
    while (::wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    outcome.exited = WIFEXITED(status);
    outcome.status = outcome.exited ? WEXITSTATUS(status) : -1;
    outcome.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    outcome.peakMemoryKb = usage.ru_maxrss;
}

}  // namespace child_process_detail

// Runs program with args (argv[0] is program) and the options; collects
// what it writes to its standard output and error.
inline ChildOutcome RunProgram(const std::string& program, const std::vector<std::string>& args,
                               const ChildOptions& options = {}) {
    ChildOutcome outcome;
    std::fflush(nullptr);
    int outPipe[2];
    int errPipe[2];
    if (::pipe2(outPipe, O_CLOEXEC) != 0 || ::pipe2(errPipe, O_CLOEXEC) != 0) {
        return outcome;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        ::dup2(outPipe[1], STDOUT_FILENO);
        ::dup2(errPipe[1], STDERR_FILENO);
        // Last: after the limits the child may have no memory to spare.
        child_process_detail::Apply(options);
        ::execv(program.c_str(), argv.data());
        _exit(127);
    }
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    pollfd streams[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    std::string* texts[2] = {&outcome.out, &outcome.err};
    int open = child > 0 ? 2 : 0;
    while (open > 0) {
        if (::poll(streams, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (streams[i].fd < 0 || streams[i].revents == 0) {
                continue;
            }
            char buffer[4096];
            const ssize_t got = ::read(streams[i].fd, buffer, sizeof buffer);
            if (got > 0) {
                texts[i]->append(buffer, static_cast<std::size_t>(got));
            } else if (got == 0 || errno != EINTR) {
                ::close(streams[i].fd);
                streams[i].fd = -1;
                --open;
            }
        }
    }
    for (const pollfd& stream : streams) {
        if (stream.fd >= 0) {
            ::close(stream.fd);
        }
    }
    if (child > 0) {
        child_process_detail::Wait(child, outcome);
    }
    return outcome;
}

// Runs body in a forked copy of the test program, with the options; body's
// answer is the child's exit status. The child shares the test's output, so
// a failed expectation in it is printed; body answers 1 when it saw one
// (::testing::Test::HasFailure()), and the parent then checks the status.
inline ChildOutcome RunInChild(const std::function<int()>& body, const ChildOptions& options = {}) {
    ChildOutcome outcome;
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        child_process_detail::Apply(options);
        const int status = body();
        std::fflush(nullptr);
        // Skips the test program's exit handlers: they belong to the parent.
        _exit(status);
    }
    if (child > 0) {
        child_process_detail::Wait(child, outcome);
    }
    return outcome;
}

}  // namespace quorbex::testing

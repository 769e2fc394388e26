#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <new>

#include "cli/terminal_text.h"
#include "cli/zvk.h"

namespace {

// Memory set aside at the start and given back at the first allocation that
// fails, with std::bad_alloc then thrown at once: throwing takes memory of
// its own, and a process at its limit that cannot throw ends in
// std::terminate instead of saying that it ran out of memory. Taken with
// malloc, which answers nothing where the nothrow new would itself throw.
constexpr std::size_t RESERVE_BYTES = 256 * 1024;
void* g_reserve = nullptr;

void ReleaseReserve() {
    std::free(g_reserve);
    g_reserve = nullptr;
    std::set_new_handler(nullptr);
    throw std::bad_alloc();
}

}  // namespace

int main(int argc, char** argv) {
    // A write past a file-size limit then fails with EFBIG and is reported,
    // instead of the signal killing zvk with its temporary file left behind.
    std::signal(SIGXFSZ, SIG_IGN);
    g_reserve = std::malloc(RESERVE_BYTES);
    if (g_reserve == nullptr) {
        std::fputs("zvk: out of memory\n", stderr);
        return quorbex::zvk::EXIT_ERROR;
    }
    std::set_new_handler(ReleaseReserve);
    if (quorbex::zvk::StandardOutputIsTerminal()) {
        quorbex::zvk::MarkAsTerminal(std::cout);
    }
    try {
        const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
        return quorbex::zvk::RunZvk(args, std::cout, std::cerr);
    } catch (const std::bad_alloc&) {
        std::fputs("zvk: out of memory\n", stderr);
        return quorbex::zvk::EXIT_ERROR;
    }
}

#include <csignal>
#include <iostream>

#include "cli/zvk.h"

int main(int argc, char** argv) {
    // A write past a file-size limit then fails with EFBIG and is reported,
    // instead of the signal killing zvk with its temporary file left behind.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return quorbex::zvk::RunZvk(args, std::cout, std::cerr);
}

#include <iostream>

#include "cli/zvk.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return quorbex::zvk::RunZvk(args, std::cout, std::cerr);
}

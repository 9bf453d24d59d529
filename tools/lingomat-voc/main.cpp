#include <iostream>
#include <string>
#include <vector>

#include "VocTool.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return lingomat::RunVocTool(args, std::cout, std::cerr);
}

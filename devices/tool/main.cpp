#include "tool/baytool.h"

#include <iostream>

int main(int argc, char** argv) {
    return velmora::bay::runTool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}

#include <iostream>
#include <string>
#include <vector>

#include "compare/CompareRun.h"

int main(int argc, char** argv) {
  return kelvane::RunCompare(
      kelvane::ArgumentsOf(std::vector<std::string>(argv + 1, argv + argc)),
      std::cout, std::cerr);
}

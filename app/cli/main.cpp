#include <iostream>

#include "cli/cli.hpp"

int main(int argc, char* argv[]) {
  return specbridge::cli::Run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}

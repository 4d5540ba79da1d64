#include <iostream>

#include "cli/cli.h"

int main(int argc, char** argv) { return novanta::cli::EseguiCli(argc, argv, std::cout, std::cerr); }

#include <iostream>

#include "cli/cli.h"
#include "storage/program_paths.h"

int main(int argc, char** argv) {
    return rvm46::cli::RunCli(argc, argv, rvm46::storage::ExecutableFolder(), std::cout, std::cerr);
}

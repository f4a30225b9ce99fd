#include <unistd.h>

#include <iostream>

#include "cli/cli.h"
#include "storage/program_paths.h"

int main(int argc, char** argv) {
    // A progress bar only where a person watches; scripts get nothing but errors.
    const bool progress = isatty(STDERR_FILENO) != 0;
    return rvm46::cli::RunCli(argc, argv, rvm46::storage::ExecutableFolder(), std::cout, std::cerr,
                              nullptr, progress);
}

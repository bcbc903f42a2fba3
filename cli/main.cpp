#include "cli/run.h"

#include <span>

#include <unistd.h>

int main(int argc, char* argv[]) {
    const std::span<const char* const> all(argv, static_cast<std::size_t>(argc));
    return kindrell::cli::Run(all.subspan(all.empty() ? 0 : 1), STDIN_FILENO, STDOUT_FILENO,
                              STDERR_FILENO);
}

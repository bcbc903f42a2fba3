#include "cli/run.h"

#include <cstddef>
#include <cstdio>
#include <span>

int main(int argc, char* argv[]) {
    const std::span<const char* const> all(argv, static_cast<std::size_t>(argc));
    return kindrell::cli::Run(all.subspan(all.empty() ? 0 : 1), stdin, stdout, stderr);
}

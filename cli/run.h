#pragma once

#include <cstdio>
#include <span>

namespace kindrell::cli {

enum ExitStatus : int {
    kExitSuccess = 0,
    kExitPartial = 1, // lines skipped, or reading or writing failed
    kExitRefused = 2, // the command line or a name was refused
};

// The whole program: `args` are the arguments after the program name.
// Standard input is read only for a shortlist without FILE (or with "-").
int Run(std::span<const char* const> args, std::FILE* in, std::FILE* out, std::FILE* err);

} // namespace kindrell::cli

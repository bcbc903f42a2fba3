#pragma once

#include "cli/output_sink.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace kindrell::cli {

struct ShortlistSettings {
    std::u16string father;
    std::u16string mother;
    bool json = false;
    bool explain = false;
    bool harmonious = false;
    // Bytes asked of the input per read; small values let tests put line
    // ends at every possible place relative to a block boundary.
    std::size_t readBlock = std::size_t{256} * 1024;
    // A block holding at least this many bytes of whole lines is weighed
    // on two threads; 0 keeps to one.
    std::size_t parallelFrom = std::size_t{64} * 1024;
};

struct ShortlistOutcome {
    std::uint64_t lines = 0;   // lines read, blank ones included
    std::uint64_t printed = 0; // candidates written
    std::uint64_t skipped = 0; // lines refused (reported on the error stream)
    bool readFailed = false;
};

// The longest line that can still hold a name of kMaxNameLength UTF-16 code
// units: three bytes per code unit, plus a byte-order mark and a CR. Longer
// lines are refused without being kept whole.
inline constexpr std::size_t kMaxLineBytes = 3 * 32767 + 3 + 1;

// Weighs the candidate child names read from `in`, one per line (LF or CR LF;
// a last line without LF counts; a UTF-8 byte-order mark before the first is
// skipped), against the parents' names. Writes one record per candidate to
// `out` and one line per refused line to `err`, in input order. Memory stays
// bounded whatever the input's length. Large blocks of input are shared with
// a second thread (see parallelFrom); the output is the same either way.
// Output is left in `out`; the caller flushes it and checks it for failure.
ShortlistOutcome RunShortlist(std::FILE* in, OutputSink& out, std::FILE* err,
                              const ShortlistSettings& settings);

} // namespace kindrell::cli

// The command-line tool's shortlist loop on arbitrary input: it must never
// crash, must treat every line as a plain line-by-line reading would, and
// must give the same output wherever its read blocks happen to end.

#include "cli/output_sink.h"
#include "cli/shortlist.h"
#include "cli/utf8.h"
#include "engine/compatibility.h"
#include "engine/name_number.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/reference_utf8.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include <sys/mman.h>
#include <unistd.h>

namespace {

using kindrell::cli::ShortlistOutcome;
using kindrell::cli::ShortlistSettings;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// A memory stream whose text is read back after the FILE is closed.
class MemoryOutput {
  public:
    MemoryOutput() : file_(open_memstream(&data_, &size_)) {
        if (!file_) {
            std::abort();
        }
    }
    MemoryOutput(const MemoryOutput&) = delete;
    MemoryOutput& operator=(const MemoryOutput&) = delete;
    ~MemoryOutput() {
        file_.reset();
        std::free(data_); // NOLINT(cppcoreguidelines-no-malloc): open_memstream's buffer
    }

    std::FILE* file() const { return file_.get(); }
    std::string text() {
        std::fflush(file_.get());
        return {data_, size_};
    }

  private:
    char* data_ = nullptr;
    std::size_t size_ = 0;
    File file_;
};

// The input either as an in-memory FILE without a descriptor (read with
// fread) or as a memory file with one (read with read(2)).
File OpenInput(std::string_view bytes, bool withDescriptor) {
    if (!withDescriptor) {
        if (bytes.empty()) {
            return File(std::fopen("/dev/null", "rb"));
        }
        // fmemopen only reads; the cast is for its C signature.
        return File(fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb"));
    }
    const int fd = memfd_create("shortlist", 0);
    if (fd < 0) {
        std::abort();
    }
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n <= 0) {
            std::abort();
        }
        written += static_cast<std::size_t>(n);
    }
    ::lseek(fd, 0, SEEK_SET);
    return File(fdopen(fd, "rb"));
}

struct Run {
    ShortlistOutcome outcome;
    std::string out;
    std::string err;
};

Run RunOnce(std::string_view bytes, bool withDescriptor, const ShortlistSettings& settings,
            std::size_t outputBlock) {
    const File in = OpenInput(bytes, withDescriptor);
    KINDRELL_FUZZ_CHECK(in != nullptr);
    MemoryOutput out;
    MemoryOutput err;
    Run run;
    {
        kindrell::cli::OutputSink sink(out.file(), outputBlock);
        run.outcome = kindrell::cli::RunShortlist(in.get(), sink, err.file(), settings);
        KINDRELL_FUZZ_CHECK(sink.flush());
    }
    run.out = out.text();
    run.err = err.text();
    return run;
}

// Line by line, as a user reads the rules: LF ends a line, a last line
// without one counts, a byte-order mark before the first and a CR before an
// LF are not part of the name, blank lines are passed over, lines that are
// not UTF-8 or too long are refused.
struct Expected {
    ShortlistOutcome outcome;
    std::string plainOut; // what the plain format (no working) prints
};

Expected Reference(std::string_view bytes, const ShortlistSettings& settings) {
    const kindrell::DestinyNumber mother = kindrell::GetDestinyNumber(settings.mother);
    const kindrell::DestinyNumber father = kindrell::GetDestinyNumber(settings.father);
    Expected expected;
    std::size_t start = 0;
    std::uint64_t number = 0;
    std::u16string decoded;
    while (start < bytes.size()) {
        const std::size_t lf = bytes.find('\n', start);
        const std::size_t stop = lf == std::string_view::npos ? bytes.size() : lf;
        std::string_view line = bytes.substr(start, stop - start);
        start = stop + 1;
        ++number;
        ++expected.outcome.lines;
        if (line.size() > kindrell::cli::kMaxLineBytes) {
            ++expected.outcome.skipped;
            continue;
        }
        if (number == 1 && line.starts_with("\xEF\xBB\xBF")) {
            line.remove_prefix(3);
        }
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        const std::size_t first = line.find_first_not_of(' ');
        if (first == std::string_view::npos) {
            continue;
        }
        const std::string_view name = line.substr(first, line.find_last_not_of(' ') - first + 1);
        if (!kindrell::fuzz::ReferenceDecode(line, decoded) ||
            decoded.size() > kindrell::kMaxNameLength) {
            ++expected.outcome.skipped;
            continue;
        }
        const kindrell::DestinyNumber child = kindrell::GetDestinyNumber(decoded);
        const kindrell::CompatibilityVerdict verdict =
            kindrell::GetCompatibility(child, mother, father);
        if (settings.harmonious && verdict != kindrell::CompatibilityVerdict::Harmonious) {
            continue;
        }
        ++expected.outcome.printed;
        expected.plainOut += name;
        expected.plainOut += "\t" + std::to_string(child) + "\t" +
                             kindrell::cli::ToUtf8(kindrell::TokenText(verdict)) + "\n";
    }
    return expected;
}

constexpr std::array<std::u16string_view, 6> kParents = {
    u"John", u"Mary", u"Zoe", u"", u"Anne-Marie O'Neil", u"Christopher"};

bool SameOutcome(const ShortlistOutcome& a, const ShortlistOutcome& b) {
    return a.lines == b.lines && a.printed == b.printed && a.skipped == b.skipped &&
           a.readFailed == b.readFailed;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kHeader = 4;
    if (size < kHeader) {
        return 0;
    }
    const std::uint8_t flags = data[0];
    ShortlistSettings settings;
    settings.json = (flags & 1U) != 0;
    settings.explain = (flags & 2U) != 0;
    settings.harmonious = (flags & 4U) != 0;
    const bool withDescriptor = (flags & 8U) != 0;
    const bool stretch = (flags & 16U) != 0;
    settings.father = kParents[data[1] % kParents.size()];
    settings.mother = kParents[(data[1] / kParents.size()) % kParents.size()];
    const std::size_t smallBlock = 1 + data[2];

    std::string input(reinterpret_cast<const char*>(data + kHeader), size - kHeader);
    if (stretch) {
        // A line at the length limit needs about 98 KiB; rather than wait for
        // the fuzzer to grow one, stretch a line to within a few bytes of it.
        const std::size_t at = input.empty() ? 0 : data[3] % (input.size() + 1);
        const std::size_t run = kindrell::cli::kMaxLineBytes - 4 + data[3] % 8;
        input.insert(at, run, (flags & 32U) != 0 ? 'a' : '\xC3');
    }

    settings.readBlock = smallBlock;
    const Run small = RunOnce(input, withDescriptor, settings, 1 + data[3]);
    // Larger than any input the fuzzer grows by itself, so that those are
    // read in one block. (The production block is larger still, but each
    // run pays for zeroing the whole read buffer.)
    constexpr std::size_t kLargeBlock = std::size_t{16} * 1024;
    settings.readBlock = kLargeBlock;
    const Run large =
        RunOnce(input, !withDescriptor, settings, kindrell::cli::OutputSink::kDefaultBlock);

    KINDRELL_FUZZ_CHECK(!small.outcome.readFailed);
    KINDRELL_FUZZ_CHECK(SameOutcome(small.outcome, large.outcome));
    KINDRELL_FUZZ_CHECK(small.out == large.out);
    KINDRELL_FUZZ_CHECK(small.err == large.err);

    const Expected expected = Reference(input, settings);
    KINDRELL_FUZZ_CHECK(SameOutcome(small.outcome, expected.outcome));
    KINDRELL_FUZZ_CHECK(static_cast<std::uint64_t>(std::count(small.out.begin(), small.out.end(),
                                                              '\n')) == small.outcome.printed);
    KINDRELL_FUZZ_CHECK(static_cast<std::uint64_t>(std::count(small.err.begin(), small.err.end(),
                                                              '\n')) == small.outcome.skipped);
    if (!settings.json && !settings.explain) {
        KINDRELL_FUZZ_CHECK(small.out == expected.plainOut);
    }
    return 0;
}

// The command-line tool's shortlist loop on arbitrary input: it must never
// crash, must print what the list reader reads, and must give the same
// output wherever its reads happen to end.

#include "cli/run.h"
#include "engine/compatibility.h"
#include "engine/name_number.h"
#include "fuzz/fuzz_input.h"
#include "textrules/name_folding.h"
#include "textrules/name_lines.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include <sys/mman.h>
#include <unistd.h>

namespace {

using kindrell::cli::ShortlistSettings;

// A memory file, closed with the object.
class MemoryFile {
  public:
    MemoryFile() : fd_(memfd_create("shortlist", 0)) { KINDRELL_FUZZ_CHECK(fd_ >= 0); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;
    ~MemoryFile() { ::close(fd_); }

    [[nodiscard]] int fd() const { return fd_; }

    // Empties the file, or makes it hold `bytes`, and rewinds it.
    void reset(std::string_view bytes = {}) const {
        KINDRELL_FUZZ_CHECK(::ftruncate(fd_, 0) == 0 && ::lseek(fd_, 0, SEEK_SET) == 0);
        KINDRELL_FUZZ_CHECK(kindrell::cli::WriteAll(fd_, bytes));
        ::lseek(fd_, 0, SEEK_SET);
    }

    // Everything written to the file.
    [[nodiscard]] std::string text() const {
        std::string text(static_cast<std::size_t>(::lseek(fd_, 0, SEEK_END)), '\0');
        KINDRELL_FUZZ_CHECK(::pread(fd_, text.data(), text.size(), 0) ==
                            static_cast<ssize_t>(text.size()));
        return text;
    }

  private:
    int fd_;
};

struct Run {
    int status;
    std::string out;
    std::string err;
};

// The three files of a run, made once for both runs of an input.
class Files {
  public:
    explicit Files(std::string_view input) : input_(input) {}

    Run run(const ShortlistSettings& settings) const {
        in_.reset(input_);
        out_.reset();
        err_.reset();
        const int status = kindrell::cli::RunShortlist(in_.fd(), out_.fd(), err_.fd(), settings);
        return {status, out_.text(), err_.text()};
    }

  private:
    std::string_view input_;
    MemoryFile in_;
    MemoryFile out_;
    MemoryFile err_;
};

// What the shortlist must print: a record for each name the list reader
// gives when it reads the whole input at once, in order, and a refusal for
// each line it refuses. (fuzz_name_lines holds the reader to the rules.)
struct Expected {
    std::uint64_t refused = 0;
    std::uint64_t told = 0; // names with a character that counts nothing
    std::string plainOut;   // what the plain format (no working) prints
};

Expected Reference(std::string_view bytes, const ShortlistSettings& settings) {
    using kindrell::text::WeighName;
    const kindrell::DestinyNumber mother =
        WeighName(QString::fromStdU16String(settings.mother)).number;
    const kindrell::DestinyNumber father =
        WeighName(QString::fromStdU16String(settings.father)).number;
    Expected expected;
    kindrell::text::NameListReader reader([&](const kindrell::text::NameLine& line) {
        if (line.fault != kindrell::text::LineFault::None) {
            ++expected.refused;
            return;
        }
        const kindrell::text::WeighedName weighed = WeighName(line.name);
        expected.told += weighed.uncounted.isEmpty() ? 0 : 1;
        const kindrell::DestinyNumber child = weighed.number;
        const kindrell::CompatibilityVerdict verdict =
            kindrell::GetCompatibility(child, mother, father);
        if (settings.harmonious && verdict != kindrell::CompatibilityVerdict::Harmonious) {
            return;
        }
        expected.plainOut +=
            line.utf8.toByteArray().toStdString() + "\t" + std::to_string(child) + "\t" +
            QString::fromStdU16String(std::u16string(kindrell::TokenText(verdict))).toStdString() +
            "\n";
    });
    reader.read(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    reader.finish();
    return expected;
}

constexpr std::array<std::u16string_view, 6> kParents = {
    u"John", u"Mary", u"Zoe", u"", u"Anne-Marie O'Neil", u"Christopher"};

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
    const bool stretch = (flags & 16U) != 0;
    settings.father = kParents[data[1] % kParents.size()];
    settings.mother = kParents[(data[1] / kParents.size()) % kParents.size()];

    std::string input(reinterpret_cast<const char*>(data + kHeader), size - kHeader);
    if (stretch) {
        // A line at the length limit needs about 98 KiB; rather than wait for
        // the fuzzer to grow one, stretch a line to within a few bytes of it.
        const std::size_t at = input.empty() ? 0 : data[3] % (input.size() + 1);
        const auto run = static_cast<std::size_t>(kindrell::text::kMaxLineBytes) - 4 + data[3] % 8;
        input.insert(at, run, (flags & 32U) != 0 ? 'a' : '\xC3');
    }

    // The reader's own target (fuzz_name_lines) ends its pieces at every
    // byte; here reads of 1 to 2,041 bytes still end anywhere in a line, with
    // fewer calls than reads of a byte or a few (perf: system calls took a
    // seventh of each run). Over a stretched line they are at least a KiB:
    // read a byte or two at a time, its hundred thousand reads took three
    // quarters of the fuzzer's time, and the ends still fall all along it.
    settings.readBlock = stretch ? 1024 + data[2] * 67U : 1 + data[2] * 8U;
    const Files files(input);
    const Run small = files.run(settings);
    // Larger than any input the fuzzer grows by itself, so that those are
    // read at once. (The program's own is larger still, but each run pays
    // for clearing the whole read buffer.)
    settings.readBlock = std::size_t{16} * 1024;
    const Run large = files.run(settings);

    KINDRELL_FUZZ_CHECK(small.status == large.status);
    KINDRELL_FUZZ_CHECK(small.out == large.out);
    KINDRELL_FUZZ_CHECK(small.err == large.err);

    const Expected expected = Reference(input, settings);
    const auto told =
        static_cast<std::uint64_t>(std::count(small.err.begin(), small.err.end(), '\n'));
    KINDRELL_FUZZ_CHECK(told == expected.refused + expected.told);
    KINDRELL_FUZZ_CHECK(small.status == (expected.refused > 0 ? kindrell::cli::kExitPartial
                                                              : kindrell::cli::kExitSuccess));
    if (!settings.json && !settings.explain) {
        KINDRELL_FUZZ_CHECK(small.out == expected.plainOut);
    }
    return 0;
}

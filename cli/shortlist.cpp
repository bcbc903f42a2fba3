#include "cli/run.h"
#include "engine/compatibility.h"
#include "engine/name_number.h"
#include "textrules/json_string.h"
#include "textrules/lines.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include <unistd.h>

namespace kindrell::cli {
namespace {

const std::string kTooLong =
    "name longer than " + std::to_string(kMaxNameLength) + " UTF-16 code units";
constexpr std::size_t kOutputBlock = std::size_t{256} * 1024;

QByteArrayView Bytes(std::string_view text) {
    return {text.data(), static_cast<qsizetype>(text.size())};
}

std::string Utf8(std::u16string_view text) {
    return QStringView(text.data(), static_cast<qsizetype>(text.size())).toUtf8().toStdString();
}

// With the parents fixed, the child's number alone decides the verdict, so
// what follows the name in a record ("\t3\tHarmonious" or ',"ChildNumber":3,
// ...') is prepared once per number: Qt's JSON classes would cost microseconds
// per record. A number that --harmonious leaves out gets none.
std::array<std::string, 10> PrepareTails(const ShortlistSettings& settings) {
    const DestinyNumber mother = GetDestinyNumber(settings.mother);
    const DestinyNumber father = GetDestinyNumber(settings.father);
    std::array<std::string, 10> tails;
    for (std::size_t number = 0; number < tails.size(); ++number) {
        const auto verdict = GetCompatibility(static_cast<DestinyNumber>(number), mother, father);
        const VerdictLines lines = GetVerdictLines(verdict);
        std::string& tail = tails.at(number);
        if (settings.harmonious && verdict != CompatibilityVerdict::Harmonious) {
            continue;
        }
        if (!settings.json) {
            tail.append("\t").append(std::to_string(number)).append("\t");
            tail.append(Utf8(TokenText(verdict))); // appended: GCC 12 -O3 warns of "a" + b
            continue;
        }
        tail.append(",\"ChildNumber\":").append(std::to_string(number));
        for (const auto& [key, value] : {std::pair{",\"Verdict\":", TokenText(verdict)},
                                         {",\"MotherVerdictLine\":", lines.MotherLine},
                                         {",\"FatherVerdictLine\":", lines.FatherLine}}) {
            tail += key;
            text::AppendJsonString(Utf8(value), tail);
        }
    }
    return tails;
}

// One shortlist's weighing: each line's record into the output, each
// refused line told; the caller reads the lines and writes the output.
class Weigher {
  public:
    Weigher(int err, const ShortlistSettings& settings)
        : err_(err), settings_(settings), tails_(PrepareTails(settings)),
          units_(decoder_.requiredSpace(kMaxLineBytes), Qt::Uninitialized),
          decodedUnits_(units_.data()) {}

    void weigh(std::string_view line) {
        ++lineNumber_;
        if (const std::string_view why = record(line); !why.empty()) {
            status = kExitPartial;
            WriteAll(err_, std::string(kProgramName) + ": line " + std::to_string(lineNumber_) +
                               ": " + std::string(why) + ", skipped\n");
        }
    }

    std::string output;
    int status = kExitSuccess; // partial once a line is refused or reading fails

  private:
    // Appends the line's record, if any, to the output; gives why it is refused, or nothing.
    std::string_view record(std::string_view line) {
        if (line.size() > kMaxLineBytes) {
            return kTooLong; // the reader's own test, so that where reads end changes nothing
        }
        if (lineNumber_ == 1) {
            const QByteArrayView rest = text::WithoutByteOrderMark(Bytes(line));
            line = {rest.data(), static_cast<std::size_t>(rest.size())};
        }
        line.remove_suffix(line.ends_with('\r') ? 1 : 0);
        const QByteArrayView trimmed = text::TrimSpaces(Bytes(line));
        if (trimmed.isEmpty()) {
            return {};
        }
        const qsizetype decoded = text::DecodeLine(decoder_, Bytes(line), decodedUnits_);
        if (decoded < 0) {
            return "not valid UTF-8";
        }
        if (static_cast<std::size_t>(decoded) > kMaxNameLength) {
            return kTooLong;
        }
        const std::u16string_view weighed(reinterpret_cast<const char16_t*>(decodedUnits_),
                                          static_cast<std::size_t>(decoded));
        const std::string& tail = tails_.at(static_cast<std::size_t>(GetDestinyNumber(weighed)));
        if (!tail.empty()) {
            append({trimmed.data(), static_cast<std::size_t>(trimmed.size())}, tail, weighed);
        }
        return {};
    }
    void append(std::string_view name, const std::string& tail, std::u16string_view weighed) {
        const std::string working =
            settings_.explain ? Utf8(FormatWorking(ExplainDestinyNumber(weighed))) : std::string();
        if (!settings_.json) {
            output.append(name).append(tail).append(settings_.explain ? "\t" : "");
            output.append(working).append("\n");
            return;
        }
        output += "{\"Name\":";
        text::AppendJsonString(name, output);
        output += tail;
        if (settings_.explain) {
            output += ",\"ChildWorking\":";
            text::AppendJsonString(working, output);
        }
        output += "}\n";
    }

    int err_;
    const ShortlistSettings& settings_;
    const std::array<std::string, 10> tails_;
    QStringDecoder decoder_ = text::StrictUtf8Decoder();
    QString units_; // one decoded line
    QChar* decodedUnits_;
    std::uint64_t lineNumber_ = 0;
};

} // namespace

bool WriteAll(int fd, std::string_view bytes, int err) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written <= 0) { // no signal handler is installed, so there is no EINTR
            if (err >= 0) {
                WriteAll(err, std::string(kProgramName) +
                                  ": writing the output failed: " + std::strerror(errno) + "\n");
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

int RunShortlist(int in, int out, int err, const ShortlistSettings& settings) {
    Weigher run(err, settings);
    const auto write = [&] {
        const bool written = WriteAll(out, run.output, err);
        run.output.clear(); // keeping its capacity: growing it again costs page faults
        return written;
    };
    const std::size_t block = std::max<std::size_t>(settings.readBlock, 1);
    // Room for an unfinished line of the longest length kept, plus one read.
    std::vector<char> buffer(kMaxLineBytes + 1 + block);
    char* const data = buffer.data();
    std::size_t start = 0;   // the first byte not yet weighed
    std::size_t end = 0;     // the end of what was read
    bool discarding = false; // inside a line already refused as too long
    for (;;) {
        if (buffer.size() - end < block) {
            std::memmove(data, data + start, end - start);
            end -= start;
            start = 0;
        }
        const ssize_t got = ::read(in, data + end, block);
        if (got < 0) {
            run.status = kExitPartial;
            WriteAll(err, std::string(kProgramName) +
                              ": reading the shortlist failed: " + std::strerror(errno) + "\n");
        }
        if (got <= 0) {
            break;
        }
        std::size_t next = end; // no LF before: an unfinished line is not searched again
        end += static_cast<std::size_t>(got);
        while (const auto* lf =
                   static_cast<const char*>(std::memchr(data + next, '\n', end - next))) {
            if (!discarding) {
                run.weigh({data + start, lf});
            }
            discarding = false;
            start = next = static_cast<std::size_t>(lf - data) + 1;
            if (run.output.size() >= kOutputBlock && !write()) {
                return kExitPartial;
            }
        }
        if (!discarding && end - start > kMaxLineBytes) {
            run.weigh({data + start, data + end}); // refused, without waiting for the rest
            discarding = true;
        }
        start = discarding ? end : start;
        // Input that comes slower than a block at a time (a terminal, a
        // pipe) gets its answers before the program waits for more.
        if (static_cast<std::size_t>(got) < block && !write()) {
            return kExitPartial;
        }
    }
    if (!discarding && start < end) {
        run.weigh({data + start, data + end});
    }
    return write() ? run.status : kExitPartial;
}

} // namespace kindrell::cli

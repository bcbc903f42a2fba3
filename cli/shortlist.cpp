#include "cli/run.h"
#include "engine/compatibility.h"
#include "engine/name_number.h"
#include "namelist/shortlist_file.h"
#include "textrules/engine_strings.h"
#include "textrules/json_string.h"
#include "textrules/name_folding.h"
#include "textrules/name_lines.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include <unistd.h>

namespace kindrell::cli {
namespace {

const std::string kTooLong =
    "name longer than " + std::to_string(kMaxNameLength) + " UTF-16 code units";
constexpr std::size_t kOutputBlock = std::size_t{256} * 1024;

std::string Utf8(std::u16string_view text) {
    return QStringView(text.data(), static_cast<qsizetype>(text.size())).toUtf8().toStdString();
}

// With the parents fixed, the child's number alone decides the verdict, so
// what follows the name in a record ("\t3\tHarmonious" or ',"ChildNumber":3,
// ...') is prepared once per number: Qt's JSON classes would cost microseconds
// per record. A number that --harmonious leaves out gets none.
std::array<std::string, 10> PrepareTails(const ShortlistSettings& settings) {
    const DestinyNumber mother = text::FoldedNumber(text::ToQString(settings.mother));
    const DestinyNumber father = text::FoldedNumber(text::ToQString(settings.father));
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

// One shortlist's weighing: each name's record into the output, each
// refused line told; the caller reads the list and writes the output.
class Weigher {
  public:
    Weigher(int out, int err, const ShortlistSettings& settings)
        : out_(out), err_(err), settings_(settings), tails_(PrepareTails(settings)),
          reader_([this](const text::NameLine& line) { take(line); }),
          table_([this](const namelist::ShortlistName& name) { takeRow(name); }) {}

    text::NameListReader& reader() { return reader_; }
    // The end of the list: a table's last row, and whether it had names at all.
    void finish() {
        reader_.finish();
        if (settings_.table) {
            table_.finish();
        }
    }
    // A table whose header has no Name column: nothing to weigh.
    [[nodiscard]] bool refused() const { return settings_.table && table_.noNameColumn(); }

    // Whether every write so far has succeeded.
    [[nodiscard]] bool writing() const { return written_; }
    // Writes the records so far; false once a write has failed.
    bool write() {
        written_ = written_ && WriteAll(out_, output_, err_);
        output_.clear(); // keeping its capacity: growing it again costs page faults
        return written_;
    }

    int status = kExitSuccess; // partial once a line is refused or reading fails

  private:
    void take(const text::NameLine& line) {
        if (!written_) {
            return; // the run ends with the read that holds this line
        }
        if (output_.size() >= kOutputBlock) {
            write();
        }
        if (line.fault != text::LineFault::None) {
            status = kExitPartial;
            WriteAll(err_, std::string(kProgramName) + ": line " + std::to_string(line.number) +
                               ": " + std::string(Why(line.fault)) + ", skipped\n");
            return;
        }
        lineNumber_ = line.number;
        if (settings_.table) {
            if (!refused()) {
                table_.line(line.name);
            }
            return;
        }
        weigh(line.name, {line.utf8.data(), static_cast<std::size_t>(line.utf8.size())}, {});
    }
    void takeRow(const namelist::ShortlistName& row) {
        const QByteArray utf8 = row.name.toUtf8();
        weigh(row.name, {utf8.data(), static_cast<std::size_t>(utf8.size())},
              namelist::SexName(row.sex));
    }
    void weigh(QStringView name, std::string_view utf8, const QString& sex) {
        QStringList uncounted;
        const DestinyNumber number = text::FoldedNumber(name, &uncounted);
        if (!uncounted.isEmpty()) {
            TellUncounted(err_, "line " + std::to_string(lineNumber_) + ": ", name.toString(),
                          uncounted);
        }
        const std::string& tail = tails_.at(static_cast<std::size_t>(number));
        if (!tail.empty()) {
            append(utf8, tail, name, sex);
        }
    }
    static std::string_view Why(text::LineFault fault) {
        switch (fault) {
        case text::LineFault::NotUtf8:
            return "not valid UTF-8";
        case text::LineFault::NotUtf16:
            return "not valid UTF-16";
        case text::LineFault::ControlCharacter:
            return "a control character in the name";
        case text::LineFault::TooLong:
        case text::LineFault::None:
            break;
        }
        return kTooLong;
    }
    // A record; a table's row with its sex as JSON's "Sex".
    void append(std::string_view name, const std::string& tail, QStringView weighed,
                const QString& sex) {
        const std::string working =
            settings_.explain ? text::WeighName(weighed).working.toStdString() : std::string();
        if (!settings_.json) {
            output_.append(name).append(tail).append(settings_.explain ? "\t" : "");
            output_.append(working).append("\n");
            return;
        }
        output_ += "{\"Name\":";
        text::AppendJsonString(name, output_);
        if (!sex.isEmpty()) {
            output_ += ",\"Sex\":";
            text::AppendJsonString(sex.toStdString(), output_);
        }
        output_ += tail;
        if (settings_.explain) {
            output_ += ",\"ChildWorking\":";
            text::AppendJsonString(working, output_);
        }
        output_ += "}\n";
    }

    int out_;
    int err_;
    bool written_ = true;
    std::string output_;
    const ShortlistSettings& settings_;
    const std::array<std::string, 10> tails_;
    text::NameListReader reader_;
    namelist::ShortlistTable table_;
    std::uint64_t lineNumber_ = 0; // of the line that ended the name being weighed
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
    Weigher run(out, err, settings);
    const std::size_t block = std::max<std::size_t>(settings.readBlock, 1);
    std::vector<char> buffer(block);
    for (;;) {
        const ssize_t got = ::read(in, buffer.data(), block);
        if (got < 0) {
            run.status = kExitPartial;
            WriteAll(err, std::string(kProgramName) +
                              ": reading the shortlist failed: " + std::strerror(errno) + "\n");
        }
        if (got <= 0) {
            break;
        }
        run.reader().read({buffer.data(), static_cast<qsizetype>(got)});
        if (run.refused()) {
            break;
        }
        // Input that comes slower than a block at a time (a terminal, a
        // pipe) gets its answers before the program waits for more.
        if ((static_cast<std::size_t>(got) < block && !run.write()) || !run.writing()) {
            return kExitPartial;
        }
    }
    run.finish();
    if (run.refused()) {
        WriteAll(err, std::string(kProgramName) +
                          ": the table has no Name column in its first row, so it holds no "
                          "names to weigh\n");
        return kExitRefused;
    }
    return run.write() ? run.status : kExitPartial;
}

} // namespace kindrell::cli

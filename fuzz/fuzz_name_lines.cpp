// The list reader on arbitrary bytes, cut into reads anywhere: it must never
// crash, must give what a plain reading of the whole file gives, and every
// name it gives must be one the rules allow.

#include "fuzz/fuzz_input.h"
#include "textrules/name_lines.h"

#include <QList>
#include <QString>
#include <QStringDecoder>
#include <unicode/uchar.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using kindrell::text::LineFault;

struct Line {
    std::uint64_t number;
    LineFault fault;
    QString name;
    bool unchecked = false; // any name, or refused as too long, is right (see Judge)
};

bool Matches(const std::vector<Line>& got, const std::vector<Line>& expected) {
    return std::equal(got.begin(), got.end(), expected.begin(), expected.end(),
                      [](const Line& a, const Line& b) {
                          if (b.unchecked) {
                              return a.number == b.number &&
                                     (a.fault == LineFault::None || a.fault == LineFault::TooLong);
                          }
                          return a.number == b.number && a.fault == b.fault && a.name == b.name;
                      });
}

// Whether the text holds a character that ICU's tables, by which the reader
// normalises, know and Qt's do not (Unicode 15 against Qt 6.4's 14): Qt's
// NFC leaves such a mark where it stands, ICU's puts it in canonical order.
bool NewerThanQtKnows(const QString& text) {
    const QList<uint> characters = text.toUcs4();
    return std::any_of(characters.begin(), characters.end(), [](uint character) {
        return QChar::category(character) == QChar::Other_NotAssigned &&
               u_charType(static_cast<UChar32>(character)) != U_UNASSIGNED;
    });
}

// The rules a decoded line is held to, written plainly, with Qt's
// normalisation of the whole line as the reference for ICU's. Qt's takes
// seconds on some long lines, so a stretched line (thousands of units) is
// only held to its length, as is a line that Qt's tables cannot judge.
void Judge(std::uint64_t number, QString text, std::vector<Line>& lines) {
    text.remove(QChar(0xFEFF));
    text = text.trimmed();
    if (text.isEmpty()) {
        return;
    }
    if (std::any_of(text.cbegin(), text.cend(),
                    [](QChar unit) { return unit.category() == QChar::Other_Control; })) {
        lines.push_back({number, LineFault::ControlCharacter, {}});
        return;
    }
    // NFC makes at most one unit of three (a Hangul syllable of its jamo).
    if (static_cast<std::size_t>(text.size()) > 3 * kindrell::kMaxNameLength) {
        lines.push_back({number, LineFault::TooLong, {}});
        return;
    }
    if (text.size() > 4096 || NewerThanQtKnows(text)) {
        lines.push_back({number, LineFault::None, {}, true});
        return;
    }
    text = text.normalized(QString::NormalizationForm_C);
    if (static_cast<std::size_t>(text.size()) > kindrell::kMaxNameLength) {
        lines.push_back({number, LineFault::TooLong, {}});
        return;
    }
    lines.push_back({number, LineFault::None, text});
}

// Where each line of `text` starts and ends: LF, CR LF and CR end a line; a
// last line without an end counts when it is not empty. Found with Qt's
// searches: a loop of our own over a stretched line, instrumented for
// coverage, took half the target's time (perf).
template <typename Text> std::vector<std::pair<qsizetype, qsizetype>> Lines(const Text& text) {
    std::vector<std::pair<qsizetype, qsizetype>> lines;
    qsizetype start = 0;
    qsizetype cr = text.indexOf('\r');
    qsizetype lf = text.indexOf('\n');
    while (start < text.size()) {
        cr = (cr >= 0 && cr < start) ? text.indexOf('\r', start) : cr;
        lf = (lf >= 0 && lf < start) ? text.indexOf('\n', start) : lf;
        const qsizetype end = cr < 0 ? lf : (lf < 0 ? cr : std::min(cr, lf));
        if (end < 0) {
            lines.emplace_back(start, text.size());
            break;
        }
        lines.emplace_back(start, end);
        const bool crLf = end == cr && end + 1 == lf;
        start = end + (crLf ? 2 : 1);
    }
    return lines;
}

std::vector<Line> Utf16Reference(const QByteArray& bytes) {
    QStringDecoder decoder(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE
                                                        : QStringDecoder::Utf16BE);
    const QString text = decoder.decode(bytes.first(bytes.size() / 2 * 2));
    const bool halfUnit = bytes.size() % 2 != 0;
    std::vector<Line> lines;
    auto bounds = Lines(text);
    const bool endsInLineEnd = text.endsWith('\r') || text.endsWith('\n');
    if (halfUnit && (bounds.empty() || endsInLineEnd)) {
        bounds.emplace_back(text.size(), text.size()); // the half unit alone
    }
    for (std::size_t i = 0; i < bounds.size(); ++i) {
        const auto [start, end] = bounds[i];
        const QStringView line = QStringView(text).sliced(start, end - start);
        const std::uint64_t number = i + 1;
        if (line.size() > kindrell::text::kMaxLineBytes) {
            lines.push_back({number, LineFault::TooLong, {}});
        } else if ((halfUnit && i + 1 == bounds.size()) || !line.isValidUtf16()) {
            lines.push_back({number, LineFault::NotUtf16, {}});
        } else {
            Judge(number, line.toString(), lines);
        }
    }
    return lines;
}

std::vector<Line> Reference(const QByteArray& bytes) {
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        return Utf16Reference(bytes);
    }
    std::vector<Line> lines;
    const auto bounds = Lines(bytes);
    for (std::size_t i = 0; i < bounds.size(); ++i) {
        const auto [start, end] = bounds[i];
        const std::uint64_t number = i + 1;
        if (end - start > kindrell::text::kMaxLineBytes) {
            lines.push_back({number, LineFault::TooLong, {}});
            continue;
        }
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                         QStringDecoder::Flag::ConvertInitialBom);
        const QString text = decoder.decode(bytes.sliced(start, end - start));
        if (decoder.hasError()) {
            lines.push_back({number, LineFault::NotUtf8, {}});
        } else {
            Judge(number, text, lines);
        }
    }
    return lines;
}

std::vector<Line> Read(const QByteArray& bytes, std::size_t piece) {
    std::vector<Line> lines;
    kindrell::text::NameListReader reader([&lines](const kindrell::text::NameLine& line) {
        KINDRELL_FUZZ_CHECK(line.utf8.toByteArray() == line.name.toUtf8());
        lines.push_back({line.number, line.fault, line.name.toString()});
    });
    for (qsizetype at = 0; at < bytes.size(); at += static_cast<qsizetype>(piece)) {
        reader.read(QByteArrayView(bytes).sliced(at).first(
            std::min<qsizetype>(static_cast<qsizetype>(piece), bytes.size() - at)));
    }
    reader.finish();
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    QByteArray bytes(reinterpret_cast<const char*>(data + 2), static_cast<qsizetype>(size - 2));
    const bool stretch = (data[0] & 1U) != 0;
    if (stretch) {
        // A line at the length limit needs about 98 KiB: stretch one to
        // within a few bytes of it rather than wait for the fuzzer to grow it.
        const qsizetype at = bytes.isEmpty() ? 0 : data[1] % (bytes.size() + 1);
        bytes.insert(at, kindrell::text::kMaxLineBytes - 4 + data[0] % 8,
                     (data[0] & 2U) ? 'a' : ' ');
    }
    const std::vector<Line> expected = Reference(bytes);
    // Reads of a few bytes put their ends everywhere; over a stretched line
    // a KiB or more, so that the run is not all calls.
    const std::size_t piece = stretch ? 1024 + data[1] * 67U : 1 + data[1] % 16;
    const std::vector<Line> whole = Read(bytes, static_cast<std::size_t>(bytes.size()) + 1);
    KINDRELL_FUZZ_CHECK(Matches(Read(bytes, piece), expected));
    KINDRELL_FUZZ_CHECK(Matches(whole, expected));
    for (const Line& line : whole) {
        KINDRELL_FUZZ_CHECK(line.fault != LineFault::None || !line.name.isEmpty());
    }
    return 0;
}

#include "textrules/name_lines.h"

#include "textrules/lines.h"
#include "textrules/nfc.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace kindrell::text {
namespace {

// QChar::isSpace() of an ASCII character.
bool IsAsciiSpace(char byte) {
    return byte == ' ' || (byte >= '\t' && byte <= '\r');
}

bool IsAsciiControl(char byte) {
    return static_cast<unsigned char>(byte) < 0x20 || byte == 0x7F;
}

template <typename View> struct LineEnds;
template <> struct LineEnds<QByteArrayView> {
    static constexpr char kLf = '\n';
    static constexpr char kCr = '\r';
};
template <> struct LineEnds<QStringView> {
    static constexpr QChar kLf = u'\n';
    static constexpr QChar kCr = u'\r';
};

struct SplitState {
    bool& afterCr;
    bool& discarding;
};

// Cuts `text` into lines at LF, CR LF and CR, the start of a line left over
// from the last piece in `pending`: whole(line) for each line ended here,
// tooLong() once for a line that grows past kMaxLineBytes, whose rest is
// then passed over. What is left unended waits in `pending`.
template <typename View, typename Buffer, typename Whole, typename TooLong>
void SplitLines(View text, Buffer& pending, SplitState state, Whole whole, TooLong tooLong) {
    constexpr auto kLf = LineEnds<View>::kLf;
    constexpr auto kCr = LineEnds<View>::kCr;
    qsizetype start = 0;
    if (!text.isEmpty() && std::exchange(state.afterCr, false) && text.front() == kLf) {
        start = 1; // the LF of a CR LF cut between two pieces
    }
    qsizetype nextLf = text.indexOf(kLf, start); // kept, so that a CR-only list is read once
    while (start < text.size()) {
        if (nextLf >= 0 && nextLf < start) {
            nextLf = text.indexOf(kLf, start);
        }
        const qsizetype stop = nextLf < 0 ? text.size() : nextLf;
        const qsizetype cr = text.sliced(start, stop - start).indexOf(kCr);
        const qsizetype end = cr < 0 ? stop : start + cr;
        if (end == text.size()) {
            break;
        }
        const View line = text.sliced(start, end - start);
        start = end + 1;
        if (text.at(end) == kCr) {
            if (start == text.size()) {
                state.afterCr = true;
            } else if (text.at(start) == kLf) {
                ++start;
            }
        }
        if (std::exchange(state.discarding, false)) {
            continue;
        }
        if (pending.size() + line.size() > kMaxLineBytes) {
            tooLong();
        } else if (pending.isEmpty()) {
            whole(line);
        } else {
            pending.append(line);
            whole(View(pending));
        }
        pending.resize(0);
    }
    if (start < text.size() && !state.discarding) {
        if (pending.size() + text.size() - start > kMaxLineBytes) {
            tooLong();
            pending.resize(0);
            state.discarding = true;
        } else {
            pending.append(text.sliced(start));
        }
    }
}

} // namespace

NameListReader::NameListReader(Handle handle)
    : handle_(std::move(handle)), utf8_(StrictUtf8Decoder()) {}

void NameListReader::read(QByteArrayView bytes) {
    if (started_) {
        encoding_ == Encoding::Utf8 ? readUtf8(bytes) : readUtf16(bytes);
        return;
    }
    pendingBytes_.append(bytes);
    if (pendingBytes_.size() >= 2) {
        start(std::exchange(pendingBytes_, {}));
    }
}

void NameListReader::start(QByteArrayView bytes) {
    started_ = true;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        encoding_ =
            bytes.front() == '\xFF' ? Encoding::Utf16LittleEndian : Encoding::Utf16BigEndian;
        utf16_ = QStringDecoder(encoding_ == Encoding::Utf16LittleEndian ? QStringDecoder::Utf16LE
                                                                         : QStringDecoder::Utf16BE);
        readUtf16(bytes);
    } else {
        readUtf8(bytes);
    }
}

void NameListReader::finish() {
    if (!started_) {
        if (pendingBytes_.isEmpty()) {
            return;
        }
        start(std::exchange(pendingBytes_, {}));
    }
    if (std::exchange(discarding_, false)) {
        return;
    }
    if (encoding_ == Encoding::Utf8) {
        if (!pendingBytes_.isEmpty()) {
            utf8Line(std::exchange(pendingBytes_, {}));
        }
    } else if (oddByte_) {
        ++lineNumber_;
        refuse(LineFault::NotUtf16);
    } else if (!pendingUnits_.isEmpty()) {
        utf16Line(std::exchange(pendingUnits_, {}));
    }
}

void NameListReader::readUtf8(QByteArrayView bytes) {
    SplitLines(
        bytes, pendingBytes_, {afterCr_, discarding_},
        [this](QByteArrayView line) { utf8Line(line); },
        [this] {
            ++lineNumber_;
            refuse(LineFault::TooLong);
        });
}

void NameListReader::readUtf16(QByteArrayView bytes) {
    oddByte_ = oddByte_ != (bytes.size() % 2 != 0);
    const QString units = utf16_.decode(bytes);
    SplitLines(
        QStringView(units), pendingUnits_, {afterCr_, discarding_},
        [this](QStringView line) { utf16Line(line); },
        [this] {
            ++lineNumber_;
            refuse(LineFault::TooLong);
        });
}

void NameListReader::utf8Line(QByteArrayView line) {
    ++lineNumber_;
    // Most names are ASCII: trimmed, checked and widened here byte for byte,
    // they skip the decoder, whose call alone costs more than the rest of a
    // shortlist's line (docs/benchmarks.md), and normalisation, which leaves
    // ASCII as it is.
    if (std::all_of(line.begin(), line.end(), [](char byte) { return (byte & 0x80) == 0; })) {
        while (!line.isEmpty() && IsAsciiSpace(line.front())) {
            line = line.sliced(1);
        }
        while (!line.isEmpty() && IsAsciiSpace(line.back())) {
            line.chop(1);
        }
        if (line.isEmpty()) {
            return;
        }
        if (std::any_of(line.begin(), line.end(), IsAsciiControl)) {
            refuse(LineFault::ControlCharacter);
            return;
        }
        if (static_cast<std::size_t>(line.size()) > kMaxNameLength) {
            refuse(LineFault::TooLong);
            return;
        }
        units_.resize(line.size());
        std::transform(line.begin(), line.end(), units_.begin(),
                       [](char byte) { return QChar(byte); });
        handle_({lineNumber_, LineFault::None, units_, line});
        return;
    }
    units_.resize(utf8_.requiredSpace(line.size()));
    utf8_.resetState();
    const QChar* const end = utf8_.appendToBuffer(units_.data(), line);
    if (utf8_.hasError()) {
        refuse(LineFault::NotUtf8);
        return;
    }
    units_.resize(end - units_.constData());
    textLine(units_);
}

void NameListReader::utf16Line(QStringView line) {
    ++lineNumber_;
    if (!line.isValidUtf16()) {
        refuse(LineFault::NotUtf16);
        return;
    }
    textLine(line);
}

void NameListReader::textLine(QStringView decoded) {
    name_ = decoded.toString();
    name_.remove(QChar(0xFEFF)); // a byte-order mark, wherever files were joined
    name_ = std::move(name_).trimmed();
    if (name_.isEmpty()) {
        return;
    }
    if (std::any_of(name_.cbegin(), name_.cend(),
                    [](QChar unit) { return unit.category() == QChar::Other_Control; })) {
        refuse(LineFault::ControlCharacter);
        return;
    }
    name_ = Nfc(name_);
    if (static_cast<std::size_t>(name_.size()) > kMaxNameLength) {
        refuse(LineFault::TooLong);
        return;
    }
    nameUtf8_ = name_.toUtf8();
    handle_({lineNumber_, LineFault::None, name_, nameUtf8_});
}

void NameListReader::refuse(LineFault fault) {
    handle_({lineNumber_, fault, {}, {}});
}

} // namespace kindrell::text

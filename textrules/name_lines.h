#pragma once

// Lists of names as people have them, read a piece at a time: UTF-8 with or
// without a byte-order mark, or UTF-16 of either byte order when the file
// starts with its mark; lines ended by LF, CR LF or CR alone; each line one
// name, trimmed of white space, without byte-order marks, in NFC. The finder
// and kindrell-reading both read lists with it, so both hold the same rules.

#include "engine/name_number.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <QStringView>

#include <cstdint>
#include <functional>

namespace kindrell::text {

// What a line gives: a name, or why it gives none. Blank lines give nothing.
enum class LineFault : std::uint8_t {
    None,
    NotUtf8,          // a UTF-8 list's line that is not valid UTF-8
    NotUtf16,         // a UTF-16 list's line with a lone surrogate or half a code unit
    ControlCharacter, // a character such as NUL, ESC or a tab inside the name
    TooLong,          // a name of more than kMaxNameLength UTF-16 code units
};

struct NameLine {
    std::uint64_t number = 0; // the line's number in the list, from 1
    LineFault fault = LineFault::None;
    QStringView name;    // trimmed, NFC; valid until the reader reads on
    QByteArrayView utf8; // the same name in UTF-8
};

// More than this many UTF-8 bytes (or UTF-16 code units) is more than any
// name of kMaxNameLength code units needs (three bytes a unit, and a mark),
// and such a line is refused as soon as it is seen, without being kept whole.
inline constexpr qsizetype kMaxLineBytes = 3 * static_cast<qsizetype>(kMaxNameLength) + 4;

class NameListReader {
  public:
    using Handle = std::function<void(const NameLine&)>;

    // `handle` is given each line that holds a name or is refused, in order.
    explicit NameListReader(Handle handle);

    // The next bytes of the list, cut anywhere; lines they end are handled.
    void read(QByteArrayView bytes);
    // The end of the list: a last line without a line end is handled.
    void finish();

    [[nodiscard]] bool isUtf16() const { return encoding_ != Encoding::Utf8 && started_; }

  private:
    enum class Encoding : std::uint8_t { Utf8, Utf16LittleEndian, Utf16BigEndian };

    void start(QByteArrayView bytes);
    void readUtf8(QByteArrayView bytes);
    void readUtf16(QByteArrayView bytes);
    void utf8Line(QByteArrayView line);
    void utf16Line(QStringView line);
    void textLine(QStringView decoded);
    void refuse(LineFault fault);

    Handle handle_;
    Encoding encoding_ = Encoding::Utf8;
    bool started_ = false;    // the encoding is known
    bool afterCr_ = false;    // the last line ended in CR, so an LF next ends nothing
    bool discarding_ = false; // inside a line already refused as too long
    bool oddByte_ = false;    // a UTF-16 list has read an odd number of bytes
    std::uint64_t lineNumber_ = 0;
    QByteArray pendingBytes_; // the start of a UTF-8 line, or of the list
    QString pendingUnits_;    // the start of a UTF-16 line
    QStringDecoder utf8_;     // strict, one line at a time
    QStringDecoder utf16_;    // across reads
    QString units_;           // the line being handled
    QString name_;
    QByteArray nameUtf8_;
};

} // namespace kindrell::text

#pragma once

#include "engine/name_number.h"
#include "engine/reading.h"

#include <optional>
#include <string>

namespace kindrell::cli {

// The letter-by-letter working of the three numbers, for --explain.
struct ReadingWorking {
    std::u16string Child;
    std::u16string Mother;
    std::u16string Father;
};

// The reading as terminal text, in presentation order: each caption (with
// the working under it when given) and its description, then the mother's
// and the father's verdict lines. Paragraph breaks become one empty line;
// the text holds LF line ends only.
[[nodiscard]] std::string FormatReadingText(const Reading& reading,
                                            const std::optional<ReadingWorking>& working);

// The reading as one JSON object on one line, keys named after the Reading
// fields in their order; with working, ChildWorking, MotherWorking and
// FatherWorking follow. Descriptions are given exactly, CR LF included.
[[nodiscard]] std::string FormatReadingJson(const Reading& reading,
                                            const std::optional<ReadingWorking>& working);

} // namespace kindrell::cli

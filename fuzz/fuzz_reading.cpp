// The reading composed from three arbitrary names must be made of exactly the
// pieces the engine gives for those names' numbers.

#include "engine/compatibility.h"
#include "engine/descriptions.h"
#include "engine/name_number.h"
#include "engine/reading.h"
#include "engine/text.h"
#include "fuzz/fuzz_input.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using kindrell::Reading;

std::u16string Caption(std::u16string_view prefix, kindrell::DestinyNumber number) {
    return std::u16string(prefix) + kindrell::DecimalText(number);
}

void CheckPieces(const Reading& reading, std::u16string_view child, std::u16string_view father,
                 std::u16string_view mother) {
    using kindrell::GetDestinyNumber;
    using kindrell::TrimSpaces;
    KINDRELL_FUZZ_CHECK(reading.ChildNumber == GetDestinyNumber(TrimSpaces(child)));
    KINDRELL_FUZZ_CHECK(reading.FatherNumber == GetDestinyNumber(TrimSpaces(father)));
    KINDRELL_FUZZ_CHECK(reading.MotherNumber == GetDestinyNumber(TrimSpaces(mother)));
    // Spaces count for nothing, so trimming must not change a number.
    KINDRELL_FUZZ_CHECK(reading.ChildNumber == GetDestinyNumber(child));

    KINDRELL_FUZZ_CHECK(reading.ChildDestinyCaption ==
                        Caption(u"Child Destiny: ", reading.ChildNumber));
    KINDRELL_FUZZ_CHECK(reading.MotherDestinyCaption ==
                        Caption(u"Mother Destiny: ", reading.MotherNumber));
    KINDRELL_FUZZ_CHECK(reading.FatherDestinyCaption ==
                        Caption(u"Father Destiny: ", reading.FatherNumber));

    KINDRELL_FUZZ_CHECK(reading.Verdict == kindrell::GetCompatibility(reading.ChildNumber,
                                                                      reading.MotherNumber,
                                                                      reading.FatherNumber));
    const kindrell::VerdictLines lines = kindrell::GetVerdictLines(reading.Verdict);
    KINDRELL_FUZZ_CHECK(reading.MotherVerdictLine == lines.MotherLine);
    KINDRELL_FUZZ_CHECK(reading.FatherVerdictLine == lines.FatherLine);
    KINDRELL_FUZZ_CHECK(reading.MotherVerdictLine.starts_with(u"Compatibility with Mother: "));
    KINDRELL_FUZZ_CHECK(reading.FatherVerdictLine.starts_with(u"Compatibility with Father: "));

    using kindrell::GetDestinyDescription;
    KINDRELL_FUZZ_CHECK(reading.ChildDescription == GetDestinyDescription(reading.ChildNumber));
    KINDRELL_FUZZ_CHECK(reading.MotherDescription == GetDestinyDescription(reading.MotherNumber));
    KINDRELL_FUZZ_CHECK(reading.FatherDescription == GetDestinyDescription(reading.FatherNumber));
    KINDRELL_FUZZ_CHECK(reading.ChildDescription.empty() == (reading.ChildNumber == 0));
}

std::u16string Padded(std::u16string_view name, std::size_t before, std::size_t after) {
    return std::u16string(before, u' ') + std::u16string(name) + std::u16string(after, u' ');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::uint8_t padding = data[0];
    const auto pieces = kindrell::fuzz::SplitPieces<3>(kindrell::fuzz::Bytes(data + 1, size - 1));
    const std::u16string child = kindrell::fuzz::Utf16Units(pieces[0]);
    const std::u16string father = kindrell::fuzz::Utf16Units(pieces[1]);
    const std::u16string mother = kindrell::fuzz::Utf16Units(pieces[2]);

    const Reading reading = kindrell::ComposeReading(child, father, mother);
    CheckPieces(reading, child, father, mother);

    // Spaces around any name change nothing.
    const Reading padded = kindrell::ComposeReading(
        Padded(child, padding & 3U, (padding >> 2U) & 3U), Padded(father, (padding >> 4U) & 3U, 1),
        Padded(mother, 2, (padding >> 6U) & 3U));
    KINDRELL_FUZZ_CHECK(padded == reading);

    // Trading the parents' names trades their numbers, captions' digits and
    // descriptions, and leaves the child's alone.
    const Reading swapped = kindrell::ComposeReading(child, mother, father);
    CheckPieces(swapped, child, mother, father);
    KINDRELL_FUZZ_CHECK(swapped.MotherNumber == reading.FatherNumber);
    KINDRELL_FUZZ_CHECK(swapped.FatherNumber == reading.MotherNumber);
    KINDRELL_FUZZ_CHECK(swapped.MotherDescription == reading.FatherDescription);
    KINDRELL_FUZZ_CHECK(swapped.FatherDescription == reading.MotherDescription);
    KINDRELL_FUZZ_CHECK(swapped.ChildNumber == reading.ChildNumber);
    KINDRELL_FUZZ_CHECK(swapped.ChildDescription == reading.ChildDescription);
    KINDRELL_FUZZ_CHECK(swapped.ChildDestinyCaption == reading.ChildDestinyCaption);
    return 0;
}

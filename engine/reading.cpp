#include "engine/reading.h"

#include "engine/descriptions.h"
#include "engine/text.h"

#include <string>
#include <utility>

namespace kindrell {
namespace {

std::u16string Caption(std::u16string_view prefix, DestinyNumber number) {
    std::u16string caption(prefix);
    caption += DecimalText(number);
    return caption;
}

} // namespace

std::u16string_view BlankNameMessage(NameRole role) noexcept {
    switch (role) {
    case NameRole::Child:
        return u"Please Enter Child's Name";
    case NameRole::Father:
        return u"Please Enter Child's Father Name";
    case NameRole::Mother:
        break;
    }
    return u"Please Enter Child's Mother Name";
}

Reading ComposeReading(std::u16string_view childName, std::u16string_view fatherName,
                       std::u16string_view motherName) {
    Reading reading;
    reading.ChildNumber = GetDestinyNumber(TrimSpaces(childName));
    reading.ChildDescription = GetDestinyDescription(reading.ChildNumber);
    reading.MotherNumber = GetDestinyNumber(TrimSpaces(motherName));
    reading.MotherDescription = GetDestinyDescription(reading.MotherNumber);
    reading.FatherNumber = GetDestinyNumber(TrimSpaces(fatherName));
    reading.FatherDescription = GetDestinyDescription(reading.FatherNumber);
    reading.Verdict =
        GetCompatibility(reading.ChildNumber, reading.MotherNumber, reading.FatherNumber);
    reading.ChildDestinyCaption = Caption(u"Child Destiny: ", reading.ChildNumber);
    reading.MotherDestinyCaption = Caption(u"Mother Destiny: ", reading.MotherNumber);
    reading.FatherDestinyCaption = Caption(u"Father Destiny: ", reading.FatherNumber);
    VerdictLines lines = GetVerdictLines(reading.Verdict);
    reading.MotherVerdictLine = std::move(lines.MotherLine);
    reading.FatherVerdictLine = std::move(lines.FatherLine);
    return reading;
}

} // namespace kindrell

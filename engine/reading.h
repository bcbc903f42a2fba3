#pragma once

// The whole reading of a child's name with the parents': numbers, verdict,
// captions, verdict lines and descriptions, and the message for a blank name.

#include "engine/compatibility.h"
#include "engine/name_number.h"

#include <string>
#include <string_view>

namespace kindrell {

struct Reading {
    DestinyNumber ChildNumber = 0;
    DestinyNumber MotherNumber = 0;
    DestinyNumber FatherNumber = 0;
    CompatibilityVerdict Verdict = CompatibilityVerdict::NotHarmoniousAtAll;
    std::u16string ChildDestinyCaption;
    std::u16string MotherDestinyCaption;
    std::u16string FatherDestinyCaption;
    std::u16string MotherVerdictLine;
    std::u16string FatherVerdictLine;
    std::u16string ChildDescription;
    std::u16string MotherDescription;
    std::u16string FatherDescription;

    friend bool operator==(const Reading&, const Reading&) = default;
};

// The three names a reading weighs, in the order they are asked for.
enum class NameRole { Child, Father, Mother };

// What a blank name is told: "Please Enter Child's Name", "Please Enter
// Child's Father Name", "Please Enter Child's Mother Name".
std::u16string_view BlankNameMessage(NameRole role) noexcept;

// The names in the order the main window asks for them: child, father, mother.
Reading ComposeReading(std::u16string_view childName, std::u16string_view fatherName,
                       std::u16string_view motherName);

} // namespace kindrell

#include "cli/names.h"

#include "cli/options.h"
#include "cli/utf8.h"
#include "engine/name_number.h"
#include "engine/text.h"

namespace kindrell::cli {
namespace {

std::string_view RoleText(NameRole role) noexcept {
    switch (role) {
    case NameRole::Child:
        return "the child's name";
    case NameRole::Father:
        return "the father's name";
    case NameRole::Mother:
        return "the mother's name";
    }
    return "a name";
}

} // namespace

std::string_view BlankNameMessage(NameRole role) noexcept {
    switch (role) {
    case NameRole::Child:
        return "Please Enter Child's Name";
    case NameRole::Father:
        return "Please Enter Child's Father Name";
    case NameRole::Mother:
        return "Please Enter Child's Mother Name";
    }
    return "Please Enter Child's Name";
}

std::optional<NameProblem> DecodeName(std::string_view utf8, std::u16string& out) {
    if (!DecodeUtf8(utf8, out)) {
        return NameProblem::NotUtf8;
    }
    if (out.size() > kMaxNameLength) {
        return NameProblem::TooLong;
    }
    if (TrimSpaces(out).empty()) {
        return NameProblem::Blank;
    }
    return std::nullopt;
}

std::string NameProblemMessage(NameRole role, NameProblem problem) {
    switch (problem) {
    case NameProblem::Blank:
        return std::string(BlankNameMessage(role));
    case NameProblem::NotUtf8:
        return std::string(kProgramName) + ": " + std::string(RoleText(role)) +
               " is not valid UTF-8";
    case NameProblem::TooLong:
        return std::string(kProgramName) + ": " + std::string(RoleText(role)) + " is longer than " +
               std::to_string(kMaxNameLength) + " UTF-16 code units";
    }
    return std::string(kProgramName) + ": " + std::string(RoleText(role)) + " was refused";
}

} // namespace kindrell::cli

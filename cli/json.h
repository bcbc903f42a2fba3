#pragma once

#include <string>
#include <string_view>

namespace kindrell::cli {

// Appends `utf8` as a JSON string literal, quotes included. Quote and
// backslash are escaped; so is every control character (C0, DEL and C1), as
// \b \f \n \r \t where JSON has a short form and as \u00XX otherwise. U+2028
// and U+2029 are escaped too, since JavaScript source may not hold them
// raw. Everything else, non-ASCII included, is copied as it is.
void AppendJsonString(std::string_view utf8, std::string& out);

} // namespace kindrell::cli

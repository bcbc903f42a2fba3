#pragma once

// JSON strings written straight into a byte buffer, for the one output that
// is written millions of times a run: a shortlist's records as JSON lines,
// where building a QJsonObject for each record would cost microseconds
// (docs/benchmarks.md). Everything else uses Qt's JSON classes.

#include <string>
#include <string_view>

namespace kindrell::text {

// Appends `utf8` as a JSON string. Quote, backslash, C0, DEL and C1 controls
// are escaped (\b \f \n \r \t or \u00XX), and so are U+2028 and U+2029,
// which JavaScript source may not hold raw.
void AppendJsonString(std::string_view utf8, std::string& out);

} // namespace kindrell::text

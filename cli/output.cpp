#include "cli/output.h"

#include "cli/json.h"
#include "cli/utf8.h"
#include "engine/compatibility.h"

#include <string_view>

namespace kindrell::cli {
namespace {

// Terminals want LF alone: every CR LF (and any stray CR) becomes LF, so a
// paragraph separator CR LF CR LF shows as one empty line.
void AppendTerminalLines(std::u16string_view text, std::string& out) {
    const std::string utf8 = ToUtf8(text);
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\r') {
            out.push_back('\n');
            if (i + 1 < utf8.size() && utf8[i + 1] == '\n') {
                ++i;
            }
        } else {
            out.push_back(utf8[i]);
        }
    }
    out.push_back('\n');
}

void AppendSection(std::u16string_view caption, const std::u16string* working,
                   std::u16string_view description, std::string& out) {
    AppendTerminalLines(caption, out);
    if (working != nullptr) {
        AppendTerminalLines(*working, out);
    }
    if (!description.empty()) {
        AppendTerminalLines(description, out);
    }
    out.push_back('\n');
}

void AppendKey(std::string_view key, std::string& out) {
    if (out.back() != '{') {
        out.push_back(',');
    }
    out.push_back('"');
    out += key;
    out += "\":";
}

void AppendTextMember(std::string_view key, std::u16string_view value, std::string& out) {
    AppendKey(key, out);
    AppendJsonString(ToUtf8(value), out);
}

void AppendNumberMember(std::string_view key, DestinyNumber value, std::string& out) {
    AppendKey(key, out);
    out += std::to_string(value);
}

} // namespace

std::string FormatReadingText(const Reading& reading,
                              const std::optional<ReadingWorking>& working) {
    std::string out;
    AppendSection(reading.ChildDestinyCaption, working ? &working->Child : nullptr,
                  reading.ChildDescription, out);
    AppendSection(reading.MotherDestinyCaption, working ? &working->Mother : nullptr,
                  reading.MotherDescription, out);
    AppendSection(reading.FatherDestinyCaption, working ? &working->Father : nullptr,
                  reading.FatherDescription, out);
    AppendTerminalLines(reading.MotherVerdictLine, out);
    AppendTerminalLines(reading.FatherVerdictLine, out);
    return out;
}

std::string FormatReadingJson(const Reading& reading,
                              const std::optional<ReadingWorking>& working) {
    std::string out = "{";
    AppendNumberMember("ChildNumber", reading.ChildNumber, out);
    AppendNumberMember("MotherNumber", reading.MotherNumber, out);
    AppendNumberMember("FatherNumber", reading.FatherNumber, out);
    AppendTextMember("Verdict", TokenText(reading.Verdict), out);
    AppendTextMember("ChildDestinyCaption", reading.ChildDestinyCaption, out);
    AppendTextMember("MotherDestinyCaption", reading.MotherDestinyCaption, out);
    AppendTextMember("FatherDestinyCaption", reading.FatherDestinyCaption, out);
    AppendTextMember("MotherVerdictLine", reading.MotherVerdictLine, out);
    AppendTextMember("FatherVerdictLine", reading.FatherVerdictLine, out);
    AppendTextMember("ChildDescription", reading.ChildDescription, out);
    AppendTextMember("MotherDescription", reading.MotherDescription, out);
    AppendTextMember("FatherDescription", reading.FatherDescription, out);
    if (working) {
        AppendTextMember("ChildWorking", working->Child, out);
        AppendTextMember("MotherWorking", working->Mother, out);
        AppendTextMember("FatherWorking", working->Father, out);
    }
    out += "}\n";
    return out;
}

} // namespace kindrell::cli

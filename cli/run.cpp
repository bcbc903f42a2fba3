#include "cli/run.h"

#include "cli/names.h"
#include "cli/options.h"
#include "cli/output.h"
#include "cli/output_sink.h"
#include "cli/shortlist.h"
#include "cli/utf8.h"
#include "engine/name_number.h"
#include "engine/reading.h"
#include "engine/text.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#ifndef KINDRELL_VERSION
#error "KINDRELL_VERSION must be defined by the build"
#endif

namespace kindrell::cli {
namespace {

void WriteText(std::FILE* stream, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

void SayLine(std::FILE* err, std::string_view line) {
    std::string text(line);
    text.push_back('\n');
    WriteText(err, text);
}

void SayPrefixed(std::FILE* err, std::string_view what) {
    SayLine(err, std::string(kProgramName) + ": " + std::string(what));
}

int Refuse(std::FILE* err, const UsageError& error) {
    SayPrefixed(err, error.message);
    WriteText(err, UsageSynopsis());
    SayLine(err, "Try 'kindrell-reading --help' for more information.");
    return kExitRefused;
}

int Finish(OutputSink& sink, std::FILE* err, int status) {
    if (!sink.flush()) {
        SayPrefixed(err,
                    std::string("writing the output failed: ") + std::strerror(sink.errorNumber()));
        return status == kExitRefused ? status : kExitPartial;
    }
    return status;
}

struct NamedArgument {
    NameRole role;
    const std::string* utf8;
    std::u16string* units;
};

// Decodes and checks the names in the order the main window checks its
// boxes; the first refusal is the one told.
bool DecodeNames(std::span<const NamedArgument> names, std::FILE* err) {
    for (const NamedArgument& name : names) {
        if (const auto problem = DecodeName(*name.utf8, *name.units)) {
            SayLine(err, NameProblemMessage(name.role, *problem));
            return false;
        }
    }
    return true;
}

ReadingWorking WorkingOf(std::u16string_view child, std::u16string_view mother,
                         std::u16string_view father) {
    return ReadingWorking{
        .Child = FormatWorking(ExplainDestinyNumber(TrimSpaces(child))),
        .Mother = FormatWorking(ExplainDestinyNumber(TrimSpaces(mother))),
        .Father = FormatWorking(ExplainDestinyNumber(TrimSpaces(father))),
    };
}

int RunReading(const Options& options, std::FILE* out, std::FILE* err) {
    std::u16string child;
    std::u16string father;
    std::u16string mother;
    const std::array names{NamedArgument{NameRole::Child, &options.child, &child},
                           NamedArgument{NameRole::Father, &options.father, &father},
                           NamedArgument{NameRole::Mother, &options.mother, &mother}};
    if (!DecodeNames(names, err)) {
        return kExitRefused;
    }
    const Reading reading = ComposeReading(child, father, mother);
    std::optional<ReadingWorking> working;
    if (options.explain) {
        working = WorkingOf(child, mother, father);
    }
    OutputSink sink(out);
    sink.append(options.json ? FormatReadingJson(reading, working)
                             : FormatReadingText(reading, working));
    return Finish(sink, err, kExitSuccess);
}

struct FileCloser {
    void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};

int RunShortlistMode(const Options& options, std::FILE* in, std::FILE* out, std::FILE* err) {
    ShortlistSettings settings;
    const std::array names{NamedArgument{NameRole::Father, &options.father, &settings.father},
                           NamedArgument{NameRole::Mother, &options.mother, &settings.mother}};
    if (!DecodeNames(names, err)) {
        return kExitRefused;
    }
    settings.json = options.json;
    settings.explain = options.explain;
    settings.harmonious = options.harmonious;

    std::unique_ptr<std::FILE, FileCloser> opened;
    if (options.file && *options.file != "-") {
        opened.reset(std::fopen(options.file->c_str(), "rb"));
        if (!opened) {
            SayPrefixed(err, "cannot open '" + *options.file + "': " + std::strerror(errno));
            return kExitRefused;
        }
        in = opened.get();
    }

    OutputSink sink(out);
    const ShortlistOutcome outcome = RunShortlist(in, sink, err, settings);
    const int status = (outcome.skipped > 0 || outcome.readFailed) ? kExitPartial : kExitSuccess;
    return Finish(sink, err, status);
}

} // namespace

int Run(std::span<const char* const> args, std::FILE* in, std::FILE* out, std::FILE* err) {
    std::vector<std::string_view> views;
    views.reserve(args.size());
    for (const char* arg : args) {
        views.emplace_back(arg);
    }
    const auto parsed = ParseArguments(views);
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        return Refuse(err, *error);
    }
    const Options& options = std::get<Options>(parsed);
    switch (options.mode) {
    case Mode::Help: {
        OutputSink sink(out);
        sink.append(HelpText());
        return Finish(sink, err, kExitSuccess);
    }
    case Mode::Version: {
        OutputSink sink(out);
        sink.append(std::string(kProgramName) + " " + KINDRELL_VERSION + "\n");
        return Finish(sink, err, kExitSuccess);
    }
    case Mode::Reading:
        return RunReading(options, out, err);
    case Mode::Shortlist:
        return RunShortlistMode(options, in, out, err);
    }
    return kExitRefused;
}

} // namespace kindrell::cli

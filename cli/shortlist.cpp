#include "cli/shortlist.h"

#include "cli/json.h"
#include "cli/options.h"
#include "cli/utf8.h"
#include "engine/compatibility.h"
#include "engine/name_number.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <optional>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include <unistd.h>

namespace kindrell::cli {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr int kDestinyNumbers = 10;
constexpr const char* kTooLong = "name longer than 32767 UTF-16 code units";

std::string_view TrimSpaceBytes(std::string_view text) noexcept {
    const char* first = text.data();
    const char* last = first + text.size();
    while (first != last && *first == ' ') {
        ++first;
    }
    while (last != first && last[-1] == ' ') {
        --last;
    }
    return {first, static_cast<std::size_t>(last - first)};
}

// Short pieces are copied in one fixed-size move, which costs less than a
// copy of the exact length; the bytes past the piece are overwritten next.
constexpr std::size_t kShortCopy = 32;

// Bytes readable past any line in the input buffer, and writable past any
// record in the output, so that a fixed-size copy never leaves its buffer.
constexpr std::size_t kSlack = 2 * kShortCopy;

inline char* CopyPiece(char* to, std::string_view piece) noexcept {
    if (piece.size() <= kShortCopy) {
        std::memcpy(to, piece.data(), kShortCopy);
    } else {
        std::memcpy(to, piece.data(), piece.size());
    }
    return to + piece.size();
}

// With the parents fixed, the child's number alone decides the verdict, so
// everything printed after the name is known per number in advance.
struct Tail {
    CompatibilityVerdict verdict = CompatibilityVerdict::NotHarmoniousAtAll;
    std::string text; // "\t3\tHarmonious" or ',"ChildNumber":3,"Verdict":...'
    // The tab-separated text again, padded for CopyPiece.
    std::array<char, kShortCopy> padded{};
};

// A refused line, numbered from the start of the stretch it was found in.
struct Refusal {
    std::uint64_t index;
    const char* why;
};

// What weighing one stretch of lines gave besides its output.
struct StretchResult {
    std::uint64_t lines = 0;
    std::uint64_t printed = 0;
    std::vector<Refusal> refusals;
};

// Weighs lines; holds the per-line buffers, so each thread has its own.
class Weigher {
  public:
    explicit Weigher(const ShortlistSettings& settings)
        : settings_(settings), units_(kMaxLineBytes) {
        const DestinyNumber mother = GetDestinyNumber(settings.mother);
        const DestinyNumber father = GetDestinyNumber(settings.father);
        for (int number = 0; number < kDestinyNumbers; ++number) {
            const auto child = static_cast<DestinyNumber>(number);
            Tail& tail = tails_[static_cast<std::size_t>(number)];
            tail.verdict = GetCompatibility(child, mother, father);
            const std::string token = ToUtf8(TokenText(tail.verdict));
            // Built piece by piece: at -O3 GCC 12 takes assignments of short
            // literals here for overlapping copies (-Wrestrict).
            if (settings.json) {
                const VerdictLines lines = GetVerdictLines(tail.verdict);
                tail.text.append(",\"ChildNumber\":");
                tail.text.push_back(static_cast<char>('0' + number));
                tail.text += ",\"Verdict\":";
                AppendJsonString(token, tail.text);
                tail.text += ",\"MotherVerdictLine\":";
                AppendJsonString(ToUtf8(lines.MotherLine), tail.text);
                tail.text += ",\"FatherVerdictLine\":";
                AppendJsonString(ToUtf8(lines.FatherLine), tail.text);
            } else {
                tail.text.push_back('\t');
                tail.text.push_back(static_cast<char>('0' + number));
                tail.text.push_back('\t');
                tail.text += token;
                static_assert(sizeof "\t0\tHarmonious with parent 1" <= kShortCopy);
                std::memcpy(tail.padded.data(), tail.text.data(), tail.text.size());
            }
        }
    }

    // Weighs the lines in [begin, end): each ends in LF, except the last
    // when `openEnd` is set. The bytes must be readable kSlack past `end`.
    // `startsFile` marks the stretch that begins with the first line.
    void weigh(const char* begin, const char* end, bool startsFile, bool openEnd, OutputSink& out,
               StretchResult& result) {
        std::uint64_t index = 0;
        const char* line = begin;
        while (line < end) {
            const auto* lineEnd = static_cast<const char*>(
                std::memchr(line, '\n', static_cast<std::size_t>(end - line)));
            if (lineEnd == nullptr) {
                if (!openEnd) {
                    break;
                }
                lineEnd = end;
            }
            handle(std::string_view(line, static_cast<std::size_t>(lineEnd - line)),
                   startsFile && index == 0, index, out, result);
            if (out.failed()) {
                return;
            }
            ++index;
            line = lineEnd + 1;
        }
        result.lines += index;
    }

  private:
    void handle(std::string_view line, bool firstOfFile, std::uint64_t index, OutputSink& out,
                StretchResult& result) {
        // The same test the reader applies to a line it cannot hold whole, so
        // that where the blocks fall never changes the verdict on a line.
        if (line.size() > kMaxLineBytes) {
            result.refusals.push_back({index, kTooLong});
            return;
        }
        if (firstOfFile && line.starts_with(kByteOrderMark)) {
            line.remove_prefix(kByteOrderMark.size());
        }
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        const std::string_view name = TrimSpaceBytes(line);
        if (name.empty()) {
            return;
        }
        const std::size_t length = DecodeUtf8Into(line, units_.data());
        if (length == kNotUtf8) {
            result.refusals.push_back({index, "not valid UTF-8"});
            return;
        }
        if (length > kMaxNameLength) {
            result.refusals.push_back({index, kTooLong});
            return;
        }
        const std::u16string_view units(units_.data(), length);
        const DestinyNumber child = GetDestinyNumber(units);
        const Tail& tail = tails_[static_cast<std::size_t>(child)];
        if (settings_.harmonious && tail.verdict != CompatibilityVerdict::Harmonious) {
            return;
        }
        if (settings_.json) {
            record_.assign("{\"Name\":");
            AppendJsonString(name, record_);
            record_ += tail.text;
            if (settings_.explain) {
                record_ += ",\"ChildWorking\":";
                AppendJsonString(working(units), record_);
            }
            record_ += "}\n";
            out.append(record_);
        } else if (settings_.explain) {
            record_.assign(name);
            record_ += tail.text;
            record_.push_back('\t');
            record_ += working(units);
            record_.push_back('\n');
            out.append(record_);
        } else {
            char* const start = out.room(name.size() + 1 + kSlack);
            char* to = CopyPiece(start, name);
            std::memcpy(to, tail.padded.data(), kShortCopy);
            to += tail.text.size();
            *to++ = '\n';
            out.commit(static_cast<std::size_t>(to - start));
        }
        ++result.printed;
        out.flushIfFull();
    }

    const std::string& working(std::u16string_view units) {
        working_.clear();
        AppendUtf8(FormatWorking(ExplainDestinyNumber(units)), working_);
        return working_;
    }

    const ShortlistSettings& settings_;
    std::array<Tail, kDestinyNumbers> tails_{};
    std::vector<char16_t> units_; // a decoded line; lines longer than this are refused first
    std::string record_;          // one JSON or --explain record
    std::string working_;
};

void Report(std::FILE* err, std::uint64_t lineNumber, const char* why) {
    std::fprintf(err, "%.*s: line %llu: %s, skipped\n", static_cast<int>(kProgramName.size()),
                 kProgramName.data(), static_cast<unsigned long long>(lineNumber), why);
}

// Adds a stretch's counts to the outcome and tells its refusals, numbered
// from `firstLine`.
void Account(const StretchResult& result, std::uint64_t firstLine, std::FILE* err,
             ShortlistOutcome& outcome) {
    outcome.lines += result.lines;
    outcome.printed += result.printed;
    outcome.skipped += result.refusals.size();
    for (const Refusal& refusal : result.refusals) {
        Report(err, firstLine + refusal.index, refusal.why);
    }
}

// Reads straight from the descriptor where there is one, so that a pipe or
// terminal hands over what it has at once instead of after a whole block.
// Returns the byte count, 0 at the end, -1 on error.
long ReadSome(std::FILE* in, char* into, std::size_t size) {
    const int fd = ::fileno(in);
    if (fd < 0) {
        const std::size_t got = std::fread(into, 1, size, in);
        return got > 0 ? static_cast<long>(got) : (std::ferror(in) != 0 ? -1 : 0);
    }
    for (;;) {
        const ssize_t got = ::read(fd, into, size);
        if (got >= 0 || errno != EINTR) {
            return static_cast<long>(got);
        }
    }
}

// A second thread that weighs the stretches offered to it. An offer that it
// has not taken yet when the offering thread is ready for it is taken back
// and weighed by the offering thread, so that a helper slow to be scheduled
// (on a busy machine) costs no waiting.
class Helper {
  public:
    explicit Helper(const ShortlistSettings& settings) : weigher_(settings), out_(nullptr) {}

    Helper(const Helper&) = delete;
    Helper& operator=(const Helper&) = delete;

    ~Helper() {
        {
            const std::lock_guard lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        if (thread_.joinable()) {
            thread_.join();
        }
    }

    // False when no thread can be had.
    bool start() {
        try {
            thread_ = std::thread([this] { serve(); });
            return true;
        } catch (const std::system_error&) {
            return false;
        }
    }

    void offer(const char* begin, const char* end, bool openEnd) {
        {
            const std::lock_guard lock(mutex_);
            job_ = Job{begin, end, openEnd};
            result_ = StretchResult{};
            out_.clear();
            state_ = State::Offered;
        }
        changed_.notify_all();
    }

    // Sees the offered stretch weighed, by the helper or here; gives whether
    // this thread had to wait for the helper, and for how long.
    std::chrono::steady_clock::duration complete() {
        std::unique_lock lock(mutex_);
        if (state_ == State::Offered) {
            state_ = State::Idle;
            lock.unlock();
            weigher_.weigh(job_.begin, job_.end, false, job_.openEnd, out_, result_);
            return {};
        }
        const auto waitStart = std::chrono::steady_clock::now();
        changed_.wait(lock, [this] { return state_ == State::Done; });
        state_ = State::Idle;
        return std::chrono::steady_clock::now() - waitStart;
    }

    // Valid after complete().
    [[nodiscard]] const StretchResult& result() const noexcept { return result_; }
    [[nodiscard]] std::string_view output() const noexcept { return out_.contents(); }

  private:
    enum class State { Idle, Offered, Taken, Done };
    struct Job {
        const char* begin = nullptr;
        const char* end = nullptr;
        bool openEnd = false;
    };

    void serve() {
        std::unique_lock lock(mutex_);
        for (;;) {
            changed_.wait(lock, [this] { return stop_ || state_ == State::Offered; });
            if (stop_) {
                return;
            }
            state_ = State::Taken;
            lock.unlock();
            weigher_.weigh(job_.begin, job_.end, false, job_.openEnd, out_, result_);
            lock.lock();
            state_ = State::Done;
            changed_.notify_all();
        }
    }

    Weigher weigher_;
    OutputSink out_; // in memory only
    StretchResult result_;
    Job job_;
    State state_ = State::Idle;
    bool stop_ = false;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::thread thread_;
};

// Weighs the complete lines of one block, on two threads when there are
// enough of them: this thread takes the first half straight into `out`, the
// helper the second half into memory, which follows once both are done.
class BlockWeigher {
  public:
    BlockWeigher(const ShortlistSettings& settings, OutputSink& out, std::FILE* err)
        : settings_(settings), out_(out), err_(err), own_(settings) {}

    // [begin, end) holds whole lines (the last one without LF only when
    // `openEnd`); returns the number of lines.
    std::uint64_t weigh(const char* begin, const char* end, std::uint64_t firstLine, bool openEnd,
                        ShortlistOutcome& outcome) {
        const char* split = splitPoint(begin, end);
        if (split == nullptr) {
            StretchResult result;
            own_.weigh(begin, end, firstLine == 1, openEnd, out_, result);
            Account(result, firstLine, err_, outcome);
            return result.lines;
        }

        helper_->offer(split, end, openEnd);
        StretchResult first;
        const auto ownStart = std::chrono::steady_clock::now();
        own_.weigh(begin, split, firstLine == 1, false, out_, first);
        const auto own = std::chrono::steady_clock::now() - ownStart;
        const auto waited = helper_->complete();
        // Waiting long for the helper means this machine has no core to
        // spare: go on alone for a while, longer each time it happens again.
        if (waited * 4 > own) {
            aloneFor_ = backOff_;
            backOff_ = std::min(backOff_ * 2, kMaxBackOff);
        } else {
            backOff_ = 1;
        }
        Account(first, firstLine, err_, outcome);
        Account(helper_->result(), firstLine + first.lines, err_, outcome);
        out_.append(helper_->output());
        out_.flushIfFull();
        return first.lines + helper_->result().lines;
    }

  private:
    static constexpr int kMaxBackOff = 256;

    // Where the second half of the stretch would start, or null when the
    // stretch is weighed on this thread alone.
    const char* splitPoint(const char* begin, const char* end) {
        const auto size = static_cast<std::size_t>(end - begin);
        if (settings_.parallelFrom == 0 || size < settings_.parallelFrom || helperFailed_) {
            return nullptr;
        }
        if (aloneFor_ > 0) {
            --aloneFor_;
            return nullptr;
        }
        const auto* lf =
            static_cast<const char*>(std::memchr(begin + size / 2, '\n', size - size / 2));
        if (lf == nullptr || lf + 1 == end) {
            return nullptr;
        }
        if (!helper_) {
            helper_.emplace(settings_);
            if (!helper_->start()) {
                helper_.reset();
                helperFailed_ = true;
                return nullptr;
            }
        }
        return lf + 1;
    }

    const ShortlistSettings& settings_;
    OutputSink& out_;
    std::FILE* err_;
    Weigher own_;
    std::optional<Helper> helper_;
    bool helperFailed_ = false;
    int aloneFor_ = 0; // blocks still to weigh alone
    int backOff_ = 1;
};

} // namespace

ShortlistOutcome RunShortlist(std::FILE* in, OutputSink& out, std::FILE* err,
                              const ShortlistSettings& settings) {
    ShortlistOutcome outcome;
    BlockWeigher weigher(settings, out, err);
    const std::size_t block = settings.readBlock > 0 ? settings.readBlock : 1;

    // Room for an unfinished line of the longest length kept, plus as much
    // again so that it is moved to the front at most once per that many
    // bytes read, plus one block.
    std::vector<char> buffer(2 * kMaxLineBytes + block + kSlack);
    char* const data = buffer.data();
    std::size_t start = 0; // first byte of the first line not yet weighed
    std::size_t scan = 0;  // where the search for the last LF goes on
    std::size_t end = 0;
    std::uint64_t lineNumber = 1;
    bool discarding = false; // inside a line already refused as too long
    bool atEnd = false;
    bool inputIsSlow = false;

    for (;;) {
        // The whole lines held: up to the last LF.
        const char* lastLf = nullptr;
        for (std::size_t i = end; i > scan; --i) {
            if (data[i - 1] == '\n') {
                lastLf = data + i - 1;
                break;
            }
        }
        scan = end;
        if (lastLf != nullptr) {
            std::size_t from = start;
            if (discarding) {
                // The rest of the refused line ends at the first LF.
                const auto* tailEnd =
                    static_cast<const char*>(std::memchr(data + start, '\n', end - start));
                from = static_cast<std::size_t>(tailEnd - data) + 1;
                discarding = false;
                ++lineNumber;
            }
            const auto stop = static_cast<std::size_t>(lastLf - data) + 1;
            lineNumber += weigher.weigh(data + from, data + stop, lineNumber, false, outcome);
            if (out.failed()) {
                return outcome;
            }
            start = stop;
        }
        if (atEnd) {
            if (start < end && !discarding) {
                weigher.weigh(data + start, data + end, lineNumber, true, outcome);
            }
            return outcome;
        }

        if (!discarding && end - start > kMaxLineBytes) {
            ++outcome.lines;
            ++outcome.skipped;
            Report(err, lineNumber, kTooLong);
            discarding = true;
        }
        if (discarding || start == end) {
            start = 0;
            scan = 0;
            end = 0;
        } else if (buffer.size() - kSlack - end < block) {
            std::memmove(data, data + start, end - start);
            scan -= start;
            end -= start;
            start = 0;
        }

        // Input that comes slower than a block at a time (a terminal, a
        // pipe) gets its answers before the program waits for more.
        if (inputIsSlow && !out.flush()) {
            return outcome;
        }
        const long got = ReadSome(in, data + end, block);
        if (got < 0) {
            std::fprintf(err, "%.*s: reading the shortlist failed: %s\n",
                         static_cast<int>(kProgramName.size()), kProgramName.data(),
                         std::strerror(errno));
            outcome.readFailed = true;
            atEnd = true;
        } else if (got == 0) {
            atEnd = true;
        } else {
            end += static_cast<std::size_t>(got);
            inputIsSlow = static_cast<std::size_t>(got) < block;
        }
    }
}

} // namespace kindrell::cli

#include "cli/output_sink.h"

#include <cerrno>
#include <cstring>

namespace kindrell::cli {

OutputSink::OutputSink(std::FILE* file, std::size_t block)
    // Twice the block, so that records that carry the content past the
    // block still fit before the flush that follows them.
    : file_(file), block_(block > 0 ? block : 1), buffer_(2 * block_) {}

char* OutputSink::makeRoom(std::size_t size) {
    if (file_ == nullptr) {
        buffer_.resize(2 * (used_ + size));
    } else {
        flush();
        if (buffer_.size() < size) {
            buffer_.resize(size);
        }
    }
    return buffer_.data() + used_;
}

void OutputSink::append(std::string_view text) {
    char* to = room(text.size());
    if (!text.empty()) {
        std::memcpy(to, text.data(), text.size());
    }
    commit(text.size());
}

bool OutputSink::flush() {
    if (file_ == nullptr) {
        return true;
    }
    if (failed()) {
        used_ = 0;
        return false;
    }
    errno = 0;
    if (used_ > 0 && std::fwrite(buffer_.data(), 1, used_, file_) != used_) {
        errorNumber_ = errno != 0 ? errno : EIO;
    }
    used_ = 0;
    if (!failed() && std::fflush(file_) != 0) {
        errorNumber_ = errno != 0 ? errno : EIO;
    }
    return !failed();
}

} // namespace kindrell::cli

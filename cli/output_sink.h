#pragma once

#include <cstddef>
#include <cstdio>
#include <string_view>
#include <vector>

namespace kindrell::cli {

// Collects output in one large block and writes it with one call, so that a
// long shortlist costs a write per block rather than per line. Nothing is
// written until the block is full or flush() is called; the caller flushes
// when it is done and checks the result. Without a FILE it only collects,
// growing as needed, for a caller that passes contents() on itself.
class OutputSink {
  public:
    static constexpr std::size_t kDefaultBlock = std::size_t{256} * 1024;

    explicit OutputSink(std::FILE* file, std::size_t block = kDefaultBlock);

    // Space for `size` more bytes, to be written from the pointer returned
    // and then claimed with commit(). Flushes first when the block has not
    // that much room left; a record larger than the block gets a larger one.
    char* room(std::size_t size) {
        return buffer_.size() - used_ >= size ? buffer_.data() + used_ : makeRoom(size);
    }
    void commit(std::size_t size) noexcept { used_ += size; }

    void append(std::string_view text);

    [[nodiscard]] std::string_view contents() const noexcept { return {buffer_.data(), used_}; }
    void clear() noexcept { used_ = 0; }

    void flushIfFull() {
        if (used_ >= block_ && file_ != nullptr) {
            flush();
        }
    }

    // Writes what is collected and the FILE's own buffer. Returns false once
    // any write has failed; what failed is in errorNumber().
    bool flush();

    [[nodiscard]] bool failed() const noexcept { return errorNumber_ != 0; }
    [[nodiscard]] int errorNumber() const noexcept { return errorNumber_; }

  private:
    char* makeRoom(std::size_t size);

    std::FILE* file_;
    std::size_t block_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
    int errorNumber_ = 0;
};

} // namespace kindrell::cli

#pragma once

// What the command line's tests share: temporary files to run the program
// on, and reading back what it wrote.

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace kindrell::cli::testing_support {

struct FileCloser {
    void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// A temporary file (with a descriptor) holding `content`, rewound.
inline File TempFileWith(std::string_view content) {
    File file(std::tmpfile());
    if (file) {
        std::fwrite(content.data(), 1, content.size(), file.get());
        std::rewind(file.get());
    }
    return file;
}

// Everything written to `file` so far.
inline std::string ContentOf(std::FILE* file) {
    std::fflush(file);
    std::rewind(file);
    std::string content;
    char chunk[4096];
    for (std::size_t got = 0; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;) {
        content.append(chunk, got);
    }
    return content;
}

} // namespace kindrell::cli::testing_support

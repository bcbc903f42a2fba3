// The finder's marks file, read through the store's own reading code from
// whatever bytes the file holds: never a crash or a hang, nothing half read,
// and whatever it accepts it writes in a form it reads again as the same
// marks.

#include "finder/marks_store.h"
#include "fuzz/fuzz_input.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace {

// The data folder holds one marks file: the fuzzer's bytes.
class OneFile final : public kindrell::platform::UserDataFiles {
  public:
    explicit OneFile(QByteArray bytes) : bytes_(std::move(bytes)) {}
    std::optional<QByteArray> read(const QString&, qint64 maxBytes) override {
        if (bytes_.size() > maxBytes) {
            throw kindrell::platform::DataFileError(QStringLiteral("it is too large"));
        }
        return bytes_;
    }
    void write(const QString&, const QByteArray&) override {}
    QString moveAside(const QString&, const QString&) override { return {}; }

  private:
    QByteArray bytes_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kindrell::finder::MarksRead;
    using kindrell::finder::MarksStore;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // The bundled list's marks, and a list of one's own with a path beyond ASCII.
    for (const QString& list : {QString(), QStringLiteral("/home/z\u00F6e/names.txt")}) {
        OneFile file(bytes);
        const MarksRead read = MarksStore(file).read(list);
        KINDRELL_FUZZ_CHECK(read.problem.isEmpty() || read.marks.empty());
        if (read.problem.isEmpty()) {
            const MarksRead again = MarksStore::Decode(MarksStore::Encode(list, read.marks), list);
            KINDRELL_FUZZ_CHECK(again.problem.isEmpty());
            KINDRELL_FUZZ_CHECK(again.marks == read.marks);
        }
    }
    return 0;
}

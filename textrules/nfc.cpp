#include "textrules/nfc.h"

#include <unicode/unorm2.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kindrell::text {
namespace {

// The code points of UTF-16 `units`, appended to `out`.
void AppendCodePoints(const UChar* units, std::int32_t length, std::vector<UChar32>& out,
                      UErrorCode& status) {
    const std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(length));
    std::int32_t written = 0;
    u_strToUTF32(out.data() + at, length, &written, units, length, &status);
    out.resize(at + static_cast<std::size_t>(std::max(written, 0)));
}

// Appends the decomposition of `characters` from ICU's tables, each run of
// marks in it stably sorted by combining class: canonical order.
void AppendOrderedDecomposition(std::span<const UChar32> characters, const UNormalizer2* nfc,
                                std::vector<UChar32>& out, UErrorCode& status) {
    const std::size_t first = out.size();
    std::array<UChar, 16> mapping{}; // the longest has four code points
    for (const UChar32 character : characters) {
        const std::int32_t length = unorm2_getDecomposition(
            nfc, character, mapping.data(), static_cast<std::int32_t>(mapping.size()), &status);
        if (length < 0) {
            out.push_back(character);
        } else {
            AppendCodePoints(mapping.data(), length, out, status);
        }
    }
    const auto isStarter = [nfc](UChar32 c) { return unorm2_getCombiningClass(nfc, c) == 0; };
    const auto stop = out.end();
    for (auto run = out.begin() + static_cast<std::ptrdiff_t>(first); run != stop;) {
        run = std::find_if_not(run, stop, isStarter);
        const auto end = std::find_if(run, stop, isStarter);
        if (end - run > 1) {
            std::stable_sort(run, end, [nfc](UChar32 a, UChar32 b) {
                return unorm2_getCombiningClass(nfc, a) < unorm2_getCombiningClass(nfc, b);
            });
        }
        run = end;
    }
}

// The text, canonically equivalent, with its marks in canonical order for
// ICU's NFC. ICU would order them itself, but by insertion, in time that
// grows with the square of a run out of order: alone, 270 ms on a line of
// 32,767 marks of two classes taking turns, where bench/shortlist.sh's list
// of such lines now takes 4.65 ms a line (docs/benchmarks.md, "Names in
// NFC"). The text is cut where ICU finds a normalisation boundary; a piece of
// one character is left whole, a longer one (a letter and its marks)
// decomposed and ordered.
QString InCanonicalOrder(QStringView text, const UNormalizer2* nfc, UErrorCode& status) {
    std::vector<UChar32> characters;
    AppendCodePoints(text.utf16(), static_cast<std::int32_t>(text.size()), characters, status);
    std::vector<UChar32> ordered;
    ordered.reserve(characters.size());
    for (std::size_t start = 0; start < characters.size();) {
        std::size_t end = start + 1;
        while (end < characters.size() && unorm2_hasBoundaryBefore(nfc, characters[end]) == 0) {
            ++end;
        }
        if (end - start == 1) {
            ordered.push_back(characters[start]);
        } else {
            AppendOrderedDecomposition(std::span(characters).subspan(start, end - start), nfc,
                                       ordered, status);
        }
        start = end;
    }
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(ordered.data()),
                             static_cast<qsizetype>(ordered.size()));
}

} // namespace

// NFC by ICU, in time that grows with the name's length (n log n in a run of
// marks). Qt's QString::normalized moves the rest of the string at each
// character it decomposes: a line of 49,000 Hangul syllables took it 18 s
// under the sanitizers (fuzz_cli_shortlist). Names are at most some 98,000
// units (text::kMaxLineBytes), well within ICU's int32_t lengths.
QString Nfc(const QString& text) {
    // ICU fails only when out of memory: Qt's own, slow but exact, then.
    const auto qtNfc = [&text] { return text.normalized(QString::NormalizationForm_C); };
    UErrorCode status = U_ZERO_ERROR;
    const UNormalizer2* const nfc = unorm2_getNFCInstance(&status);
    if (U_FAILURE(status)) {
        return qtNfc();
    }
    const QStringView source(text);
    // Most names, shared rather than copied. (unorm2_isNormalized would order
    // the marks of a name that may not be in NFC, by insertion; see above.)
    const auto length = static_cast<std::int32_t>(source.size());
    if (unorm2_spanQuickCheckYes(nfc, source.utf16(), length, &status) == length) {
        return text;
    }
    const QString ordered = InCanonicalOrder(source, nfc, status);
    QString normal(ordered.size(), Qt::Uninitialized);
    const auto normalizeInto = [&](QString& out) {
        return unorm2_normalize(
            nfc, QStringView(ordered).utf16(), static_cast<std::int32_t>(ordered.size()),
            reinterpret_cast<UChar*>(out.data()), static_cast<std::int32_t>(out.size()), &status);
    };
    std::int32_t written = normalizeInto(normal);
    if (status == U_BUFFER_OVERFLOW_ERROR) { // a few characters grow, U+FB2C to three units
        status = U_ZERO_ERROR;
        normal.resize(written);
        written = normalizeInto(normal);
    }
    if (U_FAILURE(status)) {
        return qtNfc();
    }
    normal.truncate(written);
    return normal;
}

} // namespace kindrell::text

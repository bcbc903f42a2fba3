// The refer-a-friend request address, built from arbitrary form values, read
// back the way the maker's server reads it: exactly the six parameters
// taf1..taf6 in order, each decoding to the value that was typed.

#include "fuzz/fuzz_input.h"
#include "outreach/mod_tell_a_friend.h"
#include "weblinks/mod_help.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QUrl>
#include <QUrlQuery>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace {

QString FromUnits(std::span<const std::uint8_t> bytes) {
    const std::u16string units = kindrell::fuzz::Utf16Units(bytes);
    return QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size()));
}

// UTF-8 has no form for a lone surrogate; the encoder writes U+FFFD for it,
// so that is what the server can get back.
QString AsUtf8CanCarry(const QString& value) {
    return QString::fromUtf8(value.toUtf8());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto pieces = kindrell::fuzz::SplitPieces<5>(kindrell::fuzz::Bytes(data, size));
    const kindrell::outreach::ReferAFriendValues values{FromUnits(pieces[0]), FromUnits(pieces[1]),
                                                        FromUnits(pieces[2]), FromUnits(pieces[3]),
                                                        FromUnits(pieces[4])};

    const QString request = kindrell::outreach::ReferAFriendRequest(values);

    const QString prefix =
        kindrell::weblinks::HomeSiteBase() + QLatin1String("/qlsw-refer-a-friend.php?");
    KINDRELL_FUZZ_CHECK(request.startsWith(prefix));
    // Every value is percent-encoded, so nothing the user typed can show up
    // raw: no space, no line break, nothing outside printable ASCII, no "#".
    for (const QChar c : request) {
        KINDRELL_FUZZ_CHECK(c.unicode() > 0x20 && c.unicode() < 0x7F);
        KINDRELL_FUZZ_CHECK(c != QLatin1Char('#'));
    }

    const QUrl url(request, QUrl::StrictMode);
    KINDRELL_FUZZ_CHECK(url.isValid());
    KINDRELL_FUZZ_CHECK(url.scheme() == QLatin1String("http"));
    KINDRELL_FUZZ_CHECK(url.path() == QLatin1String("/qlsw-refer-a-friend.php"));
    KINDRELL_FUZZ_CHECK(!url.hasFragment());

    const QUrlQuery query(request.mid(prefix.size()));
    // The split into parameters is QUrlQuery's; each value is then decoded
    // by hand, since QUrl's own decoder turns the noncharacters U+FFFE and
    // U+FFFF into replacement characters although their UTF-8 is sound.
    const QList<QPair<QString, QString>> items = query.queryItems(QUrl::FullyEncoded);
    const std::array<QString, 6> expected = {
        AsUtf8CanCarry(values.senderName),  AsUtf8CanCarry(values.senderEmail),
        AsUtf8CanCarry(values.message),     AsUtf8CanCarry(values.friendName),
        AsUtf8CanCarry(values.friendEmail), kindrell::weblinks::ProductSiteAddress()};
    KINDRELL_FUZZ_CHECK(items.size() == 6);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& [key, encoded] = items[static_cast<qsizetype>(i)];
        const QString value =
            QString::fromUtf8(QByteArray::fromPercentEncoding(encoded.toLatin1()));
        KINDRELL_FUZZ_CHECK(key == QStringLiteral("taf%1").arg(i + 1));
        if (value != expected[i]) {
            std::fprintf(stderr, "%s: got \"%s\", expected \"%s\"\nrequest: %s\n", qPrintable(key),
                         qPrintable(value.toUtf8().toPercentEncoding()),
                         qPrintable(expected[i].toUtf8().toPercentEncoding()), qPrintable(request));
        }
        KINDRELL_FUZZ_CHECK(value == expected[i]);
    }
    return 0;
}

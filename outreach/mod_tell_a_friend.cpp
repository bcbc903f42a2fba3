#include "outreach/mod_tell_a_friend.h"

#include "textrules/engine_strings.h"

#include <QUrl>

namespace kindrell::outreach {

namespace {

bool MissingOrWatermark(const QString& value, const QLatin1String watermark) {
    return value.isEmpty() || value == watermark;
}

// The typed values only: the site address the program adds itself is a plain
// address whose ":" and "/" are legal in a query.
QString Encoded(const QString& value) {
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

} // namespace

ReferAFriendValues TrimReferAFriendValues(const ReferAFriendValues& typed) {
    return {text::TrimSpaces(typed.senderName), text::TrimSpaces(typed.senderEmail),
            text::TrimSpaces(typed.message), text::TrimSpaces(typed.friendName),
            text::TrimSpaces(typed.friendEmail)};
}

std::optional<QString> CheckReferAFriendEmails(const ReferAFriendValues& trimmed) {
    if (trimmed.senderEmail == trimmed.friendEmail) {
        return QStringLiteral("Please Enter Distinct Email Addresses");
    }
    if (!trimmed.senderEmail.contains(QLatin1Char('@')) ||
        !trimmed.friendEmail.contains(QLatin1Char('@'))) {
        return QStringLiteral("Please Enter Proper Email Address");
    }
    if (!trimmed.senderEmail.contains(QLatin1Char('.')) ||
        !trimmed.friendEmail.contains(QLatin1Char('.'))) {
        return QStringLiteral("Please Enter Proper Email Address");
    }
    return std::nullopt;
}

std::optional<QString> CheckReferAFriendPresence(const ReferAFriendValues& trimmed) {
    if (MissingOrWatermark(trimmed.senderName, QLatin1String("Your Name"))) {
        return QStringLiteral("Please Enter Your Name");
    }
    if (MissingOrWatermark(trimmed.senderEmail, QLatin1String("Your Email Address"))) {
        return QStringLiteral("Please Enter Your Email");
    }
    if (MissingOrWatermark(trimmed.message, QLatin1String("Your Message"))) {
        return QStringLiteral("Please Enter Your Message");
    }
    if (MissingOrWatermark(trimmed.friendName, QLatin1String("Friend's Name"))) {
        return QStringLiteral("Please Enter Your Friend's Name");
    }
    if (MissingOrWatermark(trimmed.friendEmail, QLatin1String("Friend's Email Address"))) {
        return QStringLiteral("Please Enter Your Friend's Email");
    }
    return std::nullopt;
}

std::optional<QString> CheckReferAFriend(const ReferAFriendValues& trimmed) {
    if (auto fault = CheckReferAFriendEmails(trimmed)) {
        return fault;
    }
    return CheckReferAFriendPresence(trimmed);
}

QString ReferAFriendRequest(const ReferAFriendValues& trimmed) {
    return weblinks::HomeSiteBase() + QLatin1String("/qlsw-refer-a-friend.php") +
           QLatin1String("?taf1=") + Encoded(trimmed.senderName) + QLatin1String("&taf2=") +
           Encoded(trimmed.senderEmail) + QLatin1String("&taf3=") + Encoded(trimmed.message) +
           QLatin1String("&taf4=") + Encoded(trimmed.friendName) + QLatin1String("&taf5=") +
           Encoded(trimmed.friendEmail) + QLatin1String("&taf6=") + weblinks::ProductSiteAddress();
}

void modTellAFriend::Submit(const ReferAFriendValues& typed) {
    values_ = TrimReferAFriendValues(typed);
    if (const auto fault = CheckReferAFriend(values_)) {
        messages_.showError(*fault);
        return;
    }
    help_.OpenAddress(ReferAFriendRequest(values_));
}

} // namespace kindrell::outreach

#include "shell/update_reminder.h"

#include <QLocale>

namespace kindrell::shell {

QString UpdateReminderQuestion() {
    return QStringLiteral("There maybe an update to this software available") + QLatin1Char('\r') +
           QStringLiteral("Do you want to check for an update?");
}

QString FormatReminderDate(QDate date) {
    return date.toString(Qt::ISODate);
}

std::optional<QDate> ParseReminderDate(const QString& text) {
    // The strict pattern, not Qt::ISODate, which would also take trailing text.
    if (const QDate iso = QDate::fromString(text, QStringLiteral("yyyy-MM-dd")); iso.isValid()) {
        return iso;
    }
    const QLocale locale;
    QDate local = locale.toDate(text, QLocale::ShortFormat);
    if (!local.isValid()) {
        return std::nullopt;
    }
    // Short formats with a two-digit year parse as 19yy; a date the reminder
    // wrote lies near today, so years before 1950 belong to this century.
    const bool twoDigitYear =
        !locale.dateFormat(QLocale::ShortFormat).contains(QStringLiteral("yyyy"));
    if (twoDigitYear && local.year() < 1950) {
        local = local.addYears(100);
    }
    return local;
}

void UpdateReminder::run() {
    const QDate today = clock_.today();
    const QString stored = settings_.read(kLastReminderDateKey);
    const std::optional<QDate> last = ParseReminderDate(stored);
    if (!last) {
        // A first run, or a text that is no date at all: the latter is
        // replaced too, or it would silence the reminder for good.
        settings_.write(kLastReminderDateKey, FormatReminderDate(today));
        return;
    }
    const qint64 days = today.daysTo(*last);
    if (days >= -kReminderQuietDays && days <= kReminderQuietDays) {
        return;
    }
    const platform::MessageAnswer answer =
        messages_.show(UpdateReminderQuestion(), platform::MessageIcon::Information,
                       platform::MessageButtons::YesNo, platform::MessageAnswer::Yes);
    // Stored before the browser is asked, and a refused write throws past
    // the opening.
    settings_.write(kLastReminderDateKey, FormatReminderDate(today));
    if (answer == platform::MessageAnswer::Yes) {
        help_.OpenCheckForUpdate();
    }
}

} // namespace kindrell::shell

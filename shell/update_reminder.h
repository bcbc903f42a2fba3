#pragma once

// The start-up reminder that a newer version may exist: asks at most once
// every 15 days and offers to open the product's download page.

#include "platform/services.h"
#include "shell/settings_store.h"
#include "weblinks/mod_help.h"

#include <QDate>
#include <QString>

#include <optional>

namespace kindrell::shell {

inline const QString kLastReminderDateKey = QStringLiteral("LastReminderDate");

// The question, with its single carriage return between the two sentences.
QString UpdateReminderQuestion();

// The reminder stays silent while the stored date lies at most this many
// days before or after today.
inline constexpr qint64 kReminderQuietDays = 14;

// The stored date is written as yyyy-MM-dd, which reads back alike under
// every locale.
QString FormatReminderDate(QDate date);

// Reads yyyy-MM-dd, and also a date in the current locale's short format as
// earlier versions wrote it (a two-digit year is taken as 1950 to 2049).
// Nothing when the text is no date.
std::optional<QDate> ParseReminderDate(const QString& text);

class UpdateReminder {
  public:
    UpdateReminder(SettingsStore& settings, platform::Clock& clock,
                   platform::MessageBoxes& messages, weblinks::modHelp& help)
        : settings_(settings), clock_(clock), messages_(messages), help_(help) {}

    // Runs once per launch. Has no error handling of its own: a settings
    // store that cannot be read or written throws platform::SettingsError
    // out of here, which ends the reminder at that point (after a refused
    // write the download page is therefore not opened).
    void run();

  private:
    SettingsStore& settings_;
    platform::Clock& clock_;
    platform::MessageBoxes& messages_;
    weblinks::modHelp& help_;
};

} // namespace kindrell::shell

// The settings store's addressing and the update reminder, driven through
// the recording fakes.

#include "shell/settings_store.h"
#include "shell/update_reminder.h"
#include "tests/support/platform_fakes.h"
#include "weblinks/mod_help.h"

#include <QLocale>
#include <QtTest>

using kindrell::platform::FakeClock;
using kindrell::platform::FakeExecutableInfo;
using kindrell::platform::FakeLinkOpener;
using kindrell::platform::FakeMessageBoxes;
using kindrell::platform::FakeSettings;
using kindrell::platform::LinkOpener;
using kindrell::platform::MessageAnswer;
using kindrell::platform::MessageButtons;
using kindrell::platform::MessageIcon;
using kindrell::platform::SettingsError;
using kindrell::shell::kLastReminderDateKey;
using kindrell::shell::SettingsStore;
using kindrell::shell::UpdateReminder;
using kindrell::weblinks::Link;
using kindrell::weblinks::LinkAddress;
using kindrell::weblinks::modHelp;

namespace {

const QString kKey = FakeSettings::address(QStringLiteral("kindrell"), QStringLiteral("Settings"),
                                           QStringLiteral("LastReminderDate"));

// Notes what the settings held at the moment a page was opened, to show the
// date is stored before the browser is asked.
class SnapshotOpener final : public LinkOpener {
  public:
    explicit SnapshotOpener(FakeSettings& settings) : settings_(settings) {}
    void open(const QString& address) override {
        opened << address;
        storedAtOpening << settings_.values.value(kKey);
    }
    QStringList opened;
    QStringList storedAtOpening;

  private:
    FakeSettings& settings_;
};

// One reminder with its fakes, today being 2026-12-08.
struct Rig {
    FakeSettings settings;
    FakeExecutableInfo executable;
    FakeClock clock;
    FakeMessageBoxes messages;
    SnapshotOpener opener{settings};
    modHelp help{opener};
    SettingsStore store{settings, executable};

    void run() { UpdateReminder(store, clock, messages, help).run(); }
    QString stored() const { return settings.values.value(kKey); }
    void store_(const QString& text) { settings.values.insert(kKey, text); }
};

} // namespace

class UpdateReminderTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void settingsStoreAddressesByExecutableName();
    void settingsStoreRefusedWriteRaises();

    void thresholds_data();
    void thresholds();
    void firstRunStoresTodayAndAsksNothing();
    void questionIsTheFixedText();
    void answers_data();
    void answers();
    void sameDayAfterAQuestionIsSilent();
    void unreadableValueIsAFirstRun_data();
    void unreadableValueIsAFirstRun();
    void localeShortFormat_data();
    void localeShortFormat();
    void refusedWrites_data();
    void refusedWrites();
    void failingReadEndsTheReminder();
};

void UpdateReminderTest::settingsStoreAddressesByExecutableName() {
    FakeSettings settings;
    FakeExecutableInfo executable;
    SettingsStore store(settings, executable);

    QCOMPARE(store.read(QStringLiteral("LastReminderDate")), QString());
    store.write(QStringLiteral("LastReminderDate"), QStringLiteral("2026-12-08"));
    QCOMPARE(settings.values.keys(), QStringList{kKey});
    QCOMPARE(store.read(QStringLiteral("LastReminderDate")), QStringLiteral("2026-12-08"));

    // The name is asked for at every access: a renamed executable reads empty
    // and writes apart; under the old name the old value is still there.
    executable.name = QStringLiteral("kindrell-copy");
    QCOMPARE(store.read(QStringLiteral("LastReminderDate")), QString());
    store.write(QStringLiteral("LastReminderDate"), QStringLiteral("2026-01-01"));
    QCOMPARE(settings.values.value(QStringLiteral("kindrell-copy/Settings/LastReminderDate")),
             QStringLiteral("2026-01-01"));
    executable.name = QStringLiteral("kindrell");
    QCOMPARE(store.read(QStringLiteral("LastReminderDate")), QStringLiteral("2026-12-08"));
    // Read per access, not cached.
    QCOMPARE(settings.reads, 4);
}

void UpdateReminderTest::settingsStoreRefusedWriteRaises() {
    FakeSettings settings;
    FakeExecutableInfo executable;
    SettingsStore store(settings, executable);
    settings.values.insert(kKey, QStringLiteral("old"));
    settings.failWrites = true;
    QVERIFY_THROWS_EXCEPTION(
        SettingsError, store.write(QStringLiteral("LastReminderDate"), QStringLiteral("new")));
    QCOMPARE(settings.values.value(kKey), QStringLiteral("old"));
    settings.failReads = true;
    QVERIFY_THROWS_EXCEPTION(SettingsError, store.read(QStringLiteral("LastReminderDate")));
}

void UpdateReminderTest::thresholds_data() {
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("offset"); // stored date minus today, in days
    QTest::addColumn<bool>("asks");
    const QDate december(2026, 12, 8);
    const QDate january(2027, 1, 5);
    QTest::newRow("today") << december << 0 << false;
    QTest::newRow("14 days ago") << december << -14 << false;
    QTest::newRow("15 days ago") << december << -15 << true;
    QTest::newRow("a year ago") << december << -365 << true;
    QTest::newRow("14 days ahead") << december << 14 << false;
    QTest::newRow("15 days ahead") << december << 15 << true;
    QTest::newRow("14 days ago, across the year end") << january << -14 << false;
    QTest::newRow("15 days ago, across the year end") << january << -15 << true;
}

void UpdateReminderTest::thresholds() {
    QFETCH(QDate, today);
    QFETCH(int, offset);
    QFETCH(bool, asks);
    Rig rig;
    rig.clock.date = today;
    const QString stored = today.addDays(offset).toString(Qt::ISODate);
    rig.store_(stored);
    rig.messages.answers = {MessageAnswer::No};
    rig.run();
    QCOMPARE(rig.messages.shown.size(), asks ? 1 : 0);
    // Silent launches leave the value alone; a question stores today.
    QCOMPARE(rig.stored(), asks ? today.toString(Qt::ISODate) : stored);
    QCOMPARE(rig.settings.writeAttempts, asks ? 1 : 0);
    QVERIFY(rig.opener.opened.isEmpty());
}

void UpdateReminderTest::firstRunStoresTodayAndAsksNothing() {
    Rig rig;
    rig.run();
    QVERIFY(rig.messages.shown.isEmpty());
    QCOMPARE(rig.stored(), QStringLiteral("2026-12-08"));
    QVERIFY(rig.opener.opened.isEmpty());
    // The next launches within 14 days are silent; the 15th day asks.
    rig.clock.date = QDate(2026, 12, 22);
    rig.run();
    QVERIFY(rig.messages.shown.isEmpty());
    rig.clock.date = QDate(2026, 12, 23);
    rig.run();
    QCOMPARE(rig.messages.shown.size(), 1);
}

void UpdateReminderTest::questionIsTheFixedText() {
    Rig rig;
    rig.store_(QStringLiteral("2026-01-01"));
    rig.messages.answers = {MessageAnswer::No};
    rig.run();
    QCOMPARE(rig.messages.shown.size(), 1);
    const auto& shown = rig.messages.shown.front();
    QCOMPARE(shown.text, QStringLiteral("There maybe an update to this software available\r"
                                        "Do you want to check for an update?"));
    QCOMPARE(shown.icon, MessageIcon::Information);
    QCOMPARE(shown.buttons, MessageButtons::YesNo);
    QCOMPARE(shown.defaultButton, MessageAnswer::Yes);
}

void UpdateReminderTest::answers_data() {
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<QStringList>("opened");
    QTest::newRow("Yes") << MessageAnswer::Yes << QStringList{LinkAddress(Link::CheckForUpdate)};
    QTest::newRow("No") << MessageAnswer::No << QStringList{};
}

void UpdateReminderTest::answers() {
    QFETCH(MessageAnswer, answer);
    QFETCH(QStringList, opened);
    Rig rig;
    rig.store_(QStringLiteral("2026-11-01"));
    rig.messages.answers = {answer};
    // While the question is up nothing has been written yet.
    QString storedWhileAsking;
    rig.messages.onShow = [&](const auto&) { storedWhileAsking = rig.stored(); };
    rig.run();
    QCOMPARE(storedWhileAsking, QStringLiteral("2026-11-01"));
    QCOMPARE(rig.stored(), QStringLiteral("2026-12-08"));
    QCOMPARE(rig.opener.opened, opened);
    // The date was already stored when the page was opened.
    for (const QString& atOpening : rig.opener.storedAtOpening) {
        QCOMPARE(atOpening, QStringLiteral("2026-12-08"));
    }
}

void UpdateReminderTest::sameDayAfterAQuestionIsSilent() {
    Rig rig;
    rig.store_(QStringLiteral("2026-11-01"));
    rig.messages.answers = {MessageAnswer::Yes};
    rig.run();
    QCOMPARE(rig.messages.shown.size(), 1);
    rig.run();
    QCOMPARE(rig.messages.shown.size(), 1);
    QCOMPARE(rig.opener.opened.size(), 1);
    // No sooner than 15 days later.
    rig.clock.date = rig.clock.date.addDays(14);
    rig.run();
    QCOMPARE(rig.messages.shown.size(), 1);
    rig.clock.date = rig.clock.date.addDays(1);
    rig.run();
    QCOMPARE(rig.messages.shown.size(), 2);
}

void UpdateReminderTest::unreadableValueIsAFirstRun_data() {
    QTest::addColumn<QString>("stored");
    QTest::newRow("words") << QStringLiteral("garbage");
    QTest::newRow("blank") << QStringLiteral(" ");
    QTest::newRow("month 13 ISO") << QStringLiteral("2026-13-01");
    QTest::newRow("day 32 short") << QStringLiteral("12/32/26");
    QTest::newRow("ISO with trailing text") << QStringLiteral("2026-11-01x");
}

void UpdateReminderTest::unreadableValueIsAFirstRun() {
    QFETCH(QString, stored);
    Rig rig;
    rig.store_(stored);
    rig.run();
    QVERIFY(rig.messages.shown.isEmpty());
    QCOMPARE(rig.stored(), QStringLiteral("2026-12-08"));
    // And the value now reads: the next launch is an ordinary one.
    rig.clock.date = QDate(2027, 1, 1);
    rig.messages.answers = {MessageAnswer::No};
    rig.run();
    QCOMPARE(rig.messages.shown.size(), 1);
}

void UpdateReminderTest::localeShortFormat_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("asks");
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QLocale de(QLocale::German, QLocale::Germany);
    // Two-digit years: 26 is 2026, or a week-old date would seem a century old.
    QTest::newRow("US 18 days ago") << us << QStringLiteral("11/20/26") << true;
    QTest::newRow("US 7 days ago") << us << QStringLiteral("12/1/26") << false;
    QTest::newRow("US 14 days ahead") << us << QStringLiteral("12/22/26") << false;
    QTest::newRow("US 15 days ahead") << us << QStringLiteral("12/23/26") << true;
    QTest::newRow("German 18 days ago") << de << QStringLiteral("20.11.26") << true;
    QTest::newRow("German 7 days ago") << de << QStringLiteral("01.12.26") << false;
    QTest::newRow("US, the locale's own text of 20 days ago")
        << us << us.toString(QDate(2026, 11, 18), QLocale::ShortFormat) << true;
    QTest::newRow("German, the locale's own text of 3 days ago")
        << de << de.toString(QDate(2026, 12, 5), QLocale::ShortFormat) << false;
    // ISO reads back alike under every locale.
    QTest::newRow("ISO under US, 7 days ago") << us << QStringLiteral("2026-12-01") << false;
    QTest::newRow("ISO under German, 18 days ago") << de << QStringLiteral("2026-11-20") << true;
}

void UpdateReminderTest::localeShortFormat() {
    QFETCH(QLocale, locale);
    QFETCH(QString, stored);
    QFETCH(bool, asks);
    QLocale::setDefault(locale);
    Rig rig;
    rig.store_(stored);
    rig.messages.answers = {MessageAnswer::No};
    rig.run();
    QCOMPARE(rig.messages.shown.size(), asks ? 1 : 0);
    // A question rewrites the date in ISO; a silent launch leaves it.
    QCOMPARE(rig.stored(), asks ? QStringLiteral("2026-12-08") : stored);
}

void UpdateReminderTest::refusedWrites_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("questions");
    QTest::newRow("first run") << QString() << 0;
    QTest::newRow("after the question") << QStringLiteral("2026-11-01") << 1;
}

void UpdateReminderTest::refusedWrites() {
    QFETCH(QString, stored);
    QFETCH(int, questions);
    Rig rig;
    if (!stored.isEmpty()) {
        rig.store_(stored);
    }
    rig.settings.failWrites = true;
    rig.messages.answers = {MessageAnswer::Yes};
    // The reminder has no handling of its own: the error ends it here, and
    // after a Yes the page is then not opened.
    QVERIFY_THROWS_EXCEPTION(SettingsError, rig.run());
    QCOMPARE(rig.messages.shown.size(), questions);
    QCOMPARE(rig.settings.writeAttempts, 1);
    QCOMPARE(rig.stored(), stored);
    QVERIFY(rig.opener.opened.isEmpty());
}

void UpdateReminderTest::failingReadEndsTheReminder() {
    Rig rig;
    rig.settings.failReads = true;
    QVERIFY_THROWS_EXCEPTION(SettingsError, rig.run());
    QVERIFY(rig.messages.shown.isEmpty());
    QCOMPARE(rig.settings.writeAttempts, 0);
    QVERIFY(rig.opener.opened.isEmpty());
}

QTEST_GUILESS_MAIN(UpdateReminderTest)
#include "shell_update_reminder_test.moc"

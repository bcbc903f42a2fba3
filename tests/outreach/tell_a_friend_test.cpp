// The refer-a-friend submission: the order of its checks and the request it opens.

#include "outreach/mod_tell_a_friend.h"
#include "tests/support/platform_fakes.h"
#include "textrules/engine_strings.h"
#include "weblinks/mod_help.h"

#include <QUrl>
#include <QUrlQuery>
#include <QtTest>

using kindrell::outreach::CheckReferAFriendPresence;
using kindrell::outreach::modTellAFriend;
using kindrell::outreach::ReferAFriendRequest;
using kindrell::outreach::ReferAFriendValues;
using kindrell::outreach::TrimReferAFriendValues;
using kindrell::platform::FakeLinkOpener;
using kindrell::platform::FakeMessageBoxes;
using kindrell::platform::MessageAnswer;
using kindrell::platform::MessageButtons;
using kindrell::platform::MessageIcon;
using kindrell::text::TrimSpaces;
using kindrell::weblinks::HomeHost;
using kindrell::weblinks::modHelp;

namespace {

const QString kDistinct = QStringLiteral("Please Enter Distinct Email Addresses");
const QString kProper = QStringLiteral("Please Enter Proper Email Address");
const QString kProductSite = QStringLiteral("http://" KINDRELL_TEST_PRODUCT_HOST "/");

struct Submission {
    FakeMessageBoxes messages;
    FakeLinkOpener opener;
    modHelp help{opener};
    modTellAFriend tellAFriend{messages, help};
};

} // namespace

class TellAFriendTest : public QObject {
    Q_OBJECT

  private slots:
    void trimsSpacesOnly_data();
    void trimsSpacesOnly();
    void checksInOrder_data();
    void checksInOrder();
    void presenceMessagesUnreachableFromTheForm_data();
    void presenceMessagesUnreachableFromTheForm();
    void requestCarriesEachValueExactly_data();
    void requestCarriesEachValueExactly();
    void requestForPlainValues();
    void storedValuesAreTrimmedAndOverwritten();
    void secondSubmissionOpensSecondRequest();
};

void TellAFriendTest::trimsSpacesOnly_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("trimmed");
    QTest::newRow("spaces around") << "  Ann Lee  "
                                   << "Ann Lee";
    QTest::newRow("only spaces") << "    "
                                 << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("tab stays") << "\tAnn "
                               << "\tAnn";
    QTest::newRow("CR LF stays") << " Your Message\r\n"
                                 << "Your Message\r\n";
    QTest::newRow("no-break space stays")
        << QString(QChar(0xA0)) + " x" << QString(QChar(0xA0)) + " x";
}

void TellAFriendTest::trimsSpacesOnly() {
    QFETCH(QString, text);
    QFETCH(QString, trimmed);
    QCOMPARE(TrimSpaces(text), trimmed);
}

void TellAFriendTest::checksInOrder_data() {
    QTest::addColumn<QString>("senderName");
    QTest::addColumn<QString>("senderEmail");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("friendName");
    QTest::addColumn<QString>("friendEmail");
    QTest::addColumn<QString>("fault"); // empty: the request is opened

    const QString name = QStringLiteral("Ann");
    const QString mail = QStringLiteral("ann@mail.example");
    const QString message = QStringLiteral("Try it");
    const QString friendName = QStringLiteral("Bob");
    const QString friendMail = QStringLiteral("bob@mail.example");

    QTest::newRow("both e-mails empty") << name << "" << message << friendName << "" << kDistinct;
    QTest::newRow("both e-mails spaces only")
        << name << "   " << message << friendName << " " << kDistinct;
    QTest::newRow("same e-mail, spaces differ") << name << " ann@mail.example" << message
                                                << friendName << "ann@mail.example  " << kDistinct;
    QTest::newRow("distinct checked before everything") << ""
                                                        << "x"
                                                        << ""
                                                        << ""
                                                        << "x" << kDistinct;
    QTest::newRow("both e-mails at watermarks") << "Your Name"
                                                << "Your Email Address"
                                                << "Your Message\r\n"
                                                << "Friend's Name"
                                                << "Friend's Email Address" << kProper;
    QTest::newRow("same e-mail other case passes")
        << name << "Ann@Mail.example" << message << friendName << "ann@mail.example"
        << "";
    QTest::newRow("sender without @")
        << name << "ann.mail.example" << message << friendName << friendMail << kProper;
    QTest::newRow("friend without @")
        << name << mail << message << friendName << "bob.mail.example" << kProper;
    QTest::newRow("sender @ without .")
        << name << "ann@mailexample" << message << friendName << friendMail << kProper;
    QTest::newRow("friend @ without .")
        << name << mail << message << friendName << "bob@mailexample" << kProper;
    QTest::newRow("e-mail faults before name")
        << ""
        << "ann@x" << message << friendName << friendMail << kProper;
    QTest::newRow("only . before @ passes")
        << name << "ann.lee@mailexample" << message << friendName << "b.o@b"
        << "";
    QTest::newRow("@ and . anywhere pass") << name << ".@" << message << friendName << "@."
                                           << "";
    QTest::newRow("name empty") << "" << mail << message << friendName << friendMail
                                << "Please Enter Your Name";
    QTest::newRow("name spaces only")
        << "   " << mail << message << friendName << friendMail << "Please Enter Your Name";
    QTest::newRow("name at watermark with spaces")
        << "  Your Name " << mail << message << friendName << friendMail
        << "Please Enter Your Name";
    QTest::newRow("name watermark other case passes")
        << "your name" << mail << message << friendName << friendMail << "";
    QTest::newRow("name before message")
        << "Your Name" << mail << "" << friendName << friendMail << "Please Enter Your Name";
    QTest::newRow("message empty")
        << name << mail << "" << friendName << friendMail << "Please Enter Your Message";
    QTest::newRow("message at watermark") << name << mail << " Your Message " << friendName
                                          << friendMail << "Please Enter Your Message";
    QTest::newRow("untouched message passes") << name << mail << "Your Message\r\n"
                                              << friendName << friendMail << "";
    QTest::newRow("message before friend's name")
        << name << mail << "Your Message"
        << "" << friendMail << "Please Enter Your Message";
    QTest::newRow("friend's name empty")
        << name << mail << message << "" << friendMail << "Please Enter Your Friend's Name";
    QTest::newRow("friend's name at watermark") << name << mail << message << "Friend's Name"
                                                << friendMail << "Please Enter Your Friend's Name";
    QTest::newRow("all valid") << name << mail << message << friendName << friendMail << "";
}

void TellAFriendTest::checksInOrder() {
    QFETCH(QString, senderName);
    QFETCH(QString, senderEmail);
    QFETCH(QString, message);
    QFETCH(QString, friendName);
    QFETCH(QString, friendEmail);
    QFETCH(QString, fault);

    Submission submission;
    submission.tellAFriend.Submit({senderName, senderEmail, message, friendName, friendEmail});

    if (fault.isEmpty()) {
        QVERIFY2(submission.messages.shown.isEmpty(),
                 qPrintable(submission.messages.texts().join(QLatin1Char('|'))));
        QCOMPARE(submission.opener.opened.size(), 1);
        QCOMPARE(submission.opener.opened.front(),
                 ReferAFriendRequest(TrimReferAFriendValues(
                     {senderName, senderEmail, message, friendName, friendEmail})));
    } else {
        QVERIFY(submission.opener.opened.isEmpty());
        QCOMPARE(submission.messages.texts(), QStringList{fault});
        const auto& shown = submission.messages.shown.front();
        QCOMPARE(shown.icon, MessageIcon::Error);
        QCOMPARE(shown.buttons, MessageButtons::Ok);
        QCOMPARE(shown.defaultButton, MessageAnswer::Ok);
    }
}

void TellAFriendTest::presenceMessagesUnreachableFromTheForm_data() {
    // The two e-mail presence checks can only fail for a value without "@",
    // which the e-mail checks refuse first; they are exercised directly.
    QTest::addColumn<QString>("senderEmail");
    QTest::addColumn<QString>("friendEmail");
    QTest::addColumn<QString>("fault");
    QTest::newRow("sender empty") << ""
                                  << "b@x.y"
                                  << "Please Enter Your Email";
    QTest::newRow("sender watermark") << "Your Email Address"
                                      << "b@x.y"
                                      << "Please Enter Your Email";
    QTest::newRow("friend empty") << "a@x.y"
                                  << ""
                                  << "Please Enter Your Friend's Email";
    QTest::newRow("friend watermark") << "a@x.y"
                                      << "Friend's Email Address"
                                      << "Please Enter Your Friend's Email";
}

void TellAFriendTest::presenceMessagesUnreachableFromTheForm() {
    QFETCH(QString, senderEmail);
    QFETCH(QString, friendEmail);
    QFETCH(QString, fault);
    const ReferAFriendValues values{QStringLiteral("Ann"), senderEmail, QStringLiteral("Hi"),
                                    QStringLiteral("Bob"), friendEmail};
    QCOMPARE(CheckReferAFriendPresence(values), std::optional<QString>(fault));

    Submission submission;
    submission.tellAFriend.Submit(values);
    QCOMPARE(submission.messages.texts(), QStringList{kProper});
}

void TellAFriendTest::requestCarriesEachValueExactly_data() {
    QTest::addColumn<QString>("senderName");
    QTest::addColumn<QString>("senderEmail");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("friendName");
    QTest::addColumn<QString>("friendEmail");

    QTest::newRow("space between words, spaces around") << "  Ann Lee "
                                                        << " ann@mail.example"
                                                        << "Try it"
                                                        << "Bob  Ray"
                                                        << "bob@mail.example  ";
    QTest::newRow("ampersand and equals") << "Ann & Bob"
                                          << "a&taf6=x@m.example"
                                          << "a=b&c=d"
                                          << "Tom&Jerry"
                                          << "b@m.example";
    QTest::newRow("hash and question mark") << "Ann #1"
                                            << "ann@m.example"
                                            << "Really? #yes"
                                            << "?Bob"
                                            << "b#c@m.example";
    QTest::newRow("line breaks and tab") << "Ann"
                                         << "ann@m.example"
                                         << "Line one\r\nLine two\r\n"
                                         << "Bob\tRay"
                                         << "b@m.example";
    QTest::newRow("untouched message") << "Ann"
                                       << "ann@m.example"
                                       << "Your Message\r\n"
                                       << "Bob"
                                       << "b@m.example";
    QTest::newRow("letters outside ASCII")
        << QString::fromUtf8("Zoë Ångström") << QString::fromUtf8("zoë@exämple.example")
        << QString::fromUtf8("日本語 – “quoted” ✓ 😀") << QString::fromUtf8("Łukasz")
        << "l@m.example";
    QTest::newRow("plus, percent and slash") << "A+B"
                                             << "a+b@m.example"
                                             << "100% /path %20 %zz"
                                             << "C/D"
                                             << "c@m.example";
}

void TellAFriendTest::requestCarriesEachValueExactly() {
    QFETCH(QString, senderName);
    QFETCH(QString, senderEmail);
    QFETCH(QString, message);
    QFETCH(QString, friendName);
    QFETCH(QString, friendEmail);

    Submission submission;
    submission.tellAFriend.Submit({senderName, senderEmail, message, friendName, friendEmail});
    QVERIFY2(submission.messages.shown.isEmpty(),
             qPrintable(submission.messages.texts().join(QLatin1Char('|'))));
    QCOMPARE(submission.opener.opened.size(), 1);
    const QString address = submission.opener.opened.front();

    for (const QChar c : address) {
        QVERIFY2(c.unicode() > 32 && c.unicode() < 127, qPrintable(address));
    }

    const QUrl url(address, QUrl::StrictMode);
    QVERIFY2(url.isValid(), qPrintable(url.errorString()));
    QCOMPARE(url.scheme(), QStringLiteral("http"));
    QCOMPARE(url.host(), HomeHost());
    QCOMPARE(url.path(), QStringLiteral("/qlsw-refer-a-friend.php"));
    QVERIFY(!url.hasFragment());

    const QList<QPair<QString, QString>> expected{
        {QStringLiteral("taf1"), TrimSpaces(senderName)},
        {QStringLiteral("taf2"), TrimSpaces(senderEmail)},
        {QStringLiteral("taf3"), TrimSpaces(message)},
        {QStringLiteral("taf4"), TrimSpaces(friendName)},
        {QStringLiteral("taf5"), TrimSpaces(friendEmail)},
        {QStringLiteral("taf6"), kProductSite},
    };
    QCOMPARE(QUrlQuery(url).queryItems(QUrl::FullyDecoded), expected);
    // The program's own site address goes out as it stands, not escaped.
    QVERIFY2(address.endsWith(QStringLiteral("&taf6=") + kProductSite), qPrintable(address));
}

void TellAFriendTest::requestForPlainValues() {
    const ReferAFriendValues values{QStringLiteral("Ann Lee"), QStringLiteral("ann@m.example"),
                                    QStringLiteral("Hi\r\n"), QStringLiteral("Bob"),
                                    QStringLiteral("bob@m.example")};
    // Concatenated, not formatted: the percent signs of the address are literal.
    QCOMPARE(ReferAFriendRequest(values),
             QStringLiteral("http://" KINDRELL_TEST_HOME_HOST
                            "/qlsw-refer-a-friend.php?taf1=Ann%20Lee&taf2=ann%40m.example"
                            "&taf3=Hi%0D%0A&taf4=Bob&taf5=bob%40m.example"
                            "&taf6=http://" KINDRELL_TEST_PRODUCT_HOST "/"));
}

void TellAFriendTest::storedValuesAreTrimmedAndOverwritten() {
    Submission submission;
    submission.tellAFriend.Submit({QStringLiteral(" Ann "), QString(), QStringLiteral("\tHi "),
                                   QStringLiteral("Bob"), QString()});
    QCOMPARE(submission.messages.texts(), QStringList{kDistinct});
    QCOMPARE(submission.tellAFriend.values(),
             (ReferAFriendValues{QStringLiteral("Ann"), QString(), QStringLiteral("\tHi"),
                                 QStringLiteral("Bob"), QString()}));

    submission.tellAFriend.Submit(
        {QString(), QStringLiteral("a@b.c"), QString(), QString(), QStringLiteral(" d@e.f")});
    QCOMPARE(submission.tellAFriend.values(),
             (ReferAFriendValues{QString(), QStringLiteral("a@b.c"), QString(), QString(),
                                 QStringLiteral("d@e.f")}));
    QCOMPARE(submission.messages.texts(),
             (QStringList{kDistinct, QStringLiteral("Please Enter Your Name")}));
}

void TellAFriendTest::secondSubmissionOpensSecondRequest() {
    Submission submission;
    const ReferAFriendValues values{QStringLiteral("Ann"), QStringLiteral("a@b.c"),
                                    QStringLiteral("Hi"), QStringLiteral("Bob"),
                                    QStringLiteral("d@e.f")};
    submission.tellAFriend.Submit(values);
    submission.tellAFriend.Submit(values);
    QCOMPARE(submission.opener.opened.size(), 2);
    QCOMPARE(submission.opener.opened.at(0), submission.opener.opened.at(1));
    QVERIFY(submission.messages.shown.isEmpty());
}

QTEST_GUILESS_MAIN(TellAFriendTest)
#include "tell_a_friend_test.moc"

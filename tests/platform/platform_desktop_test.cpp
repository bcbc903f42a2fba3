// The platform services that need a real desktop session (run on a private X
// server): the system clipboard, handing addresses to the browser, and
// modal message boxes.

#include "platform/qt_services.h"
#include "tests/platform/probe_runner.h"
#include "textrules/lines.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

Q_DECLARE_METATYPE(kindrell::platform::MessageIcon)
Q_DECLARE_METATYPE(kindrell::platform::MessageButtons)
Q_DECLARE_METATYPE(kindrell::platform::MessageAnswer)

using namespace kindrell::platform;
using kindrell::platform::test::runProbe;

namespace {

const QString kPlatformProbe = QStringLiteral(KINDRELL_PLATFORM_PROBE);

// What a message box looked like while it was up.
struct SeenBox {
    bool seen = false;
    QString objectName;
    QString title;
    QString text;
    QString originalText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QMessageBox::StandardButton escapeButton = QMessageBox::NoButton;
    QWidget* parent = nullptr;
    Qt::WindowModality modality = Qt::NonModal;
    int labelHeight = 0;
};

// Waits for the box to come up, records it, then lets `act` answer it.
void whenBoxShows(SeenBox& seen, const std::function<void(QMessageBox&)>& act) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, &seen, act] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        seen.seen = true;
        seen.objectName = box->objectName();
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.originalText = box->property(QtMessageBoxes::kOriginalTextProperty).toString();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        seen.defaultButton = box->standardButton(box->defaultButton());
        seen.escapeButton = box->standardButton(box->escapeButton());
        seen.parent = box->parentWidget();
        seen.modality = box->windowModality();
        if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
            seen.labelHeight = label->sizeHint().height();
        }
        act(*box);
    });
    poll->start(20);
}

} // namespace

class PlatformDesktopTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb")); }

    void clipboardClearEmptiesOwnText() {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("copied destiny text"));
        QTRY_COMPARE(clipboard->text(), QStringLiteral("copied destiny text"));
        QtClipboard().clear();
        QTRY_VERIFY(clipboard->text().isEmpty());
        QVERIFY(clipboard->mimeData()->formats().isEmpty());
        QVERIFY(!clipboard->ownsClipboard());
        // Clearing an empty clipboard, many times over, is silent.
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < 500; ++i) {
            QtClipboard().clear();
        }
        QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(clipboard->text().isEmpty());
    }

    void clipboardClearEmptiesAnotherProgramsText() {
        QProcess owner;
        owner.start(kPlatformProbe,
                    {QStringLiteral("own-clipboard"), QStringLiteral("text from elsewhere")});
        QVERIFY(owner.waitForStarted());
        QVERIFY(owner.waitForReadyRead(10000));
        QCOMPARE(QString::fromUtf8(owner.readLine()), QStringLiteral("owned\n"));
        QClipboard* clipboard = QGuiApplication::clipboard();
        QTRY_COMPARE(clipboard->text(), QStringLiteral("text from elsewhere"));

        QtClipboard().clear();

        QTRY_VERIFY(clipboard->text().isEmpty());
        // The other program was told it no longer owns the clipboard.
        QVERIFY(owner.waitForFinished(10000));
        QCOMPARE(owner.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(owner.readAll()), QStringLiteral("lost\n"));
    }

    // A stand-in for the desktop's opener records what it is handed; it
    // waits before it ends, so a launcher that waited for it would be slow.
    void linkIsHandedToTheDesktopUnchanged_data() {
        QTest::addColumn<QString>("address");
        QTest::newRow("home page") << "http://www.quillora.example";
        QTest::newRow("refer-a-friend request")
            << "http://www.quillora.example/taf.php?taf1=Anna%20Marie&taf2=a@mail.example"
               "&taf3=Your%20Message%0D%0A&taf4=Bo%26Co%3D1%23x%3Fy%3B%20rm%20-rf"
               "&taf5=%24(reboot)%60id%60&taf6=http://kindrell.quillora.example/";
    }
    void linkIsHandedToTheDesktopUnchanged() {
        QFETCH(QString, address);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString record = dir.filePath(QStringLiteral("opened.txt"));
        const QString opener = dir.filePath(QStringLiteral("xdg-open"));
        {
            QFile script(opener);
            QVERIFY(script.open(QIODevice::WriteOnly));
            script.write("#!/bin/sh\nPATH=/usr/bin:/bin\nprintf '%s|%s' \"$#\" \"$1\" > '" +
                         record.toUtf8() + ".part'\nmv '" + record.toUtf8() + ".part' '" +
                         record.toUtf8() + "'\nsleep 3\n");
        }
        QVERIFY(
            QFile::setPermissions(opener, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        // The desktop service looks for its opener on the PATH of the process;
        // a probe process gets a PATH with only the stand-in on it.
        auto environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("PATH"), dir.path());
        environment.remove(QStringLiteral("BROWSER"));
        environment.remove(QStringLiteral("DEFAULT_BROWSER"));
        const auto result =
            runProbe(kPlatformProbe, {QStringLiteral("open-link"), address}, environment);
        QVERIFY2(result.finished && result.exitCode == 0, qPrintable(result.err));
        QVERIFY2(result.out.trimmed().toInt() < 1000, qPrintable(result.out));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 5000);
        QFile opened(record);
        QVERIFY(opened.open(QIODevice::ReadOnly));
        // One argument, the address exactly as given: no shell got to see it.
        QCOMPARE(QString::fromUtf8(opened.readAll()), QStringLiteral("1|") + address);
    }

    void linkWithNoBrowserIsSilent_data() {
        QTest::addColumn<QString>("platform");
        QTest::newRow("desktop session") << "xcb";
        QTest::newRow("headless") << "offscreen";
    }
    void linkWithNoBrowserIsSilent() {
        QFETCH(QString, platform);
        QTemporaryDir emptyPath;
        QVERIFY(emptyPath.isValid());
        auto environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("PATH"), emptyPath.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
        environment.remove(QStringLiteral("BROWSER"));
        environment.remove(QStringLiteral("DEFAULT_BROWSER"));
        QElapsedTimer timer;
        timer.start();
        const auto result =
            runProbe(kPlatformProbe,
                     {QStringLiteral("open-link"), QStringLiteral("http://www.quillora.example")},
                     environment);
        QVERIFY2(result.finished, qPrintable(result.err));
        QCOMPARE(result.exitCode, 0);
        QVERIFY2(result.out.trimmed().toInt() < 1000, qPrintable(result.out));
        QVERIFY(timer.elapsed() < 5000);
        qInfo("opening with no browser (%s) printed: %s", qPrintable(platform),
              qPrintable(result.err.trimmed()));
    }

    void messageBox_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<MessageIcon>("icon");
        QTest::addColumn<MessageButtons>("buttons");
        QTest::addColumn<MessageAnswer>("defaultButton");
        QTest::addColumn<int>("key"); // 0: click the button named by `press`
        QTest::addColumn<QMessageBox::StandardButton>("press");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<QMessageBox::Icon>("boxIcon");
        QTest::addColumn<QMessageBox::StandardButtons>("boxButtons");
        QTest::addColumn<QMessageBox::StandardButton>("boxDefault");
        QTest::addColumn<QMessageBox::StandardButton>("boxEscape");

        const auto ok = QMessageBox::StandardButtons(QMessageBox::Ok);
        const auto yesNo = QMessageBox::StandardButtons(QMessageBox::Yes | QMessageBox::No);
        const QString question = QStringLiteral("There maybe an update to this software "
                                                "available\rDo you want to check for an update?");
        QTest::newRow("error, OK clicked")
            << "Name Can Accept Text Only" << MessageIcon::Error << MessageButtons::Ok
            << MessageAnswer::Ok << 0 << QMessageBox::Ok << MessageAnswer::Ok
            << QMessageBox::Critical << ok << QMessageBox::Ok << QMessageBox::Ok;
        QTest::newRow("information, Escape")
            << "Application is already running" << MessageIcon::Information << MessageButtons::Ok
            << MessageAnswer::Ok << int(Qt::Key_Escape) << QMessageBox::NoButton
            << MessageAnswer::Ok << QMessageBox::Information << ok << QMessageBox::Ok
            << QMessageBox::Ok;
        QTest::newRow("question, Enter takes the default Yes")
            << question << MessageIcon::Information << MessageButtons::YesNo << MessageAnswer::Yes
            << int(Qt::Key_Return) << QMessageBox::NoButton << MessageAnswer::Yes
            << QMessageBox::Information << yesNo << QMessageBox::Yes << QMessageBox::No;
        QTest::newRow("question, Escape answers No")
            << question << MessageIcon::Information << MessageButtons::YesNo << MessageAnswer::Yes
            << int(Qt::Key_Escape) << QMessageBox::NoButton << MessageAnswer::No
            << QMessageBox::Information << yesNo << QMessageBox::Yes << QMessageBox::No;
        QTest::newRow("question, No clicked")
            << question << MessageIcon::Information << MessageButtons::YesNo << MessageAnswer::Yes
            << 0 << QMessageBox::No << MessageAnswer::No << QMessageBox::Information << yesNo
            << QMessageBox::Yes << QMessageBox::No;
        QTest::newRow("question, default No, Enter")
            << "Sure?" << MessageIcon::Error << MessageButtons::YesNo << MessageAnswer::No
            << int(Qt::Key_Return) << QMessageBox::NoButton << MessageAnswer::No
            << QMessageBox::Critical << yesNo << QMessageBox::No << QMessageBox::No;
        QTest::newRow("question, default No, Yes clicked")
            << "Sure?" << MessageIcon::Error << MessageButtons::YesNo << MessageAnswer::No << 0
            << QMessageBox::Yes << MessageAnswer::Yes << QMessageBox::Critical << yesNo
            << QMessageBox::No << QMessageBox::No;
        QTest::newRow("markup is shown as typed")
            << "<b>Email</b> & Name" << MessageIcon::Error << MessageButtons::Ok
            << MessageAnswer::Ok << 0 << QMessageBox::Ok << MessageAnswer::Ok
            << QMessageBox::Critical << ok << QMessageBox::Ok << QMessageBox::Ok;
    }
    void messageBox() {
        QFETCH(QString, text);
        QFETCH(MessageIcon, icon);
        QFETCH(MessageButtons, buttons);
        QFETCH(MessageAnswer, defaultButton);
        QFETCH(int, key);
        QFETCH(QMessageBox::StandardButton, press);
        QFETCH(MessageAnswer, answer);
        QFETCH(QMessageBox::Icon, boxIcon);
        QFETCH(QMessageBox::StandardButtons, boxButtons);
        QFETCH(QMessageBox::StandardButton, boxDefault);
        QFETCH(QMessageBox::StandardButton, boxEscape);

        SeenBox seen;
        whenBoxShows(seen, [key, press](QMessageBox& box) {
            if (key != 0) {
                QTest::keyClick(&box, Qt::Key(key));
            } else {
                box.button(press)->click();
            }
        });
        QtMessageBoxes boxes;
        const MessageAnswer given = boxes.show(text, icon, buttons, defaultButton);

        QVERIFY(seen.seen);
        QCOMPARE(given, answer);
        QCOMPARE(seen.objectName, QtMessageBoxes::kObjectName);
        QCOMPARE(seen.title, QStringLiteral("QL Kindrell"));
        QCOMPARE(seen.originalText, text);
        QCOMPARE(seen.text, kindrell::text::WithLineFeeds(text));
        QCOMPARE(seen.icon, boxIcon);
        QCOMPARE(seen.buttons, boxButtons);
        QCOMPARE(seen.defaultButton, boxDefault);
        QCOMPARE(seen.escapeButton, boxEscape);
        QCOMPARE(seen.modality, Qt::ApplicationModal);
        QCOMPARE(seen.parent, nullptr); // no window of the program is up
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    // Keys typed on the X keyboard into a box of another process.
    void messageBoxAnswersTheKeyboard_data() {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("answer");
        QTest::newRow("Enter takes the default") << QStringList{"Return"} << "Yes";
        QTest::newRow("Escape answers No") << QStringList{"Escape"} << "No";
        QTest::newRow("access key of No") << QStringList{"alt+n"} << "No";
    }
    void messageBoxAnswersTheKeyboard() {
        QFETCH(QStringList, keys);
        QFETCH(QString, answer);
        QProcess box;
        box.start(kPlatformProbe, {QStringLiteral("message-box"), QStringLiteral("Sure?")});
        QVERIFY(box.waitForStarted());
        const QStringList focus{QStringLiteral("search"),      QStringLiteral("--sync"),
                                QStringLiteral("--name"),      QStringLiteral("^QL Kindrell$"),
                                QStringLiteral("windowfocus"), QStringLiteral("--sync")};
        QTest::qWait(300);
        QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), focus), 0);
        QTest::qWait(200);
        QCOMPARE(
            QProcess::execute(QStringLiteral("xdotool"), QStringList{QStringLiteral("key")} + keys),
            0);
        QVERIFY(box.waitForFinished(5000));
        QCOMPARE(box.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(box.readAllStandardOutput()).trimmed(), answer);
    }

    void messageBoxShowsCarriageReturnAsLineBreak() {
        SeenBox single;
        whenBoxShows(single, [](QMessageBox& box) { box.button(QMessageBox::Ok)->click(); });
        QtMessageBoxes().showInformation(QStringLiteral("First sentence.Second sentence."));
        SeenBox twoLines;
        whenBoxShows(twoLines, [](QMessageBox& box) { box.button(QMessageBox::Ok)->click(); });
        QtMessageBoxes().showInformation(QStringLiteral("First sentence.\rSecond sentence."));
        QVERIFY(single.labelHeight > 0);
        QVERIFY2(twoLines.labelHeight >= 2 * single.labelHeight - 2,
                 qPrintable(
                     QStringLiteral("%1 vs %2").arg(twoLines.labelHeight).arg(single.labelHeight)));
    }

    void messageBoxCarriesTheProgramsTitle() {
        SeenBox seen;
        whenBoxShows(seen, [](QMessageBox& box) { box.button(QMessageBox::Ok)->click(); });
        QtMessageBoxes(QStringLiteral("QL Kindrell Name Finder"))
            .showError(QStringLiteral("The file could not be read."));
        QVERIFY(seen.seen);
        QCOMPARE(seen.title, QStringLiteral("QL Kindrell Name Finder"));
    }

    void fileChooserAnswersThePathOrNothing_data() {
        QTest::addColumn<bool>("save");
        QTest::addColumn<bool>("accept");
        QTest::newRow("open") << false << true;
        QTest::newRow("open, cancelled") << false << false;
        QTest::newRow("save") << true << true;
        QTest::newRow("save, cancelled") << true << false;
    }
    void fileChooserAnswersThePathOrNothing() {
        QFETCH(bool, save);
        QFETCH(bool, accept);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath(QStringLiteral("names.txt"));
        if (!save) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QString title;
        bool saving = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || !dialog->isVisible()) {
                return;
            }
            poll.stop();
            title = dialog->windowTitle();
            saving = dialog->acceptMode() == QFileDialog::AcceptSave;
            if (accept) {
                // The dialog leaves its file name box alone while that box
                // has the focus, as it does once the dialog is active.
                if (QWidget* focused = dialog->focusWidget()) {
                    focused->clearFocus();
                }
                dialog->selectFile(path);
                // QFileDialog::accept is protected; QDialog's is public and virtual.
                static_cast<QDialog*>(dialog)->accept();
            } else {
                dialog->reject();
            }
        });
        poll.start(20);
        QtFileChooser chooser;
        const QString filter = QStringLiteral("Text files (*.txt);;All files (*)");
        const QString chosen =
            save ? chooser.chooseFileToSave(QStringLiteral("Save Marked Names"), path, filter)
                 : chooser.chooseFileToOpen(QStringLiteral("Open List"), filter);
        QCOMPARE(title, save ? QStringLiteral("Save Marked Names") : QStringLiteral("Open List"));
        QCOMPARE(saving, save);
        QCOMPARE(chosen, accept ? path : QString());
    }

    void messageBoxCentresOverTheActiveWindow() {
        QWidget window;
        window.setWindowTitle(QStringLiteral("main"));
        window.setGeometry(300, 200, 600, 400);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        SeenBox seen;
        QPoint boxCentre;
        whenBoxShows(seen, [&boxCentre](QMessageBox& box) {
            boxCentre = box.frameGeometry().center();
            box.button(QMessageBox::Ok)->click();
        });
        QtMessageBoxes().showError(QStringLiteral("Name Can Accept Text Only"));
        QVERIFY(seen.seen);
        QCOMPARE(seen.parent, &window);
        // It blocks every window of the program, not only the one below it.
        QCOMPARE(seen.modality, Qt::ApplicationModal);
        QVERIFY2((boxCentre - window.frameGeometry().center()).manhattanLength() < 60,
                 qPrintable(QStringLiteral("%1,%2").arg(boxCentre.x()).arg(boxCentre.y())));
    }

    void messageBoxOverAnotherModalBoxTakesItAsParent() {
        QWidget window;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        SeenBox outer;
        SeenBox inner;
        QWidget* outerBox = nullptr;
        whenBoxShows(outer, [&](QMessageBox& box) {
            outerBox = &box;
            whenBoxShows(inner,
                         [](QMessageBox& innerBox) { innerBox.button(QMessageBox::Ok)->click(); });
            QtMessageBoxes().showError(QStringLiteral("inner"));
            box.button(QMessageBox::No)->click();
        });
        const MessageAnswer answer =
            QtMessageBoxes().show(QStringLiteral("outer"), MessageIcon::Information,
                                  MessageButtons::YesNo, MessageAnswer::Yes);
        QCOMPARE(answer, MessageAnswer::No);
        QCOMPARE(outer.parent, &window);
        QVERIFY(inner.seen);
        QCOMPARE(inner.parent, outerBox);
    }

    void messageBoxWhoseParentGoesAwayAnswersNo() {
        auto window = std::make_unique<QWidget>();
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        SeenBox seen;
        whenBoxShows(seen, [&window](QMessageBox&) { window.reset(); });
        const MessageAnswer answer =
            QtMessageBoxes().show(QStringLiteral("question"), MessageIcon::Information,
                                  MessageButtons::YesNo, MessageAnswer::Yes);
        QVERIFY(seen.seen);
        QCOMPARE(answer, MessageAnswer::No);
    }
};

QTEST_MAIN(PlatformDesktopTest)
#include "platform_desktop_test.moc"

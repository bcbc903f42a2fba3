#pragma once

// A name finder window driven through the recording fakes, found control by
// control by object name. The fakes outlive the window, so that a test can
// close it and open another on what the first one kept: a restart.

#include "finder/finder_window.h"
#include "finder/names_model.h"
#include "platform/qt_storage.h"
#include "tests/support/platform_fakes.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <memory>

namespace kindrell::finder::test {

struct FinderHarness {
    platform::FakeMessageBoxes messages;
    platform::FakeFileChooser files;
    platform::FakeSettings settings;
    platform::FakeUserDataFiles dataFiles;
    platform::FakeClock clock;
    platform::FakePrinting printing;
    std::unique_ptr<platform::QtSettings> realSettings;
    std::unique_ptr<platform::QtUserDataFiles> realDataFiles;
    // The stores the window keeps its things in: the fakes above, unless a
    // test hands it the real ones.
    platform::SettingsBackend* settingsStore = &settings;
    platform::UserDataFiles* dataStore = &dataFiles;
    std::unique_ptr<FinderWindow> window;

    FinderHarness() { restart(); }
    // A window on the real stores: the per-user settings, and the data
    // files in `dataFolder`.
    explicit FinderHarness(const QString& dataFolder)
        : realSettings(std::make_unique<platform::QtSettings>()),
          realDataFiles(std::make_unique<platform::QtUserDataFiles>(dataFolder)) {
        settingsStore = realSettings.get();
        dataStore = realDataFiles.get();
        restart();
    }

    // A new window on what the last one kept, with its starting list read.
    void restart() {
        window.reset();
        window = std::make_unique<FinderWindow>(
            FinderServices{messages, files, *settingsStore, *dataStore, clock, printing});
        window->openStartingList();
        waitForList();
    }

    // Until the list being read off the window's thread has arrived.
    void waitForList() const { QTRY_VERIFY_WITH_TIMEOUT(!window->readingList(), 30000); }
    // Chooses the file in the open dialog and waits for its list: whether
    // the window now shows it.
    bool openList(const QString& path) {
        files.paths.push_back(path);
        window->openList();
        waitForList();
        return window->windowTitle().startsWith(QFileInfo(path).fileName() +
                                                QStringLiteral(" \u2014"));
    }

    template <class Control> Control* find(const char* objectName) const {
        auto* control = window->findChild<Control*>(QString::fromLatin1(objectName));
        if (control == nullptr) {
            qFatal("the finder has no control called %s", objectName);
        }
        return control;
    }
    QLineEdit* box(const char* objectName) const { return find<QLineEdit>(objectName); }
    QComboBox* choices(const char* objectName) const { return find<QComboBox>(objectName); }
    QString line(const char* objectName) const { return find<QLabel>(objectName)->text(); }
    QPushButton* button(const char* objectName) const { return find<QPushButton>(objectName); }
    QTableView* table() const { return find<QTableView>("table"); }
    NamesModel* model() const { return qobject_cast<NamesModel*>(table()->model()); }

    void typeParents(const QString& father, const QString& mother) const {
        QTest::keyClicks(box("fatherBox"), father);
        QTest::keyClicks(box("motherBox"), mother);
    }
    QString cell(int row, int column) const {
        return model()->index(row, column).data().toString();
    }
    // Name, sex, number, mother, father, births and trend of a row, joined by "|".
    QString rowText(int row) const {
        QStringList cells;
        for (int column = 0; column <= NamesModel::TrendColumn; ++column) {
            cells << cell(row, column);
        }
        return cells.join(QLatin1Char('|'));
    }
    int rowOf(const QString& name, const QString& sex) const {
        for (int row = 0; row < model()->rowCount(); ++row) {
            if (cell(row, NamesModel::NameColumn) == name &&
                cell(row, NamesModel::SexColumn) == sex) {
                return row;
            }
        }
        return -1;
    }
    void mark(int row) const {
        table()->setCurrentIndex(model()->index(row, NamesModel::BirthsColumn));
        QTest::keyClick(table(), Qt::Key_Space);
    }
};

inline void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

inline QString AccessibleText(QWidget* widget, QAccessible::Text text = QAccessible::Name) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible != nullptr ? accessible->text(text) : QString();
}

} // namespace kindrell::finder::test

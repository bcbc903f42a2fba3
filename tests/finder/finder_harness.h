#pragma once

// A name finder window driven through the recording fakes, found control by
// control by object name. The fakes outlive the window, so that a test can
// close it and open another on what the first one kept: a restart.

#include "finder/finder_window.h"
#include "finder/names_model.h"
#include "tests/support/platform_fakes.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
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
    std::unique_ptr<FinderWindow> window;

    FinderHarness() { restart(); }

    // A new window on what the last one kept, with its starting list read.
    void restart() {
        window.reset();
        window =
            std::make_unique<FinderWindow>(FinderServices{messages, files, settings, dataFiles});
        window->openStartingList();
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
    // Name, sex, number, mother, father, births of a row, joined by "|".
    QString rowText(int row) const {
        QStringList cells;
        for (int column = 0; column < NamesModel::kColumnCount; ++column) {
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

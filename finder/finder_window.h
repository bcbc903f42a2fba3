#pragma once

// "QL Kindrell Name Finder": which real names are in harmony with both
// parents. Type the two parents' names; the table shows the names of the
// bundled list (or of a list the user opened) that pass the filters, with
// each parent's verdict. The selected name's working is shown below; marked
// names can be saved as a shortlist for kindrell-reading.

#include "platform/services.h"

#include <QMainWindow>
#include <QString>

#include <cstdint>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace kindrell::finder {

class NamesModel;

inline const QString kFinderTitle = QStringLiteral("QL Kindrell Name Finder");

class FinderWindow final : public QMainWindow {
    Q_OBJECT
  public:
    FinderWindow(platform::MessageBoxes& messages, platform::FileChooser& files,
                 QWidget* parent = nullptr);
    ~FinderWindow() override;

    // Weighs the bundled list. The window starts with an empty list.
    void useBundledList();
    // Reads the bundled list once the window has been painted for the first
    // time: the window then appears without waiting for the list, which
    // nothing needs before both parents' names are typed (see the start-up
    // figures in docs/benchmarks.md).
    void useBundledListOnceShown();
    // Asks for a file and weighs its names instead; false when nothing changed.
    bool openList();
    // Asks where to save the marked names and saves them; false when they
    // were not saved.
    bool saveMarkedNames();

    // The controls, for those who drive the window from outside.
    QLineEdit* fatherBox() const { return fatherBox_; }
    QLineEdit* motherBox() const { return motherBox_; }
    QComboBox* sexBox() const { return sexBox_; }
    QComboBox* harmonyBox() const { return harmonyBox_; }
    QLineEdit* prefixBox() const { return prefixBox_; }
    QComboBox* numberBox() const { return numberBox_; }
    QLabel* countLine() const { return countLine_; }
    QTableView* table() const { return table_; }
    NamesModel* model() const { return model_; }
    QLabel* selectedName() const { return selectedName_; }
    QLabel* working() const { return working_; }
    QLabel* motherLine() const { return motherLine_; }
    QLabel* fatherLine() const { return fatherLine_; }
    QLabel* markedLine() const { return markedLine_; }
    QPushButton* openButton() const { return openButton_; }
    QPushButton* bundledButton() const { return bundledButton_; }
    QPushButton* saveButton() const { return saveButton_; }

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    void applyFilter();
    void showCount();
    void showMarks();
    void showSelected();
    void showList(const QString& fileName);
    // Before the marks are lost: offers to save them. False: keep them.
    bool marksMayGo();

    platform::MessageBoxes& messages_;
    platform::FileChooser& files_;
    NamesModel* model_ = nullptr;
    QString listFileName_; // empty for the bundled list
    std::int32_t selectedEntry_ = -1;
    bool loadOnPaint_ = false;

    QLineEdit* fatherBox_ = nullptr;
    QLineEdit* motherBox_ = nullptr;
    QComboBox* sexBox_ = nullptr;
    QComboBox* harmonyBox_ = nullptr;
    QLineEdit* prefixBox_ = nullptr;
    QComboBox* numberBox_ = nullptr;
    QLabel* countLine_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* selectedName_ = nullptr;
    QLabel* working_ = nullptr;
    QLabel* motherLine_ = nullptr;
    QLabel* fatherLine_ = nullptr;
    QLabel* markedLine_ = nullptr;
    QPushButton* openButton_ = nullptr;
    QPushButton* bundledButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
};

} // namespace kindrell::finder

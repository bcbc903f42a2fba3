#pragma once

// "QL Kindrell Name Finder": which real names are in harmony with both
// parents. Type the two parents' names; the table shows the names of the
// bundled list (or of a list the user opened) that pass the filters, with
// each parent's verdict, and says why when it shows none; a name one likes
// narrows it to that name's spellings. The selected name's working, its
// births over the years and its shares between girls and boys are shown
// below. Marks are kept per list as they are made,
// and the parents, filters, order, window and open list are remembered
// between runs; marked names can also be saved as a shortlist for
// kindrell-reading.
//
// The controls carry object names ("fatherBox", "countLine", "table"...)
// by which whoever drives the window from outside finds them.

#include "finder/finder_state.h"
#include "finder/list_loader.h"
#include "finder/marks_store.h"
#include "namelist/shortlist_file.h"
#include "platform/services.h"
#include "textrules/name_folding.h"

#include <QMainWindow>
#include <QString>

#include <cstdint>

namespace kindrell::widgets {
class FlowRow;
} // namespace kindrell::widgets

class QCheckBox;
class QComboBox;
class QFormLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace kindrell::finder {

class BirthsChart;
class FilterRow;
class NamesModel;

inline const QString kFinderTitle = QStringLiteral("QL Kindrell Name Finder");

struct FinderServices {
    platform::MessageBoxes& messages;
    platform::FileChooser& files;
    platform::SettingsBackend& settings;
    platform::UserDataFiles& dataFiles;
    platform::Clock& clock; // dates what is moved aside
    platform::Printing& printing;
};

class FinderWindow final : public QMainWindow {
    Q_OBJECT
  public:
    // Opens as it was left: parents, filters, order and place as remembered.
    explicit FinderWindow(const FinderServices& services, QWidget* parent = nullptr);
    ~FinderWindow() override;

    // Weighs the list that was open when the finder last ran (read off the
    // window's thread: see readingList()), or the bundled list; the window
    // starts with an empty list.
    void openStartingList();
    // The same once the window has been painted for the first time: the
    // window then appears without waiting for the list, which nothing needs
    // before both parents' names are typed (see the start-up figures in
    // docs/benchmarks-finder.md).
    void openStartingListOnceShown();
    // Weighs the bundled list.
    void useBundledList();
    // Asks for a file and starts reading its names, to weigh them instead
    // once read; false when the user chose none.
    bool openList();
    // Whether a list of one's own is being read; the list shown stays until
    // it arrives.
    [[nodiscard]] bool readingList() const;
    // Asks where to save the marked names and saves them; false when they
    // were not saved.
    bool saveMarkedNames();
    // Asks for a partner's shortlist and compares the marks with it; false
    // when none was compared.
    bool comparePartnerList();
    void stopComparing();
    // Prints the marked names; false when they were not printed.
    bool printMarkedNames();
    // Shown, un-minimised, raised and active: another start of the finder
    // asks for it.
    void bringToFront();

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // What the notice line tells of, so that a notice that no longer holds
    // goes, and no other with it.
    enum class Notice { None, ReadingList, MarksNotKept, Other };

    // The window's rows, top to bottom (finder_rows.cpp).
    void buildControls();
    QFormLayout* buildParentsRows(QWidget* central);
    void buildTable(QWidget* central);
    QWidget* buildSelectedPane(QWidget* central);
    widgets::FlowRow* buildListsRow(QWidget* central);
    void connectControls();

    // Its behaviour.
    void showState(const FinderState& state);
    void reweigh();
    void applyFilter();
    void applyOrderChoice();
    void showOrder(int column, Qt::SortOrder order);
    void remember(const StateValue& value);
    void rememberGeometry();

    // Its lists and marks (finder_lists.cpp).
    void showList(const QString& path);
    void useList(const QString& path, namelist::NameList list);
    void listArrived(LoadedList loaded);
    void keepMarks();
    void placeOnScreen(const QByteArray& stored);

    // A partner's list compared (finder_shortlists.cpp).
    bool readPartner(const QString& path, bool atStart);
    void applyPartner();

    // Its lines of text (finder_lines.cpp).
    void showCount();
    void showMarks();
    void showSelected();
    void showEntry(const namelist::NameEntry& entry, std::int32_t index);
    void showLikedName();
    void notify(const QString& notice, Notice kind = Notice::Other);
    void clearNotice(Notice kind);

    void readSettings();
    void noticeStoredValues(const StoredState& stored);

    platform::MessageBoxes& messages_;
    platform::FileChooser& files_;
    platform::Clock& clock_;
    platform::Printing& printing_;
    FinderSettings settings_;
    MarksStore marksStore_;
    NamesModel* model_ = nullptr;
    ListLoader* loader_ = nullptr;
    text::WeighedName father_; // as the boxes hold them, weighed once per change
    text::WeighedName mother_;
    QString listPath_;    // the open list's file; empty for the bundled list
    QString partnerPath_; // the partner's list compared; empty while none is
    std::vector<namelist::ShortlistName> partner_;
    QString saveFolder_; // where the last shortlist was saved
    QString startingListPath_;
    bool startingListLoading_ = false; // the list being read is the one of the last run
    std::int32_t selectedEntry_ = -1;
    bool loadOnPaint_ = false;
    bool settingsRefused_ = false;
    // False while the open list's marks file could be neither read nor
    // moved aside: nothing is written over it.
    bool marksKept_ = true;
    Notice notice_ = Notice::None;

    QLineEdit* fatherBox_ = nullptr;
    QLineEdit* motherBox_ = nullptr;
    QLabel* fatherNumber_ = nullptr;
    QLabel* motherNumber_ = nullptr;
    FilterRow* filters_ = nullptr;
    QLabel* countLine_ = nullptr;
    QLabel* emptyLine_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* selectedName_ = nullptr;
    QLabel* working_ = nullptr;
    QLabel* motherLine_ = nullptr;
    QLabel* fatherLine_ = nullptr;
    QLabel* sharesLine_ = nullptr;
    QLabel* likedLine_ = nullptr;
    BirthsChart* chart_ = nullptr;
    QLabel* markedLine_ = nullptr;
    QLabel* noticeLine_ = nullptr;
    QPushButton* openButton_ = nullptr;
    QPushButton* bundledButton_ = nullptr;
    QPushButton* compareButton_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* printButton_ = nullptr;
};

} // namespace kindrell::finder

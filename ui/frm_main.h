#pragma once

// The main window: the name boxes, the reading, the menus and the
// promotional labels.

#include "platform/services.h"
#include "weblinks/mod_help.h"

#include <QMainWindow>

#include <array>
#include <cstddef>
#include <functional>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace kindrell::widgets {
class LinkLabel;
} // namespace kindrell::widgets

namespace kindrell::ui {

class CaptionFrame;
class NameKeyFilter;
class ResultBox;

// The working window: the entry view (fraMain) with the three name boxes and
// the result view (fraResult) with the reading lie on the same rectangle; the
// window switches between them only by bringing one to the front. Neither is
// ever hidden or disabled, so the covered one still takes the keyboard.
class frmMain : public QMainWindow {
    Q_OBJECT
  public:
    frmMain(platform::MessageBoxes& messages, platform::Clipboard& clipboard,
            weblinks::modHelp& help, QWidget* parent = nullptr);
    ~frmMain() override;

    // Runs from the close event, whatever the cause of the close; the close
    // is then accepted and the window deletes itself.
    void setCloseHandOff(std::function<void()> handOff);

    // The two promotional labels, one of which the start-up brings to the
    // front. The other controls are reached by object name: their own name,
    // with the index appended for a member of a control array ("txtName0").
    QLabel* lblCobrand() const;
    QLabel* lblFullBrand() const;

    // The window's operations, as its buttons run them.
    void Proceed();
    void DoItOnceAgain();

    // Shows the about box modal and returns when it has been closed.
    void ShowAbout();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // The members of the control arrays, by the index each has in its array.
    enum NameBox : std::size_t { ChildBox = 0, FatherBox = 1, MotherBox = 2 };
    // lblResult: the three destinies, then the verdicts on the mother and the
    // father; txtResult: the three descriptions, under the same indices as
    // their destinies. Mother comes before father here, unlike in the names.
    enum ResultRow : std::size_t {
        ChildResult = 0,
        MotherResult = 1,
        FatherResult = 2,
        MotherVerdict = 3,
        FatherVerdict = 4
    };
    // lblLabel: the introductions of the two views and the name prompts;
    // there is no member 2.
    enum CaptionLabel : std::size_t {
        EntryIntroLabel = 0,
        ResultIntroLabel = 1,
        FatherPromptLabel = 3,
        ChildPromptLabel = 4,
        MotherPromptLabel = 5
    };

    // The window's parts (frm_main_parts.cpp).
    void buildEntryView(QWidget& client);
    void buildResultView(QWidget& client);
    void buildBrandArea(QWidget& client);
    void buildMenus();
    void setTabOrder();

    // Its behaviour.
    void setResultCaption(std::size_t index, const QString& caption);

    platform::MessageBoxes& messages_;
    platform::Clipboard& clipboard_;
    weblinks::modHelp& help_;
    std::function<void()> closeHandOff_;

    NameKeyFilter* nameKeyFilter_ = nullptr;
    widgets::LinkLabel* label14_ = nullptr;
    CaptionFrame* fraMain_ = nullptr;
    CaptionFrame* frame1_ = nullptr;
    CaptionFrame* fraResult_ = nullptr;
    CaptionFrame* fraFullBrand_ = nullptr;
    std::array<QLabel*, 6> lblLabel_{};
    std::array<QLineEdit*, 3> txtName_{};
    std::array<QLabel*, 5> lblResult_{};
    std::array<int, 5> lblResultDesignWidth_{};
    std::array<ResultBox*, 3> txtResult_{};
    QPushButton* cmdProceed_ = nullptr;
    QPushButton* cmdBack_ = nullptr;
    widgets::LinkLabel* lblCobrand_ = nullptr;
    widgets::LinkLabel* lblFullBrand_ = nullptr;

    QMenu* mnuFile_ = nullptr;
    QMenu* mnuHelp_ = nullptr;
    QAction* mnuCalculate_ = nullptr;
    QAction* mnuSep1_ = nullptr;
    QAction* mnuExit_ = nullptr;
    QAction* mnuOnline_ = nullptr;
    QAction* mnuVisit_ = nullptr;
    QAction* mnuUpdate_ = nullptr;
    QAction* mnuAbout_ = nullptr;
    QAction* mnuDonate_ = nullptr;
    QAction* mnuMakeMoney_ = nullptr;
};

} // namespace kindrell::ui

#pragma once

// The exit support dialog with its refer-a-friend form.

#include "outreach/mod_tell_a_friend.h"
#include "platform/services.h"
#include "weblinks/mod_help.h"

#include <QString>
#include <QWidget>

#include <functional>

class QCheckBox;
class QCloseEvent;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kindrell::outreach {

// The four promotional texts of Label2, each naming the home site by
// weblinks::SiteName().
inline constexpr int kPromotionalTextCount = 4;
QString PromotionalText(int index);
// Which promotional text a draw r in [0, 1) picks: the integer part of r * 4.
int PromotionalDraw(double r);
// The fixed text of Label3 about the software catalogue.
QString CatalogueText();

// The exit support dialog, shown when the main window closes. Every way out of
// it (its "E&xit" button, the close box, Alt+F4, any close) ends the program
// through the shutdown it is given.
class frmNagScreen2 : public QWidget {
    Q_OBJECT

  public:
    frmNagScreen2(platform::MessageBoxes& messages, platform::RandomSource& random,
                  platform::WindowPlacement& placement, weblinks::modHelp& help,
                  std::function<void()> shutdown, QWidget* parent = nullptr);

    // The refer-a-friend submission behind "Refer A Friend &Now".
    const modTellAFriend& tellAFriend() const { return tellAFriend_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The window's parts (frm_nag_screen2_parts.cpp).
    void BuildControls();
    void BuildSupportArea();
    void BuildReferAFriendFrame();
    void BuildDownloadFrame();
    void SetFocusOrder();

    // Its behaviour.
    void Form_Load(platform::RandomSource& random, platform::WindowPlacement& placement);
    void Check1_Click();
    void cmdClose_Click();
    void cmdSubmit_Click();
    bool RefuseTypedSpace(QLineEdit& box, QEvent* event);

    platform::MessageBoxes& messages_;
    weblinks::modHelp& help_;
    std::function<void()> shutdown_;
    modTellAFriend tellAFriend_;
    bool closing_ = false; // a close in progress, so that shutdown runs once per close

    QLabel* Picture1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QCheckBox* Check1 = nullptr;
    QPushButton* cmdClose = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLineEdit* txtName = nullptr;
    QLineEdit* txtEmail = nullptr;
    QLineEdit* txtFriendName = nullptr;
    QLineEdit* txtFriendEmail = nullptr;
    QPushButton* cmdSubmit = nullptr;
    QPlainTextEdit* txtMessage = nullptr;
    QGroupBox* Frame6 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* lblGoToHome = nullptr;
};

} // namespace kindrell::outreach

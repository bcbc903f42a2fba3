#pragma once

// The about box.

#include "weblinks/mod_help.h"

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace kindrell::widgets {
class LinkLabel;
} // namespace kindrell::widgets

namespace kindrell::ui {

// The about box: the product's title and description and two links. It is
// created for each showing and shown modal; OK, Enter and Escape close it.
class frmAbout : public QDialog {
    Q_OBJECT
  public:
    explicit frmAbout(weblinks::modHelp& help, QWidget* parent = nullptr);

    QLabel* picIcon() const { return picIcon_; }
    QLabel* label1() const { return label1_; }
    QLabel* label2() const { return label2_; }
    QLabel* label3() const { return label3_; }
    QLabel* lblHomePage() const;
    QLabel* lblCoBrand() const;
    QFrame* line2() const { return line2_; }
    QPushButton* cmdOK() const { return cmdOK_; }

  private:
    void buildHeading();
    void buildOffer();
    void buildButtonRow();

    weblinks::modHelp& help_;
    QLabel* picIcon_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* label1_ = nullptr;
    widgets::LinkLabel* lblHomePage_ = nullptr;
    QLabel* label3_ = nullptr;
    widgets::LinkLabel* lblCoBrand_ = nullptr;
    QFrame* line2_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
};

} // namespace kindrell::ui

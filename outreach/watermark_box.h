#pragma once

// The refer-a-friend boxes' watermarks, and the line breaks of the message box.

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QLineEdit;
class QPlainTextEdit;

namespace kindrell::outreach {

// The watermark rule of the refer-a-friend boxes. Each returns the text the box
// takes, or nothing when the box keeps its text. The box's text itself is
// never trimmed; only a trimmed copy is compared.
std::optional<QString> TextOnFocusGained(const QString& text, const QString& watermark);
std::optional<QString> TextOnFocusLost(const QString& text, const QString& watermark);

// The text of a multi-line box with CR LF line breaks, as the request carries
// it; the editor itself keeps paragraphs, so the breaks are converted both ways.
QString MultiLineText(const QPlainTextEdit& box);
void SetMultiLineText(QPlainTextEdit& box, const QString& text);

// Applies the watermark rule to one box whenever the focus moves to or away
// from it within its window. Owned by the box (a child QObject).
class WatermarkKeeper final : public QObject {
  public:
    WatermarkKeeper(QLineEdit& box, QString watermark);
    WatermarkKeeper(QPlainTextEdit& box, QString watermark);

    const QString& watermark() const { return watermark_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QString watermark_;
    std::function<QString()> text_;
    std::function<void(const QString&)> setText_;
};

} // namespace kindrell::outreach

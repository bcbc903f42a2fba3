#include "finder/shortlist_pages.h"

#include <QFont>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace kindrell::finder {
namespace {

// Draws blocks of lines down the pages, a new page when a block would not
// fit whole on this one.
class PageWriter {
  public:
    explicit PageWriter(QPagedPaintDevice& pages) : pages_(pages), painter_(&pages) {
        const int width = pages.width();
        const int height = pages.height();
        const int margin = std::min(width, height) / 12;
        area_ = QRect(margin, margin, width - 2 * margin, height - 2 * margin);
        y_ = area_.top();
        body_.setPointSizeF(11);
        bold_ = body_;
        bold_.setBold(true);
        heading_ = bold_;
        heading_.setPointSizeF(15);
    }

    struct Line {
        QString text;
        const QFont* font;
    };

    // The lines of one block, kept together; then a line's height of space.
    void block(const std::vector<Line>& lines) {
        int height = 0;
        std::vector<QRect> rects;
        for (const Line& line : lines) {
            painter_.setFont(*line.font);
            rects.push_back(painter_.boundingRect(area_, Qt::TextWordWrap, line.text));
            height += rects.back().height();
        }
        if (y_ + height > area_.bottom() && y_ > area_.top()) {
            pages_.newPage();
            y_ = area_.top();
        }
        for (std::size_t i = 0; i < lines.size(); ++i) {
            painter_.setFont(*lines[i].font);
            const QRect rect(area_.left(), y_, area_.width(), rects[i].height());
            painter_.drawText(rect, Qt::TextWordWrap, lines[i].text);
            y_ += rect.height();
        }
        y_ += QFontMetrics(body_, &pages_).lineSpacing();
    }

    const QFont& body() const { return body_; }
    const QFont& bold() const { return bold_; }
    const QFont& heading() const { return heading_; }

  private:
    QPagedPaintDevice& pages_;
    QPainter painter_;
    QRect area_;
    int y_ = 0;
    QFont body_;
    QFont bold_;
    QFont heading_;
};

} // namespace

void PaintShortlist(QPagedPaintDevice& pages, const PrintedShortlist& shortlist) {
    PageWriter writer(pages);
    writer.block({{shortlist.title, &writer.heading()}});
    // A heading stays with the first name under it.
    const auto names = [&](bool markedByBoth, const QString& heading) {
        std::vector<PageWriter::Line> lines;
        if (!heading.isEmpty()) {
            lines.push_back({heading, &writer.heading()});
        }
        for (const PrintedName& name : shortlist.names) {
            if (shortlist.comparing && name.markedByBoth != markedByBoth) {
                continue;
            }
            lines.push_back({name.title, &writer.bold()});
            lines.push_back({name.verdicts, &writer.body()});
            if (!name.births.isEmpty()) {
                lines.push_back({name.births, &writer.body()});
            }
            lines.push_back({name.working, &writer.body()});
            writer.block(lines);
            lines.clear();
        }
    };
    if (!shortlist.comparing) {
        names(false, {});
        return;
    }
    names(true, QStringLiteral("Marked by both of you"));
    names(false, QStringLiteral("Marked by you alone"));
}

} // namespace kindrell::finder

#pragma once

// Test doubles for the platform services: each records what it was asked and
// answers what the test set. Those whose order of calls matters to a test
// also note each call in a log the test may share between them.

#include "platform/services.h"

#include <QMap>
#include <QPdfWriter>
#include <QStringList>
#include <QVector>

#include <deque>
#include <functional>

namespace kindrell::platform {

inline void note(QStringList* log, const QString& call) {
    if (log != nullptr) {
        *log << call;
    }
}

struct ShownMessage {
    QString text;
    MessageIcon icon;
    MessageButtons buttons;
    MessageAnswer defaultButton;
};

class FakeMessageBoxes final : public MessageBoxes {
  public:
    MessageAnswer show(const QString& text, MessageIcon icon, MessageButtons buttons,
                       MessageAnswer defaultButton) override {
        shown.push_back({text, icon, buttons, defaultButton});
        if (onShow) {
            onShow(shown.back());
        }
        if (!answers.empty()) {
            const MessageAnswer answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : defaultButton;
    }
    QStringList texts() const {
        QStringList result;
        for (const auto& message : shown) {
            result << message.text;
        }
        return result;
    }

    QVector<ShownMessage> shown;
    std::deque<MessageAnswer> answers;               // the next answers to give, in order
    std::function<void(const ShownMessage&)> onShow; // runs while the "modal" box is up
};

struct FileRequest {
    bool save = false;
    QString caption;
    QString suggestedName; // save only
    QString filter;
};

class FakeFileChooser final : public FileChooser {
  public:
    QString chooseFileToOpen(const QString& caption, const QString& filter) override {
        return answer({false, caption, {}, filter});
    }
    QString chooseFileToSave(const QString& caption, const QString& suggestedName,
                             const QString& filter) override {
        return answer({true, caption, suggestedName, filter});
    }

    QVector<FileRequest> requests;
    std::deque<QString> paths; // the next answers, in order; none left: cancelled

  private:
    QString answer(const FileRequest& request) {
        requests.push_back(request);
        if (paths.empty()) {
            return {};
        }
        QString path = paths.front();
        paths.pop_front();
        return path;
    }
};

// Prints to a PDF file of the test's choosing, as a user who chose "Print
// to file" would; cancels when it has none.
class FakePrinting final : public Printing {
  public:
    bool print(const QString& title,
               const std::function<void(QPagedPaintDevice& pages)>& paint) override {
        titles << title;
        if (pdfPath.isEmpty()) {
            return false;
        }
        QPdfWriter pdf(pdfPath);
        pdf.setTitle(title);
        paint(pdf);
        return true;
    }
    QString pdfPath; // empty: the user cancels
    QStringList titles;
};

class FakeClipboard final : public Clipboard {
  public:
    void clear() override { ++clears; }
    int clears = 0;
};

class FakeLinkOpener final : public LinkOpener {
  public:
    void open(const QString& address) override { opened << address; }
    QStringList opened;
};

class FakeSettings final : public SettingsBackend {
  public:
    QString read(const QString& application, const QString& section, const QString& key) override {
        ++reads;
        note(log, QStringLiteral("settings read"));
        if (failReads) {
            throw SettingsError("settings cannot be read");
        }
        return values.value(address(application, section, key));
    }
    void write(const QString& application, const QString& section, const QString& key,
               const QString& value) override {
        ++writeAttempts;
        note(log, QStringLiteral("settings write"));
        if (failWrites) {
            throw SettingsError("settings cannot be written");
        }
        values.insert(address(application, section, key), value);
    }
    QString moveAside(const QString& application, const QString& suffix) override {
        movedAside << application + suffix;
        if (failMoves) {
            return {};
        }
        failReads = false; // a new, empty store takes the old one's place
        const QString prefix = application + QLatin1Char('/');
        for (auto it = values.begin(); it != values.end();) {
            it = it.key().startsWith(prefix) ? values.erase(it) : std::next(it);
        }
        return QStringLiteral("/settings/") + application + suffix;
    }
    static QString address(const QString& application, const QString& section, const QString& key) {
        return application + QLatin1Char('/') + section + QLatin1Char('/') + key;
    }

    QMap<QString, QString> values; // keyed by "application/section/key"
    bool failReads = false;
    bool failWrites = false;
    bool failMoves = false;
    QStringList movedAside; // "application" + suffix, each time asked
    int reads = 0;
    int writeAttempts = 0;
    QStringList* log = nullptr;
};

class FakeUserDataFiles final : public UserDataFiles {
  public:
    std::optional<QByteArray> read(const QString& name, qint64 maxBytes) override {
        if (failReads) {
            throw DataFileError(QStringLiteral("it cannot be read"));
        }
        const auto it = files.constFind(name);
        if (it != files.cend() && it->size() > maxBytes) {
            throw DataFileError(QStringLiteral("it is too large"));
        }
        return it == files.cend() ? std::nullopt : std::optional<QByteArray>(*it);
    }
    void write(const QString& name, const QByteArray& contents) override {
        ++writeAttempts;
        if (failWrites) {
            throw DataFileError(QStringLiteral("the disk is full"));
        }
        files.insert(name, contents);
    }
    QString moveAside(const QString& name, const QString& suffix) override {
        if (failMoves || !files.contains(name)) {
            throw DataFileError(QStringLiteral("it could not be moved aside"));
        }
        files.insert(name + suffix, files.take(name));
        failReads = false;
        return QStringLiteral("/data/") + name + suffix;
    }

    QMap<QString, QByteArray> files;
    bool failReads = false;
    bool failWrites = false;
    bool failMoves = false;
    int writeAttempts = 0;
};

class FakeExecutableInfo final : public ExecutableInfo {
  public:
    QString executableName() override { return name; }
    QString name = QStringLiteral("kindrell");
};

class FakeClock final : public Clock {
  public:
    QDate today() override { return date; }
    QDate date{2026, 12, 8};
};

class FakeRandom final : public RandomSource {
  public:
    void seedFromClock() override {
        ++seeds;
        note(log, QStringLiteral("seed"));
    }
    double next() override {
        ++draws;
        note(log, QStringLiteral("draw"));
        if (values.empty()) {
            return 0.0;
        }
        const double value = values.front();
        values.pop_front();
        return value;
    }
    std::deque<double> values;
    int seeds = 0;
    int draws = 0;
    QStringList* log = nullptr;
};

class FakeInstanceGuard final : public InstanceGuard {
  public:
    bool anotherCopyIsRunning() override {
        note(log, QStringLiteral("instance check"));
        return running;
    }
    bool running = false;
    QStringList* log = nullptr;
};

class FakeProcessControl final : public ProcessControl {
  public:
    void endProcess(int status) override { statuses << status; }
    QVector<int> statuses;
};

class FakeWindowPlacement final : public WindowPlacement {
  public:
    void keepAboveOthers(QWidget& window) override { keptAbove << &window; }
    QVector<QWidget*> keptAbove;
};

} // namespace kindrell::platform

// What a keystroke in a parent's name box costs in the name finder's window,
// on Qt's offscreen platform: the text change, the model's reset with the
// list weighed and filtered again, the count line, and the window painted;
// and what opening the largest list of one's own costs.

#include "finder/finder_state.h"
#include "finder/finder_window.h"
#include "finder/names_model.h"
#include "namelist/name_file.h"
#include "platform/qt_services.h"
#include "tests/support/platform_fakes.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <string_view>

namespace {

using kindrell::finder::FinderWindow;

enum Case : int { kHarmonious, kAnyVerdict, kPrefix };

// The services of a window that remembers in memory.
struct Services {
    kindrell::platform::FakeMessageBoxes messages;
    kindrell::platform::FakeFileChooser files;
    kindrell::platform::FakeSettings settings;
    kindrell::platform::FakeUserDataFiles dataFiles;
    kindrell::platform::FakeClock clock;
    kindrell::platform::FakePrinting printing;
    kindrell::finder::FinderServices all() {
        return {messages, files, settings, dataFiles, clock, printing};
    }
};

template <class Control> Control* Find(const FinderWindow& window, const char* name) {
    return window.findChild<Control*>(QString::fromLatin1(name));
}

// Mother "Zoe", then the father's last letter typed and taken back in turn,
// so that every other keystroke changes the parents' verdicts; each one
// painted.
void TypeInFathersName(benchmark::State& state, FinderWindow& window) {
    auto* father = Find<QLineEdit>(window, "fatherBox");
    Find<QLineEdit>(window, "motherBox")->setText(QStringLiteral("Zoe"));
    father->setText(QStringLiteral("Joh"));
    QApplication::processEvents();
    bool longer = false;
    for (auto _ : state) {
        longer = !longer;
        father->setText(longer ? QStringLiteral("John") : QStringLiteral("Joh"));
        window.repaint();
        QApplication::processEvents();
    }
    state.counters["rows"] = Find<QTableView>(window, "table")->model()->rowCount();
}

void BM_KeystrokeInFathersName(benchmark::State& state) {
    Services services;
    FinderWindow window(services.all());
    window.useBundledList();
    window.show();
    if (state.range(0) == kAnyVerdict) {
        Find<QComboBox>(window, "harmonyBox")->setCurrentText(QStringLiteral("Any"));
    } else if (state.range(0) == kPrefix) {
        Find<QLineEdit>(window, "prefixBox")->setText(QStringLiteral("ma"));
    }
    TypeInFathersName(state, window);
}
BENCHMARK(BM_KeystrokeInFathersName)
    ->ArgName("case")
    ->Arg(kHarmonious)
    ->Arg(kAnyVerdict)
    ->Arg(kPrefix)
    ->Unit(benchmark::kMillisecond);

// The liked name's last letter typed and taken back in turn, the first row
// selected and the window painted each time.
void TypeInLikedName(benchmark::State& state, FinderWindow& window, const QString& shorter,
                     const QString& longer) {
    auto* liked = Find<QLineEdit>(window, "likeBox");
    auto* table = Find<QTableView>(window, "table");
    bool typed = false;
    for (auto _ : state) {
        typed = !typed;
        liked->setText(typed ? longer : shorter);
        table->selectRow(0);
        window.repaint();
        QApplication::processEvents();
    }
    state.counters["rows"] = table->model()->rowCount();
}

// A keystroke in the liked name's box: "Aida" and "Aidan" in turn, each a
// name of the list with spellings of its own, under harmony "Any", with the
// first spelling selected so that the pane draws its births chart.
void BM_KeystrokeInLikedName(benchmark::State& state) {
    Services services;
    FinderWindow window(services.all());
    window.useBundledList();
    window.show();
    Find<QComboBox>(window, "harmonyBox")->setCurrentText(QStringLiteral("Any"));
    Find<QLineEdit>(window, "fatherBox")->setText(QStringLiteral("John"));
    Find<QLineEdit>(window, "motherBox")->setText(QStringLiteral("Zoe"));
    TypeInLikedName(state, window, QStringLiteral("Aida"), QStringLiteral("Aidan"));
}
BENCHMARK(BM_KeystrokeInLikedName)->Unit(benchmark::kMillisecond);

// The same with "Find a middle name" checked: every name of the bundled list
// weighed as the middle name of "Sofi" and of "Sofia" in turn (David and
// Sarah: some 13,000 full names in harmony with both), the first selected.
void BM_KeystrokeInLikedNameWithMiddleNames(benchmark::State& state) {
    Services services;
    FinderWindow window(services.all());
    window.useBundledList();
    window.show();
    Find<QLineEdit>(window, "fatherBox")->setText(QStringLiteral("David"));
    Find<QLineEdit>(window, "motherBox")->setText(QStringLiteral("Sarah"));
    Find<QCheckBox>(window, "middleBox")->setChecked(true);
    TypeInLikedName(state, window, QStringLiteral("Sofi"), QStringLiteral("Sofia"));
}
BENCHMARK(BM_KeystrokeInLikedNameWithMiddleNames)->Unit(benchmark::kMillisecond);

// A list of one's own as large as the finder opens: a million different
// names of two to five syllables, one in ten with an accent (so not ASCII);
// with `lineBytes`, each name lengthened by more syllables to about that
// many bytes a line (64 makes a list of 64 MB).
QString WriteLargestList(const QTemporaryDir& folder, int lineBytes = 0) {
    constexpr std::array<std::string_view, 20> kSyllables{"ma", "ri", "an", "el", "jo", "se", "li",
                                                          "na", "ka", "to", "be", "ra", "mi", "lu",
                                                          "ve", "do", "sa", "ne", "co", "ta"};
    QByteArray bytes;
    for (int i = 0; i < kindrell::namelist::kMaxListNames; ++i) {
        QByteArray name;
        for (int rest = i + 20; rest > 0; rest /= 20) { // at least two syllables
            name += kSyllables.at(static_cast<std::size_t>(rest % 20));
        }
        for (int more = i; name.size() + 3 < lineBytes; more = more / 20 + 7) {
            name += kSyllables.at(static_cast<std::size_t>(more % 20));
        }
        name[0] = static_cast<char>(name[0] - 'a' + 'A');
        bytes += name + (i % 10 == 0 ? "\xC3\xA9\n" : "\n");
    }
    QString path = folder.filePath(QStringLiteral("largest.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
    return path;
}

// "Open list..." on the chosen file, and the window's events until the
// list, read off the window's thread, is shown.
bool OpenListAndWait(FinderWindow& window) {
    if (!window.openList()) {
        return false;
    }
    while (window.readingList()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    return true;
}

// Opening that list with "Open list...": read, weighed, sorted and shown.
void BM_OpenLargestList(benchmark::State& state) {
    const QTemporaryDir folder;
    const QString path = WriteLargestList(folder);
    Services services;
    FinderWindow window(services.all());
    window.useBundledList();
    window.show();
    Find<QLineEdit>(window, "fatherBox")->setText(QStringLiteral("John"));
    Find<QLineEdit>(window, "motherBox")->setText(QStringLiteral("Zoe"));
    for (auto _ : state) {
        services.files.paths.push_back(path);
        if (!OpenListAndWait(window)) {
            state.SkipWithError("the list was not opened");
        }
        window.repaint();
        QApplication::processEvents();
    }
    state.counters["rows"] = Find<QTableView>(window, "table")->model()->rowCount();
}
BENCHMARK(BM_OpenLargestList)->Unit(benchmark::kMillisecond);

// The longest the window's events wait while the largest list is read and
// then shown, with a key typed in the father's box at every turn of the
// event loop: the list is read off the window's thread, so only its
// arrival (the table filled anew) holds the window.
void BM_LongestWaitWhileOpeningLargestList(benchmark::State& state) {
    const QTemporaryDir folder;
    const QString path = WriteLargestList(folder, static_cast<int>(state.range(0)));
    Services services;
    FinderWindow window(services.all());
    window.useBundledList();
    window.show();
    auto* father = Find<QLineEdit>(window, "fatherBox");
    Find<QLineEdit>(window, "motherBox")->setText(QStringLiteral("Zoe"));
    double longest = 0;
    for (auto _ : state) {
        services.files.paths.push_back(path);
        window.openList();
        QElapsedTimer turn;
        bool longer = false;
        while (window.readingList()) {
            turn.start();
            longer = !longer;
            father->setText(longer ? QStringLiteral("John") : QStringLiteral("Joh"));
            QApplication::processEvents();
            longest = std::max(longest, static_cast<double>(turn.nsecsElapsed()) / 1e6);
        }
    }
    state.counters["longest_wait_ms"] = longest;
    state.counters["MB"] = static_cast<double>(QFileInfo(path).size()) / 1e6;
}
BENCHMARK(BM_LongestWaitWhileOpeningLargestList)
    ->ArgName("line_bytes")
    ->Arg(0)
    ->Arg(64)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// A keystroke in the father's name with that list open.
void BM_KeystrokeInLargestList(benchmark::State& state) {
    const QTemporaryDir folder;
    Services services;
    services.files.paths.push_back(WriteLargestList(folder));
    FinderWindow window(services.all());
    window.useBundledList();
    window.show();
    OpenListAndWait(window);
    if (state.range(0) == kAnyVerdict) {
        Find<QComboBox>(window, "harmonyBox")->setCurrentText(QStringLiteral("Any"));
    }
    TypeInFathersName(state, window);
}
BENCHMARK(BM_KeystrokeInLargestList)
    ->ArgName("case")
    ->Arg(kHarmonious)
    ->Arg(kAnyVerdict)
    ->Unit(benchmark::kMillisecond);

// The window made and shown with the list loaded, as the program starts.
void BM_OpenWindow(benchmark::State& state) {
    Services services;
    for (auto _ : state) {
        FinderWindow window(services.all());
        window.useBundledList();
        window.show();
        window.repaint();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_OpenWindow)->Unit(benchmark::kMillisecond);

// What each keystroke adds in the real program: the box's text remembered
// in the per-user settings file, which is read, changed and replaced whole.
void BM_RememberAParentsName(benchmark::State& state) {
    kindrell::platform::QtSettings backend;
    kindrell::finder::FinderSettings settings(backend);
    bool longer = false;
    for (auto _ : state) {
        longer = !longer;
        settings.write(kindrell::finder::FinderSettings::Father(longer ? QStringLiteral("John")
                                                                       : QStringLiteral("Joh")));
    }
}
BENCHMARK(BM_RememberAParentsName)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // The settings file of BM_RememberAParentsName, never the user's own.
    const QTemporaryDir settingsFolder;
    qputenv("XDG_CONFIG_HOME", settingsFolder.path().toLocal8Bit());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

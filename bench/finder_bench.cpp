// What a keystroke in a parent's name box costs in the name finder's window,
// on Qt's offscreen platform: the text change, the model's reset with the
// list weighed and filtered again, the count line, and the window painted.

#include "finder/finder_state.h"
#include "finder/finder_window.h"
#include "finder/names_model.h"
#include "platform/qt_services.h"
#include "tests/support/platform_fakes.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using kindrell::finder::FinderWindow;

enum Case : int { kHarmonious, kAnyVerdict, kPrefix };

// The services of a window that remembers in memory.
struct Services {
    kindrell::platform::FakeMessageBoxes messages;
    kindrell::platform::FakeFileChooser files;
    kindrell::platform::FakeSettings settings;
    kindrell::platform::FakeUserDataFiles dataFiles;
    kindrell::finder::FinderServices all() { return {messages, files, settings, dataFiles}; }
};

template <class Control> Control* Find(const FinderWindow& window, const char* name) {
    return window.findChild<Control*>(QString::fromLatin1(name));
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
    auto* father = Find<QLineEdit>(window, "fatherBox");
    Find<QLineEdit>(window, "motherBox")->setText(QStringLiteral("Zoe"));
    father->setText(QStringLiteral("Joh"));
    QApplication::processEvents();
    // Typing and taking back the last letter, so that every other
    // keystroke changes the parents' verdicts.
    bool longer = false;
    for (auto _ : state) {
        longer = !longer;
        father->setText(longer ? QStringLiteral("John") : QStringLiteral("Joh"));
        window.repaint();
        QApplication::processEvents();
    }
    state.counters["rows"] = Find<QTableView>(window, "table")->model()->rowCount();
}
BENCHMARK(BM_KeystrokeInFathersName)
    ->ArgName("case")
    ->Arg(kHarmonious)
    ->Arg(kAnyVerdict)
    ->Arg(kPrefix)
    ->Unit(benchmark::kMillisecond);

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
    auto* liked = Find<QLineEdit>(window, "likeBox");
    auto* table = Find<QTableView>(window, "table");
    bool longer = false;
    for (auto _ : state) {
        longer = !longer;
        liked->setText(longer ? QStringLiteral("Aidan") : QStringLiteral("Aida"));
        table->selectRow(0);
        window.repaint();
        QApplication::processEvents();
    }
    state.counters["rows"] = table->model()->rowCount();
}
BENCHMARK(BM_KeystrokeInLikedName)->Unit(benchmark::kMillisecond);

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

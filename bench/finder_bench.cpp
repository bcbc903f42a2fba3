// What a keystroke in a parent's name box costs in the name finder's window,
// on Qt's offscreen platform: the text change, the model's reset with the
// list weighed and filtered again, the count line, and the window painted.

#include "finder/finder_window.h"
#include "finder/names_model.h"
#include "platform/fakes.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

#include <benchmark/benchmark.h>

namespace {

using kindrell::finder::FinderWindow;

enum Case : int { kHarmonious, kAnyVerdict, kPrefix };

void BM_KeystrokeInFathersName(benchmark::State& state) {
    kindrell::platform::FakeMessageBoxes messages;
    kindrell::platform::FakeFileChooser files;
    FinderWindow window(messages, files);
    window.useBundledList();
    window.show();
    if (state.range(0) == kAnyVerdict) {
        window.harmonyBox()->setCurrentText(QStringLiteral("Any"));
    } else if (state.range(0) == kPrefix) {
        window.prefixBox()->setText(QStringLiteral("ma"));
    }
    window.motherBox()->setText(QStringLiteral("Zoe"));
    window.fatherBox()->setText(QStringLiteral("Joh"));
    QApplication::processEvents();
    // Typing and taking back the last letter, so that every other
    // keystroke changes the parents' verdicts.
    bool longer = false;
    for (auto _ : state) {
        longer = !longer;
        window.fatherBox()->setText(longer ? QStringLiteral("John") : QStringLiteral("Joh"));
        window.repaint();
        QApplication::processEvents();
    }
    state.counters["rows"] = window.model()->rowCount();
}
BENCHMARK(BM_KeystrokeInFathersName)
    ->ArgName("case")
    ->Arg(kHarmonious)
    ->Arg(kAnyVerdict)
    ->Arg(kPrefix)
    ->Unit(benchmark::kMillisecond);

// The window made and shown with the list loaded, as the program starts.
void BM_OpenWindow(benchmark::State& state) {
    kindrell::platform::FakeMessageBoxes messages;
    kindrell::platform::FakeFileChooser files;
    for (auto _ : state) {
        FinderWindow window(messages, files);
        window.useBundledList();
        window.show();
        window.repaint();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_OpenWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

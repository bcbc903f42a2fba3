// The yardstick for the start-up benchmark: a Qt Widgets program that shows
// one window of the main window's size (or of the size given as
// "bare_window WIDTH HEIGHT") with one line of text, and does nothing else.
// The text matters: a window without any never loads a font, which every
// real window does.

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdlib>

namespace {
// The main window: a client area of 8805 x 5715 twips (587 x 381 pixels)
// below a menu bar of 18 pixels in the default style and font.
constexpr int kWidth = 587;
constexpr int kHeight = 399;
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare Window"));
    const bool sized = argc == 3;
    window.setFixedSize(sized ? std::atoi(argv[1]) : kWidth, sized ? std::atoi(argv[2]) : kHeight);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("One line of text"), &window));
    window.show();
    return QApplication::exec();
}

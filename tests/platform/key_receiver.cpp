// A window of another process for the keystroke and input-block tests: it
// takes the focus and prints every key and button it receives, one a line,
// to standard output or to the file named by its argument:
//   ready <window id> <process id>
//   key Alt+G
//   button 1
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <unistd.h>

namespace {

FILE* out = stdout;

class ReceiverWindow : public QWidget {
protected:
    void focusInEvent(QFocusEvent*) override {
        if (announced_) return;
        announced_ = true;
        std::fprintf(out, "ready %lu %d\n", static_cast<unsigned long>(winId()), static_cast<int>(getpid()));
        std::fflush(out);
    }
    void keyPressEvent(QKeyEvent* event) override {
        const int key = event->key();
        if (key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta)
            return;  // modifiers show up with the key they modify
        // Shift that only produced a character is part of the character.
        Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
        const QString text = event->text();
        if (!text.isEmpty() && text[0].isPrint() && !(modifiers & (Qt::ControlModifier | Qt::AltModifier))) {
            std::fprintf(out, "key %s\n", text == " " ? "Space" : qPrintable(text));
        } else {
            std::fprintf(out, "key %s\n", qPrintable(QKeySequence(QKeyCombination(modifiers, Qt::Key(key)))
                                                  .toString(QKeySequence::PortableText)));
        }
        std::fflush(out);
    }
    void mousePressEvent(QMouseEvent* event) override {
        std::fprintf(out, "button %d\n", event->button() == Qt::LeftButton ? 1 : event->button() == Qt::RightButton ? 3 : 2);
        std::fflush(out);
    }

private:
    bool announced_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc > 1) out = std::fopen(argv[1], "w");
    if (!out) return 1;
    ReceiverWindow window;
    window.setWindowTitle("key receiver");
    window.setFocusPolicy(Qt::StrongFocus);
    window.setGeometry(100, 100, 300, 200);
    window.show();
    // Without a window manager nobody hands out the focus: ask until it comes.
    QTimer activate;
    QObject::connect(&activate, &QTimer::timeout, &window, [&] {
        if (window.isActiveWindow()) activate.stop();
        else window.activateWindow();
    });
    activate.start(50);
    return app.exec();
}

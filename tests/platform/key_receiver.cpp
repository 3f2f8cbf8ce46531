// A window of another process for the keystroke and input-block tests: it
// takes the focus and prints every key and button it receives, one a line:
//   ready <window id>
//   key Alt+G
//   button 1
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

class ReceiverWindow : public QWidget {
protected:
    void focusInEvent(QFocusEvent*) override {
        if (announced_) return;
        announced_ = true;
        std::printf("ready %lu\n", static_cast<unsigned long>(winId()));
        std::fflush(stdout);
    }
    void keyPressEvent(QKeyEvent* event) override {
        const int key = event->key();
        if (key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta)
            return;  // modifiers show up with the key they modify
        // Shift that only produced a character is part of the character.
        Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
        const QString text = event->text();
        if (!text.isEmpty() && text[0].isPrint() && !(modifiers & (Qt::ControlModifier | Qt::AltModifier))) {
            std::printf("key %s\n", text == " " ? "Space" : qPrintable(text));
        } else {
            std::printf("key %s\n", qPrintable(QKeySequence(QKeyCombination(modifiers, Qt::Key(key)))
                                                  .toString(QKeySequence::PortableText)));
        }
        std::fflush(stdout);
    }
    void mousePressEvent(QMouseEvent* event) override {
        std::printf("button %d\n", event->button() == Qt::LeftButton ? 1 : event->button() == Qt::RightButton ? 3 : 2);
        std::fflush(stdout);
    }

private:
    bool announced_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
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

#include "launcher/frm_ownbox.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPalette>

#include "launcher/artwork.h"
#include "launcher/launcher_windows.h"
#include "launcher/start.h"
#include "view/window_placement.h"

namespace launcher {

namespace {

QRect twips(int left, int top, int width, int height) {
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

void colour(QWidget* control, QPalette::ColorRole background, const QColor& fill, const QColor& text) {
    QPalette colours = control->palette();
    colours.setColor(background, fill);
    colours.setColor(QPalette::WindowText, text);
    colours.setColor(QPalette::Text, text);
    control->setPalette(colours);
    control->setAutoFillBackground(true);
}

QFont boldFont(const char* family, int points, bool italic = false) {
    QFont result(QString::fromLatin1(family));
    result.setPointSize(points);
    result.setBold(true);
    result.setItalic(italic);
    return result;
}

QLabel* pictureBox(QWidget* parent, const char* name, QRect geometry, const QPixmap& picture) {
    auto* box = new QLabel(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(geometry);
    box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    box->setPixmap(picture);
    return box;
}

// The box's own thin border, drawn over every control, as a fixed single
// border of a window without caption looks.
class WindowBorder : public QWidget {
public:
    explicit WindowBorder(QWidget* window) : QWidget(window) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        window->installEventFilter(this);
        resize(window->size());
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize) resize(parentWidget()->size());
        return false;
    }
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const qreal w = width(), h = height();
        // Outer dark line, inner light line; the outer one reaches past the
        // edge so that no fractional scale leaves a seam.
        const QColor dark(64, 64, 64), light(192, 192, 192);
        painter.fillRect(QRectF(-1, -1, w + 2, 2), dark);
        painter.fillRect(QRectF(-1, h - 1, w + 2, 2), dark);
        painter.fillRect(QRectF(-1, -1, 2, h + 2), dark);
        painter.fillRect(QRectF(w - 1, -1, 2, h + 2), dark);
        painter.fillRect(QRectF(1, 1, w - 2, 1), light);
        painter.fillRect(QRectF(1, h - 2, w - 2, 1), light);
        painter.fillRect(QRectF(1, 1, 1, h - 2), light);
        painter.fillRect(QRectF(w - 2, 1, 1, h - 2), light);
    }
};

}  // namespace

frmOwnbox::frmOwnbox(LauncherWindows& windows) : windows_(windows) {
    setObjectName(QStringLiteral("frmOwnbox"));
    // No caption and no title bar: a tool window without the window manager's
    // frame, drawing a thin border of its own.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setWindowTitle(QString());
    colour(this, QPalette::Window, QColor(0, 0, 255), Qt::white);

    // Lightweight controls lie beneath the others, so they come first.
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twips(480, 0, 8295, 495));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setFont(boldFont("Comic Sans MS", 18, true));
    colour(Label1, QPalette::Window, QColor(0, 0, 192), Qt::white);
    Image1 = pictureBox(this, "Image1", twips(2520, 1680, 480, 480), ownboxDecoration());

    picError = pictureBox(this, "picError", twips(1080, 2520, 495, 495), errorIcon());
    picInfo = pictureBox(this, "picInfo", twips(1560, 2520, 495, 495), infoIcon());
    picStop = pictureBox(this, "picStop", twips(2040, 2520, 495, 495), stopIcon());
    picQuestion = pictureBox(this, "picQuestion", twips(2520, 2520, 615, 495), questionIcon());

    Command2 = new view::GraphicalButton(this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(twips(1080, 1680, 1335, 495));
    Command2->setText(QStringLiteral("Exit"));
    Command2->setFaceColour(QColor(192, 0, 0));
    Command2->setFont(boldFont("Comic Sans MS", 12));
    connect(Command2, &QPushButton::clicked, this, [this] { windows_.runHandler([this] { Command2_Click(); }); });

    txtInfo = new QLineEdit(this);
    txtInfo->setObjectName(QStringLiteral("txtInfo"));
    txtInfo->setGeometry(twips(360, 600, 4695, 735));
    txtInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    txtInfo->setFont(boldFont("Times New Roman", 12));
    colour(txtInfo, QPalette::Base, QColor(0, 0, 255), Qt::white);

    Picture1 = pictureBox(this, "Picture1", twips(0, 0, 615, 495), QPixmap());
    colour(Picture1, QPalette::Window, QColor(0, 0, 192), Qt::white);

    (new WindowBorder(this))->raise();
    // "Exit" is the default button: it has the focus, and Return, Enter and
    // Escape press it wherever the focus is.
    setFocusProxy(Command2);
    txtInfo->setFocusPolicy(Qt::ClickFocus);
}

void frmOwnbox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            if (!event->isAutoRepeat()) Command2->animateClick();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

void frmOwnbox::Form_Load() {
    hide();
    // Framed by nothing but its own border, the window's size is its outer size.
    setFixedSize(twipsToPixels(kOuterWidthTwips), twipsToPixels(kOuterHeightTwips));
    // Where the player is looking: the start window's screen.
    const start* startWindow = windows_.startWindow();
    view::centreByOuterFrame(*this, startWindow ? startWindow->screen() : nullptr);
    show();
    view::giveFocusTo(*this);
    Command2->setFocus();
}

void frmOwnbox::Command2_Click() { windows_.unloadOwnbox(); }

}  // namespace launcher

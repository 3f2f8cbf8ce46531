#include "launcher/frm_ownbox.h"

#include <QPalette>

#include "launcher/artwork.h"
#include "launcher/launcher_windows.h"

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

}  // namespace

frmOwnbox::frmOwnbox(LauncherWindows& windows) : windows_(windows) {
    setObjectName(QStringLiteral("frmOwnbox"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
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

    Command2 = new GraphicalButton(this);
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
}

void frmOwnbox::Form_Load() {
    hide();
    show();
    setOuterSize(twipsToPixels(kOuterWidthTwips), twipsToPixels(kOuterHeightTwips));
}

// The size is the outer one, border and title bar included; without a window
// manager there is no frame and the client area gets it all.
void frmOwnbox::setOuterSize(int width, int height) {
    const QSize frame = frameGeometry().size() - geometry().size();
    setFixedSize(width - frame.width(), height - frame.height());
}

void frmOwnbox::Command2_Click() { windows_.unloadOwnbox(); }

}  // namespace launcher

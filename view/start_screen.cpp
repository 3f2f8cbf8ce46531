// The start screen's design and the settings pass.
#include "view/start_screen.h"

#include <QFontDatabase>

#include "view/script_text.h"

namespace view {

namespace {

QColor colourFromNumber(std::uint32_t number) {
    return QColor(number & 0xFF, (number >> 8) & 0xFF, (number >> 16) & 0xFF);
}

// The pass runs after every field of the script; setting a control to what it
// already shows would only cost time, so each of these leaves it alone then.
void setShown(QWidget* control, bool shown) {
    if (control->isHidden() == shown) control->setVisible(shown);
}

void setGeometryIfChanged(QWidget* control, const QRect& geometry) {
    if (control->geometry() != geometry) control->setGeometry(geometry);
}

void setFontIfChanged(QWidget* control, const QFont& font) {
    if (control->font() != font) control->setFont(font);
}

void setCaptionIfChanged(QPushButton* button, const QString& caption) {
    if (button->text() != caption) button->setText(caption);
}

// An empty font name leaves the face to the system: the desktop's own
// default face, rather than whatever the font matcher ranks first for "".
// Asked of the system rather than of the application, whose font a program
// may have changed for its own windows.
QString faceName(const std::string& name) {
    return name.empty() ? QFontDatabase::systemFont(QFontDatabase::GeneralFont).family() : fromScriptText(name);
}

void setFontSize(QFont& font, float points) {
    // A size of 0 or less is no size: the font keeps the one it has.
    if (points > 0) font.setPointSizeF(points);
}

}  // namespace

QFont startScreenFont() {
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setPointSize(18);
    font.setBold(true);
    return font;
}

StartScreen::StartScreen(QWidget& host, ScreenFiles& files) : host_(host), files_(files) {
    host_.setFixedSize(kClientWidth, kClientHeight);
    host_.setAutoFillBackground(true);
    setBackgroundColour(QColor(0, 0, 255));
    host_.setFont(startScreenFont());
    buildControls();
}

void StartScreen::buildControls() {
    Image1 = new QLabel(&host_);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(-8, 0, 345, 608);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto label = [this](const char* name, QRect geometry, bool centred) {
        auto* control = new ScreenLabel(&host_, geometry, centred);
        control->setObjectName(QString::fromLatin1(name));
        control->setFont(startScreenFont());
        control->setTextColour(Qt::black);
        return control;
    };
    Label1 = label("Label1", {48, 40, 217, 41}, false);
    Label2 = label("Label2", {40, 97, 249, 81}, false);
    Label2->setWordWrap(true);
    Label3 = label("Label3", {150, 40, 11, 55}, true);
    Label5 = label("Label5", {160, 209, 11, 22}, true);
    Label5->setAutoSize(true);

    auto button = [this](const char* name, QRect geometry) {
        auto* control = new GraphicalButton(&host_);
        control->setObjectName(QString::fromLatin1(name));
        control->setGeometry(geometry);
        control->setFont(startScreenFont());
        return control;
    };
    Command1 = button("Command1", {120, 240, 89, 35});
    Command3 = button("Command3", {120, 288, 89, 35});
    Command5 = button("Command5", {120, 336, 89, 35});
    Command2 = button("Command2", {120, 376, 89, 35});
    Command4 = button("Command4", {8, 360, 89, 35});
    Command7 = button("Command7", {120, 360, 89, 35});
    Command6 = button("Command6", {232, 360, 89, 35});
    Image1->lower();
}

void StartScreen::holdSizing(bool hold) {
    for (ScreenLabel* label : {Label1, Label2, Label3, Label5}) label->holdSizing(hold);
}

QColor StartScreen::backgroundColour() const { return host_.palette().color(QPalette::Window); }

void StartScreen::setBackgroundColour(const QColor& colour) {
    if (backgroundColour() == colour) return;
    QPalette colours = host_.palette();
    colours.setColor(QPalette::Window, colour);
    host_.setPalette(colours);
}

void StartScreen::setImage1Picture(const QPixmap& picture) {
    if (Image1->pixmap().cacheKey() != picture.cacheKey()) Image1->setPixmap(picture);
    // The picture control takes its picture's own size.
    if (Image1->size() != picture.size()) Image1->resize(picture.size());
}

namespace {

// The look asks the screen's own files, so the pictures it requires are the
// ones drawn.
class ScreenLookFiles : public menu::LookFiles {
public:
    explicit ScreenLookFiles(ScreenFiles& files) : files_(files) {}
    bool FileExists(const std::string& strPath) override { return files_.FileExists(strPath); }
    void requirePicture(const std::string& windowsName) override { files_.picture(windowsName); }

private:
    ScreenFiles& files_;
};

}  // namespace

void StartScreen::applyButtonLook(const menu::ScreenLook& look, GraphicalButton* button,
                                  const menu::ButtonLook& face) {
    QFont font = button->font();
    if (!face.picture.empty()) {
        button->setPicture(files_.picture(face.picture));
        button->setFaceColour(Qt::black);
        setCaptionIfChanged(button, QString());
        font.setBold(false);
        font.setFamily(faceName({}));
    } else {
        button->setFaceColour(colourFromNumber(face.faceColour));
        setCaptionIfChanged(button, fromScriptText(face.caption));
        font.setBold(face.bold);
        font.setFamily(faceName(look.fontName));
    }
    setFontIfChanged(button, font);
}

void StartScreen::ApplySettings(const script::MenuSettings& s) {
    // Every value is converted before any control changes.
    ScreenLookFiles files(files_);
    const menu::ScreenLook look = menu::screenLook(s, files);
    applyLayout(look);
    applyBackground(look);
    applyTexts(look);
    applyButtons(look);
}

// The main layout, or the splash layout with its row of buttons.
void StartScreen::applyLayout(const menu::ScreenLook& look) {
    if (look.splash) {
        for (QWidget* control : {static_cast<QWidget*>(Command1), static_cast<QWidget*>(Command2),
                                 static_cast<QWidget*>(Command3), static_cast<QWidget*>(Command5)})
            setShown(control, false);
        setShown(Command4, true);
        setShown(Command6, true);
        setShown(Command7, true);
        setShown(Label3, true);
        setShown(Label1, false);
    } else {
        setShown(Command2, look.command2Shown);
        setShown(Command3, look.command3Shown);
        setShown(Command4, false);
        setShown(Command6, false);
        setShown(Command7, false);
        setShown(Label3, false);
        setShown(Label1, true);
    }
}

// The picture, or else the colour.
void StartScreen::applyBackground(const menu::ScreenLook& look) {
    if (!look.backgroundPicture.empty())
        setImage1Picture(files_.picture(look.backgroundPicture));
    else
        setBackgroundColour(colourFromNumber(look.backgroundColour));
}

// The title lines, the splash text and the hint.
void StartScreen::applyTexts(const menu::ScreenLook& look) {
    const QColor titleColour = colourFromNumber(look.titleColour);
    const QString fontName = faceName(look.fontName);
    QFont font = Label1->font();
    font.setBold(look.bold);
    font.setFamily(fontName);
    Label1->setAutoSize(true);
    Label1->setTextColour(titleColour);
    Label2->setTextColour(titleColour);
    QFont font2 = Label2->font();
    font2.setFamily(fontName);
    setFontSize(font2, look.fontSize);
    Label2->setFontIfChanged(font2);
    setFontSize(font, look.fontSize);
    Label1->setFontIfChanged(font);
    Label1->setCaption(fromScriptText(look.title));
    Label2->setCaption(fromScriptText(look.title2));

    QFont font3 = Label3->font();
    font3.setBold(look.bold);
    font3.setFamily(fontName);
    setFontSize(font3, look.fontSize);
    Label3->setFontIfChanged(font3);
    Label3->setAutoSize(true);
    Label3->setTextColour(titleColour);
    Label3->setCaption(fromScriptText(look.splashText));

    QFont font5 = Label5->font();
    font5.setPointSize(8);
    Label5->setFontIfChanged(font5);
    Label5->setTextColour(titleColour);
    Label5->setCaption(QStringLiteral("Press S to skip Intro"));
}

void StartScreen::applyButtons(const menu::ScreenLook& look) {
    applyButtonLook(look, Command1, look.command1);
    applyButtonLook(look, Command2, look.command2);
    applyButtonLook(look, Command3, look.command3);
    applyButtonLook(look, Command5, look.command5);
    applyButtonLook(look, Command6, look.command6);
    if (Command4->toolTip() != QLatin1String("Get Ready")) Command4->setToolTip(QStringLiteral("Get Ready"));
    applyButtonLook(look, Command7, look.command7);
    setShown(Command7, look.command7Shown);
    applyButtonLook(look, Command4, look.command4);

    // The splash row: two wide buttons, or three narrow ones.
    const int width = look.command7Shown ? 89 : 150;
    setGeometryIfChanged(Command4, QRect(Command4->x(), Command4->y(), width, 35));
    setGeometryIfChanged(Command6, QRect(look.command7Shown ? 230 : 172, Command6->y(), width, 35));
}

}  // namespace view

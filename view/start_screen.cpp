// The start screen's design and the settings pass.
#include "view/start_screen.h"

#include <QFontDatabase>

#include "view/script_text.h"
#include "script/failure.h"
#include "script/reading_rule.h"

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

const QPixmap& StartScreen::buttonPicture(const script::MenuSettings& s, const script::Untyped& name,
                                          const char* keyword) {
    try {
        return files_.picture(name.asText());
    } catch (script::Failure& failure) {
        const auto line = s.lineOf.find(keyword);
        failure.inScript(s.fileName, line == s.lineOf.end() ? 0 : line->second).forKeyword(keyword);
        throw;
    }
}

void StartScreen::applyButtonRule(const script::MenuSettings& s, GraphicalButton* button,
                                  const ButtonGroup& group) {
    const script::Untyped& picture = s.*group.picture;
    QFont font = button->font();
    if (script::namesPicture(picture)) {
        button->setPicture(buttonPicture(s, picture, group.pictureKeyword));
        button->setFaceColour(Qt::black);
        setCaptionIfChanged(button, QString());
        font.setBold(false);
        font.setFamily(faceName({}));
    } else {
        button->setFaceColour(colourFromNumber(script::colourSetting(s, group.colour)));
        setCaptionIfChanged(button, fromScriptText(script::toCaption(s.*group.caption)));
        font.setBold(script::truthSetting(s, "FTB"));
        font.setFamily(faceName(s.FNT));
    }
    setFontIfChanged(button, font);
}

void StartScreen::ApplySettings(const script::MenuSettings& s) {
    applyLayout(s);
    applyBackground(s);
    applyTexts(s);
    applyButtons(s);
}

// The main layout, or the splash layout with its row of buttons.
void StartScreen::applyLayout(const script::MenuSettings& s) {
    if (script::isSplashSet(s.SPLASH)) {
        for (QWidget* control : {static_cast<QWidget*>(Command1), static_cast<QWidget*>(Command2),
                                 static_cast<QWidget*>(Command3), static_cast<QWidget*>(Command5)})
            setShown(control, false);
        setShown(Command4, true);
        setShown(Command6, true);
        setShown(Command7, true);
        setShown(Label3, true);
        setShown(Label1, false);
    } else {
        setShown(Command2, script::truthSetting(s, "CMD2V"));
        setShown(Command3, script::truthSetting(s, "CMD3V"));
        setShown(Command4, false);
        setShown(Command6, false);
        setShown(Command7, false);
        setShown(Label3, false);
        setShown(Label1, true);
    }
}

// The picture, or else the colour.
void StartScreen::applyBackground(const script::MenuSettings& s) {
    if (files_.FileExists(kBackgroundPicture))
        setImage1Picture(files_.picture(kBackgroundPicture));
    else
        setBackgroundColour(colourFromNumber(script::colourSetting(s, "BACKCOLOR")));
}

// The title lines, the splash text and the hint.
void StartScreen::applyTexts(const script::MenuSettings& s) {
    const bool bold = script::truthSetting(s, "FTB");
    const QColor titleColour = colourFromNumber(script::colourSetting(s, "LBL1-2"));
    const QString fontName = faceName(s.FNT);
    QFont font = Label1->font();
    font.setBold(bold);
    font.setFamily(fontName);
    Label1->setAutoSize(true);
    Label1->setTextColour(titleColour);
    Label2->setTextColour(titleColour);
    QFont font2 = Label2->font();
    font2.setFamily(fontName);
    setFontSize(font2, s.FONTSIZE);
    Label2->setFontIfChanged(font2);
    setFontSize(font, s.FONTSIZE);
    Label1->setFontIfChanged(font);
    Label1->setCaption(fromScriptText(s.TITLE));
    Label2->setCaption(fromScriptText(s.TITLE2));

    QFont font3 = Label3->font();
    font3.setBold(bold);
    font3.setFamily(fontName);
    setFontSize(font3, s.FONTSIZE);
    Label3->setFontIfChanged(font3);
    Label3->setAutoSize(true);
    Label3->setTextColour(titleColour);
    Label3->setCaption(fromScriptText(s.SPLTXT));

    QFont font5 = Label5->font();
    font5.setPointSize(8);
    Label5->setFontIfChanged(font5);
    Label5->setTextColour(titleColour);
    Label5->setCaption(QStringLiteral("Press S to skip Intro"));
}

// Each button after its group's keywords; the splash row shares them.
void StartScreen::applyButtons(const script::MenuSettings& s) {
    using S = script::MenuSettings;
    static const ButtonGroup group1{&S::CMD1, "CMD1BC", &S::CMD1P, "CMD1P"},
        group2{&S::CMD2, "CMD2BC", &S::CMD2P, "CMD2P"}, group3{&S::CMD3, "CMD3BC", &S::CMD3P, "CMD3P"},
        group5{&S::CMD5, "CMD5BC", &S::CMD5P, "CMD5P"};
    applyButtonRule(s, Command1, group1);
    applyButtonRule(s, Command2, group2);
    applyButtonRule(s, Command3, group3);
    applyButtonRule(s, Command5, group5);
    applyButtonRule(s, Command6, group5);
    if (Command4->toolTip() != QLatin1String("Get Ready")) Command4->setToolTip(QStringLiteral("Get Ready"));
    applyButtonRule(s, Command7, group3);
    const bool helpInRow = script::truthSetting(s, "CMD7V");
    setShown(Command7, helpInRow);
    applyButtonRule(s, Command4, group1);

    // The splash row: two wide buttons, or three narrow ones.
    const int width = helpInRow ? 89 : 150;
    setGeometryIfChanged(Command4, QRect(Command4->x(), Command4->y(), width, 35));
    setGeometryIfChanged(Command6, QRect(helpInRow ? 230 : 172, Command6->y(), width, 35));
}

}  // namespace view

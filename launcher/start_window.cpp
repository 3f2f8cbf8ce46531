// The start window's design, its load handler and the settings pass.
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

#include "launcher/artwork.h"
#include "launcher/launcher_windows.h"
#include "launcher/script_text.h"
#include "launcher/start.h"
#include "script/file_io.h"
#include "script/reading_rule.h"
#include "script/windows_path.h"

namespace launcher {

namespace {

constexpr const char* kScriptName = "Data\\kelo.pod";
constexpr const char* kBackgroundPicture = "Data\\background.bmp";

QFont designFont() {
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setPointSize(18);
    font.setBold(true);
    return font;
}

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
QString faceName(const std::string& name) {
    return name.empty() ? QApplication::font().family() : fromScriptText(name);
}

void setFontSize(QFont& font, float points) {
    // A size of 0 or less is no size: the font keeps the one it has.
    if (points > 0) font.setPointSizeF(points);
}

}  // namespace

start::start(LauncherWindows& windows) : windows_(windows), platform_(windows.platform()) {
    setObjectName(QStringLiteral("start"));
    setWindowTitle(QStringLiteral("Start"));
    setWindowIcon(QIcon(startWindowIcon()));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(kClientWidth, kClientHeight);
    setAutoFillBackground(true);
    setBackgroundColour(QColor(0, 0, 255));
    setFont(designFont());
    buildControls();
    connectHandlers();
}

start::~start() = default;

void start::buildControls() {
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(-8, 0, 345, 608);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto label = [this](const char* name, QRect geometry, bool centred) {
        auto* control = new ScreenLabel(this, geometry, centred);
        control->setObjectName(QString::fromLatin1(name));
        control->setFont(designFont());
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
        auto* control = new GraphicalButton(this);
        control->setObjectName(QString::fromLatin1(name));
        control->setGeometry(geometry);
        control->setFont(designFont());
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

void start::connectHandlers() {
    auto handle = [this](GraphicalButton* control, void (start::*handler)()) {
        connect(control, &QPushButton::clicked, this,
                [this, handler] { windows_.runHandler([this, handler] { (this->*handler)(); }); });
    };
    handle(Command1, &start::Command1_Click);
    handle(Command2, &start::Command2_Click);
    handle(Command3, &start::Command3_Click);
    handle(Command4, &start::Command4_Click);
    handle(Command5, &start::Command5_Click);
    handle(Command6, &start::Command6_Click);
    handle(Command7, &start::Command7_Click);
}

QColor start::backgroundColour() const { return palette().color(QPalette::Window); }

void start::setBackgroundColour(const QColor& colour) {
    if (backgroundColour() == colour) return;
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colour);
    setPalette(colours);
}

void start::setImage1Picture(const QPixmap& picture) {
    if (Image1->pixmap().cacheKey() != picture.cacheKey()) Image1->setPixmap(picture);
    // The picture control takes its picture's own size.
    if (Image1->size() != picture.size()) Image1->resize(picture.size());
}

void start::centreOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect available = screen->availableGeometry();
    move(available.center() - QPoint(kClientWidth / 2, kClientHeight / 2));
}

bool start::FileExists(const std::string& strPath) { return platform_.PathFileExistsA(strPath) == 1; }

void start::Form_Load() {
    // Key preview: the window's key handler sees every key before the button
    // that has the focus.
    for (QWidget* control : findChildren<QWidget*>()) control->installEventFilter(this);

    startupValues_ = {};
    startupValues_.FONTSIZE = 1;
    startupValues_.fileName = kScriptName;
    pictures_.clear();

    for (ScreenLabel* label : {Label1, Label2, Label3, Label5}) label->holdSizing(true);
    std::string bytes = script::readWholeFile(script::mapWindowsPath(kScriptName), kScriptName);
    pictures_.prefetch(picturesNamedIn(bytes));
    script::FieldReader reader(std::move(bytes), kScriptName);
    do {
        const script::Record record = script::readRecord(reader, script::launcherKeywords());
        if (record.kind == script::Record::Kind::Skipped) continue;
        if (record.kind == script::Record::Kind::Matched) {
            script::storeLauncherRecord(startupValues_, record);
            takeWindowFields();
        }
        ApplySettings();
    } while (!reader.atEnd());

    for (ScreenLabel* label : {Label1, Label2, Label3, Label5}) label->holdSizing(false);
    // The start-up values end with the load; the controls keep what they show.
    startupValues_ = {};
    pictures_.clear();
    centreOnScreen();
    StartPresentation();
}

// Every window field starts out as the value a keyword leaves while unread,
// so copying them all after each record is the same as storing each one.
void start::takeWindowFields() {
    const script::MenuSettings& s = startupValues_;
    intTimeDelay = s.TIMEDELAY;
    intTimeDelay3 = s.TIMEDELAY3;
    strClickSoundFile = s.BSNDH;
    strLbl1 = s.LBL1;
    strSplashText = s.SPLTXT;
    intSplashTime = s.SPTIM;
    intSlides = s.SLIDE;
    strBgMidi = s.BGMID;
    strBgWave = s.BGWAV;
}

const QPixmap& start::buttonPicture(const script::Untyped& name, const char* keyword) {
    try {
        return pictures_.load(name.asText());
    } catch (const script::Failure& failure) {
        const auto line = startupValues_.lineOf.find(keyword);
        throw script::Failure(failure.kind(), "names " + name.asText() + ", which " +
                                                  (failure.kind() == script::FailureKind::FileNotFound
                                                       ? std::string("does not exist")
                                                       : failure.detail()),
                              kScriptName, line == startupValues_.lineOf.end() ? 0 : line->second, keyword);
    }
}

void start::applyButtonRule(GraphicalButton* button, const ButtonGroup& group) {
    const script::MenuSettings& s = startupValues_;
    const script::Untyped& picture = s.*group.picture;
    QFont font = button->font();
    if (script::namesPicture(picture)) {
        button->setPicture(buttonPicture(picture, group.pictureKeyword));
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

void start::ApplySettings() {
    const script::MenuSettings& s = startupValues_;
    using S = script::MenuSettings;
    static const ButtonGroup group1{&S::CMD1, "CMD1BC", &S::CMD1P, "CMD1P"},
        group2{&S::CMD2, "CMD2BC", &S::CMD2P, "CMD2P"}, group3{&S::CMD3, "CMD3BC", &S::CMD3P, "CMD3P"},
        group5{&S::CMD5, "CMD5BC", &S::CMD5P, "CMD5P"};

    // 1. Values the later handlers read.
    intButtonSoundOn = s.BSND;
    strTitle2 = s.TITLE2;

    // 2. Layout.
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

    // 3. Background: the picture, or else the colour.
    if (FileExists(kBackgroundPicture))
        setImage1Picture(pictures_.load(kBackgroundPicture));
    else
        setBackgroundColour(colourFromNumber(script::colourSetting(s, "BACKCOLOR")));

    // 4. to 7. The title lines.
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
    Label2->setCaption(fromScriptText(strTitle2));

    // 8. The splash text.
    QFont font3 = Label3->font();
    font3.setBold(bold);
    font3.setFamily(fontName);
    setFontSize(font3, s.FONTSIZE);
    Label3->setFontIfChanged(font3);
    Label3->setAutoSize(true);
    Label3->setTextColour(titleColour);
    Label3->setCaption(fromScriptText(strSplashText));

    // 9. The hint.
    QFont font5 = Label5->font();
    font5.setPointSize(8);
    Label5->setFontIfChanged(font5);
    Label5->setTextColour(titleColour);
    Label5->setCaption(QStringLiteral("Press S to skip Intro"));

    // 10. to 16. The buttons.
    applyButtonRule(Command1, group1);
    applyButtonRule(Command2, group2);
    applyButtonRule(Command3, group3);
    applyButtonRule(Command5, group5);
    applyButtonRule(Command6, group5);
    if (Command4->toolTip() != QLatin1String("Get Ready")) Command4->setToolTip(QStringLiteral("Get Ready"));
    applyButtonRule(Command7, group3);
    const bool helpInRow = script::truthSetting(s, "CMD7V");
    setShown(Command7, helpInRow);
    applyButtonRule(Command4, group1);

    // 17. The splash row: two wide buttons, or three narrow ones.
    const int width = helpInRow ? 89 : 150;
    setGeometryIfChanged(Command4, QRect(Command4->x(), Command4->y(), width, 35));
    setGeometryIfChanged(Command6, QRect(helpInRow ? 230 : 172, Command6->y(), width, 35));
}

void start::keyPressEvent(QKeyEvent* event) {
    // A modifier on its own is no key: Shift held for a capital S must not
    // close the window before the S arrives.
    if (!loaded_ || isLoneModifierKey(event->key())) return;
    const int keyCode = windowsKeyCode(event->key());
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const int shift = (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
                      (modifiers & Qt::AltModifier ? 4 : 0);
    windows_.runHandler([this, keyCode, shift] { Form_KeyDown(keyCode, shift); });
}

bool start::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void start::closeEvent(QCloseEvent* event) {
    event->accept();
    unload();
}

void start::unload() {
    if (!loaded_) return;
    loaded_ = false;
    hide();
    windows_.windowUnloaded();
}

bool isLoneModifierKey(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Shift: case Qt::Key_Control: case Qt::Key_Alt: case Qt::Key_AltGr:
        case Qt::Key_Mode_switch: case Qt::Key_Meta: case Qt::Key_Super_L: case Qt::Key_Super_R:
        case Qt::Key_Hyper_L: case Qt::Key_Hyper_R: case Qt::Key_CapsLock: case Qt::Key_NumLock:
            return true;
        default:
            return false;
    }
}

int windowsKeyCode(int qtKey) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 'A' + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return '0' + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 112 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
        case Qt::Key_Backspace: return 8;
        case Qt::Key_Tab: case Qt::Key_Backtab: return 9;
        case Qt::Key_Return: case Qt::Key_Enter: return 13;
        case Qt::Key_Shift: return 16;
        case Qt::Key_Control: return 17;
        case Qt::Key_Alt: return 18;
        case Qt::Key_Pause: return 19;
        case Qt::Key_CapsLock: return 20;
        case Qt::Key_Escape: return 27;
        case Qt::Key_Space: return 32;
        case Qt::Key_PageUp: return 33;
        case Qt::Key_PageDown: return 34;
        case Qt::Key_End: return 35;
        case Qt::Key_Home: return 36;
        case Qt::Key_Left: return 37;
        case Qt::Key_Up: return 38;
        case Qt::Key_Right: return 39;
        case Qt::Key_Down: return 40;
        case Qt::Key_Insert: return 45;
        case Qt::Key_Delete: return 46;
        default: return 0;
    }
}

}  // namespace launcher

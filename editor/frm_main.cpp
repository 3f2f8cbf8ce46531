#include "frm_main.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <algorithm>
#include <exception>
#include <limits>
#include <new>

#include "check_box.h"
#include "check_window.h"
#include "compile_save.h"
#include "form1.h"
#include "frame_box.h"
#include "game_menu.h"
#include "load_passes.h"
#include "message_boxes.h"
#include "platform/platform.h"
#include "save_lock.h"
#include "script/cp1252.h"
#include "script/failure.h"
#include "script/file_io.h"
#include "script/untyped.h"
#include "script/windows_path.h"
#include "start_preview.h"
#include "window_style.h"

namespace editor {

namespace {

// Where File > Open points the text editor: the script on the current drive.
constexpr const char* kOpenedScript = "\\Varno\\Data\\kelo.pod";

// Highlight colours of the three notes.
const QColor kNoTitleNoteText(0x00, 0x00, 0x80);
const QColor kNoTitleNoteBack(0xFF, 0xFF, 0xC0);
const QColor kKeyboardNoteText(0xB0, 0x00, 0x00);
const QColor kFontNoteText(0x00, 0x60, 0x00);

constexpr int kRowHeight = 18;  // a text field

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, QRect geometry,
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter, bool bold = false) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setFont(controlFont(bold));
    label->setAlignment(alignment);
    label->setGeometry(geometry);
    return label;
}

// A two-line label that wraps its caption, as in the button frames.
QLabel* makeWrappedLabel(QWidget* parent, const QString& name, const QString& caption, QRect geometry) {
    QLabel* label = makeLabel(parent, name, caption, geometry, Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

QLabel* makeNote(QWidget* parent, const QString& name, const QString& caption, QRect geometry,
                 const QColor& text, bool bold, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    QLabel* note = makeLabel(parent, name, caption, geometry, alignment, bold);
    QPalette palette = note->palette();
    palette.setColor(QPalette::WindowText, text);
    note->setPalette(palette);
    return note;
}

QLineEdit* makeField(QWidget* parent, int number, QRect geometry) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QStringLiteral("Text%1").arg(number));
    field->setFont(controlFont());
    field->setGeometry(geometry);
    field->setTextMargins(1, 0, 1, 0);
    field->setMaxLength(std::numeric_limits<int>::max());  // no limit of its own
    return field;
}

CheckBox* makeCheck(QWidget* parent, int number, const QString& caption, QRect geometry, bool bold = false) {
    auto* box = new CheckBox(caption, parent);
    box->setObjectName(QStringLiteral("Check%1").arg(number));
    box->setFont(controlFont(bold));
    box->setGeometry(geometry);
    return box;
}

QGroupBox* makeFrame(QWidget* parent, int number, const QString& caption, QRect geometry) {
    auto* frame = new FrameBox(caption, parent);
    frame->setObjectName(QStringLiteral("Frame%1").arg(number));
    frame->setFont(controlFont(true));
    frame->setGeometry(geometry);
    return frame;
}

QPushButton* makeButton(QWidget* parent, int number, const QString& caption, QRect geometry, const QFont& font) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QStringLiteral("Command%1").arg(number));
    button->setFont(font);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    return button;
}

// The colour, caption and bitmap rows of a button frame, labels to the left.
struct ButtonRows {
    int colourLabel, captionLabel, bitmapLabel;
    QString colourCaption, captionCaption, bitmapCaption;
};
constexpr int kButtonRowTop[3] = {14, 39, 64};
// The bitmap label is narrower so that "If Used" goes to its second line.
constexpr int kButtonLabelWidth[3] = {92, 92, 70};
constexpr int kButtonFieldLeft = 102;
constexpr int kButtonFieldWidth = 62;

}  // namespace

frmMain::frmMain(platform::Platform& platform, MessageBoxes& messages, QWidget* parent)
    : QMainWindow(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                              Qt::MSWindowsFixedSizeDialogHint),
      platform_(platform),
      messages_(messages) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("   Varno"));
    setWindowIcon(varnoIcon());
    setFont(windowFont());
    buildWindow();
    buildMenu();
    texts_ = {nullptr, Text1,  Text2,  Text3,  Text4,  Text5,  Text6,  Text7,  Text8,  Text9,  Text10,
              Text11,  Text12, Text13, Text14, Text15, Text16, Text17, Text18, Text19, Text20, Text21,
              Text22,  Text23, Text24, Text25, Text26, Text27, Text28, Text29, Text30, Text31};
    checks_ = {nullptr, Check1, Check2, Check3, Check4, Check5, Check6, Check7, Check8};
    Check5->setValue(Grayed);
    Check8->setValue(Grayed);
    connectHandlers();
    gameMenu_ = new GameMenu(*this, platform_, messages_);
    statusBar()->setSizeGripEnabled(false);
    statusBar()->setFont(controlFont());
    setTabOrder();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    Text2->setFocus();
}

Form1* frmMain::picker() const { return picker_; }

frmMain::~frmMain() {
    if (picker_) delete picker_.data();
}

void frmMain::buildWindow() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(twipsSize(8865, 7245));
    setCentralWidget(client);
    buildTitleBox(client);
    buildButtonsAndTimes(client);
    buildWaveFrame(client);
    buildFontFrame(client);
    buildSplashFrame(client);
    buildButtonsFrame(client);
}

void frmMain::buildTitleBox(QWidget* client) {
    auto* box = new QFrame(client);
    box->setObjectName(QStringLiteral("titleBox"));
    box->setFrameShape(QFrame::Box);
    box->setFrameShadow(QFrame::Plain);
    box->setGeometry(twips(105, 75, 3255, 1440));
    const QRect area = box->geometry();

    // The note sits on the box's top line, masking it like a caption.
    QLabel* note = makeNote(client, QStringLiteral("lblNoTitleNote"),
                            QStringLiteral(" No Title used when Splash enabled "),
                            QRect(area.left() + 17, 0, 184, 13), kNoTitleNoteText, false, Qt::AlignCenter);
    note->setAutoFillBackground(true);
    QPalette palette = note->palette();
    palette.setColor(QPalette::Window, kNoTitleNoteBack);
    note->setPalette(palette);

    const int left = area.left() + 5, fieldLeft = area.left() + 77, fieldWidth = area.right() - 4 - fieldLeft;
    Label4 = makeLabel(client, QStringLiteral("Label4"), QStringLiteral("Game Title"),
                       QRect(left, 14, 72, kRowHeight));
    Text3 = makeField(client, 3, QRect(fieldLeft, 14, fieldWidth, kRowHeight));
    makeLabel(client, QStringLiteral("Label7"), QStringLiteral("Title Line 2"), QRect(left, 35, 72, kRowHeight));
    Text4 = makeField(client, 4, QRect(fieldLeft, 35, fieldWidth, kRowHeight));
    makeLabel(client, QStringLiteral("lblAlsoOnSplash"), QStringLiteral("Also on Splash"), QRect(left, 52, 76, 13));
    makeWrappedLabel(client, QStringLiteral("Label6"),
                     QStringLiteral(" Background Color( RGB)       when no bitmp used"),
                     QRect(left, 67, 136, 26));
    Text5 = makeField(client, 5, QRect(left + 138, 71, area.right() - 4 - (left + 138), kRowHeight));
}

void frmMain::buildButtonsAndTimes(QWidget* client) {
    Command3 = makeButton(client, 3, QStringLiteral("Load Data"), twips(3480, 120, 1425, 420), windowFont());
    Command2 = makeButton(client, 2, QStringLiteral("Compile/Save"), twips(3480, 720, 1425, 420),
                          controlFont(true));
    Command1 = makeButton(client, 1, QStringLiteral("Exit"), twips(3480, 1320, 1425, 420), windowFont());
    Command4 = makeButton(client, 4, QStringLiteral("RGB Picker"), twips(3480, 2400, 1425, 420),
                          controlFont(true));

    // Each label right-aligned against its narrow field; the note beside both.
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    Label2 = makeLabel(client, QStringLiteral("Label2"), QStringLiteral("Amount of Time for AVI to Play"),
                       QRect(330, 4, 150, 17), right);
    Text2 = makeField(client, 2, QRect(484, 4, 30, 17));
    Label3 = makeLabel(client, QStringLiteral("Label3"), QStringLiteral("Delay before game starts"),
                       QRect(330, 26, 150, 17), right);
    Text1 = makeField(client, 1, QRect(484, 26, 30, 17));
    makeLabel(client, QStringLiteral("lblThreeSeconds"), QStringLiteral("1 = 3 sec."), QRect(520, 15, 60, 17));
    for (QLabel* label : {Label2, Label3}) label->setMouseTracking(true);
    Label4->setMouseTracking(true);
    for (QLabel* label : {Label2, Label3, Label4}) label->installEventFilter(this);
}

void frmMain::buildWaveFrame(QWidget* client) {
    Frame10 = makeFrame(client, 10, QStringLiteral("Wave/Midi"), twips(5220, 630, 3375, 885));
    makeLabel(Frame10, QStringLiteral("Label35"), QStringLiteral("Wave to Play"), QRect(8, 16, 66, 17));
    Text30 = makeField(Frame10, 30, QRect(76, 16, 56, 17));
    makeLabel(Frame10, QStringLiteral("lblPickOne"), QStringLiteral("Pick 1 or None"), QRect(136, 16, 86, 17));
    makeLabel(Frame10, QStringLiteral("Label36"), QStringLiteral("Midi to Play"), QRect(8, 36, 66, 17));
    Text31 = makeField(Frame10, 31, QRect(76, 36, 56, 17));
    makeLabel(Frame10, QStringLiteral("lblForMenu"), QStringLiteral("For Menu/Splash"), QRect(136, 36, 86, 17));
}

void frmMain::buildFontFrame(QWidget* client) {
    Frame1 = makeFrame(client, 1, QStringLiteral("Font"), twips(120, 1560, 3255, 1440));
    makeLabel(Frame1, QStringLiteral("Label12"), QStringLiteral("Font to Use"), QRect(8, 16, 94, kRowHeight));
    Text9 = makeField(Frame1, 9, QRect(104, 16, 105, kRowHeight));
    makeLabel(Frame1, QStringLiteral("Label13"), QStringLiteral("Font Color   (RGB)"),
              QRect(8, 37, 94, kRowHeight));
    Text10 = makeField(Frame1, 10, QRect(104, 37, 105, kRowHeight));
    makeLabel(Frame1, QStringLiteral("Label14"), QStringLiteral("Font Size"), QRect(8, 58, 94, kRowHeight));
    Text11 = makeField(Frame1, 11, QRect(104, 58, 36, kRowHeight));
    makeLabel(Frame1, QStringLiteral("Label15"), QStringLiteral("Bold"), QRect(152, 58, 26, kRowHeight));
    Check1 = makeCheck(Frame1, 1, QString(), QRect(180, 59, 18, 16), true);
    makeNote(Frame1, QStringLiteral("lblFontNote"), QStringLiteral("Font must be on Players Computer"),
             QRect(8, 79, 200, 13), kFontNoteText, true);
}

void frmMain::buildSplashFrame(QWidget* client) {
    Frame3 = makeFrame(client, 3, QStringLiteral("Splash/Slide Show"), twips(4980, 1545, 3750, 1455));
    Check2 = makeCheck(Frame3, 2, QStringLiteral("Two or three button menu"), QRect(8, 14, 152, 16));
    makeLabel(Frame3, QStringLiteral("Label9"), QStringLiteral("Splash Text"), QRect(8, 31, 58, 17));
    Text7 = makeField(Frame3, 7, QRect(68, 31, 174, 17));
    makeLabel(Frame3, QStringLiteral("Label10"), QStringLiteral("SlideTimer Delay"), QRect(8, 49, 86, 17));
    Text8 = makeField(Frame3, 8, QRect(96, 49, 30, 17));
    makeLabel(Frame3, QStringLiteral("Label11"), QStringLiteral("# Slides to Run"), QRect(134, 49, 78, 17));
    Text12 = makeField(Frame3, 12, QRect(212, 49, 30, 17));
    Check3 = makeCheck(Frame3, 3, QStringLiteral("Help Button  Visible"), QRect(8, 67, 121, 16));
    Check8 = makeCheck(Frame3, 8, QStringLiteral("Skip Intro(Press S)"), QRect(130, 67, 118, 16));
    makeNote(Frame3, QStringLiteral("lblKeyboardNote"), QStringLiteral("Keyboard Disabled for Slide Show"),
             QRect(8, 83, 234, 13), kKeyboardNoteText, true);
}

void frmMain::buildButtonsFrame(QWidget* client) {
    Frame2 = makeFrame(client, 2, QStringLiteral("Buttons"), twips(120, 3000, 8625, 3900));
    buildButtonFrames();
    buildButtonSounds();
}

// The four button frames: colour, caption and bitmap rows each.
void frmMain::buildButtonFrames() {
    auto buttonFrame = [](QGroupBox* frame, int firstLabel, const QString (&captions)[3], int firstField,
                          QLineEdit** fields) {
        for (int row = 0; row < 3; ++row) {
            const int top = kButtonRowTop[row];
            makeWrappedLabel(frame, QStringLiteral("Label%1").arg(firstLabel + row), captions[row],
                             QRect(8, top, kButtonLabelWidth[row], 26));
            fields[row] = makeField(frame, firstField + row,
                                    QRect(kButtonFieldLeft, top + 4, kButtonFieldWidth, kRowHeight));
        }
    };
    QLineEdit* rows[3];

    Frame4 = makeFrame(Frame2, 4, QStringLiteral("Play/Start Button"), twips(255, 360, 2565, 1650));
    buttonFrame(Frame4, 16,
                {QStringLiteral("Button Color      (RGB)"), QStringLiteral("Caption on Face (No Caption = \" \")"),
                 QStringLiteral("Bitmap Name     If Used")},
                13, rows);
    Text13 = rows[0], Text14 = rows[1], Text15 = rows[2];

    Frame5 = makeFrame(Frame2, 5, QStringLiteral("SetUp Button"), twips(3000, 360, 2610, 1665));
    buttonFrame(Frame5, 20,
                {QStringLiteral("Button Color      (RGB)"),
                 QStringLiteral("Caption on Face   (No Caption = \" \")"),
                 QStringLiteral("Bitmap Name    If Used")},
                16, rows);
    Text16 = rows[0], Text17 = rows[1], Text18 = rows[2];
    Check4 = makeCheck(Frame5, 4, QStringLiteral("Visible"), QRect(8, 91, 80, 16));

    Frame6 = makeFrame(Frame2, 6, QStringLiteral("Help Button"), twips(5790, 360, 2640, 1665));
    buttonFrame(Frame6, 23,
                {QStringLiteral("Button Color    (RGB)"), QStringLiteral("Caption on Face  (No Caption = \" \")"),
                 QStringLiteral("Bitmap Name   If Used")},
                19, rows);
    Text19 = rows[0], Text20 = rows[1], Text21 = rows[2];
    makeLabel(Frame6, QStringLiteral("Label38"), QStringLiteral("3-4 button menu"), QRect(8, 91, 86, 16));
    Check7 = makeCheck(Frame6, 7, QString(), QRect(96, 91, 18, 16), true);
    makeLabel(Frame6, QStringLiteral("Label26"), QStringLiteral("Visible"), QRect(116, 91, 44, 16));

    Frame7 = makeFrame(Frame2, 7, QStringLiteral("Stop Button"), twips(270, 2055, 2565, 1650));
    buttonFrame(Frame7, 27,
                {QStringLiteral("Button Color     (RGB)"), QStringLiteral("Caption on Face   (No Caption = \" \")"),
                 QStringLiteral("Bitmap Name     If Used")},
                22, rows);
    Text22 = rows[0], Text23 = rows[1], Text24 = rows[2];
}

// The help picture and button sound row below the button frames, and the
// sound frames under it.
void frmMain::buildButtonSounds() {
    makeWrappedLabel(Frame2, QStringLiteral("Label30"), QStringLiteral("Help Screen Bitmap Name"),
                     QRect(196, 140, 72, 26));
    Text25 = makeField(Frame2, 25, QRect(268, 144, 62, kRowHeight));
    makeWrappedLabel(Frame2, QStringLiteral("Label8"), QStringLiteral("Button Sound   File Name"),
                     QRect(338, 140, 70, 26));
    Text6 = makeField(Frame2, 6, QRect(408, 144, 62, kRowHeight));
    Check6 = makeCheck(Frame2, 6, QStringLiteral("Button Sound"), QRect(478, 145, 92, 16));

    Frame9 = makeFrame(Frame2, 9, QStringLiteral(" Mouseover Sounds"), twips(2910, 2580, 3225, 1125));
    makeLabel(Frame9, QStringLiteral("Label31"), QStringLiteral("Play"), QRect(8, 20, 30, kRowHeight));
    Text26 = makeField(Frame9, 26, QRect(38, 20, 64, kRowHeight));
    makeLabel(Frame9, QStringLiteral("Label32"), QStringLiteral("Setup"), QRect(110, 20, 34, kRowHeight));
    Text27 = makeField(Frame9, 27, QRect(144, 20, 64, kRowHeight));
    makeLabel(Frame9, QStringLiteral("Label33"), QStringLiteral("Help"), QRect(8, 46, 30, kRowHeight));
    Text28 = makeField(Frame9, 28, QRect(38, 46, 64, kRowHeight));
    makeLabel(Frame9, QStringLiteral("Label34"), QStringLiteral("Stop"), QRect(110, 46, 34, kRowHeight));
    Text29 = makeField(Frame9, 29, QRect(144, 46, 64, kRowHeight));

    Frame8 = makeFrame(Frame2, 8, QStringLiteral("SFX"), twips(6360, 2580, 2070, 1125));
    Check5 = makeCheck(Frame8, 5, QStringLiteral("Lazer"), QRect(12, 30, 80, 16));
}

void frmMain::buildMenu() {
    QMenu* mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    menuBar()->setFont(controlFont());
    mnuFile->setFont(controlFont());
    mnuOpen = mnuFile->addAction(QStringLiteral("&Open   Kelo.pod"));
    mnuOpen->setObjectName(QStringLiteral("mnuOpen"));
    // Checked from the start and without an action of its own.
    mnusave = mnuFile->addAction(QStringLiteral("& AutoSave"));
    mnusave->setObjectName(QStringLiteral("mnusave"));
    mnusave->setCheckable(true);
    mnusave->setChecked(true);
    mnusave->setEnabled(true);
    connect(mnusave, &QAction::triggered, mnusave, [this] { mnusave->setChecked(true); });
    mnuCheck = mnuFile->addAction(QStringLiteral("&Check"));
    mnuCheck->setObjectName(QStringLiteral("mnuCheck"));
    connect(mnuCheck, &QAction::triggered, this, &frmMain::mnuCheck_Click);

    QMenu* mnuView = menuBar()->addMenu(QStringLiteral("&View"));
    mnuView->setObjectName(QStringLiteral("mnuView"));
    mnuView->setFont(controlFont());
    mnuStartScreenPreview = mnuView->addAction(QStringLiteral("Start Screen Preview"));
    mnuStartScreenPreview->setObjectName(QStringLiteral("mnuStartScreenPreview"));
    connect(mnuStartScreenPreview, &QAction::triggered, this, &frmMain::mnuStartScreenPreview_Click);
}

void frmMain::followGameFolder(const QString& folder) {
    gameFolder_ = folder;
    if (preview_) preview_->setGameFolder(folder);
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (!gameMenu_->maySwitchAway()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

StartPreview* frmMain::preview() {
    if (!preview_) {
        connectPreview();
        if (!gameFolder_.isEmpty()) preview_->setGameFolder(gameFolder_);
    }
    return preview_;
}

void frmMain::connectPreview() {
    preview_ = new StartPreview([this] { return snapshot(); }, this);
    // Every field and switch that Compile/Save writes redraws it.
    for (int n = 1; n <= 31; ++n)
        connect(Text(n), &QLineEdit::textChanged, preview_, &StartPreview::scheduleUpdate);
    for (int n = 1; n <= 8; ++n)
        connect(Check(n), &CheckBox::valueChanged, preview_, &StartPreview::scheduleUpdate);
}

void frmMain::connectHandlers() {
    connect(Check1, &CheckBox::valueChanged, this, &frmMain::Check1_Click);
    connect(Check2, &CheckBox::valueChanged, this, &frmMain::Check2_Click);
    connect(Check3, &CheckBox::valueChanged, this, &frmMain::Check3_Click);
    connect(Check4, &CheckBox::valueChanged, this, &frmMain::Check4_Click);
    connect(Check6, &CheckBox::valueChanged, this, &frmMain::Check6_Click);
    connect(Check7, &CheckBox::valueChanged, this, &frmMain::Check7_Click);
    connect(Check8, &CheckBox::valueChanged, this, &frmMain::Check8_Click);
    connect(Text1, &QLineEdit::textChanged, this, &frmMain::Text1_Change);
    connect(Text2, &QLineEdit::textChanged, this, &frmMain::Text2_Change);
    connect(Text8, &QLineEdit::textChanged, this, &frmMain::Text8_Change);
    connect(Text11, &QLineEdit::textChanged, this, &frmMain::Text11_Change);
    connect(Text12, &QLineEdit::textChanged, this, &frmMain::Text12_Change);
    connect(Command1, &QPushButton::clicked, this, &frmMain::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmMain::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmMain::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmMain::Command4_Click);
    connect(mnuOpen, &QAction::triggered, this, &frmMain::mnuOpen_Click);
}

void frmMain::setTabOrder() {
    const QList<QWidget*> order = {
        Text2,  Text1,  Text3,  Text4,  Text5,  Text9,  Text10, Text11, Check1, Check2, Text7,
        Text8,  Text12, Check3, Text13, Text14, Text15, Text16, Text17, Text18, Check4, Text19,
        Text20, Text21, Text22, Text23, Text24, Text25, Check5, Text6,  Check6, Check7, Text26,
        Text27, Text28, Text29, Check8, Text30, Text31, Command3, Command2, Command1, Command4};
    for (qsizetype i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        if (watched == Label2) Label2_MouseMove();
        else if (watched == Label3) Label3_MouseMove();
        else if (watched == Label4) Label4_MouseMove();
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- check boxes ----

void frmMain::Check1_Click() { switches_.fromCheck(1, Check1->value()); }
void frmMain::Check2_Click() { switches_.fromCheck(2, Check2->value()); }
void frmMain::Check3_Click() { switches_.fromCheck(3, Check3->value()); }
void frmMain::Check4_Click() { switches_.fromCheck(4, Check4->value()); }
void frmMain::Check6_Click() { switches_.fromCheck(6, Check6->value()); }
void frmMain::Check7_Click() { switches_.fromCheck(7, Check7->value()); }
void frmMain::Check8_Click() {}

// ---- numeric fields and hints ----

void frmMain::applyNumericRule(QLineEdit* field) {
    // Emptying the field runs its handler once more; empty stays empty.
    if (!script::isNumeric(field->text().toStdString())) field->setText(QString());
}

void frmMain::Text1_Change() { applyNumericRule(Text1); }
void frmMain::Text2_Change() { applyNumericRule(Text2); }
void frmMain::Text8_Change() { applyNumericRule(Text8); }
void frmMain::Text11_Change() { applyNumericRule(Text11); }
void frmMain::Text12_Change() { applyNumericRule(Text12); }

void frmMain::Label2_MouseMove() { Label2->setToolTip(QStringLiteral(" No AVI Place 0 ")); }
void frmMain::Label3_MouseMove() {
    Label3->setToolTip(QStringLiteral("Must be at least 1 or hand edit to .01 for quick start"));
}
void frmMain::Label4_MouseMove() { Label4->setToolTip(QStringLiteral(" Not the Name of the AVI File ")); }

// ---- buttons and menu ----

void frmMain::Command1_Click() {
    if (!messages_.askYesNo(this, " Exit", "  Are you sure you want to Exit")) return;
    if (!gameMenu_->maySwitchAway()) return;
    if (picker_) picker_->close();
    close();
    QCoreApplication::quit();
}

script::EditorSnapshot frmMain::snapshot() const {
    std::array<std::string, 32> texts;
    for (int n = 1; n <= 31; ++n) texts[static_cast<std::size_t>(n)] = Text(n)->text().toStdString();
    return makeSnapshot(texts, switches_);
}

void frmMain::Command2_Click() {
    try {
        compileAndSave(snapshot(), platform_,
                       [this] { messages_.inform(this, " Compile", "  Compile Complete"); });
    } catch (const script::Failure& failure) {
        messages_.reportFailure(this, failure);
    } catch (const std::bad_alloc&) {
        messages_.reportFailure(this, script::Failure(script::FailureKind::OutOfMemory));
    } catch (const std::exception& error) {
        messages_.reportFailure(this, script::Failure(script::FailureKind::DeviceIOError, error.what()));
    }
}

void frmMain::Command3_Click() {
    std::vector<LoadPass> passes;
    try {
        const std::filesystem::path path = script::mapWindowsPath(kStateFileName);
        try {
            // Not while another editor is half-way through replacing the pair.
            const SaveLock lock(pairLockFile(), path);
            const std::string bytes = script::readWholeFile(path, kStateFileName);
            passes = readLoadPasses(script::cp1252ToUtf8(bytes), script::nameOnThisSystem(path).shown);
        } catch (script::Failure& failure) {
            // The state file appears with the first Compile/Save.
            if (failure.kind() == script::FailureKind::FileNotFound && failure.script().empty())
                failure.withRemedy("press Compile/Save once to create it");
            throw;
        }
    } catch (const script::Failure& failure) {
        messages_.reportFailure(this, failure);
        return;
    } catch (const std::bad_alloc&) {
        messages_.reportFailure(this, script::Failure(script::FailureKind::OutOfMemory)
                                          .aboutFile(script::mapWindowsPath(kStateFileName)));
        return;
    } catch (const std::exception& error) {
        messages_.reportFailure(this, script::Failure(script::FailureKind::DeviceIOError, error.what())
                                          .aboutFile(script::mapWindowsPath(kStateFileName)));
        return;
    }
    for (std::size_t i = 0; i < passes.size(); ++i) applyLoadPass(passes[i], i == 0);
}

void frmMain::setLoadedText(int n, const std::string& text) {
    // The button sound's file passes through a window-level string on its way.
    if (n == script::textFieldOf("BSNDH")) strButtonSoundFile = text;
    Text(n)->setText(QString::fromStdString(text));
    Text(n)->setCursorPosition(0);  // a long value shows from its start
}

void frmMain::applyLoadPass(const LoadPass& pass, bool first) {
    pass.assignTo(switches_);
    // The first pass sets every field; a later one gives the same text again to
    // every field but the one whose holder it read, which changes nothing.
    if (first) {
        for (const script::KeywordInfo* keyword : script::editorLoadOrder()) {
            const int n = keyword->field.number;
            if (keyword->field.kind == script::EditorControl::Kind::Text)
                setLoadedText(n, n == pass.field ? pass.text : std::string());
        }
    } else if (pass.field != 0) {
        setLoadedText(pass.field, pass.text);
    }
    setLoadedBoxes(boxesFor(pass, switches_));
    // Each pass that reads nothing sets the boxes again; once that changes
    // nothing, the passes left change nothing either.
    for (std::size_t more = 1; more < pass.passes; ++more) {
        const SwitchVariables before = switches_;
        const LoadedBoxes boxes = boxesFor(pass, switches_);
        setLoadedBoxes(boxes);
        if (switches_ == before && boxesFor(pass, switches_) == boxes) break;
    }
}

void frmMain::setLoadedBoxes(const LoadedBoxes& boxes) {
    for (const script::KeywordInfo* keyword : script::editorLoadOrder()) {
        const int n = keyword->field.number;
        if (keyword->field.kind == script::EditorControl::Kind::Check)
            Check(n)->setValue(boxes.at(static_cast<std::size_t>(n)));
    }
}

void frmMain::Command4_Click() {
    // A picker closed a moment ago may still await its deletion: it is gone all the same.
    if (!picker_ || !picker_->isVisible()) {
        picker_ = new Form1();
        picker_->setAttribute(Qt::WA_DeleteOnClose);
        centreOnScreen(picker_);
        picker_->show();
    }
    bringForward(*picker_);
}

void frmMain::mnuStartScreenPreview_Click() {
    StartPreview* view = preview();
    if (!view->isVisible()) {
        // Beside the main window, where the screen can be watched while
        // typing: on its right, else on its left, and always on the screen.
        view->adjustSize();
        const QSize size = view->frameGeometry().size().expandedTo(view->size());
        const QRect frame = frameGeometry();
        QPoint at = frame.topRight() + QPoint(8, 0);
        if (const QScreen* screen = this->screen()) {
            const QRect area = screen->availableGeometry();
            if (at.x() + size.width() > area.right() + 1) at.setX(frame.left() - 8 - size.width());
            at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() + 1 - size.width())));
            at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() + 1 - size.height())));
        }
        view->move(at);
        view->show();
    }
    bringForward(*view);
}

void frmMain::mnuCheck_Click() {
    if (!checkWindow_) checkWindow_ = new CheckWindow(this);
    // The script as Compile/Save would write it, checked in memory.
    checkWindow_->check(script::writeMenuScript(snapshot(), script::formatDateTime(platform_.LocalTime())),
                        preview()->gameFolder());
    checkWindow_->show();
    bringForward(*checkWindow_);
}

void frmMain::mnuOpen_Click() {
    try {
        // The opener answers after the menu has returned; the editor may be gone by then.
        platform_.OpenInTextEditor(kOpenedScript, [window = QPointer<frmMain>(this)](const script::Failure& failure) {
            if (window) window->messages_.reportFailure(window, failure);
        });
    } catch (const script::Failure& failure) {
        messages_.reportFailure(this, failure);
    }
}

}  // namespace editor

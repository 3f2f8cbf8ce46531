#include "form1.h"

#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QScrollBar>

#include "window_style.h"

namespace editor {

namespace {

const QColor kFieldBackground(251, 255, 198);

QLineEdit* makeField(QWidget* parent, const QString& name, QRect geometry) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setFont(controlFont());
    field->setGeometry(geometry);
    field->setTextMargins(0, 0, 0, 0);
    return field;
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, QPoint at, const QFont& font) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setFont(font);
    label->move(at);
    label->adjustSize();
    return label;
}

// A click on the track steps by one whatever the desktop's style prefers
// (some jump the thumb to the pointer instead).
class SteppingTrackStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ScrollBar_LeftClickAbsolutePosition) return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

}  // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral(" RGB Picker"));
    setWindowIcon(varnoIcon());
    setFont(controlFont());
    setFixedSize(twipsSize(3960, 3105));

    buildSliders();
    buildPreviewAndFields();
    setTabOrder();
    Form_Load();
}

// The three labelled sliders: red, green, blue.
void Form1::buildSliders() {
    Label1 = makeLabel(this, QStringLiteral("Label1"), QStringLiteral("RED"), twips(120, 240, 0, 0).topLeft(),
                       controlFont(true));
    Label2 = makeLabel(this, QStringLiteral("Label2"), QStringLiteral("GREEN"), twips(600, 240, 0, 0).topLeft(),
                       controlFont(true));
    Label3 = makeLabel(this, QStringLiteral("Label3"), QStringLiteral("BLUE"), twips(1320, 240, 0, 0).topLeft(),
                       controlFont(true));

    const int lefts[3] = {195, 840, 1440};
    for (int index = 0; index < 3; ++index) {
        auto* bar = new QScrollBar(Qt::Vertical, this);
        bar->setObjectName(QStringLiteral("scrColor(%1)").arg(index));
        bar->setGeometry(twips(lefts[index], 480, 210, 2205));
        bar->setRange(0, 255);
        bar->setSingleStep(1);
        bar->setPageStep(1);
        bar->setFocusPolicy(Qt::StrongFocus);
        scrColor[static_cast<std::size_t>(index)] = bar;
        // While the thumb is dragged only the fields follow; the release is a change.
        connect(bar, &QScrollBar::valueChanged, this, [this, bar, index] {
            if (bar->isSliderDown()) scrColor_Scroll(index);
            else scrColor_Change(index);
        });
        connect(bar, &QScrollBar::sliderPressed, this,
                [this, bar, index] { pressedValue_[static_cast<std::size_t>(index)] = bar->value(); });
        connect(bar, &QScrollBar::sliderReleased, this, [this, bar, index] {
            if (bar->value() != pressedValue_[static_cast<std::size_t>(index)]) scrColor_Change(index);
        });
    }

    // Made after the bars, so that it is deleted after them.
    auto* barStyle = new SteppingTrackStyle;
    barStyle->setParent(this);
    for (QScrollBar* bar : scrColor) bar->setStyle(barStyle);
}

void Form1::buildPreviewAndFields() {
    picColor = new QWidget(this);
    picColor->setObjectName(QStringLiteral("picColor"));
    picColor->setGeometry(twips(1995, 255, 1680, 1935));
    picColor->setAutoFillBackground(true);
    picColor->setBackgroundRole(QPalette::Base);  // the system's window colour until the first change

    Text1 = makeField(this, QStringLiteral("Text1"), twips(1800, 2280, 2055, 285));
    Text2 = makeField(this, QStringLiteral("Text2"), twips(135, 2745, 375, 285));
    Text3 = makeField(this, QStringLiteral("Text3"), twips(765, 2745, 375, 285));
    Text4 = makeField(this, QStringLiteral("Text4"), twips(1350, 2745, 375, 285));
    Label4 = makeLabel(this, QStringLiteral("Label4"), QStringLiteral(" ,"), twips(495, 2610, 0, 0).topLeft(),
                       sansSerif(18, true));
    Label5 = makeLabel(this, QStringLiteral("Label5"), QStringLiteral(" ,"), twips(1095, 2610, 0, 0).topLeft(),
                       sansSerif(18, true));
    for (QLabel* comma : {Label4, Label5}) comma->lower();
}

void Form1::setTabOrder() {
    QWidget::setTabOrder(scrColor[0], scrColor[1]);
    QWidget::setTabOrder(scrColor[1], scrColor[2]);
    QWidget::setTabOrder(scrColor[2], Text1);
    QWidget::setTabOrder(Text1, Text2);
    QWidget::setTabOrder(Text2, Text3);
    QWidget::setTabOrder(Text3, Text4);
}

void Form1::Form_Load() {
    for (QLineEdit* field : {Text1, Text2, Text3, Text4}) {
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, kFieldBackground);
        field->setPalette(palette);
    }
}

void Form1::showComponents() {
    Text2->setText(QString::number(scrColor[0]->value()));
    Text3->setText(QString::number(scrColor[1]->value()));
    Text4->setText(QString::number(scrColor[2]->value()));
}

void Form1::scrColor_Change(int) {
    const int r = scrColor[0]->value(), g = scrColor[1]->value(), b = scrColor[2]->value();
    QPalette palette = picColor->palette();
    palette.setColor(QPalette::Window, QColor(r, g, b));
    picColor->setPalette(palette);
    picColor->setBackgroundRole(QPalette::Window);
    Text1->setText(QStringLiteral("Color = RGB %1,%2,%3").arg(r).arg(g).arg(b));
    showComponents();
}

void Form1::scrColor_Scroll(int) { showComponents(); }

}  // namespace editor

#pragma once
// The colour picker: three sliders for red, green and blue, a preview and the
// three components for the user to copy into a colour field.

#include <QWidget>
#include <array>

class QLabel;
class QLineEdit;
class QScrollBar;

namespace editor {

class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);

    std::array<QScrollBar*, 3> scrColor{};
    QWidget* picColor = nullptr;
    QLineEdit *Text1 = nullptr, *Text2 = nullptr, *Text3 = nullptr, *Text4 = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr;

    void Form_Load();
    void scrColor_Change(int index);
    void scrColor_Scroll(int index);

private:
    void buildSliders();
    void buildPreviewAndFields();
    void setTabOrder();
    void showComponents();
    std::array<int, 3> pressedValue_{};
};

}  // namespace editor

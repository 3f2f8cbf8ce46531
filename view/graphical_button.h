#pragma once
// A push button drawn with its own face colour, or a picture instead of the
// system's face.

#include <QColor>
#include <QPixmap>
#include <QPushButton>

namespace view {

class GraphicalButton : public QPushButton {
public:
    explicit GraphicalButton(QWidget* parent);

    QColor faceColour() const { return faceColour_; }
    void setFaceColour(const QColor& colour);
    // A null pixmap shows no picture.
    const QPixmap& picture() const { return picture_; }
    void setPicture(const QPixmap& picture);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor faceColour_ = Qt::black;
    QPixmap picture_;
};

}  // namespace view

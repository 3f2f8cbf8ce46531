#pragma once
// A captioned frame drawn as the editor's frames look: a thin grey line whose
// top runs through the middle of the caption's first line, broken where the
// caption sits.

#include <QGroupBox>

namespace editor {

class FrameBox : public QGroupBox {
public:
    FrameBox(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace editor

#pragma once
// A transparent label of the start screen that can size itself to its text.

#include <QLabel>

namespace view {

class ScreenLabel : public QLabel {
public:
    // A centred label that sizes itself keeps its top and its horizontal
    // middle; any other keeps its top left corner.
    ScreenLabel(QWidget* parent, const QRect& designGeometry, bool centred);

    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool on);
    // The middle a centred label keeps, in client pixels (may end in .5).
    double middleX() const { return middleX_; }

    // Each setter leaves the label alone when the value is the one it has.
    void setCaption(const QString& caption);
    void setTextColour(const QColor& colour);
    void setFontIfChanged(const QFont& font);

    // While the window is built and not yet shown, sizing to the text waits
    // until text and font are final: measuring text is the costly part, and
    // only the last size is ever seen.
    void holdSizing(bool hold);

private:
    void fitToText();

    bool centred_;
    bool autoSize_ = false;
    bool holdSizing_ = false;
    bool sizeStale_ = false;
    double middleX_;
};

}  // namespace view

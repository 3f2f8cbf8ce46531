#pragma once
// The launcher's own message box: a title, a message, one of four icons and
// an "Exit" button. Modeless; it only informs.

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include "view/graphical_button.h"

namespace launcher {

class LauncherWindows;

class frmOwnbox : public QWidget {
public:
    // Outer size once loaded, in twips: 3500 x 2500.
    static constexpr int kOuterWidthTwips = 3500, kOuterHeightTwips = 2500;

    explicit frmOwnbox(LauncherWindows& windows);

    void Form_Load();
    void Command2_Click();  // "Exit"

    // The icon stores, outside the visible area once loaded.
    QLabel* picError;
    QLabel* picInfo;
    QLabel* picStop;
    QLabel* picQuestion;
    view::GraphicalButton* Command2;
    QLineEdit* txtInfo;
    QLabel* Picture1;
    QLabel* Image1;
    QLabel* Label1;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    LauncherWindows& windows_;
};

// Twips to pixels at 96 dots per inch.
constexpr int twipsToPixels(int twips) { return (twips * 2 + 15) / 30; }

}  // namespace launcher

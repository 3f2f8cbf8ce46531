#pragma once
// The help screen: the packager's help picture and an "OK" button.

#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <string>

#include "view/picture_files.h"

namespace launcher {

class LauncherWindows;

class Dialog : public QWidget {
public:
    explicit Dialog(LauncherWindows& windows);

    // Reads the menu script again, for INFOP alone, and loads its picture.
    void Form_Load();
    void OKButton_Click();

    QPushButton* OKButton;
    QLabel* Image2;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool pathExists(const std::string& path);

    LauncherWindows& windows_;
    view::PictureFiles pictures_;
};

}  // namespace launcher

#pragma once
// The editor's one main window: every setting of the menu script as a field,
// the switch variables its check boxes keep, and the buttons that compile,
// load, pick colours and exit.

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <string>

#include "script/writer.h"
#include "switch_variables.h"

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QGroupBox;

namespace platform { class Platform; }

namespace editor {

class CheckBox;
class Form1;
class MessageBoxes;
class StartPreview;
class CheckWindow;
class GameMenu;
struct LoadPass;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    frmMain(platform::Platform& platform, MessageBoxes& messages, QWidget* parent = nullptr);
    ~frmMain() override;

    // The 31 text fields by number (Text(1) is Text1) and the 8 boxes.
    QLineEdit* Text(int n) const { return texts_.at(static_cast<std::size_t>(n)); }
    CheckBox* Check(int n) const { return checks_.at(static_cast<std::size_t>(n)); }
    const SwitchVariables& switches() const { return switches_; }
    Form1* picker() const;
    // The start screen preview; it lives as long as the window, shown or not.
    // Made on first use: most sessions never open it.
    StartPreview* preview();
    // The fields and switches as Compile/Save writes them.
    script::EditorSnapshot snapshot() const;
    GameMenu* gameMenu() const { return gameMenu_; }
    // The preview and File › Check look at `folder` from now on.
    void followGameFolder(const QString& folder);

    // Controls, by the names the handlers use.
    QLineEdit *Text1, *Text2, *Text3, *Text4, *Text5, *Text6, *Text7, *Text8, *Text9, *Text10,
        *Text11, *Text12, *Text13, *Text14, *Text15, *Text16, *Text17, *Text18, *Text19, *Text20,
        *Text21, *Text22, *Text23, *Text24, *Text25, *Text26, *Text27, *Text28, *Text29, *Text30,
        *Text31;
    CheckBox *Check1, *Check2, *Check3, *Check4, *Check5, *Check6, *Check7, *Check8;
    QLabel *Label2, *Label3, *Label4;
    QPushButton *Command1, *Command2, *Command3, *Command4;
    QGroupBox *Frame1, *Frame2, *Frame3, *Frame4, *Frame5, *Frame6, *Frame7, *Frame8, *Frame9,
        *Frame10;
    QAction *mnuOpen, *mnusave, *mnuCheck, *mnuStartScreenPreview;

    // Handlers.
    void Check1_Click();
    void Check2_Click();
    void Check3_Click();
    void Check4_Click();
    void Check6_Click();
    void Check7_Click();
    void Check8_Click();
    void Text1_Change();
    void Text2_Change();
    void Text8_Change();
    void Text11_Change();
    void Text12_Change();
    void Label2_MouseMove();
    void Label3_MouseMove();
    void Label4_MouseMove();
    void Command1_Click();  // Exit
    void Command2_Click();  // Compile/Save
    void Command3_Click();  // Load Data
    void Command4_Click();  // RGB Picker
    void mnuOpen_Click();
    void mnuCheck_Click();
    CheckWindow* checkWindow() const { return checkWindow_; }
    void mnuStartScreenPreview_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWindow();
    void buildTitleBox(QWidget* client);
    void buildButtonsAndTimes(QWidget* client);
    void buildFontFrame(QWidget* client);
    void buildSplashFrame(QWidget* client);
    void buildWaveFrame(QWidget* client);
    void buildButtonsFrame(QWidget* client);
    void buildButtonFrames();
    void buildButtonSounds();
    void buildMenu();
    void connectHandlers();
    void connectPreview();
    void setTabOrder();
    void applyNumericRule(QLineEdit* field);
    void applyLoadPass(const LoadPass& pass, bool first);
    void setLoadedText(int n, const std::string& text);
    void setLoadedBoxes(const std::array<int, 9>& boxes);

    platform::Platform& platform_;
    MessageBoxes& messages_;
    SwitchVariables switches_;
    std::string strButtonSoundFile;
    std::array<QLineEdit*, 32> texts_{};
    std::array<CheckBox*, 9> checks_{};
    QPointer<Form1> picker_;
    StartPreview* preview_ = nullptr;
    CheckWindow* checkWindow_ = nullptr;
    GameMenu* gameMenu_ = nullptr;
    QString gameFolder_;  // empty: the preview's own choice
};

}  // namespace editor

#pragma once
// The Game menu: the editor working on a real game folder. Opens the
// folder's Data/kelo.pod into the fields, saves the fields back there,
// starts the real launcher in it, and keeps track of unsaved changes, the
// window title and the folders opened lately.

#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QString>
#include <filesystem>
#include <functional>
#include <optional>

#include "editor/compile_save.h"
#include "editor/script_import.h"

class QAction;
class QMenu;


namespace platform { class Platform; }

namespace editor {

class frmMain;
class MessageBoxes;

class GameMenu : public QObject {
    Q_OBJECT
public:
    GameMenu(frmMain& window, platform::Platform& platform, MessageBoxes& messages);
    ~GameMenu() override;

    QMenu* menu() const { return mnuGame_; }
    QAction *mnuOpenGameFolder, *mnuSaveToGameFolder, *mnuTestInLorvane;
    QMenu* mnuRecentGameFolders;

    // The open game folder; nothing while the editor works on ~/Varno alone.
    const std::optional<std::filesystem::path>& folder() const { return folder_; }
    bool unsavedChanges() const { return dirty_; }

    // Opens `folder` (a game folder or its Data/kelo.pod), asking first about
    // unsaved changes and about what the fields cannot hold. False when
    // nothing changed: cancelled, or not a game folder.
    bool openGameFolder(const std::filesystem::path& given);
    // Writes the fields as the folder's menu script. False when nothing was
    // written (cancelled or failed, which is reported).
    bool saveToGameFolder();
    // Starts the launcher in the game folder (in ~/Varno without one).
    void testInLorvane();
    // Before the fields are given up (another folder, quitting): asks about
    // unsaved changes. False to stay.
    bool maySwitchAway();

    // The folders opened lately, the latest first.
    QStringList recentGameFolders() const;
    // The launcher Test in Lorvane starts; by default the one beside the
    // editor, else lorvane from the PATH.
    void setLauncherProgram(const QString& program) { launcherProgram_ = program; }
    QProcess* launcher() const { return lorvane_; }
    // Where tests make a save fail.
    SaveSeams saveSeams;

signals:
    // The launcher started by Test in Lorvane has ended; its report is in
    // the status bar.
    void launcherEnded(const QString& report);

private:
    void fieldsChanged();
    void setDirty(bool dirty);
    void updateTitle();
    void rememberFolder(const std::filesystem::path& folder);
    void fillRecentMenu();
    void chooseGameFolder();
    void showStatus(const QString& text);
    QString defaultLauncherProgram() const;
    // Runs `work`; a failure is reported and gives false.
    bool reportingFailures(const std::filesystem::path& file, const std::function<void()>& work);
    void launcherFinished(int exitCode, int exitStatus);

    frmMain& window_;
    platform::Platform& platform_;
    MessageBoxes& messages_;
    QMenu* mnuGame_;
    std::optional<std::filesystem::path> folder_;
    bool hasScript_ = false;
    bool dirty_ = false;
    bool filling_ = false;     // the fields are being filled from a script
    std::string dropNotice_;   // what saving would drop, until it is saved
    bool backupKept_ = false;  // kelo.pod~ holds the script as it was opened
    QString launcherProgram_;
    QPointer<QProcess> lorvane_;
    QString lorvaneErrors_;
};

}  // namespace editor

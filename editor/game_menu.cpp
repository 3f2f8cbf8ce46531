#include "editor/game_menu.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <new>
#include <vector>

#include "editor/check_box.h"
#include "editor/frm_main.h"
#include "editor/game_folder.h"
#include "editor/message_boxes.h"
#include "editor/save_lock.h"
#include "editor/start_preview.h"
#include "platform/platform.h"
#include "script/failure.h"
#include "script/file_io.h"
#include "script/menu_script.h"
#include "script/windows_path.h"
#include "script/writer.h"

namespace editor {

namespace {

constexpr int kRecentFolders = 8;
const QString kRecentKey = QStringLiteral("recentGameFolders");
constexpr int kKeptLauncherErrors = 16 * 1024;

QString shownPath(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

// The editor's own settings: ~/.config/varno/varno.conf.
#define VARNO_SETTINGS QStringLiteral("varno"), QStringLiteral("varno")

// The last line the launcher wrote to standard error: its report of a failure.
QString lastLine(const QString& text) {
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return lines.isEmpty() ? QString() : lines.last().trimmed();
}

}  // namespace

GameMenu::GameMenu(frmMain& window, platform::Platform& platform, MessageBoxes& messages)
    : QObject(&window), window_(window), platform_(platform), messages_(messages) {
    mnuGame_ = window.menuBar()->addMenu(QStringLiteral("&Game"));
    mnuGame_->setObjectName(QStringLiteral("mnuGame"));
    mnuGame_->setFont(window.menuBar()->font());
    mnuOpenGameFolder = mnuGame_->addAction(QStringLiteral("&Open Game Folder\u2026"));
    mnuOpenGameFolder->setObjectName(QStringLiteral("mnuOpenGameFolder"));
    mnuOpenGameFolder->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuSaveToGameFolder = mnuGame_->addAction(QStringLiteral("&Save to Game Folder"));
    mnuSaveToGameFolder->setObjectName(QStringLiteral("mnuSaveToGameFolder"));
    mnuSaveToGameFolder->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuSaveToGameFolder->setEnabled(false);
    mnuTestInLorvane = mnuGame_->addAction(QStringLiteral("&Test in Lorvane"));
    mnuTestInLorvane->setObjectName(QStringLiteral("mnuTestInLorvane"));
    mnuTestInLorvane->setShortcut(QKeySequence(Qt::Key_F5));
    mnuRecentGameFolders = mnuGame_->addMenu(QStringLiteral("&Recent Game Folders"));
    mnuRecentGameFolders->setObjectName(QStringLiteral("mnuRecentGameFolders"));
    connect(mnuRecentGameFolders, &QMenu::aboutToShow, this, &GameMenu::fillRecentMenu);
    fillRecentMenu();

    connect(mnuOpenGameFolder, &QAction::triggered, this, &GameMenu::chooseGameFolder);
    connect(mnuSaveToGameFolder, &QAction::triggered, this, [this] { saveToGameFolder(); });
    connect(mnuTestInLorvane, &QAction::triggered, this, &GameMenu::testInLorvane);

    for (int n = 1; n <= 31; ++n) connect(window.Text(n), &QLineEdit::textChanged, this, &GameMenu::fieldsChanged);
    for (int n = 1; n <= 8; ++n) connect(window.Check(n), &CheckBox::valueChanged, this, &GameMenu::fieldsChanged);
}

GameMenu::~GameMenu() {
    // A launcher still running outlives the editor: it is the player's now.
    if (lorvane_ && lorvane_->state() != QProcess::NotRunning) {
        lorvane_->disconnect(this);
        lorvane_->setParent(nullptr);
    }
}

void GameMenu::fieldsChanged() {
    if (folder_ && !filling_) setDirty(true);
}

void GameMenu::setDirty(bool dirty) {
    dirty_ = dirty;
    updateTitle();
}

void GameMenu::updateTitle() {
    if (!folder_) {
        window_.setWindowTitle(QStringLiteral("   Varno"));
        window_.setWindowModified(false);
        return;
    }
    QString title = QStringLiteral("   Varno - ") + shownPath(*folder_);
    if (!hasScript_) title += QStringLiteral(" (no script yet)");
    window_.setWindowTitle(title + QStringLiteral("[*]"));
    window_.setWindowModified(dirty_);
}

void GameMenu::showStatus(const QString& text) { window_.statusBar()->showMessage(text); }

bool GameMenu::maySwitchAway() {
    if (!dirty_ || !folder_) return true;
    const std::string text = "The fields have changes that are not saved to " +
                             scriptIn(*folder_).string() + ".\nSave them first?";
    switch (messages_.askSaveDiscardCancel(&window_, " Varno", text)) {
        case SaveAnswer::Save: return saveToGameFolder();
        case SaveAnswer::Discard:
            dirty_ = false;  // given up: quitting or opening another folder asks no more
            return true;
        case SaveAnswer::Cancel: return false;
    }
    return false;
}

void GameMenu::chooseGameFolder() {
    const QString start = folder_ ? shownPath(*folder_) : QDir::homePath();
    const QString chosen = QFileDialog::getExistingDirectory(&window_, QStringLiteral("Open Game Folder"), start);
    if (!chosen.isEmpty()) openGameFolder(chosen.toStdString());
}

bool GameMenu::openGameFolder(const std::filesystem::path& given) {
    const std::optional<std::filesystem::path> folder = gameFolderOf(given);
    if (!folder) {
        messages_.reportFailure(&window_, script::Failure(script::FailureKind::PathNotFound,
                                                          "is neither a folder nor a game folder's Data/kelo.pod")
                                              .aboutFile(given));
        return false;
    }
    if (!maySwitchAway()) return false;

    const std::filesystem::path scriptPath = scriptIn(*folder);
    std::error_code error;
    const bool hasScript = std::filesystem::exists(scriptPath, error);
    ImportedScript imported;
    imported.box.fill(0);
    imported.box[5] = imported.box[8] = -1;
    const bool read = !hasScript || reportingFailures(scriptPath, [&] {
        const std::string shownName = script::nameOnThisSystem(scriptPath, {}, *folder).shown;
        // Not while another editor is half-way through saving it.
        const SaveLock lock(lockFileBeside(scriptPath), scriptPath);
        imported = importScript(script::readWholeFile(scriptPath, script::kScriptInGameFolder), shownName);
    });
    if (!read) return false;
    if ((imported.refusal || imported.encoding || !imported.notices.empty()) &&
        !messages_.askProceedOrCancel(&window_, " Open Game Folder",
                                      scriptPath.string() + " holds what the fields cannot:\n\n" +
                                          imported.noticeText(),
                                      "Open"))
        return false;

    filling_ = true;
    for (int n = 1; n <= 31; ++n) {
        window_.Text(n)->setText(QString::fromStdString(imported.text[static_cast<std::size_t>(n)]));
        window_.Text(n)->setCursorPosition(0);
    }
    for (int n = 1; n <= 8; ++n)
        if (const int state = imported.box[static_cast<std::size_t>(n)]; state >= 0) window_.Check(n)->setValue(state);
    filling_ = false;

    folder_ = *folder;
    hasScript_ = hasScript;
    backupKept_ = false;
    dropNotice_ = imported.dropNotice();
    mnuSaveToGameFolder->setEnabled(true);
    setDirty(false);
    window_.followGameFolder(shownPath(*folder_));
    rememberFolder(*folder_);
    showStatus(hasScript ? QStringLiteral("Opened %1").arg(shownPath(scriptPath))
                         : QStringLiteral("%1 has no menu script yet; Save to Game Folder writes it")
                               .arg(shownPath(*folder_)));
    return true;
}

bool GameMenu::saveToGameFolder() {
    if (!folder_) return false;
    if (!dropNotice_.empty() &&
        !messages_.askProceedOrCancel(&window_, " Save to Game Folder",
                                      "Saving writes what the fields hold; of what the script held, this "
                                      "changes:\n\n" + dropNotice_,
                                      "Save"))
        return false;

    const std::filesystem::path scriptPath = scriptIn(*folder_);
    const bool saved = reportingFailures(scriptPath, [&] {
        std::error_code error;
        std::filesystem::create_directory(scriptPath.parent_path(), error);
        const SaveLock lock(lockFileBeside(scriptPath), scriptPath);
        std::vector<script::PreparedFile> files;
        files.reserve(2);
        // The script as it was when the folder was opened is kept once, beside it.
        const bool keepBackup = !backupKept_ && std::filesystem::exists(scriptPath, error);
        if (keepBackup) {
            const std::filesystem::path backup = scriptPath.parent_path() / (scriptPath.filename().string() + "~");
            files.emplace_back(backup, script::readWholeFile(scriptPath, script::kScriptInGameFolder),
                               std::string(script::kScriptInGameFolder) + "~");
        }
        files.emplace_back(scriptPath,
                           script::writeMenuScript(window_.snapshot(), script::formatDateTime(platform_.LocalTime())),
                           script::kScriptInGameFolder);
        script::replaceAll(files, saveSeams.beforeReplacing);
        backupKept_ = backupKept_ || keepBackup;
    });
    if (!saved) return false;
    hasScript_ = true;
    dropNotice_.clear();
    setDirty(false);
    showStatus(QStringLiteral("Saved %1").arg(shownPath(scriptPath)));
    return true;
}

bool GameMenu::reportingFailures(const std::filesystem::path& file, const std::function<void()>& work) {
    try {
        work();
        return true;
    } catch (const script::Failure& failure) {
        messages_.reportFailure(&window_, failure);
    } catch (const std::bad_alloc&) {
        messages_.reportFailure(&window_, script::Failure(script::FailureKind::OutOfMemory).aboutFile(file));
    }
    return false;
}

QString GameMenu::defaultLauncherProgram() const {
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/lorvane");
    if (QFileInfo(beside).isExecutable()) return beside;
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("lorvane"));
    return onPath.isEmpty() ? QStringLiteral("lorvane") : onPath;
}

void GameMenu::testInLorvane() {
    if (lorvane_ && lorvane_->state() != QProcess::NotRunning) {
        showStatus(QStringLiteral("Lorvane is still running (process %1)").arg(lorvane_->processId()));
        return;
    }
    if (dirty_ && folder_) {
        if (!messages_.askProceedOrCancel(&window_, " Test in Lorvane",
                                          "The fields have changes that are not saved to " +
                                              scriptIn(*folder_).string() + ".\nSave them first?",
                                          "Save"))
            return;
        if (!saveToGameFolder()) return;
    }
    // Without a game folder, the folder Compile/Save writes its script into.
    const std::filesystem::path folder = folder_ ? *folder_ : script::mapWindowsPath("c:\\Varno");
    delete lorvane_;
    lorvane_ = new QProcess(this);
    lorvane_->setProgram(launcherProgram_.isEmpty() ? defaultLauncherProgram() : launcherProgram_);
    lorvane_->setWorkingDirectory(shownPath(folder));
    lorvane_->setStandardOutputFile(QProcess::nullDevice());
    lorvaneErrors_.clear();
    connect(lorvane_, &QProcess::readyReadStandardError, this, [this] {
        lorvaneErrors_ += QString::fromLocal8Bit(lorvane_->readAllStandardError());
        if (lorvaneErrors_.size() > kKeptLauncherErrors) lorvaneErrors_ = lorvaneErrors_.right(kKeptLauncherErrors);
    });
    connect(lorvane_, &QProcess::finished, this,
            [this](int exitCode, QProcess::ExitStatus status) { launcherFinished(exitCode, status); });
    connect(lorvane_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return;
        const QString report = QStringLiteral("Lorvane could not be started: %1: %2")
                                   .arg(lorvane_->program(), lorvane_->errorString());
        showStatus(report);
        emit launcherEnded(report);
    });
    lorvane_->start();
    showStatus(QStringLiteral("Lorvane runs in %1").arg(shownPath(folder)));
}

void GameMenu::launcherFinished(int exitCode, int exitStatus) {
    lorvaneErrors_ += QString::fromLocal8Bit(lorvane_->readAllStandardError());
    QString report;
    if (exitStatus == QProcess::CrashExit)
        report = QStringLiteral("Lorvane ended abnormally: %1").arg(lorvane_->errorString());
    else if (exitCode == 0)
        report = QStringLiteral("Lorvane ended normally (exit status 0)");
    else
        report = QStringLiteral("Lorvane ended with exit status %1").arg(exitCode);
    if (const QString said = lastLine(lorvaneErrors_); !said.isEmpty() && exitCode != 0)
        report += QStringLiteral(": ") + said;
    showStatus(report);
    emit launcherEnded(report);
}

QStringList GameMenu::recentGameFolders() const {
    return QSettings(VARNO_SETTINGS).value(kRecentKey).toStringList();
}

void GameMenu::rememberFolder(const std::filesystem::path& folder) {
    QStringList folders = recentGameFolders();
    folders.removeAll(shownPath(folder));
    folders.prepend(shownPath(folder));
    while (folders.size() > kRecentFolders) folders.removeLast();
    QSettings settings(VARNO_SETTINGS);
    settings.setValue(kRecentKey, folders);
}

void GameMenu::fillRecentMenu() {
    mnuRecentGameFolders->clear();
    const QStringList folders = recentGameFolders();
    for (qsizetype i = 0; i < folders.size(); ++i) {
        const QString folder = folders[i];
        QAction* item = mnuRecentGameFolders->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(folder));
        connect(item, &QAction::triggered, this, [this, folder] { openGameFolder(folder.toStdString()); });
    }
    mnuRecentGameFolders->setEnabled(!folders.isEmpty());
}

}  // namespace editor

#include "start_preview.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <map>
#include <vector>

#include "menu/startup_reading.h"
#include "script/cp1252.h"
#include "script/failure.h"
#include "script/menu_script.h"
#include "script/windows_path.h"
#include "view/folder_files.h"
#include "view/start_screen.h"
#include "window_style.h"

namespace editor {

namespace {

// The name the launcher reports the script under; the preview reads the
// fields' bytes in its place.

std::filesystem::path localPath(const QString& folder) { return std::filesystem::path(folder.toStdString()); }

}  // namespace

// The launcher's files below the game folder; a picture it could not load is
// noted and drawn as a placeholder, where the launcher would stop. Lives for
// one drawing, so a file put in place since shows at the next change.
class PreviewFiles : public view::FolderFiles {
public:
    using FolderFiles::FolderFiles;

    // The pass asks after the background once per field; the folder does not
    // change within one drawing, and a missing name costs a folder listing.
    bool FileExists(const std::string& strPath) override {
        auto known = exists_.find(strPath);
        if (known == exists_.end()) known = exists_.emplace(strPath, FolderFiles::FileExists(strPath)).first;
        return known->second;
    }

    const QPixmap& picture(const std::string& windowsName) override {
        try {
            return FolderFiles::picture(windowsName);
        } catch (const script::Failure& failure) {
            auto placeholder = placeholders_.find(windowsName);
            if (placeholder == placeholders_.end()) {
                problems.push_back(failure);
                placeholder = placeholders_.emplace(windowsName, missingPicturePlaceholder(windowsName)).first;
            }
            return placeholder->second;
        }
    }

    std::vector<script::Failure> problems;

private:
    std::map<std::string, bool> exists_;
    std::map<std::string, QPixmap> placeholders_;
};

QPixmap missingPicturePlaceholder(const std::string& windowsName) {
    // Fits inside the face of the narrowest button, which clips two pixels.
    QPixmap placeholder(85, 31);
    placeholder.fill(Qt::transparent);
    QPainter painter(&placeholder);
    QPen dashed(QColor(255, 255, 0));
    dashed.setStyle(Qt::DashLine);
    painter.setPen(dashed);
    painter.drawRect(placeholder.rect().adjusted(0, 0, -1, -1));
    QFont font = painter.font();
    font.setPointSize(7);
    font.setBold(false);
    painter.setFont(font);
    const std::size_t cut = windowsName.find_last_of("\\/");
    const QString name =
        QString::fromStdString(script::cp1252ToUtf8(cut == std::string::npos ? windowsName : windowsName.substr(cut + 1)));
    const QRect inside = placeholder.rect().adjusted(3, 2, -3, -2);
    painter.drawText(inside, Qt::AlignCenter, painter.fontMetrics().elidedText(name, Qt::ElideMiddle, inside.width()));
    return placeholder;
}

StartPreview::StartPreview(std::function<script::EditorSnapshot()> fields, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      fields_(std::move(fields)),
      gameFolder_(defaultGameFolder()) {
    setObjectName(QStringLiteral("StartPreview"));
    setWindowTitle(QStringLiteral(" Start Screen Preview"));
    setWindowIcon(varnoIcon());
    setFont(controlFont());

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 8, 8, 8);
    column->setSpacing(6);

    auto* folderRow = new QHBoxLayout();
    folderRow->addWidget(new QLabel(QStringLiteral("Game Folder"), this));
    folderField_ = new QLineEdit(this);
    folderField_->setObjectName(QStringLiteral("GameFolder"));
    folderField_->setReadOnly(true);
    folderField_->setText(gameFolder_);
    folderRow->addWidget(folderField_, 1);
    chooseButton_ = new QPushButton(QStringLiteral("Choose..."), this);
    chooseButton_->setObjectName(QStringLiteral("ChooseGameFolder"));
    connect(chooseButton_, &QPushButton::clicked, this, &StartPreview::chooseGameFolder);
    folderRow->addWidget(chooseButton_);
    column->addLayout(folderRow);

    screenFrame_ = new QWidget(this);
    screenFrame_->setFixedSize(view::StartScreen::kClientWidth, view::StartScreen::kClientHeight);
    column->addWidget(screenFrame_, 0, Qt::AlignLeft);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("PreviewStatus"));
    status_->setWordWrap(true);
    status_->setTextFormat(Qt::PlainText);
    status_->setMinimumHeight(status_->fontMetrics().lineSpacing() * 3);
    // A long report wraps within the screen's width rather than widening the
    // window, so the screen keeps its place.
    status_->setFixedWidth(view::StartScreen::kClientWidth);
    status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    column->addWidget(status_);

    setFixedWidth(view::StartScreen::kClientWidth + 16);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

StartPreview::~StartPreview() = default;

QString StartPreview::defaultGameFolder() {
    return QString::fromStdString(script::mapWindowsPath("c:\\Varno").string());
}

QString StartPreview::gameFolder() const { return gameFolder_; }

void StartPreview::setGameFolder(const QString& folder) {
    if (folder == gameFolder_) return;
    gameFolder_ = folder;
    folderField_->setText(folder);
    scheduleUpdate();
}

void StartPreview::chooseGameFolder() {
    const QString folder =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Game Folder"), gameFolder_);
    if (!folder.isEmpty()) setGameFolder(folder);
}

void StartPreview::scheduleUpdate() {
    if (updatePending_ || !isVisible()) return;
    updatePending_ = true;
    QTimer::singleShot(0, this, [this] {
        if (updatePending_) updateScreen();
    });
}

void StartPreview::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    updateScreen();
}

void StartPreview::updateScreen() {
    updatePending_ = false;
    // A fresh screen each time, as the launcher builds its window once and
    // reads the script into it: what an earlier drawing left must not show.
    auto files = std::make_unique<PreviewFiles>(localPath(gameFolder_));
    auto* host = new QWidget(screenFrame_);
    host->setObjectName(QStringLiteral("start"));
    auto screen = std::make_unique<view::StartScreen>(*host, *files);

    std::string stop;
    script::MenuSettings values = menu::initialStartupValues(script::kScriptInGameFolder);
    screen->holdSizing(true);
    try {
        const std::string bytes = script::writeMenuScript(fields_(), {});
        menu::readStartupScript(bytes, values, [&] { screen->ApplySettings(values); });
    } catch (const script::Failure& failure) {
        stop = failure.report();
    }
    screen->holdSizing(false);

    delete screenHost_;
    screenHost_ = host;
    screenHost_->move(0, 0);
    screenHost_->show();
    screen_ = std::move(screen);
    files_ = std::move(files);

    QStringList problems;
    for (const script::Failure& missing : files_->problems)
        problems << QStringLiteral("Lorvane would stop: ") + QString::fromStdString(missing.report());
    if (!stop.empty()) problems << QStringLiteral("Lorvane would stop: ") + QString::fromStdString(stop);
    if (problems.isEmpty())
        showStatus(QStringLiteral("As Lorvane shows it, with the pictures of this game folder."), false);
    else
        showStatus(problems.join(QLatin1Char('\n')), true);
}

void StartPreview::showStatus(const QString& text, bool problem) {
    status_->setText(text);
    QPalette colours = status_->palette();
    colours.setColor(QPalette::WindowText, problem ? QColor(192, 0, 0) : palette().color(QPalette::WindowText));
    status_->setPalette(colours);
}

}  // namespace editor

#include "editor/check_window.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <filesystem>

#include "menu/folder_check.h"
#include "view/picture_files.h"

namespace editor {

CheckWindow::CheckWindow(QWidget* parent) : QDialog(parent), text_(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("CheckWindow"));
    setWindowTitle(QStringLiteral("Check"));
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    resize(720, 560);
}

void CheckWindow::check(const std::string& scriptBytes, const QString& gameFolder) {
    const std::filesystem::path folder = gameFolder.toStdString();
    QString shown = QStringLiteral("The fields as Data/kelo.pod in %1\n").arg(gameFolder);
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        shown += QStringLiteral("This folder does not exist: pick the game folder in the start screen preview.\n");
    } else {
        try {
            shown += QString::fromStdString(menu::checkGameFolder(folder, view::requirePicture, scriptBytes).text());
        } catch (const std::exception& failure) {
            shown += QStringLiteral("The check could not run: %1\n").arg(QString::fromStdString(failure.what()));
        }
    }
    text_->setPlainText(shown);
}

QString CheckWindow::findings() const { return text_->toPlainText(); }

}  // namespace editor

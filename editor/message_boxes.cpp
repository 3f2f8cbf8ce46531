#include "message_boxes.h"

#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <iostream>

#include "script/failure.h"

namespace editor {

namespace {

class WindowMessageBoxes : public MessageBoxes {
public:
    bool askYesNo(QWidget* parent, const std::string& title, const std::string& prompt) override {
        QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title),
                        QString::fromStdString(prompt), QMessageBox::Yes | QMessageBox::No, parent);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes;
    }

    void inform(QWidget* parent, const std::string& title, const std::string& text) override {
        QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title),
                        QString::fromStdString(text), QMessageBox::Ok, parent);
        box.exec();
    }

    SaveAnswer askSaveDiscardCancel(QWidget* parent, const std::string& title, const std::string& text) override {
        QMessageBox box(QMessageBox::Warning, QString::fromStdString(title), QString::fromStdString(text),
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
        box.setDefaultButton(QMessageBox::Save);
        switch (box.exec()) {
            case QMessageBox::Save: return SaveAnswer::Save;
            case QMessageBox::Discard: return SaveAnswer::Discard;
            default: return SaveAnswer::Cancel;
        }
    }

    bool askProceedOrCancel(QWidget* parent, const std::string& title, const std::string& text,
                            const std::string& proceed) override {
        // A long list shows its start; the whole of it is one click away.
        constexpr qsizetype kShownLines = 24;
        const QString whole = QString::fromStdString(text);
        const QStringList lines = whole.split(QLatin1Char('\n'));
        QString shown = whole;
        if (lines.size() > kShownLines)
            shown = lines.mid(0, kShownLines).join(QLatin1Char('\n')) +
                    QStringLiteral("\n… and %1 more lines (Show Details)").arg(lines.size() - kShownLines);
        QMessageBox box(QMessageBox::Warning, QString::fromStdString(title), shown, QMessageBox::NoButton, parent);
        if (shown != whole) box.setDetailedText(whole);
        QPushButton* goAhead = box.addButton(QString::fromStdString(proceed), QMessageBox::AcceptRole);
        box.setDefaultButton(box.addButton(QMessageBox::Cancel));
        box.exec();
        return box.clickedButton() == goAhead;
    }

    void reportFailure(QWidget* parent, const script::Failure& failure) override {
        std::cerr << "varno: " << failure.report() << std::endl;
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Varno"),
                        QString::fromStdString(failure.report()), QMessageBox::Ok, parent);
        box.exec();
    }
};

}  // namespace

std::unique_ptr<MessageBoxes> createWindowMessageBoxes() {
    return std::make_unique<WindowMessageBoxes>();
}

}  // namespace editor

#include "message_boxes.h"

#include <QMessageBox>
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

#pragma once
// The editor's message boxes behind one seam, so that tests can answer them
// without a modal loop.

#include <memory>
#include <string>

class QWidget;

namespace script { class Failure; }

namespace editor {

enum class SaveAnswer { Save, Discard, Cancel };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Yes and No, Yes the default, no icon. True for Yes.
    virtual bool askYesNo(QWidget* parent, const std::string& title, const std::string& prompt) = 0;
    // A single OK, no icon; returns once the box is closed.
    virtual void inform(QWidget* parent, const std::string& title, const std::string& text) = 0;
    // Save, Discard and Cancel, Save the default, a warning icon.
    virtual SaveAnswer askSaveDiscardCancel(QWidget* parent, const std::string& title, const std::string& text) = 0;
    // A button that goes ahead (captioned `proceed`: "Save", "Open") and
    // Cancel, Cancel the default. True to go ahead.
    virtual bool askProceedOrCancel(QWidget* parent, const std::string& title, const std::string& text,
                                    const std::string& proceed) = 0;
    // A failure that the editor survives: names it, and the file where known.
    virtual void reportFailure(QWidget* parent, const script::Failure& failure) = 0;
};

// Real modal boxes of the window system; failures are also printed to standard error.
std::unique_ptr<MessageBoxes> createWindowMessageBoxes();

}  // namespace editor

#include "launcher/dialog.h"

#include <QKeyEvent>
#include <QPalette>
#include <QScreen>

#include "launcher/frm_ownbox.h"
#include "launcher/launcher_windows.h"
#include "script/field_reader.h"
#include "script/file_io.h"
#include "script/menu_script.h"
#include "script/reading_rule.h"
#include "script/windows_path.h"
#include "view/window_placement.h"

namespace launcher {

namespace {
}

Dialog::Dialog(LauncherWindows& windows) : windows_(windows) {
    setObjectName(QStringLiteral("Dialog"));
    setWindowTitle(QStringLiteral("Dialog Caption"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(twipsToPixels(4890), twipsToPixels(6165));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0, 0, 255));
    setPalette(colours);
    setAutoFillBackground(true);

    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(twipsToPixels(120), twipsToPixels(120), twipsToPixels(4695), twipsToPixels(5295));
    Image2->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(twipsToPixels(1800), twipsToPixels(5520), twipsToPixels(1215), twipsToPixels(495));
    OKButton->setDefault(true);
    OKButton->raise();  // a large picture never covers it
    setFocusProxy(OKButton);
    connect(OKButton, &QPushButton::clicked, this, [this] { windows_.runHandler([this] { OKButton_Click(); }); });
    view::centreByOuterFrame(*this);
}

// Escape closes the help screen as "OK" does.
void Dialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        if (!event->isAutoRepeat()) OKButton->animateClick();
        return;
    }
    QWidget::keyPressEvent(event);
}

// The same rule as the start window's FileExists. An empty name is no file;
// the shell's test answers so too.
bool Dialog::pathExists(const std::string& path) {
    return !path.empty() && windows_.platform().PathFileExistsA(path) == 1;
}

void Dialog::Form_Load() {
    std::string strPicturePath;
    const std::filesystem::path scriptPath = script::mapWindowsPath(script::kScriptInGameFolder);
    const std::string shownScript = script::nameOnThisSystem(scriptPath).shown;
    script::FieldReader reader(script::readWholeFile(scriptPath, script::kScriptInGameFolder), shownScript);
    int pathLine = 0;
    do {
        const script::Record record = script::readRecord(reader, script::helpKeywords());
        if (record.kind == script::Record::Kind::Skipped) continue;
        if (record.kind == script::Record::Kind::Matched) {
            strPicturePath = record.values.at(0).text;
            pathLine = record.keywordField.line;
        }
        // Loaded again after every further field, which shows the same; the
        // file is decoded once.
        if (pathExists(strPicturePath)) {
            try {
                const QPixmap& picture = pictures_.load(strPicturePath);
                if (Image2->pixmap().cacheKey() != picture.cacheKey()) {
                    Image2->setPixmap(picture);
                    Image2->resize(picture.size());
                }
            } catch (script::Failure& failure) {
                failure.inScript(shownScript, pathLine).forKeyword("INFOP");
                throw;
            }
        }
    } while (!reader.atEnd());
    pictures_.clear();
}

void Dialog::OKButton_Click() { windows_.unloadDialog(); }

}  // namespace launcher

#include "launcher/msg_box.h"

#include "launcher/frm_ownbox.h"
#include "launcher/launcher_windows.h"

namespace MsgBox {

void ShowOwnbox(launcher::LauncherWindows& windows, const QString& strTitle, const QString& strPrompt,
                std::int16_t intIcon) {
    launcher::frmOwnbox& box = windows.ownbox();
    box.txtInfo->setText(strPrompt);
    box.Label1->setText(strTitle);
    const QLabel* store = intIcon == 1   ? box.picStop
                          : intIcon == 2 ? box.picInfo
                          : intIcon == 3 ? box.picError
                          : intIcon == 4 ? box.picQuestion
                                         : nullptr;
    if (store) box.Picture1->setPixmap(store->pixmap());
    windows.platform().Beep();
    box.show();
}

}  // namespace MsgBox

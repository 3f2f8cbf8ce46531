#pragma once
// The demo's menu, as a packager would fill the editor's fields for it.

#include "script/writer.h"

namespace demo_menu {

enum class Layout { Main, Splash };

// Every feature of the menu script in use: titles, colours, a font, all four
// captions, pictures on Play and Quit and colours on Setup and Help, the
// visible Setup and Help buttons, the button sound, background music, a help
// picture and three slides. The splash layout adds the Help button to the
// bottom row.
script::EditorSnapshot packagerSnapshot(Layout layout);

}  // namespace demo_menu

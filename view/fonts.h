#pragma once

namespace view {

// The menu script and the windows name Windows fonts; these stand in for them.
void installFontSubstitutions();

}  // namespace view

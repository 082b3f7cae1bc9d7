// The program's icon on every window, rendered from our own moon picture, and the
// desktop entry's name, by which docks and task bars find the menu entry and icon.
#pragma once

namespace selvora {

// Once the QApplication exists.
void useApplicationIcon();

}  // namespace selvora

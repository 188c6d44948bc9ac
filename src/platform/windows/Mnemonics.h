#pragma once
// Alt+letter belongs to the controls a user can use. Qt keeps the mnemonic of a disabled or
// hidden menu-bar menu, and two owners of one letter make the key do nothing: a disabled "&Sort"
// took Alt+S from "&Save". SyncMnemonics takes the marker out of the caption of every button and
// menu-bar menu of a window that is disabled or hidden, and puts it back once it is usable again.

class QWidget;

namespace corvane {

// Call after the window changed which controls are enabled or shown.
void SyncMnemonics(QWidget* window);

} // namespace corvane

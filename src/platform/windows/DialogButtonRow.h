#pragma once
// The button row most dialogs end with: "Ok" (the default button), "Cancel", "Help" and the
// "What's this?" button, right-aligned, named OkButton, CancelButton and HelpButton for tests.

class QBoxLayout;
class QPushButton;
class QWidget;

namespace corvane {

struct DialogButtonRow {
    QPushButton* Ok = nullptr;
    QPushButton* Cancel = nullptr;
    QPushButton* Help = nullptr;
};

// Appends the row to `layout`; the caller connects the buttons.
DialogButtonRow AddDialogButtonRow(QWidget* dialog, QBoxLayout* layout);

} // namespace corvane

#pragma once
// The button row dialogs end with: "Ok" (the default button), "Cancel", "Help" and the
// "What's this?" button, right-aligned, named OkButton, CancelButton and HelpButton for tests.

class QBoxLayout;
class QDialog;
class QPushButton;
class QString;

namespace corvane {

struct DialogButtons {
    QPushButton* Ok = nullptr;
    QPushButton* Cancel = nullptr;
    QPushButton* Help = nullptr;
};

// Adds the buttons OkButton, CancelButton, HelpButton and MouseHelpButton to `row` and connects
// Ok to accept and Cancel to reject (a dialog that checks its values first overrides accept());
// Help opens the help's search on `helpKey`.
DialogButtons AddDialogButtons(QDialog* dialog, QBoxLayout* row, const QString& helpKey);

} // namespace corvane

#pragma once
// "Select Field": the list of fields by display label from which a record-field element or a memo
// element takes its field.

#include <string>
#include <vector>

#include <QDialog>

class QListWidget;

namespace corvane {

class FieldCatalogue;
class TGDMultiLineLabel;
class TGPDLabel;

class TFieldSelectionBox : public QDialog {
    Q_OBJECT
  public:
    explicit TFieldSelectionBox(QWidget* parent = nullptr);

    // Lists the labels and selects `current` (else the first entry).
    void SetChoices(const std::vector<std::string>& labels, const std::string& current);
    // The selected display label; empty when nothing is selected.
    std::string SelectedLabel() const;

    // Opens the dialog with the visible text fields; on Ok the element takes the selected field's
    // name and display label and tells its panel. Whichever way it closes, the panel refreshes its
    // record display. False when cancelled.
    static bool SelectDataField(TGPDLabel& label, const FieldCatalogue& catalogue, QWidget* parent);
    // The same with every memo field.
    static bool SelectMemoField(TGDMultiLineLabel& label, const FieldCatalogue& catalogue, QWidget* parent);

    QListWidget* ListOfFields;
};

} // namespace corvane

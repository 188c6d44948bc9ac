#include "layout/designer/dialogs/TFieldSelectionBox.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QVBoxLayout>

#include "core/FieldCatalogue.h"
#include "layout/ElementDialogModels.h"
#include "layout/LayoutQt.h"
#include "layout/TGBasePanel.h"
#include "layout/TGDMultiLineLabel.h"
#include "layout/TGPDLabel.h"
#include "layout/designer/dialogs/DialogParts.h"
#include "layout/designer/dialogs/DialogRunner.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"

namespace corvane {

namespace {

// The field dialog over `choices` for a record-field or memo element. The panel refreshes its
// record display afterwards in every case.
template <class Element>
bool SelectField(Element& element, const std::vector<std::string>& choices, const FieldCatalogue& catalogue,
                 QWidget* parent)
{
    TFieldSelectionBox dialog(parent);
    dialog.SetChoices(choices, element.DataFieldDescript());
    const bool accepted = RunModalDialog(dialog) == QDialog::Accepted;
    const std::optional<FieldBinding> binding =
        accepted ? BindingForLabel(catalogue, dialog.SelectedLabel()) : std::nullopt;
    if (binding) {
        element.SetDataFieldName(binding->Name);
        element.SetDataFieldDescript(binding->DisplayLabel);
        element.NotifyChanged();
    }
    if (TGBasePanel* panel = element.Parent())
        panel->RefreshData();
    return accepted;
}

} // namespace

TFieldSelectionBox::TFieldSelectionBox(QWidget* parent) : QDialog(parent)
{
    setObjectName("TFieldSelectionBox");
    setWindowTitle("Select Field");
    ListOfFields = new QListWidget(this);
    ListOfFields->setObjectName("ListOfFields");
    ListOfFields->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ListOfFields, 1);
    auto* row = new QHBoxLayout;
    AddDialogButtons(this, row, "Select Field");
    layout->addLayout(row);
    connect(ListOfFields, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    InstallWhatsThis(this, {{"ListOfFields", "The fields of the address file by their names on screen; "
                                             "the element shows the one you select."},
                            {"OkButton", "Makes the element show the selected field."},
                            {"CancelButton", "Closes the window and leaves the element as it was."},
                            {"HelpButton", "Shows the help on field elements."}});
    resize(300, 360);
    CentreForm(this);
}

void TFieldSelectionBox::SetChoices(const std::vector<std::string>& labels, const std::string& current)
{
    ListOfFields->clear();
    for (const std::string& label : labels)
        ListOfFields->addItem(ToQString(label));
    const int selected = InitialChoice(labels, current);
    ListOfFields->setCurrentRow(selected);
}

std::string TFieldSelectionBox::SelectedLabel() const
{
    const QListWidgetItem* item = ListOfFields->currentItem();
    return item && item->isSelected() ? FromQString(item->text()) : std::string();
}

bool TFieldSelectionBox::SelectDataField(TGPDLabel& label, const FieldCatalogue& catalogue, QWidget* parent)
{
    return SelectField(label, DataFieldChoices(catalogue), catalogue, parent);
}

bool TFieldSelectionBox::SelectMemoField(TGDMultiLineLabel& label, const FieldCatalogue& catalogue,
                                         QWidget* parent)
{
    return SelectField(label, MemoFieldChoices(catalogue), catalogue, parent);
}

} // namespace corvane

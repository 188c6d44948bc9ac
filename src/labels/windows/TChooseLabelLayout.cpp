#include "labels/windows/TChooseLabelLayout.h"

#include <QHBoxLayout>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "layout/designer/dialogs/DialogRunner.h"
#include "platform/windows/DialogButtonRow.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"

namespace corvane {

TChooseLabelLayout::TChooseLabelLayout(QWidget* parent) : QDialog(parent)
{
    setObjectName("TChooseLabelLayout");
    setWindowTitle("Label Layout");
    auto* layout = new QVBoxLayout(this);
    FTemplate = new QRadioButton("&Select layout from a list of templates", this);
    FTemplate->setObjectName("TemplateRadio");
    FTemplate->setChecked(true);
    FManual = new QRadioButton("&Enter the layout values manually (user defined layout)", this);
    FManual->setObjectName("ManualRadio");
    layout->addWidget(FTemplate);
    layout->addWidget(FManual);

    auto* row = new QHBoxLayout;
    AddDialogButtons(this, row, "Label Layout");
    layout->addLayout(row);
    InstallWhatsThis(
        this, {{"TemplateRadio", "Take the label size and sheet layout from the list of commercial label "
                                 "stocks."},
               {"ManualRadio", "Type the label size, pitch, margins and paper size yourself, in inches or "
                               "millimetres."},
               {"OkButton", "Go on to the list of stocks or to the entry of your own layout."},
               {"CancelButton", "Keep the label layout as it is."},
               {"HelpButton", "Open the help on label layouts."}});
    CentreForm(this);
}

LayoutSourceChoice TChooseLabelLayout::Choice() const
{
    return FManual->isChecked() ? LayoutSourceChoice::Manual : LayoutSourceChoice::Template;
}

LayoutSourceChoice ChooseLabelLayoutSource(QWidget* parent)
{
    TChooseLabelLayout dialog(parent);
    if (RunModalDialog(dialog) != QDialog::Accepted)
        return LayoutSourceChoice::Cancel;
    return dialog.Choice();
}

} // namespace corvane

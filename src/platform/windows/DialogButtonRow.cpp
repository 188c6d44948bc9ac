#include "platform/windows/DialogButtonRow.h"

#include <QBoxLayout>
#include <QPushButton>
#include <QToolButton>

#include "platform/windows/WhatsThis.h"

namespace corvane {

DialogButtonRow AddDialogButtonRow(QWidget* dialog, QBoxLayout* layout)
{
    DialogButtonRow buttons;
    auto* row = new QHBoxLayout;
    row->addStretch();
    buttons.Ok = new QPushButton("Ok", dialog);
    buttons.Ok->setObjectName("OkButton");
    buttons.Ok->setDefault(true);
    buttons.Cancel = new QPushButton("Cancel", dialog);
    buttons.Cancel->setObjectName("CancelButton");
    buttons.Help = new QPushButton("Help", dialog);
    buttons.Help->setObjectName("HelpButton");
    row->addWidget(buttons.Ok);
    row->addWidget(buttons.Cancel);
    row->addWidget(buttons.Help);
    row->addWidget(CreateMouseHelpButton(dialog));
    layout->addLayout(row);
    return buttons;
}

} // namespace corvane

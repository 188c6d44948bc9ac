#include "platform/windows/DialogButtonRow.h"

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>
#include <QToolButton>

#include "platform/windows/HelpViewer.h"
#include "platform/windows/WhatsThis.h"

namespace corvane {

namespace {

QPushButton* NamedButton(const QString& objectName, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    return button;
}

} // namespace

DialogButtons AddDialogButtons(QDialog* dialog, QBoxLayout* row, const QString& helpKey)
{
    DialogButtons buttons;
    buttons.Ok = NamedButton("OkButton", "Ok", dialog);
    buttons.Cancel = NamedButton("CancelButton", "Cancel", dialog);
    buttons.Help = NamedButton("HelpButton", "Help", dialog);
    buttons.Ok->setDefault(true);
    buttons.Cancel->setAutoDefault(false);
    buttons.Help->setAutoDefault(false);
    row->addStretch();
    row->addWidget(buttons.Ok);
    row->addWidget(buttons.Cancel);
    row->addWidget(buttons.Help);
    row->addWidget(CreateMouseHelpButton(dialog));
    QObject::connect(buttons.Ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(buttons.Cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    QObject::connect(buttons.Help, &QPushButton::clicked, dialog, [helpKey] { ShowHelpSearch(helpKey); });
    return buttons;
}

} // namespace corvane

#include "app/TCopyToClipBoard.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/DialogControls.h"
#include "platform/windows/HelpViewer.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"

namespace corvane {

TCopyToClipBoard::TCopyToClipBoard(QWidget* parent) : QDialog(parent)
{
    setObjectName("TCopyToClipBoard");
    setWindowTitle("Copy Record To Clipboard");

    NameCheck = NamedCheckBox("NameCheck", "Name, Organization, Title", this);
    AddressCheck = NamedCheckBox("AddressCheck", "Address", this);
    PhonesCheck = NamedCheckBox("PhonesCheck", "Phone Numbers", this);
    CodesCheck = NamedCheckBox("CodesCheck", "Codes", this);
    CommentsCheck = NamedCheckBox("CommentsCheck", "Comments 1 && 2", this);
    OkButton = NamedButton("OkButton", "Ok", this);
    CancelButton = NamedButton("CancelButton", "Cancel", this);
    HelpButton = NamedButton("HelpButton", "Help", this);
    OkButton->setDefault(true);

    auto* checks = new QVBoxLayout;
    for (QCheckBox* check : {NameCheck, AddressCheck, PhonesCheck, CodesCheck, CommentsCheck}) {
        check->setChecked(true);
        checks->addWidget(check);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CreateMouseHelpButton(this));
    buttons->addStretch();
    buttons->addWidget(OkButton);
    buttons->addWidget(CancelButton);
    buttons->addWidget(HelpButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(checks);
    layout->addLayout(buttons);

    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpButton, &QPushButton::clicked, this, &TCopyToClipBoard::HelpButtonClick);

    InstallWhatsThis(this,
                     {
                         {"NameCheck", "Copies the prefix, name, title and organization."},
                         {"AddressCheck", "Copies the address lines, city, state, ZIP code and country."},
                         {"PhonesCheck", "Copies the two phone numbers."},
                         {"CodesCheck", "Copies the codes."},
                         {"CommentsCheck", "Copies comments 1 and 2."},
                         {"OkButton", "Puts the ticked parts of the record on the clipboard as text."},
                         {"CancelButton", "Closes the window without copying."},
                         {"HelpButton", "Shows the help on adding and changing records."},
                     });
    CentreForm(this);
}

RecordParts TCopyToClipBoard::Parts() const
{
    return {NameCheck->isChecked(), AddressCheck->isChecked(), PhonesCheck->isChecked(),
            CodesCheck->isChecked(), CommentsCheck->isChecked()};
}

void TCopyToClipBoard::HelpButtonClick()
{
    ShowHelpContext(HelpContext);
}

} // namespace corvane

#include "app/TNewDataBaseName.h"

#include <utility>

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/DialogControls.h"
#include "app/NewFileFieldLengths.h"
#include "app/TSpecifyFieldLengths.h"
#include "platform/windows/HelpViewer.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"

namespace corvane {

namespace {

constexpr int NameLength = 8;

} // namespace

TNewDataBaseName::TNewDataBaseName(QWidget* parent, Settings settings)
    : QDialog(parent), FSettings(std::move(settings)), FWidths(LoadNewFileFieldLengths(FSettings))
{
    setObjectName("TNewDataBaseName");
    setWindowTitle("Create new database");

    auto* nameLabel = new QLabel("&Name of the new database:", this);
    NameEdit = new QLineEdit(this);
    NameEdit->setObjectName("NameEdit");
    NameEdit->setMaxLength(NameLength);
    nameLabel->setBuddy(NameEdit);

    InvalidNameLabel = new QLabel(InvalidAddressFileNameMessage, this);
    InvalidNameLabel->setObjectName("InvalidNameLabel");
    InvalidNameLabel->setWordWrap(true);
    QPalette warning = InvalidNameLabel->palette();
    warning.setColor(QPalette::WindowText, Qt::darkRed);
    InvalidNameLabel->setPalette(warning);

    FieldLengthsButton = NamedButton("FieldLengthsButton", "&Field Lengths...", this);
    OkButton = NamedButton("OkButton", "OK", this);
    CancelButton = NamedButton("CancelButton", "Cancel", this);
    HelpButton = NamedButton("HelpButton", "Help", this);
    OkButton->setDefault(true);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(NameEdit);
    nameRow->addWidget(FieldLengthsButton);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CreateMouseHelpButton(this));
    buttons->addStretch();
    buttons->addWidget(OkButton);
    buttons->addWidget(CancelButton);
    buttons->addWidget(HelpButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(nameRow);
    layout->addWidget(InvalidNameLabel);
    layout->addLayout(buttons);
    // The message comes and goes as the name is typed; the window keeps its size meanwhile.
    QSizePolicy keepSpace = InvalidNameLabel->sizePolicy();
    keepSpace.setRetainSizeWhenHidden(true);
    InvalidNameLabel->setSizePolicy(keepSpace);

    connect(NameEdit, &QLineEdit::textChanged, this, &TNewDataBaseName::NameEditTextChanged);
    connect(FieldLengthsButton, &QPushButton::clicked, this, &TNewDataBaseName::FieldLengthsButtonClick);
    connect(OkButton, &QPushButton::clicked, this, &TNewDataBaseName::OkButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpButton, &QPushButton::clicked, this, &TNewDataBaseName::HelpButtonClick);

    InstallWhatsThis(this, {
                               {"NameEdit", "The name of the new address file, without extension: up to 8 "
                                            "letters, digits or underscores, starting with a letter or an "
                                            "underscore. The file is made in the DATA folder."},
                               {"InvalidNameLabel", "Says why the name typed cannot be used."},
                               {"FieldLengthsButton", "Lets you choose how many characters each field of the "
                                                      "new file can hold."},
                               {"OkButton", "Creates the new address file and opens it."},
                               {"CancelButton", "Closes the window without creating a file."},
                               {"HelpButton", "Shows the help on creating a database."},
                           });

    NameEditTextChanged(NameEdit->text());
    CentreForm(this);
}

void TNewDataBaseName::SetSuggestedName(const QString& name)
{
    NameEdit->setText(name);
    NameEdit->selectAll();
    NameEditTextChanged(NameEdit->text());
}

QString TNewDataBaseName::DataBaseName() const
{
    return NameEdit->text();
}

std::vector<xbase::FieldSpec> TNewDataBaseName::NewFileFields() const
{
    return AddressFileFieldsWithWidths(FWidths);
}

void TNewDataBaseName::NameEditTextChanged(const QString& text)
{
    const bool valid = IsValidAddressFileBaseName(text.toStdString());
    OkButton->setEnabled(valid);
    InvalidNameLabel->setVisible(!valid);
}

void TNewDataBaseName::FieldLengthsButtonClick()
{
    TSpecifyFieldLengths lengths(FWidths, this, FSettings);
    if (lengths.exec() == QDialog::Accepted)
        FWidths = lengths.FieldWidths();
}

void TNewDataBaseName::OkButtonClick()
{
    if (IsValidAddressFileBaseName(NameEdit->text().toStdString()))
        accept();
}

void TNewDataBaseName::HelpButtonClick()
{
    ShowHelpContext(HelpContext);
}

} // namespace corvane

#include "layout/designer/dialogs/TAddressLayout.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "layout/TGDMultiLineAddressLabel.h"
#include "layout/designer/dialogs/DialogParts.h"
#include "layout/designer/dialogs/DialogRunner.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"

namespace corvane {

namespace {

template <class Button> Button* Named(const QString& objectName, const QString& caption, QWidget* parent)
{
    auto* button = new Button(caption, parent);
    button->setObjectName(objectName);
    return button;
}

} // namespace

TAddressLayout::TAddressLayout(QWidget* parent) : QDialog(parent)
{
    setObjectName("TAddressLayout");
    setWindowTitle("Address Label Layout");
    UseName = Named<QCheckBox>("UseName", "&Name", this);
    UseTitle = Named<QCheckBox>("UseTitle", "&Title", this);
    UseCompany = Named<QCheckBox>("UseCompany", "&Organization", this);
    UseStreet = Named<QCheckBox>("UseStreet", "Address &1", this);
    UseStreet2 = Named<QCheckBox>("UseStreet2", "Address &2", this);
    UseCityState = Named<QCheckBox>("UseCityState", "City + &State", this);
    UseZip = Named<QCheckBox>("UseZip", "&Zip/Postal code", this);
    UsePhone = Named<QCheckBox>("UsePhone", "&Phone #1", this);
    UseCountry = Named<QCheckBox>("UseCountry", "&Country", this);
    UpperCase = Named<QCheckBox>("UpperCase", "&Uppercase", this);

    auto* zipPlace = new QGroupBox(this);
    zipPlace->setObjectName("ZipPosition");
    AfterState = Named<QRadioButton>("AfterState", "&After state", zipPlace);
    BeforeCity = Named<QRadioButton>("BeforeCity", "&Before city", zipPlace);
    AfterCountry = Named<QRadioButton>("AfterCountry", "A&fter country", zipPlace);
    BeforeCountry = Named<QRadioButton>("BeforeCountry", "B&efore country", zipPlace);
    auto* zipLayout = new QVBoxLayout(zipPlace);
    for (QRadioButton* button : {AfterState, BeforeCity, AfterCountry, BeforeCountry})
        zipLayout->addWidget(button);

    auto* lines = new QVBoxLayout;
    for (QCheckBox* box : {UseName, UseTitle, UseCompany, UseStreet, UseStreet2, UseCityState, UseZip})
        lines->addWidget(box);
    auto* zipRow = new QHBoxLayout;
    zipRow->addSpacing(20);
    zipRow->addWidget(zipPlace);
    lines->addLayout(zipRow);
    for (QCheckBox* box : {UsePhone, UseCountry, UpperCase})
        lines->addWidget(box);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lines);
    auto* row = new QHBoxLayout;
    AddDialogButtons(this, row, "Address Label Layout");
    layout->addLayout(row);
    connect(UseZip, &QCheckBox::toggled, this, &TAddressLayout::UseZipToggled);
    UseZipToggled(UseZip->isChecked());

    InstallWhatsThis(this,
                     {{"UseName", "Prints the name line: prefix, first name, middle initial and last name."},
                      {"UseTitle", "Prints the title on its own line."},
                      {"UseCompany", "Prints the organization on its own line."},
                      {"UseStreet", "Prints the first address line."},
                      {"UseStreet2", "Prints the second address line."},
                      {"UseCityState", "Prints the city and state line."},
                      {"UseZip", "Prints the ZIP or postal code where the choices below say."},
                      {"AfterState", "The ZIP code follows the state on the city line."},
                      {"BeforeCity", "The ZIP code starts the city line."},
                      {"AfterCountry", "The ZIP code follows the country."},
                      {"BeforeCountry", "The ZIP code comes before the country."},
                      {"UsePhone", "Prints the first telephone number on its own line."},
                      {"UseCountry", "Prints the country on its own line."},
                      {"UpperCase", "Prints every line in capital letters."},
                      {"OkButton", "Gives the address block these settings."},
                      {"CancelButton", "Closes the window and leaves the address block as it was."},
                      {"HelpButton", "Shows the help on address blocks."}});
    CentreForm(this);
}

void TAddressLayout::UseZipToggled(bool checked)
{
    for (QRadioButton* button : {AfterState, BeforeCity, AfterCountry, BeforeCountry})
        button->setEnabled(checked);
}

void TAddressLayout::SetOptions(const AddressLayoutOptions& options)
{
    UseName->setChecked(options.UseName);
    UseTitle->setChecked(options.UseTitle);
    UseCompany->setChecked(options.UseCompany);
    UseStreet->setChecked(options.UseStreet);
    UseStreet2->setChecked(options.UseStreet2);
    UseCityState->setChecked(options.UseCityState);
    UseZip->setChecked(options.UseZip);
    UsePhone->setChecked(options.UsePhone);
    UseCountry->setChecked(options.UseCountry);
    UpperCase->setChecked(options.UpperCase);
    switch (options.ZipOptions) {
    case TZipOptions::zoAfterState:
        AfterState->setChecked(true);
        break;
    case TZipOptions::zoBeforeCity:
        BeforeCity->setChecked(true);
        break;
    case TZipOptions::zoAfterCountry:
        AfterCountry->setChecked(true);
        break;
    case TZipOptions::zoBeforeCountry:
        BeforeCountry->setChecked(true);
        break;
    }
    UseZipToggled(options.UseZip);
}

AddressLayoutOptions TAddressLayout::Options() const
{
    AddressLayoutOptions options;
    options.UseName = UseName->isChecked();
    options.UseTitle = UseTitle->isChecked();
    options.UseCompany = UseCompany->isChecked();
    options.UseStreet = UseStreet->isChecked();
    options.UseStreet2 = UseStreet2->isChecked();
    options.UseCityState = UseCityState->isChecked();
    options.UseZip = UseZip->isChecked();
    options.UsePhone = UsePhone->isChecked();
    options.UseCountry = UseCountry->isChecked();
    options.UpperCase = UpperCase->isChecked();
    options.ZipOptions = BeforeCity->isChecked()      ? TZipOptions::zoBeforeCity
                         : AfterCountry->isChecked()  ? TZipOptions::zoAfterCountry
                         : BeforeCountry->isChecked() ? TZipOptions::zoBeforeCountry
                                                      : TZipOptions::zoAfterState;
    return options;
}

bool TAddressLayout::EditAddressLayout(TGDMultiLineAddressLabel& address, QWidget* parent)
{
    TAddressLayout dialog(parent);
    dialog.SetOptions(ReadAddressLayout(address));
    if (RunModalDialog(dialog) != QDialog::Accepted)
        return false;
    ApplyAddressLayout(address, dialog.Options());
    return true;
}

} // namespace corvane

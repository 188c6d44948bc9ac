#include "layout/designer/dialogs/TGetIntelligentMail.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "layout/LayoutQt.h"
#include "layout/designer/dialogs/DialogParts.h"
#include "layout/designer/dialogs/DialogRunner.h"
#include "platform/windows/DialogButtonRow.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"

namespace corvane {

namespace {

QLineEdit* DigitsEdit(QWidget* parent, const char* name, int digits)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(digits);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
    return edit;
}

} // namespace

TGetIntelligentMail::TGetIntelligentMail(QWidget* parent) : QDialog(parent)
{
    setObjectName("TGetIntelligentMail");
    setWindowTitle("Intelligent Mail Barcode");
    BarcodeIdEdit = DigitsEdit(this, "BarcodeIdEdit", 2);
    ServiceTypeEdit = DigitsEdit(this, "ServiceTypeEdit", 3);
    MailerIdEdit = DigitsEdit(this, "MailerIdEdit", 9);
    CounterRadio = new QRadioButton("&Counter of this program", this);
    CounterRadio->setObjectName("CounterRadio");
    FieldRadio = new QRadioButton("Record &field:", this);
    FieldRadio->setObjectName("FieldRadio");
    SerialFieldEdit = new QLineEdit(this);
    SerialFieldEdit->setObjectName("SerialFieldEdit");
    SerialFieldEdit->setMaxLength(10);
    ZipFieldEdit = new QLineEdit(this);
    ZipFieldEdit->setObjectName("ZipFieldEdit");
    ZipFieldEdit->setMaxLength(10);
    HumanReadableCheck = new QCheckBox("Print the &human-readable line", this);
    HumanReadableCheck->setObjectName("HumanReadableCheck");
    ProblemLabel = new QLabel(this);
    ProblemLabel->setObjectName("ProblemLabel");
    ProblemLabel->setStyleSheet("color: red");
    ProblemLabel->setWordWrap(true);

    auto* grid = new QGridLayout;
    int row = 0;
    const auto addRow = [this, grid, &row](const QString& caption, QWidget* control) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(control);
        grid->addWidget(label, row, 0);
        grid->addWidget(control, row, 1);
        ++row;
    };
    addRow("&Barcode ID:", BarcodeIdEdit);
    addRow("&Service type ID:", ServiceTypeEdit);
    addRow("&Mailer ID (empty: the program's):", MailerIdEdit);
    grid->addWidget(new QLabel("Serial number:", this), row, 0);
    grid->addWidget(CounterRadio, row++, 1);
    grid->addWidget(FieldRadio, row, 0, Qt::AlignRight);
    grid->addWidget(SerialFieldEdit, row++, 1);
    addRow("&ZIP code field:", ZipFieldEdit);
    grid->addWidget(HumanReadableCheck, row++, 0, 1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(ProblemLabel);
    auto* buttons = new QHBoxLayout;
    FOk = AddDialogButtons(this, buttons, "Intelligent Mail Barcode").Ok;
    layout->addLayout(buttons);
    InstallWhatsThis(
        this, {{"BarcodeIdEdit", "Two digits; the second is 0 to 4. 00 unless the mail needs another."},
               {"ServiceTypeEdit", "Three digits naming the mail class and services, e.g. 040."},
               {"MailerIdEdit", "Six or nine digits. Leave empty to use the Mailer ID set in Preferences."},
               {"CounterRadio", "Each printed piece takes the next number of the program's counter."},
               {"FieldRadio", "The serial number is read from a field of the record."},
               {"SerialFieldEdit", "The field that holds the serial number."},
               {"ZipFieldEdit", "The field whose 5- or 9-digit ZIP code is the routing code."},
               {"HumanReadableCheck", "Prints the digits of the code under the bars."}});

    for (QLineEdit* edit : {BarcodeIdEdit, ServiceTypeEdit, MailerIdEdit, SerialFieldEdit, ZipFieldEdit})
        connect(edit, &QLineEdit::textChanged, this, &TGetIntelligentMail::Recheck);
    connect(FieldRadio, &QRadioButton::toggled, this, [this](bool on) {
        SerialFieldEdit->setEnabled(on);
        Recheck();
    });
    CentreForm(this);
}

void TGetIntelligentMail::SetSettings(const IntelligentMailElementSettings& settings)
{
    BarcodeIdEdit->setText(ToQString(settings.BarcodeId));
    ServiceTypeEdit->setText(ToQString(settings.ServiceType));
    MailerIdEdit->setText(ToQString(settings.MailerId));
    (settings.SerialFromField ? FieldRadio : CounterRadio)->setChecked(true);
    SerialFieldEdit->setText(ToQString(settings.SerialField));
    SerialFieldEdit->setEnabled(settings.SerialFromField);
    ZipFieldEdit->setText(ToQString(settings.ZipCodeField));
    HumanReadableCheck->setChecked(settings.HumanReadable);
    Recheck();
}

IntelligentMailElementSettings TGetIntelligentMail::Settings() const
{
    IntelligentMailElementSettings settings;
    settings.BarcodeId = FromQString(BarcodeIdEdit->text());
    settings.ServiceType = FromQString(ServiceTypeEdit->text());
    settings.MailerId = FromQString(MailerIdEdit->text());
    settings.SerialFromField = FieldRadio->isChecked();
    settings.SerialField = FromQString(SerialFieldEdit->text().trimmed().toUpper());
    settings.ZipCodeField = FromQString(ZipFieldEdit->text().trimmed().toUpper());
    settings.HumanReadable = HumanReadableCheck->isChecked();
    return settings;
}

void TGetIntelligentMail::Recheck()
{
    const std::string problem = IntelligentMailSettingsProblem(Settings());
    ProblemLabel->setText(ToQString(problem));
    if (FOk)
        FOk->setEnabled(problem.empty());
}

bool TGetIntelligentMail::EditIntelligentMail(TGIntelligentMailBarCode& code, QWidget* parent)
{
    TGetIntelligentMail dialog(parent);
    dialog.SetSettings(ReadIntelligentMailSettings(code));
    if (RunModalDialog(dialog) != QDialog::Accepted)
        return false;
    if (!IntelligentMailSettingsProblem(dialog.Settings()).empty())
        return false;
    ApplyIntelligentMailSettings(code, dialog.Settings());
    return true;
}

} // namespace corvane

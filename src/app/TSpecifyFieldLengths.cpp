#include "app/TSpecifyFieldLengths.h"

#include <optional>
#include <utility>

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/DialogControls.h"
#include "app/NewFileFieldLengths.h"
#include "platform/windows/HelpViewer.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"

namespace corvane {

namespace {

constexpr int EntryColumns = 2;

// The width typed, when it is a whole number the window accepts.
std::optional<int> AcceptableWidth(const QString& text)
{
    bool isNumber = false;
    const int width = text.trimmed().toInt(&isNumber);
    if (!isNumber || width < TSpecifyFieldLengths::MinimumWidth || width > TSpecifyFieldLengths::MaximumWidth)
        return std::nullopt;
    return width;
}

} // namespace

TSpecifyFieldLengths::TSpecifyFieldLengths(const AddressFieldWidths& widths, QWidget* parent,
                                           Settings settings)
    : QDialog(parent), FSettings(std::move(settings))
{
    setObjectName("TSpecifyFieldLengths");
    setWindowTitle("Specify Field Lengths");
    WhatsThisTexts texts;

    auto* grid = new QGridLayout;
    const auto& fields = SettableFields();
    const int rows = (static_cast<int>(fields.size()) + EntryColumns - 1) / EntryColumns;
    for (int i = 0; i < static_cast<int>(fields.size()); ++i) {
        const SettableField& field = fields[i];
        auto* label = new QLabel(QString::fromStdString(field.Label), this);
        auto* entry = new QLineEdit(this);
        entry->setObjectName(QString::fromStdString(field.Key));
        entry->setMaxLength(3);
        entry->setMaximumWidth(60);
        label->setBuddy(entry);
        grid->addWidget(label, i % rows, (i / rows) * 2);
        grid->addWidget(entry, i % rows, (i / rows) * 2 + 1);
        FEntries[field.Name] = entry;
        connect(entry, &QLineEdit::editingFinished, this,
                [this, name = field.Name] { EntryEditingFinished(name); });
        texts[entry->objectName()] =
            QString("The number of characters %1 can hold in the new file, from %2 to %3.")
                .arg(QString::fromStdString(field.Label))
                .arg(MinimumWidth)
                .arg(MaximumWidth);
    }

    UseForAllCheck = NamedCheckBox("UseForAllCheck", "Use these settings for all new databases", this);
    DefaultsButton = NamedButton("DefaultsButton", "Defaults", this);
    OkButton = NamedButton("OkButton", "Ok", this);
    CancelButton = NamedButton("CancelButton", "Cancel", this);
    HelpButton = NamedButton("HelpButton", "Help", this);
    OkButton->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CreateMouseHelpButton(this));
    buttons->addWidget(DefaultsButton);
    buttons->addStretch();
    buttons->addWidget(OkButton);
    buttons->addWidget(CancelButton);
    buttons->addWidget(HelpButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(UseForAllCheck);
    layout->addLayout(buttons);

    connect(DefaultsButton, &QPushButton::clicked, this, &TSpecifyFieldLengths::DefaultsButtonClick);
    connect(OkButton, &QPushButton::clicked, this, &TSpecifyFieldLengths::OkButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpButton, &QPushButton::clicked, this, &TSpecifyFieldLengths::HelpButtonClick);

    texts["UseForAllCheck"] = "Tick this to keep these lengths for every database you create from now on; "
                              "otherwise they apply to this new database only.";
    texts["DefaultsButton"] = "Puts back the usual length of every field.";
    texts["OkButton"] = "Uses these lengths.";
    texts["CancelButton"] = "Closes the window and keeps the lengths as they were.";
    texts["HelpButton"] = "Shows the help on creating a database.";
    InstallWhatsThis(this, texts);

    ShowWidths(widths);
    CentreForm(this);
}

void TSpecifyFieldLengths::ShowWidths(const AddressFieldWidths& widths)
{
    for (const auto& field : SettableFields()) {
        const auto found = widths.find(field.Name);
        const int width = found != widths.end() ? found->second : field.DefaultWidth;
        FAccepted[field.Name] = width;
        FEntries.at(field.Name)->setText(QString::number(width));
    }
}

AddressFieldWidths TSpecifyFieldLengths::FieldWidths() const
{
    return FAccepted;
}

bool TSpecifyFieldLengths::UseForAllNewDatabases() const
{
    return UseForAllCheck->isChecked();
}

TSpecifyFieldLengths::~TSpecifyFieldLengths()
{
    for (const auto& [name, entry] : FEntries)
        entry->disconnect(this);
}

QLineEdit* TSpecifyFieldLengths::EntryFor(const std::string& fieldName) const
{
    const auto found = FEntries.find(fieldName);
    return found != FEntries.end() ? found->second : nullptr;
}

void TSpecifyFieldLengths::EntryEditingFinished(const std::string& fieldName)
{
    QLineEdit* entry = FEntries.at(fieldName);
    if (const std::optional<int> width = AcceptableWidth(entry->text())) {
        FAccepted[fieldName] = *width;
        entry->setText(QString::number(*width));
    } else {
        entry->setText(QString::number(FAccepted.at(fieldName)));
    }
}

void TSpecifyFieldLengths::DefaultsButtonClick()
{
    ShowWidths(DefaultNewFileFieldLengths());
}

void TSpecifyFieldLengths::OkButtonClick()
{
    // The entry being typed in may not have been left yet.
    for (const auto& [name, entry] : FEntries)
        EntryEditingFinished(name);
    if (UseForAllNewDatabases())
        (void)SaveNewFileFieldLengths(FAccepted, FSettings);
    accept();
}

void TSpecifyFieldLengths::HelpButtonClick()
{
    ShowHelpContext(HelpContext);
}

} // namespace corvane

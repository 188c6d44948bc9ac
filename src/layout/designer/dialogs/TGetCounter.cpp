#include "layout/designer/dialogs/TGetCounter.h"

#include <limits>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "layout/LayoutQt.h"
#include "layout/TGCounterLabel.h"
#include "layout/designer/dialogs/DialogParts.h"
#include "layout/designer/dialogs/DialogRunner.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"

namespace corvane {

TGetCounter::TGetCounter(QWidget* parent) : QDialog(parent)
{
    setObjectName("TGetCounter");
    setWindowTitle("Counter");
    TextBefore = new QLineEdit(this);
    TextBefore->setObjectName("TextBefore");
    StartingNumber = new QSpinBox(this);
    StartingNumber->setObjectName("StartingNumber");
    StartingNumber->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    RepeatFor = new QSpinBox(this);
    RepeatFor->setObjectName("RepeatFor");
    RepeatFor->setRange(MinRepeatEach, MaxRepeatEach);
    TextAfter = new QLineEdit(this);
    TextAfter->setObjectName("TextAfter");
    LeadingZeros = new QSpinBox(this);
    LeadingZeros->setObjectName("LeadingZeros");
    LeadingZeros->setRange(0, MaxLeadingZeros);

    auto* grid = new QGridLayout;
    const auto addRow = [this, grid](int row, const QString& caption, QWidget* control) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(control);
        grid->addWidget(label, row, 0);
        grid->addWidget(control, row, 1);
    };
    addRow(0, "Text  before", TextBefore);
    addRow(1, "Starting Number", StartingNumber);
    addRow(2, "Repeat number for #of  labels?", RepeatFor);
    addRow(3, "Text after", TextAfter);
    auto* zeros = new QHBoxLayout;
    auto* zerosBefore = new QLabel("Leading zeros to ", this);
    zerosBefore->setBuddy(LeadingZeros);
    zeros->addWidget(zerosBefore);
    zeros->addWidget(LeadingZeros);
    zeros->addWidget(new QLabel("digits", this));
    zeros->addStretch();
    grid->addLayout(zeros, 4, 0, 1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    auto* row = new QHBoxLayout;
    AddDialogButtons(this, row, "Counter");
    layout->addLayout(row);
    InstallWhatsThis(
        this,
        {{"TextBefore", "Text printed before the number."},
         {"StartingNumber", "The number the first label of a print run shows."},
         {"RepeatFor", "How many labels show the same number before it goes up by one."},
         {"TextAfter", "Text printed after the number."},
         {"LeadingZeros", "The number is padded with zeros on the left to this many digits; 0 pads nothing."},
         {"OkButton", "Gives the counter these settings."},
         {"CancelButton", "Closes the window and leaves the counter as it was."},
         {"HelpButton", "Shows the help on counters."}});
    CentreForm(this);
}

void TGetCounter::SetSettings(const CounterSettings& settings)
{
    TextBefore->setText(ToQString(settings.TextBefore));
    StartingNumber->setValue(settings.Startingnumber);
    RepeatFor->setValue(settings.RepeatEach);
    TextAfter->setText(ToQString(settings.TextAfter));
    LeadingZeros->setValue(settings.LeadingZeros);
}

CounterSettings TGetCounter::Settings() const
{
    return {FromQString(TextBefore->text()), StartingNumber->value(), RepeatFor->value(),
            FromQString(TextAfter->text()), LeadingZeros->value()};
}

bool TGetCounter::EditCounter(TGCounterLabel& counter, QWidget* parent)
{
    TGetCounter dialog(parent);
    dialog.SetSettings(ReadCounterSettings(counter));
    if (RunModalDialog(dialog) != QDialog::Accepted)
        return false;
    ApplyCounterSettings(counter, dialog.Settings());
    return true;
}

} // namespace corvane

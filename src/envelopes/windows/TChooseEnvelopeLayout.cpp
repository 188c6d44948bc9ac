#include "envelopes/windows/TChooseEnvelopeLayout.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QVBoxLayout>

#include "envelopes/EnvelopeSizes.h"
#include "layout/designer/dialogs/DialogRunner.h"
#include "platform/windows/DialogButtonRow.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"

namespace corvane {

TChooseEnvelopeLayout::TChooseEnvelopeLayout(int code, QWidget* parent) : QDialog(parent), FGiven(code)
{
    setObjectName("TChooseEnvelopeLayout");
    setWindowTitle("Envelope Size");
    auto* layout = new QVBoxLayout(this);
    SizeList = new QListWidget(this);
    SizeList->setObjectName("SizeList");
    for (const EnvelopeSize& size : EnvelopeSizes()) {
        auto* item = new QListWidgetItem(QString::fromUtf8(size.Name), SizeList);
        item->setData(Qt::UserRole, size.Code);
    }
    SizeList->setCurrentRow(std::max(EnvelopeSizeIndex(code), 0));
    SizeList->setMinimumWidth(300);
    layout->addWidget(SizeList);
    auto* row = new QHBoxLayout;
    AddDialogButtons(this, row, "Envelope Size");
    layout->addLayout(row);
    connect(SizeList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    InstallWhatsThis(this,
                     {{"SizeList", "The envelope sizes. Choose the size of the envelopes you print on."},
                      {"OkButton", "Take the chosen size."},
                      {"CancelButton", "Keep the size as it is."},
                      {"HelpButton", "Open the help on envelope sizes."}});
    CentreForm(this);
}

int TChooseEnvelopeLayout::Code() const
{
    const QListWidgetItem* item = SizeList->currentItem();
    return item && item->isSelected() ? item->data(Qt::UserRole).toInt() : FGiven;
}

std::optional<int> ChooseEnvelopeSize(int code, QWidget* parent)
{
    TChooseEnvelopeLayout dialog(code, parent);
    if (RunModalDialog(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.Code();
}

} // namespace corvane

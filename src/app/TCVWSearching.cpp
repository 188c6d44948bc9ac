#include "app/TCVWSearching.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/DialogControls.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"

namespace corvane {

TCVWSearching::TCVWSearching(const QString& searchText, QWidget* parent) : QDialog(parent)
{
    setObjectName("TCVWSearching");
    setWindowTitle("Searching");

    SearchingLabel = new QLabel("Searching for: " + searchText, this);
    SearchingLabel->setObjectName("SearchingLabel");
    SearchingLabel->setTextFormat(Qt::PlainText);
    SearchingLabel->setMinimumWidth(260);
    CancelButton = NamedButton("CancelButton", "Cancel", this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CancelButton);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SearchingLabel);
    layout->addLayout(buttons);

    connect(CancelButton, &QPushButton::clicked, this, &TCVWSearching::CancelButtonClick);

    InstallWhatsThis(this,
                     {
                         {"SearchingLabel", "The text being looked for."},
                         {"CancelButton", "Stops the search and goes back to the record where it started."},
                     });
    CentreForm(this);
}

void TCVWSearching::Start()
{
    setWindowModality(Qt::ApplicationModal);
    show();
    QApplication::processEvents();
}

bool TCVWSearching::ProcessUserInput()
{
    QApplication::processEvents();
    return !FCancelled;
}

void TCVWSearching::Finish()
{
    hide();
}

void TCVWSearching::reject()
{
    FCancelled = true;
    QDialog::reject();
}

void TCVWSearching::CancelButtonClick()
{
    reject();
}

} // namespace corvane

#include "app/TSearchBox.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/DialogControls.h"
#include "platform/windows/HelpViewer.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"
#include "session/RecordSearch.h"
#include "session/SortOrders.h"

namespace corvane {

TSearchBox::TSearchBox(int checkedOrder, QWidget* parent) : QDialog(parent)
{
    setObjectName("TSearchBox");
    setWindowTitle("Search");

    SearchEdit = new QLineEdit(this);
    SearchEdit->setObjectName("SearchEdit");
    SearchEdit->setMinimumWidth(260);
    SearchLabel = new QLabel("&Search for", this);
    SearchLabel->setObjectName("SearchLabel");
    SearchLabel->setBuddy(SearchEdit);
    OrderCombo = new QComboBox(this);
    OrderCombo->setObjectName("OrderCombo");
    OrderCombo->setEditable(false);
    for (const SortOrder& order : SortOrders())
        OrderCombo->addItem(order.Text);
    const int count = static_cast<int>(SortOrders().size());
    OrderCombo->setCurrentIndex(checkedOrder >= 0 && checkedOrder < count ? checkedOrder : 0);
    OrderLabel = new QLabel("Search &Order", this);
    OrderLabel->setObjectName("OrderLabel");
    OrderLabel->setBuddy(OrderCombo);

    OkButton = NamedButton("OkButton", "Ok", this);
    OkButton->setDefault(true);
    HelpButton = NamedButton("HelpButton", "Help", this);
    CancelButton = NamedButton("CancelButton", "Cancel", this);
    for (QPushButton* button : {HelpButton, CancelButton})
        button->setAutoDefault(false);

    auto* fields = new QGridLayout;
    fields->addWidget(SearchLabel, 0, 0, 1, 2);
    fields->addWidget(SearchEdit, 1, 0, 1, 2);
    fields->addWidget(OrderLabel, 2, 0);
    fields->addWidget(OrderCombo, 2, 1);
    fields->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CreateMouseHelpButton(this));
    buttons->addStretch();
    buttons->addWidget(OkButton);
    buttons->addWidget(HelpButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(OrderCombo, &QComboBox::currentIndexChanged, this, &TSearchBox::OrderComboChange);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpButton, &QPushButton::clicked, this, &TSearchBox::HelpButtonClick);

    InstallWhatsThis(this,
                     {
                         {"SearchEdit", "Type the beginning of the value to look for. Case does not matter; "
                                        "the search lands on the first record that starts with it, or on "
                                        "the next one after it."},
                         {"OrderCombo", "The sort order to search in. The records stay in this order "
                                        "afterwards. Last Name looks at the last name followed by the first "
                                        "name, City at the city followed by the state."},
                         {"OkButton", "Searches and shows the record found."},
                         {"HelpButton", "Shows the help on searching."},
                         {"CancelButton", "Closes the window without searching."},
                     });
    OrderComboChange();
    CentreForm(this);
}

QString TSearchBox::SearchText() const
{
    return SearchEdit->text();
}

int TSearchBox::OrderIndex() const
{
    return OrderCombo->currentIndex();
}

void TSearchBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    OrderComboChange();
}

void TSearchBox::OrderComboChange()
{
    const int index = OrderCombo->currentIndex();
    if (index >= 0)
        SearchLabel->setText(
            QString::fromStdString(SearchLabelText(SortOrders()[static_cast<std::size_t>(index)].Text)));
    SearchEdit->setFocus();
}

void TSearchBox::HelpButtonClick()
{
    ShowHelpContext(HelpContext);
}

} // namespace corvane

#include "app/TGetFirstLastZip.h"

#include <algorithm>

#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/DialogControls.h"
#include "platform/windows/HelpViewer.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"

namespace corvane {

TGetFirstLastZip::TGetFirstLastZip(const NewRecordQuestions& questions, QWidget* parent)
    : QDialog(parent), FQuestions(questions)
{
    setObjectName("TGetFirstLastZip");
    setWindowTitle("New Record");

    auto makeEdit = [this](const QString& name, int width) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setMaxLength(std::max(1, width));
        edit->installEventFilter(this);
        return edit;
    };
    LastNameLabel = new QLabel("Last Name", this);
    LastNameEdit = makeEdit("LastNameEdit", questions.LastNameWidth);
    FirstNameLabel = new QLabel("First Name", this);
    FirstNameEdit = makeEdit("FirstNameEdit", questions.FirstNameWidth);
    ZipLabel = new QLabel("Zip Code or Postal Code", this);
    ZipEdit = makeEdit("ZipEdit", questions.ZipWidth);
    LastNameLabel->setBuddy(LastNameEdit);
    FirstNameLabel->setBuddy(FirstNameEdit);
    ZipLabel->setBuddy(ZipEdit);

    // Enter is no button's: it means Ok in the ZIP box only.
    OkButton = NamedButton("OkButton", "Ok [PgDn]", this);
    CancelButton = NamedButton("CancelButton", "Cancel", this);
    HelpButton = NamedButton("HelpButton", "Help", this);
    for (QPushButton* button : {OkButton, CancelButton, HelpButton})
        button->setAutoDefault(false);

    // Names first, then the ZIP code; without the names the ZIP box moves up into their place.
    auto* grid = new QGridLayout;
    int row = 0;
    if (questions.AskNames) {
        grid->addWidget(LastNameLabel, row, 0);
        grid->addWidget(LastNameEdit, row++, 1);
        grid->addWidget(FirstNameLabel, row, 0);
        grid->addWidget(FirstNameEdit, row++, 1);
    } else {
        for (QWidget* control : {static_cast<QWidget*>(LastNameLabel), static_cast<QWidget*>(LastNameEdit),
                                 static_cast<QWidget*>(FirstNameLabel), static_cast<QWidget*>(FirstNameEdit)})
            control->hide();
    }
    if (questions.AskZip) {
        grid->addWidget(ZipLabel, row, 0);
        grid->addWidget(ZipEdit, row++, 1);
    } else {
        ZipLabel->hide();
        ZipEdit->hide();
    }

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CreateMouseHelpButton(this));
    buttons->addStretch();
    buttons->addWidget(OkButton);
    buttons->addWidget(CancelButton);
    buttons->addWidget(HelpButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    if (questions.AskNames) {
        setTabOrder(LastNameEdit, FirstNameEdit);
        if (questions.AskZip)
            setTabOrder(FirstNameEdit, ZipEdit);
        LastNameEdit->setFocus();
    } else {
        ZipEdit->setFocus();
    }

    connect(OkButton, &QPushButton::clicked, this, &TGetFirstLastZip::OkButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpButton, &QPushButton::clicked, this, &TGetFirstLastZip::HelpButtonClick);

    InstallWhatsThis(this,
                     {
                         {"LastNameEdit", "The last name of the new record; a record with the same last and "
                                          "first name is reported before the record is added."},
                         {"FirstNameEdit", "The first name of the new record."},
                         {"ZipEdit", "The ZIP or postal code of the new record. City and state are taken "
                                     "from a record that has this code. Enter finishes."},
                         {"OkButton", "Adds the record with what you typed here (Page Down does the same)."},
                         {"CancelButton", "Adds no record."},
                         {"HelpButton", "Shows the help on the New Record window."},
                     });
    CentreForm(this);
}

QString TGetFirstLastZip::Zip() const
{
    return FQuestions.AskZip ? ZipEdit->text().trimmed() : QString();
}

QString TGetFirstLastZip::LastName() const
{
    return FQuestions.AskNames ? LastNameEdit->text().trimmed() : QString();
}

QString TGetFirstLastZip::FirstName() const
{
    return FQuestions.AskNames ? FirstNameEdit->text().trimmed() : QString();
}

bool TGetFirstLastZip::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        if (key == Qt::Key_PageDown || (enter && watched == ZipEdit)) {
            OkButtonClick();
            return true;
        }
    } else if (event->type() == QEvent::FocusOut && watched == FirstNameEdit && !FQuestions.AskZip &&
               result() == 0 && isVisible()) {
        // Moving on from the last box asked for finishes, as Enter in the ZIP box does. Going
        // back (Shift+Tab) to correct the last name does not, nor focus taken by a click (on
        // Cancel, say) or by another window.
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::TabFocusReason)
            QMetaObject::invokeMethod(this, &TGetFirstLastZip::OkButtonClick, Qt::QueuedConnection);
    }
    return QDialog::eventFilter(watched, event);
}

void TGetFirstLastZip::OkButtonClick()
{
    accept();
}

void TGetFirstLastZip::HelpButtonClick()
{
    ShowHelpContext(HelpContext);
}

} // namespace corvane

#include "utilities/windows/TBulkEditWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/windows/HelpViewer.h"
#include "platform/windows/WhatsThis.h"
#include "utilities/windows/BulkEditProgressPanel.h"

namespace corvane {

TBulkEditWindow::TBulkEditWindow(const char* objectName, const QString& title, int helpContext,
                                 QWidget* parent)
    : QDialog(parent), FHelpContext(helpContext)
{
    setObjectName(objectName);
    setWindowTitle(title);
    setModal(true);

    OptionsArea = new QWidget(this);
    OptionsArea->setObjectName("OptionsArea");
    FOptionsLayout = new QVBoxLayout(OptionsArea);
    FOptionsLayout->setContentsMargins(0, 0, 0, 0);
    Progress = new BulkEditProgressPanel(this);

    HelpButton = new QPushButton("Help", this);
    HelpButton->setObjectName("HelpButton");
    HelpButton->setAutoDefault(false);
    CancelButton = new QPushButton("Cancel", this);
    CancelButton->setObjectName("CancelButton");
    CancelButton->setAutoDefault(false);
    MouseHelpButton = CreateMouseHelpButton(this);

    FButtons = new QHBoxLayout;
    FButtons->addWidget(MouseHelpButton);
    FButtons->addStretch();
    FButtons->addWidget(HelpButton);
    FButtons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(OptionsArea);
    layout->addWidget(Progress);
    layout->addLayout(FButtons);

    connect(HelpButton, &QPushButton::clicked, this, &TBulkEditWindow::HelpButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TBulkEditWindow::CancelButtonClick);
}

QPushButton* TBulkEditWindow::AddActionButton(const char* objectName, const QString& caption)
{
    FAction = new QPushButton(caption, this);
    FAction->setObjectName(objectName);
    FAction->setDefault(true);
    FButtons->insertWidget(FButtons->indexOf(HelpButton), FAction);
    return FAction;
}

void TBulkEditWindow::StartRun(const QString& status, bool cancellable)
{
    FRunning = true;
    OptionsArea->hide();
    HelpButton->hide();
    MouseHelpButton->hide();
    if (FAction)
        FAction->setEnabled(false);
    CancelButton->setVisible(cancellable);
    Progress->Start(status);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TBulkEditWindow::EndRun()
{
    FRunning = false;
}

void TBulkEditWindow::AfterRecord(uint32_t done, uint32_t total, bool input)
{
    const bool moved = Progress->Show(done, total);
    if (input)
        QApplication::processEvents();
    else if (moved)
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TBulkEditWindow::OrderFocus()
{
    // The buttons are made before the options, so the creation order would put them first.
    QWidget* previous = nullptr;
    QWidget* first = nullptr;
    for (QWidget* control : OptionsArea->findChildren<QWidget*>()) {
        const bool option =
            control->parentWidget() == OptionsArea || qobject_cast<QGroupBox*>(control->parentWidget());
        if (!option || !(control->focusPolicy() & Qt::TabFocus))
            continue;
        if (previous)
            setTabOrder(previous, control);
        else
            first = control;
        previous = control;
    }
    for (QWidget* button : {static_cast<QWidget*>(FAction), static_cast<QWidget*>(HelpButton),
                            static_cast<QWidget*>(CancelButton)}) {
        if (previous && button)
            setTabOrder(previous, button);
        previous = button ? button : previous;
    }
    if (first)
        first->setFocus();
}

void TBulkEditWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!FFocusOrdered) {
        FFocusOrdered = true;
        OrderFocus();
    }
}

void TBulkEditWindow::HelpButtonClick()
{
    ShowHelpContext(FHelpContext);
}

void TBulkEditWindow::CancelButtonClick()
{
    if (FRunning) {
        CancelWhileRunning();
        return;
    }
    QDialog::reject();
}

void TBulkEditWindow::reject()
{
    // Escape is the Cancel button.
    CancelButtonClick();
}

void TBulkEditWindow::closeEvent(QCloseEvent* event)
{
    if (FRunning) {
        event->ignore();
        CancelWhileRunning();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace corvane

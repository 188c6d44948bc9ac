#include "app/TRebuildWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/DialogControls.h"
#include "platform/windows/HelpViewer.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"

namespace corvane {

TRebuildWindow::TRebuildWindow(const char* objectName, const QString& title, int helpContext,
                               const QString& intro, const QString& startStatus, bool busyCursor, Work work,
                               QWidget* parent)
    : QDialog(parent), FHelpContext(helpContext), FStartStatus(startStatus), FBusyCursor(busyCursor),
      FWork(std::move(work))
{
    setObjectName(objectName);
    setWindowTitle(title);

    StatusLabel = new QLabel(intro, this);
    StatusLabel->setObjectName("StatusLabel");
    StatusLabel->setTextFormat(Qt::PlainText);
    StatusLabel->setWordWrap(true);
    StatusLabel->setMinimumWidth(340);
    Gauge = new QProgressBar(this);
    Gauge->setObjectName("Gauge");
    Gauge->setRange(0, 100);
    Gauge->setValue(0);
    Gauge->hide();

    ReindexButton = NamedButton("ReindexButton", "Reindex", this);
    ReindexButton->setDefault(true);
    HelpButton = NamedButton("HelpButton", "Help", this);
    HelpButton->setAutoDefault(false);
    CancelButton = NamedButton("CancelButton", "Cancel", this);
    CancelButton->setAutoDefault(false);
    MouseHelpButton = CreateMouseHelpButton(this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(MouseHelpButton);
    buttons->addStretch();
    buttons->addWidget(ReindexButton);
    buttons->addWidget(HelpButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(StatusLabel);
    layout->addWidget(Gauge);
    layout->addStretch();
    layout->addLayout(buttons);
    // The window keeps its size when the gauge appears.
    setMinimumHeight(sizeHint().height() + Gauge->sizeHint().height());

    connect(ReindexButton, &QPushButton::clicked, this, &TRebuildWindow::ReindexButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, &TRebuildWindow::HelpButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TRebuildWindow::CancelButtonClick);

    InstallWhatsThis(
        this, {
                  {"StatusLabel", "What the rebuild is doing now."},
                  {"Gauge", "How far the current step of the rebuild has come."},
                  {"ReindexButton", "Starts the rebuild. Deleted records are removed for good on the "
                                    "way. The window closes when the rebuild is done."},
                  {"HelpButton", "Shows the help on rebuilding indexes."},
                  {"CancelButton", "Closes the window without rebuilding anything."},
                  {"MouseHelpButton", "Click here, then on any part of this window, to see what it does."},
              });
    CentreForm(this);
}

void TRebuildWindow::SetRunning(bool running)
{
    FRunning = running;
    Gauge->setValue(0);
    Gauge->setVisible(running);
    ReindexButton->setEnabled(!running);
    CancelButton->setVisible(!running);
    HelpButton->setVisible(!running);
    MouseHelpButton->setVisible(!running);
}

void TRebuildWindow::ShowProgress(int gauge, const std::string& status)
{
    StatusLabel->setText(QString::fromStdString(status));
    Gauge->setValue(gauge);
    // Paint the gauge; the user's clicks and keys wait until the rebuild is over.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TRebuildWindow::ReindexButtonClick()
{
    if (FRunning)
        return;
    if (FBusyCursor)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    SetRunning(true);
    StatusLabel->setText(FStartStatus);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    FWork([this](int gauge, const std::string& status) { ShowProgress(gauge, status); });
    SetRunning(false);
    FDone = true;
    if (FBusyCursor)
        QApplication::restoreOverrideCursor();
    accept();
}

void TRebuildWindow::HelpButtonClick()
{
    ShowHelpContext(FHelpContext);
}

void TRebuildWindow::CancelButtonClick()
{
    reject();
}

void TRebuildWindow::reject()
{
    if (!FRunning)
        QDialog::reject();
}

void TRebuildWindow::closeEvent(QCloseEvent* event)
{
    if (FRunning) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace corvane

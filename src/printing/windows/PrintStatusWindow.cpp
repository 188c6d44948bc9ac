#include "printing/windows/PrintStatusWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/MessageService.h"
#include "platform/windows/WindowPlacement.h"

namespace corvane {

PrintStatusWindow::PrintStatusWindow(PrintRunMode mode, const QString& caption, const QString& cancelQuestion,
                                     Job job, QWidget* parent)
    : QDialog(parent), FMode(mode), FCancelQuestion(cancelQuestion), FJob(std::move(job))
{
    setObjectName("PrintStatusWindow");
    setWindowTitle(caption);
    setModal(true);

    StatusLabel = new QLabel(this);
    StatusLabel->setObjectName("StatusLabel");
    StatusLabel->setTextFormat(Qt::PlainText);
    StatusLabel->setAlignment(Qt::AlignCenter);
    StatusLabel->setMinimumWidth(300);
    StatusLabel->setMinimumHeight(StatusLabel->fontMetrics().lineSpacing() * 3);
    Gauge = new QProgressBar(this);
    Gauge->setObjectName("Gauge");
    Gauge->setRange(0, 100);
    Gauge->setValue(0);
    Gauge->hide();
    ActionButton = new QPushButton(this);
    ActionButton->setObjectName("ActionButton");
    ActionButton->setText(mode == PrintRunMode::Print ? "Cancel" : "Stop");
    ActionButton->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ActionButton);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(StatusLabel);
    layout->addWidget(Gauge);
    layout->addLayout(buttons);
    // The window keeps its size when the gauge appears.
    setMinimumHeight(sizeHint().height() + Gauge->sizeHint().height());

    connect(ActionButton, &QPushButton::clicked, this, &PrintStatusWindow::ButtonClick);
    CentreForm(this);
}

PrintStatusWindow::~PrintStatusWindow() = default;

void PrintStatusWindow::SetStatusFormat(const QString& format)
{
    FFormat = format;
    UpdateStatus();
}

void PrintStatusWindow::SetPageNumber(int page)
{
    if (page == FPageNumber)
        return;
    FPageNumber = page;
    UpdateStatus();
}

void PrintStatusWindow::SetStatusLine(int index, const QString& text)
{
    if (index < 0 || index > 1)
        return;
    FLines[index] = text;
    UpdateStatus();
}

QString PrintStatusWindow::StatusText() const
{
    // One pass, so that a status line holding "%p" or "%1" is shown as it is.
    QString text;
    for (qsizetype i = 0; i < FFormat.size(); ++i) {
        const QChar c = FFormat[i];
        if (c == '%' && i + 1 < FFormat.size()) {
            const QChar code = FFormat[i + 1];
            if (code == 'p') {
                text += QString::number(FPageNumber);
                ++i;
                continue;
            }
            if (code == '0' || code == '1') {
                text += FLines[code == '0' ? 0 : 1];
                ++i;
                continue;
            }
        }
        text += c == '\r' ? QChar('\n') : c;
    }
    return text;
}

void PrintStatusWindow::UpdateStatus()
{
    StatusLabel->setText(StatusText());
}

void PrintStatusWindow::SetGaugeRange(int maximum)
{
    Gauge->setRange(0, maximum > 0 ? maximum : 1);
    Gauge->setValue(0);
    Gauge->show();
}

void PrintStatusWindow::SetGaugeValue(int value)
{
    Gauge->setValue(value);
}

void PrintStatusWindow::KeepResponsive()
{
    QApplication::processEvents();
}

void PrintStatusWindow::Finish(const QString& endFormat, bool closeItself)
{
    FFormat = endFormat;
    UpdateStatus();
    FFinished = true;
    FCloseWhenFinished = closeItself;
    ActionButton->setText("Ok");
    if (closeItself && !FRunning)
        accept();
}

void PrintStatusWindow::RunJob()
{
    if (FStarted)
        return;
    FStarted = true;
    FRunning = true;
    if (FJob)
        FJob(*this);
    FRunning = false;
    if (!FFinished) {
        FFinished = true;
        ActionButton->setText("Ok");
    }
    if (FCloseWhenFinished)
        accept();
}

void PrintStatusWindow::ButtonClick()
{
    if (FFinished) {
        if (!FRunning)
            accept();
        return;
    }
    if (FMode == PrintRunMode::Preview) {
        FStopRequested = true;
        return;
    }
    if (FAbortRequested)
        return;
    // Without a question (envelopes) Cancel aborts at once.
    if (FCancelQuestion.isEmpty() || AskYesNo(FCancelQuestion.toStdString(), "Confirm")) {
        FAbortRequested = true;
        if (FAbortHandler)
            FAbortHandler();
    }
}

QString PrintStatusWindow::ButtonCaption() const
{
    return ActionButton->text();
}

void PrintStatusWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The job starts once the window is on screen, so the user sees it from the first page.
    if (!FStarted)
        QTimer::singleShot(0, this, &PrintStatusWindow::RunJob);
}

void PrintStatusWindow::reject()
{
    // Escape and the window's close box act as the button does; the run is never left behind.
    if (FRunning || !FFinished) {
        if (FStarted)
            ButtonClick();
        return;
    }
    QDialog::reject();
}

void PrintStatusWindow::closeEvent(QCloseEvent* event)
{
    if (FRunning || !FFinished) {
        event->ignore();
        if (FStarted)
            ButtonClick();
        return;
    }
    QDialog::closeEvent(event);
}

PageJobResult RunPrintJob(PrintStatusWindow& window, PageSink& sink, const PrintJob& job)
{
    window.SetAbortHandler([&sink] { sink.Abort(); });
    sink.SetPageObserver([&window](int page) { window.SetPageNumber(page); });
    PrintJob watched = job;
    watched.BeforePrint = [&window, &job](PageSink& pages) {
        window.SetPageNumber(pages.PageNumber());
        if (job.BeforePrint)
            job.BeforePrint(pages);
    };
    PageJobResult result = RunPrintJob(sink, watched);
    sink.SetPageObserver(nullptr);
    window.SetAbortHandler(nullptr);
    return result;
}

} // namespace corvane

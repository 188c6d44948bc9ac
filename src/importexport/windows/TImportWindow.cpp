#include "importexport/windows/TImportWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/MessageService.h"
#include "platform/windows/HelpViewer.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"

namespace corvane {

namespace {

QPushButton* Button(const char* name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

} // namespace

TImportWindow::TImportWindow(const QString& caption, const QString& fileCaption, const QString& selectCaption,
                             bool withMatch, int helpContext, QWidget* parent)
    : QDialog(parent), FHelpContext(helpContext)
{
    setWindowTitle(caption);
    setModal(true);
    FileCaption = new QLabel(fileCaption, this);
    FileCaption->setObjectName("FileCaption");
    FileNameLabel = new QLabel(this);
    FileNameLabel->setObjectName("FileNameLabel");
    FileNameLabel->setTextFormat(Qt::PlainText);
    FileNameLabel->setMinimumWidth(320);
    StatusLabel = new QLabel(this);
    StatusLabel->setObjectName("StatusLabel");
    StatusLabel->setTextFormat(Qt::PlainText);
    Gauge = new QProgressBar(this);
    Gauge->setObjectName("Gauge");
    Gauge->setRange(0, 100);
    Gauge->hide();

    SelectButton = Button("SelectButton", selectCaption, this);
    if (withMatch)
        MatchButton = Button("MatchButton", "Match Fields", this);
    ImportButton = Button("ImportButton", "Import", this);
    CancelButton = Button("CancelButton", "Cancel", this);
    HelpButton = Button("HelpButton", "Help", this);
    MouseHelpButton = CreateMouseHelpButton(this);

    auto* file = new QGridLayout;
    file->addWidget(FileCaption, 0, 0);
    file->addWidget(FileNameLabel, 0, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SelectButton);
    if (MatchButton)
        buttons->addWidget(MatchButton);
    buttons->addWidget(ImportButton);
    buttons->addStretch();
    buttons->addWidget(CancelButton);
    buttons->addWidget(HelpButton);
    buttons->addWidget(MouseHelpButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(file);
    layout->addWidget(StatusLabel);
    layout->addWidget(Gauge);
    layout->addLayout(buttons);

    SetFileName({});
    if (MatchButton)
        MatchButton->setEnabled(false);
    ImportButton->setEnabled(false);
    connect(CancelButton, &QPushButton::clicked, this, &TImportWindow::CancelButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, &TImportWindow::HelpButtonClick);
    InstallWhatsThis(this,
                     {
                         {"FileNameLabel", "The file whose records are appended to the open address file."},
                         {"SelectButton", "Choose the file to import from."},
                         {"ImportButton", "Append the file's records to the open address file."},
                         {"CancelButton", "Stop the import after the current record, or close the window."},
                         {"Gauge", "How far the import has come."},
                         {"HelpButton", "Opens the help on this window."},
                     });
    if (MatchButton)
        InstallWhatsThis(this,
                         {{"MatchButton", "Choose which address field each field of the file goes into."}});
    CentreForm(this);
}

QString TImportWindow::FileName() const
{
    const QString text = FileNameLabel->text();
    return text == "(none)" ? QString() : text;
}

void TImportWindow::SetFileName(const QString& name)
{
    FileNameLabel->setText(name.isEmpty() ? QString("(none)") : name);
}

void TImportWindow::SetStatus(const QString& text)
{
    StatusLabel->setText(text);
}

void TImportWindow::ShowRunning(bool running)
{
    for (QWidget* widget : {static_cast<QWidget*>(SelectButton), static_cast<QWidget*>(ImportButton),
                            static_cast<QWidget*>(HelpButton), static_cast<QWidget*>(MouseHelpButton)})
        widget->setVisible(!running);
    if (MatchButton)
        MatchButton->setVisible(!running);
    Gauge->setVisible(running);
}

ImportResult
TImportWindow::RunImport(xbase::Table& table,
                         const std::function<ImportResult(AddressAppender&, const JobControl&)>& import)
{
    ShowRunning(true);
    FImporting = true;
    FCancelRequested = false;
    AddressAppender appender(table);
    ImportResult result;
    if (Status begun = appender.Begin(); !begun) {
        result.Failed = true;
        result.Message = begun.Message();
    } else {
        JobControl control;
        control.Progress = [this](int gauge) {
            Gauge->setValue(gauge);
            QApplication::processEvents();
        };
        control.CancelRequested = [this] { return FCancelRequested; };
        control.Status = [this](const std::string& text) { SetStatus(QString::fromStdString(text)); };
        result = import(appender, control);
    }
    FImporting = false;
    SetStatus({});
    ShowInfo(result.FullMessage());

    FRebuilding = true;
    SetStatus(RebuildingIndexesImportStatus);
    CancelButton->hide();
    Gauge->setValue(0);
    (void)appender.RebuildTags([this](int gauge) {
        Gauge->setValue(gauge);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    CancelButton->show();
    Gauge->setValue(0);
    FRebuilding = false;
    ShowRunning(false);
    if (isVisible())
        accept();
    return result;
}

void TImportWindow::CancelButtonClick()
{
    if (FRebuilding)
        return;
    if (FImporting) {
        FCancelRequested = true;
        return;
    }
    QDialog::reject();
}

void TImportWindow::HelpButtonClick()
{
    ShowHelpContext(FHelpContext);
}

void TImportWindow::reject()
{
    CancelButtonClick();
}

void TImportWindow::closeEvent(QCloseEvent* event)
{
    if (FImporting || FRebuilding) {
        event->ignore();
        CancelButtonClick();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace corvane

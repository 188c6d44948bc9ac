#include "importexport/windows/TCopyOut.h"

#include <filesystem>

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/MessageService.h"
#include "platform/ProgramDirectory.h"
#include "platform/windows/HelpViewer.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"

namespace corvane {

TCopyOut::TCopyOut(xbase::Table& addressTable, QWidget* parent) : QDialog(parent), FTable(addressTable)
{
    setObjectName("TCopyOut");
    setWindowTitle("Copy Records Out");
    setModal(true);
    NoteLabel =
        new QLabel("Note: this is NOT a backup. The program does its best to verify that data is accurately "
                   "and reliably copied, but it is up to you to verify it by opening and viewing the "
                   "exported file. We do not recommend copying directly to a floppy disk.",
                   this);
    NoteLabel->setObjectName("NoteLabel");
    NoteLabel->setWordWrap(true);
    DbfChoice = new QRadioButton("Copy to a &DBF file", this);
    DbfChoice->setObjectName("DbfChoice");
    AsciiChoice = new QRadioButton("Copy to an &ASCII file (comma delimited)", this);
    AsciiChoice->setObjectName("AsciiChoice");
    DbfChoice->setChecked(true);
    auto* group = new QButtonGroup(this);
    group->addButton(DbfChoice);
    group->addButton(AsciiChoice);
    FileNameLabel = new QLabel(this);
    FileNameLabel->setObjectName("FileNameLabel");
    FileNameLabel->setTextFormat(Qt::PlainText);
    CopyPanel = new QWidget(this);
    CopyPanel->setObjectName("CopyPanel");
    CopyingLabel = new QLabel(CopyPanel);
    CopyingLabel->setObjectName("CopyingLabel");
    CopyingLabel->setTextFormat(Qt::PlainText);
    Gauge = new QProgressBar(CopyPanel);
    Gauge->setObjectName("Gauge");
    Gauge->setRange(0, 100);
    auto* panelLayout = new QVBoxLayout(CopyPanel);
    panelLayout->addWidget(CopyingLabel);
    panelLayout->addWidget(Gauge);
    CopyPanel->hide();

    SaveAsButton = new QPushButton("Save As", this);
    SaveAsButton->setObjectName("SaveAsButton");
    SaveAsButton->setDefault(true);
    CancelButton = new QPushButton("Cancel", this);
    CancelButton->setObjectName("CancelButton");
    HelpButton = new QPushButton("Help", this);
    HelpButton->setObjectName("HelpButton");
    MouseHelpButton = CreateMouseHelpButton(this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(SaveAsButton);
    buttons->addWidget(CancelButton);
    buttons->addWidget(HelpButton);
    buttons->addWidget(MouseHelpButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(NoteLabel);
    layout->addWidget(DbfChoice);
    layout->addWidget(AsciiChoice);
    layout->addWidget(FileNameLabel);
    layout->addWidget(CopyPanel);
    layout->addLayout(buttons);
    setMinimumWidth(420);
    SetFileName({});

    connect(group, &QButtonGroup::buttonToggled, this, [this](QAbstractButton*, bool on) {
        if (on)
            SetFileName({});
    });
    connect(SaveAsButton, &QPushButton::clicked, this, &TCopyOut::SaveAsButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TCopyOut::CancelButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, [] { ShowHelpContext(1047); });
    InstallWhatsThis(this,
                     {
                         {"DbfChoice", "Copy into a new dBase file with the address file's fields."},
                         {"AsciiChoice", "Copy into a text file, one line of quoted values per record."},
                         {"SaveAsButton", "Choose the file to copy to; the copy starts at once."},
                         {"CancelButton", "Stop copying after the current record, or close the window."},
                         {"HelpButton", "Opens the help on this window."},
                     });
    CentreForm(this);
}

ExportKind TCopyOut::Kind() const
{
    return AsciiChoice->isChecked() ? ExportKind::Text : ExportKind::Dbase;
}

QString TCopyOut::FileName() const
{
    const QString text = FileNameLabel->text();
    return text == "(none)" ? QString() : text;
}

void TCopyOut::SetFileName(const QString& name)
{
    FileNameLabel->setText(name.isEmpty() ? QString("(none)") : name);
}

void TCopyOut::SaveAsButtonClick()
{
    const bool dbase = Kind() == ExportKind::Dbase;
    QFileDialog dialog(this, "Save As", QString::fromStdString(ProgramDirectory()),
                       dbase ? "DBF files (*.DBF *.dbf)" : "Text files (*.TXT *.txt)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(dbase ? "DBF" : "TXT");
    // The overwrite question is the window's own.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(dbase ? "*.DBF" : "*.TXT");
    (void)SaveTo(dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
                     ? dialog.selectedFiles().front()
                     : QString());
}

std::optional<ExportResult> TCopyOut::SaveTo(const QString& chosen)
{
    SetFileName({});
    if (chosen.isEmpty())
        return std::nullopt;
    const std::string target = chosen.toStdString();
    if (Status checked = CheckExportTarget(Kind(), target, FTable.Path()); !checked) {
        ShowInfo(checked.Message());
        return std::nullopt;
    }
    if (std::filesystem::exists(target) && !AskYesNoDefaultNo(ExportOverwriteQuestion(target), "Warning!"))
        return std::nullopt;
    SetFileName(chosen);

    for (QWidget* widget : {static_cast<QWidget*>(DbfChoice), static_cast<QWidget*>(AsciiChoice),
                            static_cast<QWidget*>(HelpButton), static_cast<QWidget*>(MouseHelpButton),
                            static_cast<QWidget*>(SaveAsButton)})
        widget->hide();
    CopyPanel->show();
    CopyingLabel->setText("Copying to " + chosen);
    FCopying = true;
    FCancelRequested = false;
    JobControl control;
    control.Progress = [this](int gauge) {
        Gauge->setValue(gauge);
        QApplication::processEvents();
    };
    control.CancelRequested = [this] { return FCancelRequested; };
    ExportResult result = ExportRecords(FTable, Kind(), target, control, true);
    FCopying = false;
    if (result.Failed)
        ShowInfo(result.Message);
    if (isVisible())
        accept();
    return result;
}

void TCopyOut::CancelButtonClick()
{
    if (FCopying) {
        if (AskYesNoDefaultNo(CancelCopyQuestion, "Cancel"))
            FCancelRequested = true;
        return;
    }
    QDialog::reject();
}

void TCopyOut::reject()
{
    CancelButtonClick();
}

void TCopyOut::closeEvent(QCloseEvent* event)
{
    if (FCopying) {
        event->ignore();
        CancelButtonClick();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace corvane

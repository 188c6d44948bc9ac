#include "importexport/windows/TImportOlder.h"

#include <QFileDialog>
#include <QPushButton>

#include "importexport/FileIdentity.h"
#include "platform/MessageService.h"

namespace corvane {

TImportOlder::TImportOlder(OlderGeneration generation, xbase::Table& addressTable, QWidget* parent)
    : TImportWindow(QString::fromStdString(OlderImportCaption(generation)), "DBF File Name",
                    "Select DBF File", false, 1092, parent),
      FGeneration(generation), FTable(addressTable)
{
    setObjectName("TImportOlder");
    connect(SelectButton, &QPushButton::clicked, this, &TImportOlder::SelectButtonClick);
    connect(ImportButton, &QPushButton::clicked, this, &TImportOlder::ImportButtonClick);
}

void TImportOlder::SelectButtonClick()
{
    ChooseFile(QFileDialog::getOpenFileName(this, "Select DBF File", {}, "DBF Files (*.dbf *.DBF)"));
}

void TImportOlder::ChooseFile(const QString& path)
{
    FSource.Close();
    ImportButton->setEnabled(false);
    SetFileName(path);
    if (path.isEmpty())
        return;
    auto refuse = [this](const std::string& message) {
        FSource.Close();
        SetFileName({});
        ShowInfo(message);
    };
    if (IsAddressFileOrCompanion(path.toStdString(), FTable.Path()))
        return refuse(ImportFromItselfMessage);
    if (Status opened = FSource.Open(path.toStdString()); !opened)
        return refuse(opened.Message());
    if (Status fits = CheckGeneration(FSource, FGeneration); !fits)
        return refuse(fits.Message());
    ImportButton->setEnabled(true);
}

void TImportOlder::ImportButtonClick()
{
    (void)Import();
}

ImportResult TImportOlder::Import()
{
    if (!FSource.IsOpen())
        return {};
    ImportResult result = RunImport(FTable, [&](AddressAppender& appender, const JobControl& control) {
        return ImportOlderTable(FSource, FGeneration, appender, control);
    });
    FSource.Close();
    return result;
}

} // namespace corvane

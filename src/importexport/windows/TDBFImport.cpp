#include "importexport/windows/TDBFImport.h"

#include <QFileDialog>
#include <QPushButton>

#include "importexport/DbfImport.h"
#include "importexport/FileIdentity.h"
#include "importexport/windows/TDBFMatch.h"
#include "platform/MessageService.h"

namespace corvane {

TDBFImport::TDBFImport(std::string addressFile, FieldCatalogue catalogue, QWidget* parent)
    : TMatchingImport("DBF File Import", "DBF File Name", "Select DBF File", 1021, std::move(addressFile),
                      std::move(catalogue), "Unknown error. Unable to do DBF import at this time", parent)
{
    setObjectName("TDBFImport");
    connect(SelectButton, &QPushButton::clicked, this, &TDBFImport::SelectButtonClick);
}

void TDBFImport::SelectButtonClick()
{
    ChooseFile(QFileDialog::getOpenFileName(this, "Select DBF File", {}, "DBF Files (*.DBF *.dbf)"));
}

void TDBFImport::ChooseFile(const QString& path)
{
    FSource.Close();
    ForgetMatch();
    SetFileName(path);
    if (path.isEmpty())
        return;
    auto refuse = [this](const std::string& message) {
        SetFileName({});
        ShowInfo(message);
    };
    if (IsAddressFileOrCompanion(path.toStdString(), AddressFile()))
        return refuse(ImportFromItselfMessage);
    if (Status opened = FSource.Open(path.toStdString()); !opened)
        return refuse(opened.Message());
    MatchButton->setEnabled(true);
}

MatchModel TDBFImport::NewMatch() const
{
    MatchModel match(MatchModel::DbfTargets(Catalogue()), FSource.MatchSources());
    match.AutoMatch();
    return match;
}

std::optional<MatchModel> TDBFImport::ShowMatchWindow(const MatchModel& start)
{
    TDBFMatch window(start, FSource, this);
    if (window.exec() != QDialog::Accepted)
        return std::nullopt;
    return window.Match();
}

ImportResult TDBFImport::Append(AddressAppender& appender, const JobControl& control)
{
    return ImportDbfTable(FSource, DbfImportPlan::FromMatch(*Match()), appender, control);
}

} // namespace corvane

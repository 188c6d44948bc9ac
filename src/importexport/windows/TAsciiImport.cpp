#include "importexport/windows/TAsciiImport.h"

#include <filesystem>

#include <QFileDialog>
#include <QPushButton>

#include "importexport/AsciiImport.h"
#include "importexport/FileIdentity.h"
#include "importexport/windows/TAsciiMatch.h"
#include "platform/MessageService.h"

namespace corvane {

TAsciiImport::TAsciiImport(std::string addressFile, FieldCatalogue catalogue, QWidget* parent)
    : TMatchingImport("ASCII File Import", "ASCII File Name", "Select ASCII File", 1023,
                      std::move(addressFile), std::move(catalogue),
                      "Unknown error. Unable to do ASCII import at this time", parent)
{
    setObjectName("TAsciiImport");
    connect(SelectButton, &QPushButton::clicked, this, &TAsciiImport::SelectButtonClick);
}

void TAsciiImport::SelectButtonClick()
{
    // The dialog may change the working directory; it is put back.
    std::error_code ignored;
    const auto workingDirectory = std::filesystem::current_path(ignored);
    const QString path = QFileDialog::getOpenFileName(
        this, "Select ASCII File", {}, "Text files, CSV Files (*.TXT *.CSV *.txt *.csv);;All files (*)");
    std::filesystem::current_path(workingDirectory, ignored);
    ChooseFile(path);
}

void TAsciiImport::ChooseFile(const QString& path)
{
    FSample.reset();
    ForgetMatch();
    SetFileName(path);
    if (path.isEmpty())
        return;
    if (IsAddressFileOrCompanion(path.toStdString(), AddressFile())) {
        SetFileName({});
        ShowInfo(ImportFromItselfMessage);
        return;
    }
    auto sample = SampleAsciiFile(path.toStdString());
    if (!sample) {
        ShowInfo(UnableToImportMessage);
        return;
    }
    FSample = sample.Take();
    MatchButton->setEnabled(true);
}

MatchModel TAsciiImport::NewMatch() const
{
    std::vector<MatchSource> columns;
    for (const AsciiColumn& column : FSample->Columns)
        columns.push_back({column.Name, SourceKind::Text});
    return MatchModel(MatchModel::AsciiTargets(Catalogue()), columns);
}

std::optional<MatchModel> TAsciiImport::ShowMatchWindow(const MatchModel& start)
{
    TAsciiMatch window(start, *FSample, FileName(), this);
    if (window.exec() != QDialog::Accepted)
        return std::nullopt;
    return window.Match();
}

ImportResult TAsciiImport::Append(AddressAppender& appender, const JobControl& control)
{
    return ImportAsciiFile(AsciiImportPlan::FromMatch(FileName().toStdString(), *Match()), appender, control);
}

} // namespace corvane

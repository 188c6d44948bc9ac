#include "importexport/windows/TMatchingImport.h"

#include <QPushButton>

#include "platform/MessageService.h"

namespace corvane {

TMatchingImport::TMatchingImport(const QString& caption, const QString& fileCaption,
                                 const QString& selectCaption, int helpContext, std::string addressFile,
                                 FieldCatalogue catalogue, std::string unableMessage, QWidget* parent)
    : TImportWindow(caption, fileCaption, selectCaption, true, helpContext, parent),
      FAddressFile(std::move(addressFile)), FCatalogue(std::move(catalogue)),
      FUnableMessage(std::move(unableMessage))
{
    connect(MatchButton, &QPushButton::clicked, this, &TMatchingImport::MatchButtonClick);
    connect(ImportButton, &QPushButton::clicked, this, &TMatchingImport::ImportButtonClick);
}

void TMatchingImport::ForgetMatch()
{
    FMatch.reset();
    MatchButton->setEnabled(false);
    ImportButton->setEnabled(false);
}

MatchModel TMatchingImport::StartingMatch() const
{
    return FMatch ? *FMatch : NewMatch();
}

void TMatchingImport::MatchButtonClick()
{
    if (!SourceReady())
        return;
    if (auto accepted = ShowMatchWindow(StartingMatch()))
        AcceptMatch(*accepted);
}

void TMatchingImport::AcceptMatch(const MatchModel& match)
{
    FMatch = match;
    ImportButton->setEnabled(match.AnyMatched());
}

void TMatchingImport::ImportButtonClick()
{
    (void)Import();
}

ImportResult TMatchingImport::Import()
{
    ImportResult result;
    if (!FMatch || !FMatch->AnyMatched() || !SourceReady())
        return result;
    xbase::Table table;
    if (Status opened = table.Open(FAddressFile); !opened) {
        result.Failed = true;
        result.Message = FUnableMessage;
        ShowInfo(result.Message);
        return result;
    }
    result = RunImport(table, [this](AddressAppender& appender, const JobControl& control) {
        return Append(appender, control);
    });
    (void)table.Close();
    return result;
}

} // namespace corvane

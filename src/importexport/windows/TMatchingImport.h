#pragma once
// What the text and dBase imports share beyond the import window: the address file they open
// themselves (the main window has closed its table), the main window's field catalogue, the
// accepted match, "Match Fields" opening the match window on it, and "Import" enabled while at
// least one field is matched.

#include <optional>
#include <string>

#include "core/FieldCatalogue.h"
#include "importexport/MatchModel.h"
#include "importexport/windows/TImportWindow.h"

namespace corvane {

class TMatchingImport : public TImportWindow {
    Q_OBJECT
  public:
    // The match the match window starts from: the accepted one, else a fresh one.
    MatchModel StartingMatch() const;
    void AcceptMatch(const MatchModel& match);
    const std::optional<MatchModel>& Match() const { return FMatch; }
    ImportResult Import();

  public slots:
    void MatchButtonClick();
    void ImportButtonClick();

  protected:
    TMatchingImport(const QString& caption, const QString& fileCaption, const QString& selectCaption,
                    int helpContext, std::string addressFile, FieldCatalogue catalogue,
                    std::string unableMessage, QWidget* parent);

    // A source has been accepted.
    virtual bool SourceReady() const = 0;
    virtual MatchModel NewMatch() const = 0;
    // Shows the match window; the accepted match, or nothing when it was cancelled.
    virtual std::optional<MatchModel> ShowMatchWindow(const MatchModel& start) = 0;
    virtual ImportResult Append(AddressAppender& appender, const JobControl& control) = 0;
    // A new source forgets the match.
    void ForgetMatch();

    const FieldCatalogue& Catalogue() const { return FCatalogue; }
    const std::string& AddressFile() const { return FAddressFile; }

  private:
    std::string FAddressFile;
    FieldCatalogue FCatalogue;
    std::string FUnableMessage;
    std::optional<MatchModel> FMatch;
};

} // namespace corvane

#pragma once
// "DBF File Import": choose any dBase table, match its fields (first automatically by name),
// append its records to the address file.

#include "importexport/SourceTable.h"
#include "importexport/windows/TMatchingImport.h"

namespace corvane {

class TDBFImport : public TMatchingImport {
    Q_OBJECT
  public:
    TDBFImport(std::string addressFile, FieldCatalogue catalogue, QWidget* parent = nullptr);

    // What "Select DBF File" does with the dialog's choice (empty: none).
    void ChooseFile(const QString& path);

  public slots:
    void SelectButtonClick();

  protected:
    bool SourceReady() const override { return FSource.IsOpen(); }
    // The automatic match, when the match window opens for the first time for the file.
    MatchModel NewMatch() const override;
    std::optional<MatchModel> ShowMatchWindow(const MatchModel& start) override;
    ImportResult Append(AddressAppender& appender, const JobControl& control) override;

  private:
    SourceTable FSource;
};

} // namespace corvane

#pragma once
// "ASCII File Import": choose a text file, match its columns to address fields, append its lines
// to the address file.

#include "importexport/AsciiSample.h"
#include "importexport/windows/TMatchingImport.h"

namespace corvane {

class TAsciiImport : public TMatchingImport {
    Q_OBJECT
  public:
    TAsciiImport(std::string addressFile, FieldCatalogue catalogue, QWidget* parent = nullptr);

    // What "Select ASCII File" does with the dialog's choice (empty: none).
    void ChooseFile(const QString& path);

  public slots:
    void SelectButtonClick();

  protected:
    bool SourceReady() const override { return FSample.has_value(); }
    MatchModel NewMatch() const override;
    std::optional<MatchModel> ShowMatchWindow(const MatchModel& start) override;
    ImportResult Append(AddressAppender& appender, const JobControl& control) override;

  private:
    std::optional<AsciiSample> FSample;
};

} // namespace corvane

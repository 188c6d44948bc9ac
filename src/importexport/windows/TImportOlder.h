#pragma once
// "Import Corvane 1.x DBF" / "Import Corvane 2.x DBF": choose an older generation's address file
// and append its records field by field. The main window keeps its table open (query cleared,
// display suspended) and lends it.

#include <string>

#include "importexport/OlderImport.h"
#include "importexport/SourceTable.h"
#include "importexport/windows/TImportWindow.h"

namespace corvane {

class TImportOlder : public TImportWindow {
    Q_OBJECT
  public:
    TImportOlder(OlderGeneration generation, xbase::Table& addressTable, QWidget* parent = nullptr);

    void ChooseFile(const QString& path);
    ImportResult Import();

  public slots:
    void SelectButtonClick();
    void ImportButtonClick();

  private:
    OlderGeneration FGeneration;
    xbase::Table& FTable;
    SourceTable FSource;
};

} // namespace corvane

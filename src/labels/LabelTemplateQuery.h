#pragma once
// The template picker without its widgets: where its two lists start from the setup's stock, the
// catalogue filter they build, and reading the matching catalogue stocks (LBLTPL.DBF) in name
// order to copy one into the setup.

#include <string>
#include <vector>

#include <QString>
#include <QStringList>

#include "labels/LabelSetup.h"
#include "platform/Result.h"
#include "platform/xbase/Table.h"

namespace corvane {

// The "Manufacturer" and "Product Type" lists ("All" last). Beyond the Avery and Costar items the
// maker list offers "Other Makers" (every stock of another maker) and "All Makers" (no maker or
// printer restriction), so every stock of the catalogue can be picked.
const QStringList& ManufacturerItems();
const QStringList& ProductTypeItems();
inline constexpr int AllProductTypesItem = 6;

// Where the lists start. A user-defined geometry starts from Avery laser address labels and seeks
// no stock; a manufacturer/printer pair that has no item leaves the manufacturer list without a
// selection (-1).
struct LabelComboPositions {
    int ManufacturerItem = -1;
    int ProductTypeItem = AllProductTypesItem;
    bool SeekCurrentTemplate = true;
};
LabelComboPositions PositionLabelCombos(const QString& manufacturer, const QString& printerCode,
                                        const QString& productType);

// The catalogue filter of the lists' choice: up to four clauses joined by " and " (maker, printer,
// product type, European paper); empty when nothing restricts. `manufacturerText` is the shown
// text of the manufacturer list (empty without a selection).
std::string BuildLabelQuery(const QString& manufacturerText, int productTypeItem, bool europeanOnly);

// A chosen stock replaces the setup's geometry and stock facts; the description, the layout file
// name stay.
void ApplyTemplate(LabelSetup& setup, const LabelSetup& stock);

class LabelStockCatalogue;
// The setup "New" starts from: the defaults with the geometry of the catalogue stock they name,
// since the defaults' own pitch (2.765 x 1.01) drifts off the real sheet; the defaults alone when
// the catalogue lacks that stock.
LabelSetup NewLabelSetup(const LabelStockCatalogue& catalogue);

// The label stock catalogue as the picker reads it.
class LabelTemplateCatalogue {
  public:
    // Opens sysdata/LBLTPL.DBF in name order; on failure the user has been told ("Unable to Open
    // LBLTPL.DBF") and false is returned.
    bool Open();
    void Close();
    bool IsOpen() const { return FTable.IsOpen(); }

    // The stocks the filter lets through, in name order (an empty filter: all of them). An error
    // for a filter the table cannot evaluate.
    Result<std::vector<LabelSetup>> Matching(const std::string& filter);

  private:
    xbase::Table FTable;
};

// The row of `stocks` to show first: the one named `description` (exactly, trailing blanks
// ignored) when seeking, else the first; -1 for an empty list.
int InitialTemplateRow(const std::vector<LabelSetup>& stocks, const QString& description, bool seek);

} // namespace corvane

#pragma once
// The label stock catalogue (LBLTPL.DBF): the commercial label sheets shipped with the program,
// read into LabelSetup values whose template description names the stock. The catalogue is only
// ever read.

#include <string>
#include <string_view>
#include <vector>

#include "labels/LabelSetup.h"
#include "platform/Result.h"
#include "platform/xbase/Table.h"

namespace corvane {

// The description of the stock new setups start from.
inline constexpr std::string_view DefaultLabelStock = "Avery 5160  Address";

// The geometry and stock columns that setups and stocks share (everything but DESCRIPT,
// TPLDESCRIP and BINARY), from the table's current row. A number that cannot be read is an
// error naming the column.
Status ReadLabelStockColumns(const xbase::Table& table, LabelSetup& setup);

// The current row of the stock table as a setup: the stock's name becomes the template
// description (cut to 60 characters); the setup's own description and layout file stay empty.
Result<LabelSetup> ReadLabelStockRow(const xbase::Table& table);

class LabelStockCatalogue {
  public:
    // Every row of the open stock table in the order of its DESCRIPT tag (record order when it
    // has none); the table's query, order and record are put back afterwards.
    static Result<LabelStockCatalogue> Load(xbase::Table& table);
    // Opens sysdata/LBLTPL.DBF read-only and loads it.
    static Result<LabelStockCatalogue> LoadInstalled();

    const std::vector<LabelSetup>& Stocks() const { return FStocks; }
    // The stock whose name equals `description` (case and trailing blanks ignored); nullptr when
    // there is none.
    const LabelSetup* Find(std::string_view description) const;

  private:
    std::vector<LabelSetup> FStocks;
};

} // namespace corvane

#include "labels/LabelTemplateQuery.h"

#include "core/SystemTables.h"
#include "labels/LabelStockCatalogue.h"

namespace corvane {

namespace {

// The list item a stock's maker and printer technology select, in capitals.
QString ManufacturerChoice(const QString& manufacturer, const QString& printerCode)
{
    const QString maker = manufacturer.trimmed().toUpper();
    const QString printer = printerCode.trimmed().toUpper();
    if (maker == "AVERY" && printer == "IJ")
        return "AVERY INKJET";
    if (maker == "AVERY" && printer == "DM")
        return "AVERY DOT MATRIX";
    if (maker == "NEBS" && printer == "LJ")
        return "NEBS LASERJET";
    if (maker == "NEBS" && printer == "DM")
        return "NEBS DOT MATRIX";
    if (maker == "COSTAR")
        return "COSTAR LABELPRINTER";
    // The catalogue also carries the stocks of many other makers; a setup made from one of them
    // reopens on their list instead of Avery's, where its stock could not be found.
    if (!maker.isEmpty() && maker != "AVERY" && maker != "NEBS")
        return "OTHER MAKERS";
    return "AVERY LASERJET";
}

int ItemIgnoringCase(const QStringList& items, const QString& text)
{
    for (int i = 0; i < items.size(); ++i) {
        if (items[i].compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace

const QStringList& ManufacturerItems()
{
    static const QStringList items = {"Avery Laserjet",      "Avery Inkjet", "Avery Dot Matrix",
                                      "Costar LabelPrinter", "Other Makers", "All Makers"};
    return items;
}

const QStringList& ProductTypeItems()
{
    static const QStringList items = {"Address/Shipping Labels",
                                      "Card Products",
                                      "Diskette Labels",
                                      "File Folder Labels",
                                      "Index Products",
                                      "Miscellaneous",
                                      "All"};
    return items;
}

LabelComboPositions PositionLabelCombos(const QString& manufacturer, const QString& printerCode,
                                        const QString& productType)
{
    LabelComboPositions positions;
    QString maker = manufacturer;
    QString printer = printerCode;
    QString product = productType;
    if (manufacturer.trimmed().compare("USER", Qt::CaseInsensitive) == 0) {
        maker = "AVERY";
        printer = "LJ";
        product = "ADDRESS/SHIPPING LABELS";
        positions.SeekCurrentTemplate = false;
    }
    positions.ManufacturerItem = ItemIgnoringCase(ManufacturerItems(), ManufacturerChoice(maker, printer));
    const int productItem = ItemIgnoringCase(ProductTypeItems(), product.trimmed());
    positions.ProductTypeItem = productItem >= 0 ? productItem : AllProductTypesItem;
    return positions;
}

std::string BuildLabelQuery(const QString& manufacturerText, int productTypeItem, bool europeanOnly)
{
    const QString maker = manufacturerText.toUpper();
    std::vector<std::string> clauses;
    if (maker.contains("AVERY"))
        clauses.push_back(" UPPER(manufac)=\"AVERY\" ");
    else if (maker.contains("NEBS"))
        clauses.push_back(" UPPER(manufac)=\"NEBS\" ");
    else if (maker.contains("COSTAR"))
        clauses.push_back(" UPPER(manufac)=\"COSTAR\" ");
    else if (maker.contains("OTHER MAKERS"))
        clauses.push_back(
            " UPPER(manufac)<>\"AVERY\" and UPPER(manufac)<>\"NEBS\" and UPPER(manufac)<>\"COSTAR\" ");

    if (maker.contains("LASERJET"))
        clauses.push_back(" UPPER(printer)=\"LJ\" ");
    else if (maker.contains("INKJET"))
        clauses.push_back(" UPPER(printer)=\"IJ\" ");
    else if (maker.contains("DOT MATRIX"))
        clauses.push_back(" UPPER(printer)=\"DM\" ");
    else if (maker.contains("LABELPRINTER"))
        clauses.push_back(" UPPER(printer)=\"LP\" ");

    static const char* const productClauses[] = {
        " UPPER(PRODTYPE)=\"ADDRESS/SHIPPING LABELS\" ", " UPPER(PRODTYPE)=\"CARD PRODUCTS\" ",
        " UPPER(PRODTYPE)=\"DISKETTE LABELS\" ",         " UPPER(PRODTYPE)=\"FILE FOLDER LABELS\" ",
        " UPPER(PRODTYPE)=\"INDEX PRODUCTS\" ",          " UPPER(PRODTYPE)=\"MISCELLANEOUS\" ",
    };
    if (productTypeItem >= 0 && productTypeItem < static_cast<int>(std::size(productClauses)))
        clauses.push_back(productClauses[productTypeItem]);

    if (europeanOnly)
        clauses.push_back(" (\"A4\"$UPPER(PAPERSIZE) OR \"A5\"$UPPER(PAPERSIZE))");

    std::string query;
    for (const std::string& clause : clauses) {
        if (!query.empty())
            query += " and ";
        query += clause;
    }
    return query;
}

void ApplyTemplate(LabelSetup& setup, const LabelSetup& stock)
{
    setup.LabelHeight = stock.LabelHeight;
    setup.LabelWidth = stock.LabelWidth;
    setup.Across = stock.Across;
    setup.Down = stock.Down;
    setup.TopMargin = stock.TopMargin;
    setup.LeftMargin = stock.LeftMargin;
    setup.HorizontalPitch = stock.HorizontalPitch;
    setup.VerticalPitch = stock.VerticalPitch;
    setup.SheetWidth = stock.SheetWidth;
    setup.SheetDepth = stock.SheetDepth;
    setup.PaperSize = stock.PaperSize;
    setup.PrinterCode = stock.PrinterCode;
    setup.Shape = stock.Shape;
    setup.Manufacturer = stock.Manufacturer;
    setup.ProductType = stock.ProductType;
    setup.MiddleExtraX = stock.MiddleExtraX;
    setup.MiddleExtraY = stock.MiddleExtraY;
    setup.Art = stock.Art;
    setup.TemplateDescription = stock.TemplateDescription;
}

LabelSetup NewLabelSetup(const LabelStockCatalogue& catalogue)
{
    LabelSetup setup = LabelSetup::NewSetupDefaults();
    if (const LabelSetup* stock = catalogue.Find(setup.TemplateDescription.toStdString()))
        ApplyTemplate(setup, *stock);
    return setup;
}

bool LabelTemplateCatalogue::Open()
{
    if (!OpenLabelTemplateTable(FTable))
        return false;
    const int order = FTable.OrderNumber("DESCRIPT");
    if (order > 0)
        (void)FTable.SetOrder(order);
    return true;
}

void LabelTemplateCatalogue::Close()
{
    (void)FTable.Close();
}

Result<std::vector<LabelSetup>> LabelTemplateCatalogue::Matching(const std::string& filter)
{
    if (!FTable.IsOpen())
        return Result<std::vector<LabelSetup>>::Error("The label stock catalogue is not open");
    if (Status set = FTable.SetQuery(filter); !set)
        return set;
    std::vector<LabelSetup> stocks;
    Status moved = FTable.GoTop();
    while (moved && !FTable.Eof()) {
        Result<LabelSetup> stock = ReadLabelStockRow(FTable);
        if (!stock)
            return stock.ToStatus();
        stocks.push_back(stock.Take());
        moved = FTable.Skip();
    }
    if (!moved)
        return moved;
    return stocks;
}

int InitialTemplateRow(const std::vector<LabelSetup>& stocks, const QString& description, bool seek)
{
    if (stocks.empty())
        return -1;
    if (seek) {
        QString wanted = description;
        while (wanted.endsWith(' '))
            wanted.chop(1);
        for (size_t i = 0; i < stocks.size(); ++i) {
            if (stocks[i].TemplateDescription == wanted)
                return static_cast<int>(i);
        }
    }
    return 0;
}

} // namespace corvane

#include "labels/LabelStockCatalogue.h"

#include <charconv>

#include "core/TableCursorState.h"
#include "platform/ProgramDirectory.h"
#include "platform/Utf8Text.h"

namespace corvane {

namespace {

Result<double> NumberColumn(const xbase::Table& table, std::string_view column)
{
    auto text = table.GetField(column);
    if (!text)
        return text.ToStatus();
    if (text->empty())
        return 0.0;
    double value = 0;
    const char* begin = text->data();
    const char* end = begin + text->size();
    if (*begin == '+')
        ++begin;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || stop != end)
        return Result<double>::Error("The column " + std::string(column) + " of " + table.Path() +
                                     " holds no number: \"" + *text + "\"");
    return value;
}

Result<QString> TextColumn(const xbase::Table& table, std::string_view column, size_t characters)
{
    auto text = table.GetField(column);
    if (!text)
        return text.ToStatus();
    return QString::fromStdString(CutToCharacters(text.Take(), characters));
}

std::string UpperTrimmed(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
        .trimmed()
        .toUpper()
        .toStdString();
}

} // namespace

Status ReadLabelStockColumns(const xbase::Table& table, LabelSetup& setup)
{
    struct FloatColumn {
        const char* Name;
        float LabelSetup::*Member;
    };
    static const FloatColumn lengths[] = {
        {"LBLHEIGHT", &LabelSetup::LabelHeight},      {"LBLWIDTH", &LabelSetup::LabelWidth},
        {"TOPMARG", &LabelSetup::TopMargin},          {"LEFTMARG", &LabelSetup::LeftMargin},
        {"HORIZPITCH", &LabelSetup::HorizontalPitch}, {"VERTPITCH", &LabelSetup::VerticalPitch},
        {"SHEETWIDTH", &LabelSetup::SheetWidth},      {"SHEETDEPTH", &LabelSetup::SheetDepth},
    };
    for (const FloatColumn& column : lengths) {
        auto value = NumberColumn(table, column.Name);
        if (!value)
            return value.ToStatus();
        setup.*column.Member = static_cast<float>(*value);
    }
    auto across = NumberColumn(table, "NBRACROSS");
    auto down = NumberColumn(table, "NBRDOWN");
    auto extraX = NumberColumn(table, "MIDEXTRAX");
    auto extraY = NumberColumn(table, "MIDEXTRAY");
    for (const auto* number : {&across, &down, &extraX, &extraY}) {
        if (!*number)
            return number->ToStatus();
    }
    setup.Across = static_cast<int>(*across);
    setup.Down = static_cast<int>(*down);
    setup.MiddleExtraX = *extraX;
    setup.MiddleExtraY = *extraY;

    struct TextColumnSpec {
        const char* Name;
        QString LabelSetup::*Member;
        size_t Characters;
    };
    static const TextColumnSpec texts[] = {
        {"PRINTER", &LabelSetup::PrinterCode, 2},   {"PAPERSIZE", &LabelSetup::PaperSize, 5},
        {"LBLSHAPE", &LabelSetup::Shape, 2},        {"MANUFAC", &LabelSetup::Manufacturer, 10},
        {"PRODTYPE", &LabelSetup::ProductType, 25}, {"ART", &LabelSetup::Art, 12},
    };
    for (const TextColumnSpec& column : texts) {
        auto value = TextColumn(table, column.Name, column.Characters);
        if (!value)
            return value.ToStatus();
        setup.*column.Member = value.Take();
    }
    return Status::Success();
}

Result<LabelSetup> ReadLabelStockRow(const xbase::Table& table)
{
    LabelSetup setup;
    auto name = TextColumn(table, "DESCRIPT", 60);
    if (!name)
        return name.ToStatus();
    setup.Description.clear();
    setup.TemplateDescription = name.Take();
    if (Status read = ReadLabelStockColumns(table, setup); !read)
        return read;
    return setup;
}

Result<LabelStockCatalogue> LabelStockCatalogue::Load(xbase::Table& table)
{
    LabelStockCatalogue catalogue;
    Status walked = WithCursorRestored(table, [&]() -> Status {
        if (Status query = table.SetQuery(""); !query)
            return query;
        if (Status ordered = table.SetOrder(std::max(table.OrderNumber("DESCRIPT"), 0)); !ordered)
            return ordered;
        if (Status top = table.GoTop(); !top)
            return top;
        while (!table.Eof()) {
            auto stock = ReadLabelStockRow(table);
            if (!stock)
                return stock.ToStatus();
            catalogue.FStocks.push_back(stock.Take());
            if (Status next = table.Skip(1); !next)
                return next;
        }
        return Status::Success();
    });
    if (!walked)
        return walked;
    return catalogue;
}

Result<LabelStockCatalogue> LabelStockCatalogue::LoadInstalled()
{
    const std::string path = FindEntryNoCase(SystemDataDirectory(), "LBLTPL.DBF");
    if (path.empty())
        return Status::Error("The label stock catalogue " + SystemDataDirectory() + "LBLTPL.DBF is missing");
    xbase::Table table;
    if (Status opened = table.Open(path, xbase::OpenMode::SharedReadOnly); !opened)
        return opened;
    return Load(table);
}

const LabelSetup* LabelStockCatalogue::Find(std::string_view description) const
{
    const std::string wanted = UpperTrimmed(description);
    for (const LabelSetup& stock : FStocks) {
        if (UpperTrimmed(stock.TemplateDescription.toStdString()) == wanted)
            return &stock;
    }
    return nullptr;
}

} // namespace corvane

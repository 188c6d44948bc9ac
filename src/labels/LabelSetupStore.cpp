#include "labels/LabelSetupStore.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <set>
#include <system_error>

#include "core/LayoutFiles.h"
#include "core/TableCursorState.h"
#include "labels/LabelStockCatalogue.h"
#include "layout/TGBasePanel.h"
#include "layout/TGDMultiLineAddressLabel.h"
#include "platform/ProgramDirectory.h"
#include "platform/Utf8Text.h"
#include "platform/xbase/AsciiCase.h"

namespace corvane {

namespace {

QString Cut(const QString& text, size_t characters)
{
    return QString::fromStdString(CutToCharacters(text.toStdString(), characters));
}

// A length as the working copy stores it: 3-decimal fixed-point text.
std::string ThreeDecimals(float value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", static_cast<double>(value));
    return text;
}

// The shortest text that reads back as the same double.
std::string Unrounded(double value)
{
    char text[64];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return error == std::errc() ? std::string(text, end) : std::string("0");
}

std::string LayoutName(const std::string& binary)
{
    return QString::fromStdString(binary).trimmed().toStdString();
}

} // namespace

QString SheetName(const LabelSetup& setup)
{
    return setup.TemplateDescription.trimmed().isEmpty() ? QString::fromUtf8(UserDefinedSheetName.data())
                                                         : setup.TemplateDescription;
}

void CutLabelSetupStrings(LabelSetup& setup)
{
    setup.Description = Cut(setup.Description, 50);
    setup.PrinterCode = Cut(setup.PrinterCode, 2);
    setup.PaperSize = Cut(setup.PaperSize, 5);
    setup.TemplateDescription = Cut(setup.TemplateDescription, 60);
}

Result<LabelSetup> ReadLabelSetup(const xbase::Table& table)
{
    if (table.Eof())
        return Status::Error("There is no current label setup");
    LabelSetup setup;
    auto description = table.GetField("DESCRIPT");
    auto templateDescription = table.GetField("TPLDESCRIP");
    auto binary = table.GetField("BINARY");
    for (const auto* text : {&description, &templateDescription, &binary}) {
        if (!*text)
            return text->ToStatus();
    }
    setup.Description = QString::fromStdString(*description);
    setup.TemplateDescription = QString::fromStdString(*templateDescription);
    setup.LayoutFileName = QString::fromStdString(LayoutName(*binary));
    if (Status read = ReadLabelStockColumns(table, setup); !read)
        return read;
    CutLabelSetupStrings(setup);
    return setup;
}

Status CheckLabelPositions(const LabelSetup& setup)
{
    if (setup.Positions() <= MaxLabelPositions)
        return Status::Success();
    return Status::Error("The label setup \"" + setup.Description.trimmed().toStdString() + "\" has " +
                         std::to_string(setup.Positions()) + " positions (" + std::to_string(setup.Across) +
                         " across by " + std::to_string(setup.Down) + " down); a sheet may have at most " +
                         std::to_string(MaxLabelPositions) + " (10 across by 30 down)");
}

Status WriteLabelSetup(xbase::Table& table, const LabelSetup& setup)
{
    const std::pair<const char*, std::string> values[] = {
        {"DESCRIPT", setup.Description.toStdString()},
        {"PRINTER", setup.PrinterCode.toStdString()},
        {"LBLHEIGHT", ThreeDecimals(setup.LabelHeight)},
        {"LBLWIDTH", ThreeDecimals(setup.LabelWidth)},
        {"NBRACROSS", std::to_string(setup.Across)},
        {"NBRDOWN", std::to_string(setup.Down)},
        {"TOPMARG", ThreeDecimals(setup.TopMargin)},
        {"LEFTMARG", ThreeDecimals(setup.LeftMargin)},
        {"HORIZPITCH", ThreeDecimals(setup.HorizontalPitch)},
        {"VERTPITCH", ThreeDecimals(setup.VerticalPitch)},
        {"SHEETWIDTH", ThreeDecimals(setup.SheetWidth)},
        {"SHEETDEPTH", ThreeDecimals(setup.SheetDepth)},
        {"PAPERSIZE", setup.PaperSize.toStdString()},
        {"LBLSHAPE", setup.Shape.toStdString()},
        {"TPLDESCRIP", setup.TemplateDescription.toStdString()},
        {"MANUFAC", setup.Manufacturer.toStdString()},
        {"PRODTYPE", setup.ProductType.toStdString()},
        {"MIDEXTRAX", Unrounded(setup.MiddleExtraX)},
        {"MIDEXTRAY", Unrounded(setup.MiddleExtraY)},
        {"ART", setup.Art.toStdString()},
        {"BINARY", setup.LayoutFileName.toStdString()},
    };
    for (const auto& [column, value] : values) {
        if (Status put = table.PutField(column, value); !put)
            return put;
    }
    return table.Commit();
}

void AddAddressBlockFillingLabel(TGBasePanel& panel, const LabelSetup& setup)
{
    const double ppi = panel.PixelsPerInch();
    const auto pixels = [ppi](double inches) { return static_cast<int32_t>(std::lround(inches * ppi)); };
    const int32_t width = pixels(setup.LabelWidth);
    const int32_t height = pixels(setup.LabelHeight);
    panel.SetSize(width, height);
    // A tenth of an inch at the sides and half that at top and bottom.
    const int32_t sideMargin = pixels(0.1);
    const int32_t topMargin = pixels(0.05);
    auto block = std::make_unique<TGDMultiLineAddressLabel>();
    block->BuildMenu();
    panel.DropElement(std::move(block), PixelRect{sideMargin, topMargin, std::max(width - 2 * sideMargin, 10),
                                                  std::max(height - 2 * topMargin, 15)});
}

LabelSetupStore::LabelSetupStore(xbase::Table& table, std::string sysdataFolder)
    : FTable(table), FSysdata(sysdataFolder.empty() ? SystemDataDirectory() : std::move(sysdataFolder))
{
}

std::string LabelSetupStore::LayoutFilePath(const LabelSetup& setup) const
{
    return LayoutFilePathIn(FSysdata, setup.LayoutFileName);
}

bool LabelSetupStore::LayoutFileExists(const LabelSetup& setup) const
{
    return corvane::LayoutFileExists(LayoutFilePath(setup));
}

Status LabelSetupStore::PrepareModify(LabelSetup& setup, bool& fileExists)
{
    fileExists = LayoutFileExists(setup);
    if (fileExists)
        return Status::Success();
    auto name = NextBinaryName();
    if (!name)
        return name.ToStatus();
    setup.LayoutFileName = QString::fromStdString(*name);
    return Status::Success();
}

Status LabelSetupStore::SaveSetup(LabelSetup setup, TGBasePanel& layout, bool isNew)
{
    CutLabelSetupStrings(setup);
    if (LayoutName(setup.LayoutFileName.toStdString()).empty())
        return Status::Error("The label setup has no layout file name");
    const std::string path = LayoutFilePath(setup);
    const bool fileExisted = LayoutFileExists(setup);
    // The layout first: a row must never name a file that was not written.
    layout.ClearDataValues();
    if (Status saved = layout.SaveToFile(path); !saved)
        return saved;
    if (isNew) {
        if (Status appended = FTable.AppendBlank(); !appended) {
            if (!fileExisted)
                std::filesystem::remove(path);
            return appended;
        }
    }
    if (Status written = WriteLabelSetup(FTable, setup); !written) {
        if (isNew) {
            (void)FTable.Delete();
            (void)FTable.Commit();
            if (!fileExisted)
                std::filesystem::remove(path);
        }
        return written;
    }
    return Status::Success();
}

Result<LabelSetup> LabelSetupStore::Current() const
{
    auto setup = ReadLabelSetup(FTable);
    if (!setup)
        return setup;
    if (Status fits = CheckLabelPositions(*setup); !fits)
        return fits;
    return setup;
}

Result<LabelSetup> LabelSetupStore::CloneCurrent(TGBasePanel& scratch)
{
    scratch.ClearElements();
    auto original = Current();
    if (!original)
        return original;
    if (!LayoutFileExists(*original))
        return Status::Error(std::string(LabelDefinitionRemovedMessage));
    if (Status loaded = scratch.LoadFromFile(LayoutFilePath(*original)); !loaded)
        return loaded;
    auto name = NextBinaryName();
    if (!name)
        return name.ToStatus();
    LabelSetup clone = *original;
    clone.Description = QString::fromUtf8(CloneDescriptionPrefix.data()) + original->Description;
    clone.LayoutFileName = QString::fromStdString(*name);
    if (Status saved = SaveSetup(clone, scratch, true); !saved)
        return saved;
    CutLabelSetupStrings(clone);
    return clone;
}

Status LabelSetupStore::DeleteCurrent()
{
    auto setup = ReadLabelSetup(FTable);
    if (!setup)
        return setup.ToStatus();
    const bool fileExists = LayoutFileExists(*setup);
    const std::string path = LayoutFilePath(*setup);
    if (Status deleted = FTable.Delete(); !deleted)
        return deleted;
    if (Status committed = FTable.Commit(); !committed)
        return committed;
    if (fileExists) {
        std::error_code error;
        if (!std::filesystem::remove(path, error) && error)
            return Status::Error("Cannot remove the layout file " + path + ": " + error.message());
    }
    return Status::Success();
}

} // namespace corvane

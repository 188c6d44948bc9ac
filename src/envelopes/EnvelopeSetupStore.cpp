#include "envelopes/EnvelopeSetupStore.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "core/LayoutFiles.h"
#include "envelopes/EnvelopeOverlays.h"
#include "layout/TGBasePanel.h"
#include "layout/TGDMultiLineAddressLabel.h"
#include "platform/ProgramDirectory.h"
#include "platform/Utf8Text.h"

namespace corvane {

namespace {

QString CutDescription(const QString& text)
{
    return QString::fromStdString(CutToCharacters(text.toStdString(), EnvelopeDescriptionLength));
}

void RemoveFile(const std::string& path)
{
    std::error_code error;
    std::filesystem::remove(path, error);
}

} // namespace

EnvelopeSetup NoEnvelopeSetup()
{
    return EnvelopeSetup{};
}

Result<EnvelopeSetup> ReadEnvelopeSetup(const xbase::Table& table)
{
    if (table.Eof())
        return Status::Error("There is no current envelope setup");
    auto description = table.GetField("DESCRIPT");
    auto number = table.GetField("NUMBER");
    auto binary = table.GetField("BINARY");
    for (const auto* text : {&description, &number, &binary}) {
        if (!*text)
            return text->ToStatus();
    }
    EnvelopeSetup setup;
    setup.Description = CutDescription(QString::fromStdString(*description).trimmed());
    bool ok = false;
    const int code = QString::fromStdString(*number).trimmed().toInt(&ok);
    setup.Code = ok ? code : 0;
    setup.LayoutFileName = QString::fromStdString(*binary).trimmed();
    return setup;
}

Status WriteEnvelopeSetup(xbase::Table& table, const EnvelopeSetup& setup)
{
    const std::pair<const char*, std::string> values[] = {
        {"DESCRIPT", CutDescription(setup.Description).toStdString()},
        {"NUMBER", std::to_string(setup.Code)},
        {"BINARY", setup.LayoutFileName.trimmed().toStdString()},
    };
    for (const auto& [column, value] : values) {
        if (Status put = table.PutField(column, value); !put)
            return put;
    }
    return table.Commit();
}

void AddAddressBlockInAddressArea(TGBasePanel& panel, int code)
{
    const double ppi = panel.PixelsPerInch();
    const double width = std::max(EnvelopeWidth(code), 1.0);
    const double height = std::max(EnvelopeHeight(code), 1.0);
    panel.SetSize(static_cast<int32_t>(std::lround(width * ppi)),
                  static_cast<int32_t>(std::lround(height * ppi)));
    const PixelRect area = PostalAreas(panel.Width(), panel.Height(), ppi).Address;
    auto block = std::make_unique<TGDMultiLineAddressLabel>();
    block->BuildMenu();
    // A tenth of an inch inside the area so no line touches its edge.
    const int32_t inset = static_cast<int32_t>(std::lround(0.1 * ppi));
    panel.DropElement(std::move(block),
                      PixelRect{area.Left + inset, area.Top + inset, std::max(area.Width - 2 * inset, 10),
                                std::max(area.Height - 2 * inset, 15)});
}

EnvelopeSetupStore::EnvelopeSetupStore(xbase::Table& table, std::string sysdataFolder)
    : FTable(table), FSysdata(sysdataFolder.empty() ? SystemDataDirectory() : std::move(sysdataFolder))
{
}

std::string EnvelopeSetupStore::LayoutFilePath(const EnvelopeSetup& setup) const
{
    return LayoutFilePathIn(FSysdata, setup.LayoutFileName);
}

bool EnvelopeSetupStore::LayoutFileExists(const EnvelopeSetup& setup) const
{
    return corvane::LayoutFileExists(LayoutFilePath(setup));
}

EnvelopeSetup EnvelopeSetupStore::Current() const
{
    auto setup = ReadEnvelopeSetup(FTable);
    return setup ? *setup : NoEnvelopeSetup();
}

Result<EnvelopeSetup> EnvelopeSetupStore::PrepareNew(int code)
{
    auto name = NextBinaryName();
    if (!name)
        return name.ToStatus();
    EnvelopeSetup setup;
    setup.Description = QString::fromUtf8(NewEnvelopeDescription);
    setup.Code = code;
    setup.LayoutFileName = QString::fromStdString(*name);
    return setup;
}

Result<EnvelopeSetup> EnvelopeSetupStore::PrepareModify(bool& fileExists)
{
    auto setup = ReadEnvelopeSetup(FTable);
    if (!setup)
        return setup;
    fileExists = LayoutFileExists(*setup);
    if (fileExists)
        return setup;
    auto name = NextBinaryName();
    if (!name)
        return name.ToStatus();
    setup->LayoutFileName = QString::fromStdString(*name);
    return setup;
}

Status EnvelopeSetupStore::AppendSetup(const EnvelopeSetup& setup, const std::string& newFile)
{
    if (Status appended = FTable.AppendBlank(); !appended) {
        if (!newFile.empty())
            RemoveFile(newFile);
        return appended;
    }
    if (Status written = WriteEnvelopeSetup(FTable, setup); !written) {
        (void)FTable.Delete();
        (void)FTable.Commit();
        if (!newFile.empty())
            RemoveFile(newFile);
        return written;
    }
    return Status::Success();
}

Status EnvelopeSetupStore::SaveSetup(EnvelopeSetup setup, TGBasePanel& layout, bool isNew)
{
    setup.Description = CutDescription(setup.Description);
    if (setup.LayoutFileName.trimmed().isEmpty())
        return Status::Error("The envelope setup has no layout file name");
    const std::string path = LayoutFilePath(setup);
    const bool fileExisted = corvane::LayoutFileExists(path);
    // The layout first: a row must never name a file that was not written.
    layout.ClearDataValues();
    if (Status saved = layout.SaveToFile(path); !saved)
        return saved;
    const std::string madeHere = fileExisted ? std::string() : path;
    if (isNew)
        return AppendSetup(setup, madeHere);
    if (Status written = WriteEnvelopeSetup(FTable, setup); !written)
        return written;
    return Status::Success();
}

Result<EnvelopeSetup> EnvelopeSetupStore::CloneCurrent()
{
    auto original = ReadEnvelopeSetup(FTable);
    if (!original)
        return original;
    auto name = NextBinaryName();
    if (!name)
        return name.ToStatus();
    EnvelopeSetup clone = *original;
    clone.Description = CutDescription(QString::fromUtf8(EnvelopeClonePrefix.data()) + original->Description);
    clone.LayoutFileName = QString::fromStdString(*name);
    const std::string from = LayoutFilePath(*original);
    const std::string to = LayoutFilePath(clone);
    std::string copied;
    if (corvane::LayoutFileExists(from)) {
        if (Status copy = CopyLayoutFile(from, to); !copy)
            return copy;
        copied = to;
    }
    if (Status appended = AppendSetup(clone, copied); !appended)
        return appended;
    return clone;
}

Status EnvelopeSetupStore::DeleteCurrent()
{
    auto setup = ReadEnvelopeSetup(FTable);
    if (!setup)
        return setup.ToStatus();
    const std::string path = LayoutFilePath(*setup);
    const bool fileExists = corvane::LayoutFileExists(path);
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

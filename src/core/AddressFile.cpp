#include "core/AddressFile.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <set>
#include <system_error>

#include "core/AddressFileLayout.h"
#include "platform/MessageService.h"
#include "platform/ProgramDirectory.h"
#include "platform/Settings.h"
#include "platform/xbase/CompanionFiles.h"

namespace corvane {

namespace fs = std::filesystem;

namespace {

std::string UpperAscii(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// A dangling symbolic link counts: it is the user's, and creating through it must not remove it.
bool Exists(const std::string& path)
{
    std::error_code error;
    return !path.empty() && fs::symlink_status(path, error).type() != fs::file_type::not_found;
}

// The files a new address file consists of, remembered before creation so that a failure
// removes exactly what this creation made and nothing that was there before.
class CreatedFiles {
  public:
    explicit CreatedFiles(std::string path)
        : FPath(std::move(path)), FTableExisted(Exists(FPath)),
          FMemoExisted(!xbase::FindCompanion(FPath, ".FPT").empty()),
          FIndexExisted(!xbase::FindCompanion(FPath, ".CDX").empty())
    {
    }

    void RemoveNew() const
    {
        if (!FMemoExisted)
            RemoveCompanion(".FPT");
        if (!FIndexExisted)
            RemoveCompanion(".CDX");
        if (!FTableExisted)
            std::remove(FPath.c_str());
    }

  private:
    void RemoveCompanion(const char* extension) const
    {
        std::string companion = xbase::FindCompanion(FPath, extension);
        if (!companion.empty())
            std::remove(companion.c_str());
    }

    std::string FPath;
    bool FTableExisted;
    bool FMemoExisted;
    bool FIndexExisted;
};

std::string FieldTypeName(char type)
{
    switch (type) {
    case 'C':
        return "a character field";
    case 'M':
        return "a memo field";
    case 'L':
        return "a logical field";
    case 'N':
    case 'F':
        return "a numeric field";
    case 'D':
        return "a date field";
    default:
        return std::string("a field of type ") + type;
    }
}

} // namespace

Status CreateAddressFile(const std::string& path)
{
    const CreatedFiles files(path);
    auto fail = [&](const char* shown, const std::string& reason) {
        files.RemoveNew();
        ShowInfo(shown);
        return Status::Error(reason);
    };
    // The engine will not start a table where no folder can hold it.
    std::error_code error;
    const fs::path folder = fs::path(path).parent_path();
    if (path.empty() || fs::path(path).filename().empty())
        return fail("Create failed", "No file name given");
    if (!folder.empty() && !fs::is_directory(folder, error)) {
        return fail("Create failed", "Folder " + folder.string() + " does not exist");
    }
    if (Status free = RefuseCaseTwin(path); !free)
        return fail("File creation failed", free.Message());
    const std::vector<xbase::FieldSpec> fields = NewAddressFileFields(Settings().Load());
    if (Status created = xbase::Table::Create(path, fields); !created) {
        return fail("File creation failed", created.Message());
    }
    if (!Exists(path))
        return fail("File creation failed", "File " + path + " was not created");
    xbase::Table table;
    if (auto opened = OpenAddressTable(path, table); !opened)
        return fail("File creation failed", opened.Message());
    if (Status tagged = CreateAddressIndexTags(table); !tagged) {
        (void)table.Close();
        return fail("File creation failed", tagged.Message());
    }
    if (Status closed = table.Close(); !closed)
        return fail("File creation failed", closed.Message());
    return Status::Success();
}

Result<AddressFieldWidths> OpenAddressTable(const std::string& path, xbase::Table& table)
{
    (void)table.Close(); // whatever was open is given up either way
    std::error_code error;
    if (path.empty() || !fs::exists(path, error)) {
        const std::string message = "File " + path + " not found";
        ShowInfo(message);
        return Result<AddressFieldWidths>::Error(message);
    }
    if (Status opened = table.Open(path, xbase::OpenMode::Exclusive); !opened)
        return opened;
    auto widths = VerifyTableFields(table);
    Status ordered = widths ? table.SetOrder(0) : Status::Success();
    if (!widths || !ordered) {
        (void)table.Close();
        return widths ? Result<AddressFieldWidths>(ordered) : widths;
    }
    return widths;
}

Result<AddressFieldWidths> VerifyTableFields(const xbase::Table& table)
{
    if (!table.IsOpen())
        return Result<AddressFieldWidths>::Error("No table is open");
    AddressFieldWidths widths;
    const auto& declared = table.File().Fields();
    for (const auto& field : AddressFields()) {
        const int index = table.FieldIndex(field.Name);
        if (index < 0) {
            const std::string dataset = fs::path(table.Path()).filename().string();
            return Result<AddressFieldWidths>::Error(std::string("Field \"") + field.Name +
                                                     "\" not found in dataset \"" + dataset + "\"");
        }
        const xbase::FieldDescriptor& found = declared[static_cast<size_t>(index)];
        if (found.Type != field.Type) {
            // A MEMO that is no memo, or an ISDEL that is no logical, fails only at the first read
            // or write otherwise, half-way through an edit or a rebuild.
            const std::string dataset = fs::path(table.Path()).filename().string();
            return Result<AddressFieldWidths>::Error(std::string("Field \"") + field.Name + "\" in dataset \"" +
                                                     dataset + "\" is " + FieldTypeName(found.Type) +
                                                     ", not " + FieldTypeName(field.Type));
        }
        widths[field.Name] = found.Width;
    }
    return widths;
}

bool CheckValidIndex(const xbase::Table& table)
{
    if (!table.IsOpen() || table.ProductionIndexState() != xbase::IndexState::Valid)
        return false;
    for (const auto& tag : AddressIndexTags()) {
        if (table.OrderNumber(tag.Name) == 0)
            return false;
    }
    return true;
}

std::string SuggestAddressFileName(const std::string& folder)
{
    std::set<std::string> taken;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        taken.insert(UpperAscii(entry.path().filename().string()));
    }
    for (int number = 1; number <= 9999; ++number) {
        char name[8];
        std::snprintf(name, sizeof name, "ADD%04d", number);
        if (!taken.count(std::string(name) + ".DBF"))
            return name;
    }
    return "ADD0001";
}

std::string SuggestAddressFileName()
{
    return SuggestAddressFileName(DataDirectory());
}

bool IsValidAddressFileBaseName(std::string_view name)
{
    if (name.empty() || name.size() > 8)
        return false;
    auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (!letter(name[0]))
        return false;
    for (char c : name.substr(1)) {
        if (!letter(c) && !(c >= '0' && c <= '9'))
            return false;
    }
    return true;
}

} // namespace corvane

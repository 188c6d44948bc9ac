#include "core/LayoutBinaryNames.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include <QString>

#include "core/TableCursorState.h"
#include "platform/xbase/AsciiCase.h"

namespace corvane {

namespace {

const char* KindName(LayoutKind kind)
{
    switch (kind) {
    case LayoutKind::Label:
        return "label";
    case LayoutKind::Envelope:
        return "envelope";
    case LayoutKind::Report:
        return "report";
    }
    return "layout";
}

char Extension(LayoutKind kind)
{
    switch (kind) {
    case LayoutKind::Label:
        return 'L';
    case LayoutKind::Envelope:
        return 'E';
    case LayoutKind::Report:
        return 'R';
    }
    return 'L';
}

std::string NameOf(int number, LayoutKind kind)
{
    char name[16];
    std::snprintf(name, sizeof name, "BIN%05d.%c", number, Extension(kind));
    return name;
}

} // namespace

Result<std::string> NextLayoutBinaryName(xbase::Table& table, const std::string& sysdataFolder,
                                         LayoutKind kind)
{
    std::set<std::string> taken;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(sysdataFolder, error))
        taken.insert(xbase::UpperAscii(entry.path().filename().string()));
    if (error)
        return Status::Error("Cannot read the folder " + sysdataFolder + ": " + error.message());

    Status walked = WithCursorRestored(table, [&]() -> Status {
        table.SetDeletedHidden(false);
        if (Status query = table.SetQuery(""); !query)
            return query;
        if (Status natural = table.SetOrder(0); !natural)
            return natural;
        for (uint32_t recno = 1; recno <= table.RecordCount(); ++recno) {
            if (Status moved = table.GoTo(recno); !moved)
                return moved;
            auto binary = table.GetField("BINARY");
            if (!binary)
                return binary.ToStatus();
            taken.insert(xbase::UpperAscii(QString::fromStdString(*binary).trimmed().toStdString()));
        }
        return Status::Success();
    });
    if (!walked)
        return walked;
    return FirstFreeLayoutBinaryName(taken, kind);
}

Result<std::string> FirstFreeLayoutBinaryName(const std::set<std::string>& taken, LayoutKind kind)
{
    for (int number = 1; number <= 99999; ++number) {
        std::string name = NameOf(number, kind);
        if (!taken.count(name))
            return name;
    }
    return Status::Error(std::string("Every ") + KindName(kind) + " layout file name from " +
                         NameOf(1, kind) + " to " + NameOf(99999, kind) + " is in use");
}

} // namespace corvane

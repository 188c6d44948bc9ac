// Opens arbitrary bytes as a table and reads every record and field, then appends, rewrites and
// truncates through an exclusive open: a malformed header must give an error result, and
// whatever opens must be readable without reading outside the file.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/xbase/CodePage.h"
#include "platform/xbase/DbfFile.h"

namespace {

const std::string& TablePath()
{
    // In memory where possible: the targets write and truncate on every run.
    static const std::string path = std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                                    "/corvane-fuzz-dbf-" + std::to_string(getpid()) + ".dbf";
    return path;
}

bool WriteInput(const uint8_t* data, size_t size)
{
    const int fd = ::open(TablePath().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const bool ok = size == 0 || write(fd, data, size) == static_cast<ssize_t>(size);
    close(fd);
    return ok;
}

void ReadEverything(const xbase::DbfFile& file)
{
    const xbase::CodePage codePage = xbase::CodePage::FromMark(file.CodePageMark());
    if (file.Record(0) != nullptr || file.Record(file.RecordCount() + 1) != nullptr)
        abort();
    for (uint32_t recno = 1; recno <= file.RecordCount(); ++recno) {
        const char* record = file.Record(recno);
        if (record == nullptr)
            abort();
        (void)file.IsDeleted(recno);
        std::string copy(record, file.RecordLength());
        for (const xbase::FieldDescriptor& field : file.Fields()) {
            const std::string value = xbase::FieldCodec::Read(record, field);
            const std::string utf8 = codePage.ToUtf8(value);
            auto back = codePage.FromUtf8(utf8, field.Name);
            if (!back || *back != value)
                abort(); // every byte has a place in every code page
            if (field.Type == 'M')
                (void)xbase::FieldCodec::MemoBlock(record, field, file.IsVisualFoxPro());
            // Character values always write back as they were read; other types may refuse.
            const xbase::Status written = xbase::FieldCodec::Write(copy.data(), field, value);
            if (field.Type == 'C' && (!written || xbase::FieldCodec::Read(copy.data(), field) != value))
                abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (!WriteInput(data, size))
        return 0;
    {
        auto file = xbase::DbfFile::Open(TablePath(), xbase::OpenMode::SharedReadOnly);
        if (!file)
            return 0;
        ReadEverything(**file);
    }
    auto file = xbase::DbfFile::Open(TablePath(), xbase::OpenMode::Exclusive);
    if (!file)
        abort(); // it opened read-only a moment ago
    xbase::DbfFile& table = **file;
    const uint32_t count = table.RecordCount();
    std::string record(table.RecordLength(), ' ');
    if (count > 0)
        record.assign(table.Record(1), table.RecordLength());
    auto appended = table.AppendRecord(record.data());
    if (!appended || *appended != count + 1 || table.Record(count + 1) == nullptr)
        abort();
    if (!table.WriteRecord(1, record.data()) || !table.Truncate(count) || !table.Commit())
        abort();
    ReadEverything(table);
    return 0;
}

#include "core/LayoutFiles.h"

#include <filesystem>
#include <system_error>

#include <QFile>
#include <QSaveFile>

#include "platform/ProgramDirectory.h"

namespace corvane {

std::string LayoutFilePathIn(const std::string& sysdataFolder, const QString& name)
{
    const std::string trimmed = name.trimmed().toStdString();
    if (trimmed.empty())
        return {};
    // Files copied from other systems may spell the name in another case.
    const std::string existing = FindEntryNoCase(sysdataFolder, trimmed);
    return existing.empty() ? sysdataFolder + trimmed : existing;
}

bool LayoutFileExists(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

Status CopyLayoutFile(const std::string& from, const std::string& to)
{
    QFile source(QString::fromStdString(from));
    if (!source.open(QIODevice::ReadOnly))
        return Status::Error("Cannot read the layout file " + from + ": " +
                             source.errorString().toStdString());
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return Status::Error("Cannot read the layout file " + from + ": " +
                             source.errorString().toStdString());
    // QSaveFile writes a temporary file and renames it on commit; a failure removes it.
    QSaveFile target(QString::fromStdString(to));
    if (!target.open(QIODevice::WriteOnly) || target.write(bytes) != bytes.size() || !target.commit())
        return Status::Error("Cannot write the layout file " + to + ": " +
                             target.errorString().toStdString());
    return Status::Success();
}

std::string CloneQuestion(const QString& description)
{
    return "Clone \"" + description.toStdString() + "\"?";
}

std::string DeleteQuestion(const QString& description)
{
    return "Delete \"" + description.toStdString() + "\"?";
}

} // namespace corvane

#include "platform/windows/HelpLibrary.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextDocumentFragment>

#include "platform/ProgramDirectory.h"
#include "platform/ShippedFiles.h"

namespace corvane {

namespace {

QString WithSlash(QString path)
{
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

// Text of an HTML fragment with its entities resolved ("Check &amp; Repair" -> "Check & Repair").
QString PlainText(const QString& html)
{
    return QTextDocumentFragment::fromHtml(html).toPlainText().simplified();
}

HelpTopic ReadTopic(const QString& path)
{
    HelpTopic topic;
    topic.FileName = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return topic;
    const QString html = QString::fromUtf8(file.read(64 * 1024)); // the head is at the start
    static const QRegularExpression title(QStringLiteral("<title>(.*?)</title>"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression keywords(
        QStringLiteral("<meta\\s+name=\"keywords\"\\s+content=\"([^\"]*)\""),
        QRegularExpression::CaseInsensitiveOption);
    if (auto match = title.match(html); match.hasMatch())
        topic.Title = PlainText(match.captured(1));
    if (auto match = keywords.match(html); match.hasMatch())
        topic.Keywords = PlainText(match.captured(1));
    return topic;
}

} // namespace

QString HelpDirectory()
{
    QStringList candidates = {WithSlash(QCoreApplication::applicationDirPath()) + QStringLiteral("help/")};
    if (const std::string share = ShareDirectory(); !share.empty())
        candidates.append(QString::fromStdString(share) + QStringLiteral("help/"));
    for (const QString& folder : candidates) {
        if (QFileInfo(folder + QStringLiteral("index.html")).isFile())
            return folder;
    }
    const std::string inHome = FindEntryNoCase(ProgramDirectory(), "help");
    if (!inHome.empty() && QFileInfo(QString::fromStdString(inHome)).isDir()) {
        return WithSlash(QString::fromStdString(inHome));
    }
    return candidates.front();
}

HelpLibrary::HelpLibrary(QString folder) : FFolder(WithSlash(std::move(folder)))
{
    const QStringList files = QDir(FFolder).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    for (const QString& name : files) {
        HelpTopic topic = ReadTopic(FFolder + name);
        if (!topic.Title.isEmpty())
            FTopics.push_back(std::move(topic));
    }
    std::stable_sort(FTopics.begin(), FTopics.end(), [](const HelpTopic& a, const HelpTopic& b) {
        return a.Title.compare(b.Title, Qt::CaseInsensitive) < 0;
    });
}

QString HelpLibrary::ExistingPage(const QString& fileName) const
{
    const QString path = FFolder + fileName;
    return QFileInfo(path).isFile() ? path : QString();
}

QString HelpLibrary::ContextPage(int context) const
{
    return ExistingPage(QString::number(context) + QStringLiteral(".html"));
}

QString HelpLibrary::ContentsPage() const
{
    return ExistingPage(QStringLiteral("index.html"));
}

QString HelpLibrary::HelpOnHelpPage() const
{
    return ExistingPage(QStringLiteral("howtouse.html"));
}

std::vector<HelpTopic> HelpLibrary::FindTopics(const QString& key) const
{
    const QStringList words = key.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    std::vector<HelpTopic> found;
    for (const HelpTopic& topic : FTopics) {
        const QString text = topic.Title + QLatin1Char(' ') + topic.Keywords;
        const bool all = std::all_of(words.begin(), words.end(), [&](const QString& word) {
            return text.contains(word, Qt::CaseInsensitive);
        });
        if (all)
            found.push_back(topic);
    }
    return found;
}

} // namespace corvane

#include "cli/LayoutCommands.h"

#include <iostream>
#include <memory>

#include <QByteArray>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMarginsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "cli/CliArguments.h"
#include "cli/CommandSupport.h"
#include "cli/GuiApplication.h"
#include "core/AddressRecord.h"
#include "core/FieldCatalogue.h"
#include "layout/ComponentOwner.h"
#include "layout/ElementClassRegistry.h"
#include "layout/LayoutRecordSource.h"
#include "layout/LayoutStream.h"
#include "layout/QPainterSurface.h"
#include "layout/TGDataPanel.h"
#include "layout/TGGraphicControl.h"
#include "layout/TGLabelObjectFiler.h"
#include "platform/xbase/CodePage.h"

namespace corvane::cli {

namespace {

constexpr const char* kSynopsis =
    "layout dump FILE | layout pdf FILE --out OUT.pdf [--address-file DBF --recno N] [--page WxH]";

QString Text(const std::string& streamBytes)
{
    return QString::fromStdString(xbase::CodePage::Windows1252().ToUtf8(streamBytes));
}

const char* TagName(ValueTag tag)
{
    static const char* const names[] = {"end",      "list",   "int8",        "int16", "int32",
                                        "extended", "string", "identifier",  "false", "true",
                                        "binary",   "set",    "long string", "nil",   "collection"};
    return names[static_cast<size_t>(tag)];
}

QJsonObject ValueJson(const StreamValue& value)
{
    QJsonObject json;
    json["type"] = TagName(value.Tag);
    switch (value.Tag) {
    case ValueTag::Int8:
    case ValueTag::Int16:
    case ValueTag::Int32:
        json["value"] = value.Integer;
        break;
    case ValueTag::String:
    case ValueTag::LongString:
    case ValueTag::Ident:
        json["value"] = Text(value.Text);
        break;
    case ValueTag::True:
    case ValueTag::False:
        json["value"] = value.Tag == ValueTag::True;
        break;
    case ValueTag::Set: {
        QJsonArray members;
        for (const std::string& member : value.Members)
            members.append(Text(member));
        json["value"] = members;
        break;
    }
    case ValueTag::List: {
        QJsonArray items;
        for (const StreamValue& item : value.Items)
            items.append(ValueJson(item));
        json["value"] = items;
        break;
    }
    case ValueTag::Binary:
        json["size"] = static_cast<qint64>(value.Text.size());
        json["value"] = QString::fromLatin1(
            QByteArray(value.Text.data(), static_cast<qsizetype>(value.Text.size())).toBase64());
        break;
    case ValueTag::Extended:
        json["value"] =
            QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(value.Extended.data()), 10).toHex());
        break;
    default:
        json["value"] = QJsonValue::Null;
        break;
    }
    return json;
}

QJsonObject RecordJson(const ElementRecord& record)
{
    QJsonObject json;
    json["class"] = Text(record.ClassName);
    json["name"] = Text(record.Name);
    QJsonArray properties;
    for (const PropertyEntry& entry : record.Properties) {
        QJsonObject property = ValueJson(entry.Value);
        property["name"] = Text(entry.Name);
        properties.append(property);
    }
    json["properties"] = properties;
    return json;
}

// Every list of the stream: element lists as element records, the caller's list of a report file
// (whose items are plain values) as values.
Result<QJsonArray> ListsJson(const std::string& bytes, const ElementClassRegistry& registry)
{
    LayoutStreamReader reader(bytes);
    QJsonArray lists;
    while (!reader.AtEnd()) {
        if (Status s = reader.ReadListBegin(); !s)
            return s;
        Result<uint8_t> next = reader.PeekByte();
        if (!next)
            return next.ToStatus();
        QJsonArray items;
        if (*next == 0 || *next == 'T') {
            ElementList list;
            for (;;) {
                Result<bool> end = reader.ReadEndIf();
                if (!end)
                    return end.ToStatus();
                if (*end)
                    break;
                Result<ElementRecord> record = reader.ReadRecord();
                if (!record)
                    return record.ToStatus();
                list.push_back(record.Take());
            }
            // The elements must load as a panel would load them.
            if (Result<std::vector<ElementPtr>> built = TGLabelObjectFiler(registry).ElementsOf(list); !built)
                return built.ToStatus();
            for (const ElementRecord& record : list)
                items.append(RecordJson(record));
        } else {
            for (;;) {
                Result<bool> end = reader.ReadEndIf();
                if (!end)
                    return end.ToStatus();
                if (*end)
                    break;
                Result<StreamValue> value = reader.ReadValue();
                if (!value)
                    return value.ToStatus();
                items.append(ValueJson(*value));
            }
        }
        lists.append(items);
    }
    if (lists.isEmpty())
        return Status::Error("the file holds no element list");
    return lists;
}

int RunDump(const CliArguments& arguments)
{
    if (arguments.Positional.size() != 2)
        return Usage(kSynopsis);
    const std::string& path = arguments.Positional[1];
    Result<std::string> bytes = TGLabelObjectFiler::ReadWholeFile(path);
    if (!bytes)
        return Fail(bytes.Message());
    ElementClassRegistry registry;
    registry.RegisterAll();
    Result<QJsonArray> lists = ListsJson(*bytes, registry);
    if (!lists)
        return Fail("Layout file " + path + ": " + lists.Message());
    QJsonObject out;
    out["file"] = QString::fromStdString(path);
    out["lists"] = *lists;
    std::cout << QJsonDocument(out).toJson(QJsonDocument::Indented).toStdString();
    return 0;
}

// "8.5x11" in inches.
std::optional<QSizeF> ParsePage(const std::string& text)
{
    const QStringList parts = QString::fromStdString(text).toLower().split(QLatin1Char('x'));
    if (parts.size() != 2)
        return std::nullopt;
    bool okWidth = false, okHeight = false;
    const double width = parts[0].toDouble(&okWidth), height = parts[1].toDouble(&okHeight);
    if (!okWidth || !okHeight || width <= 0 || height <= 0 || width > 200 || height > 200)
        return std::nullopt;
    return QSizeF(width, height);
}

int RunPdf(const CliArguments& arguments)
{
    if (arguments.Positional.size() != 2 || !arguments.Has("--out"))
        return Usage(kSynopsis);
    const std::string& layoutPath = arguments.Positional[1];
    const std::string outPath = *arguments.Get("--out");
    QSizeF page(8.5, 11.0);
    if (auto text = arguments.Get("--page")) {
        std::optional<QSizeF> parsed = ParsePage(*text);
        if (!parsed)
            return Fail("--page takes WIDTHxHEIGHT in inches, for example 8.5x11: " + *text);
        page = *parsed;
    }
    AddressRecordSource source;
    const bool fromRecord = arguments.Has("--address-file");
    if (fromRecord) {
        if (!arguments.Has("--recno"))
            return Fail("--address-file needs --recno N");
        bool ok = false;
        const uint32_t recno = QString::fromStdString(*arguments.Get("--recno")).toUInt(&ok);
        if (!ok || recno == 0)
            return Fail("--recno takes a record number from 1: " + *arguments.Get("--recno"));
        xbase::Table table;
        if (Status opened =
                OpenTable(table, *arguments.Get("--address-file"), xbase::OpenMode::SharedReadOnly);
            !opened)
            return Fail(opened.Message());
        if (recno > table.RecordCount())
            return Fail("Record " + std::to_string(recno) + " does not exist; the file holds " +
                        std::to_string(table.RecordCount()));
        if (Status moved = table.GoTo(recno); !moved)
            return Fail(moved.Message());
        AddressRecord record;
        if (Status read = record.ReadFrom(table); !read)
            return Fail(read.Message());
        source.SetRecord(record);
        if (Status widths = source.MutableCatalogue().TakeFileWidths(table); !widths)
            return Fail(widths.Message());
        source.MutableCatalogue().SetExtraFields(true);
    }

    const std::unique_ptr<QGuiApplication> application = EnsureGuiApplication();
    ComponentOwner owner;
    ElementClassRegistry registry;
    registry.RegisterAll();
    TGDataPanel panel(owner);
    panel.SetRegistry(registry);
    Result<std::string> bytes = TGLabelObjectFiler::ReadWholeFile(layoutPath);
    if (!bytes)
        return Fail(bytes.Message());
    // The first list is the layout of a label or an envelope, or a report's first band.
    LayoutStreamReader reader(*bytes);
    Result<ElementList> list = reader.ReadList();
    if (!list)
        return Fail("Layout file " + layoutPath + ": " + list.Message());
    const size_t firstListSize = reader.Position();
    Result<std::vector<ElementPtr>> elements =
        TGLabelObjectFiler(registry).DecodeList(std::string_view(*bytes).substr(0, firstListSize));
    if (!elements)
        return Fail("Layout file " + layoutPath + ": " + elements.Message());
    for (ElementPtr& element : elements.Take())
        panel.InsertElement(std::move(element)).BuildMenu();

    panel.SetRecordSource(&source);
    panel.SetPrinting(fromRecord);
    panel.SetDisplayDataValues(fromRecord); // refreshes: values, or each field's placeholder

    QPdfWriter writer(QString::fromStdString(outPath));
    writer.setTitle(QStringLiteral("Corvane"));
    writer.setResolution(600);
    writer.setPageSize(QPageSize(page, QPageSize::Inch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer))
        return Fail("Cannot write " + outPath);
    QPainterSurface surface(painter, 1);
    panel.PrintElements(surface, 0.0, 0.0);
    painter.end();
    return 0;
}

} // namespace

int RunLayout(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {"--out", "--address-file", "--recno", "--page"}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.empty())
        return Usage(kSynopsis);
    if (parsed->Positional[0] == "dump")
        return RunDump(*parsed);
    if (parsed->Positional[0] == "pdf")
        return RunPdf(*parsed);
    return Usage(kSynopsis);
}

} // namespace corvane::cli

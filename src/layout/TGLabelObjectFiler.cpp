#include "layout/TGLabelObjectFiler.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "layout/ComponentOwner.h"
#include "layout/ElementClassRegistry.h"
#include "layout/TGBasePanel.h"
#include "layout/TGGraphicControl.h"
#include "platform/xbase/CodePage.h"
#include "platform/xbase/FileIo.h"

namespace corvane {

namespace {

// No layout comes near this; a larger file is not a layout.
constexpr size_t kMaxLayoutFileSize = 256u * 1024u * 1024u;

const xbase::CodePage& Cp1252()
{
    static const xbase::CodePage codePage = xbase::CodePage::Windows1252();
    return codePage;
}

Result<std::string> ToStream(const std::string& utf8, const std::string& what)
{
    return Cp1252().FromUtf8(utf8, what);
}

std::string FromStream(const std::string& bytes)
{
    return Cp1252().ToUtf8(bytes);
}

// ---- pictures ----

bool IsEnhancedMetafile(std::string_view data)
{
    if (data.size() < 89)
        return false;
    const auto type = static_cast<uint32_t>(static_cast<uint8_t>(data[0])) |
                      static_cast<uint32_t>(static_cast<uint8_t>(data[1])) << 8 |
                      static_cast<uint32_t>(static_cast<uint8_t>(data[2])) << 16 |
                      static_cast<uint32_t>(static_cast<uint8_t>(data[3])) << 24;
    return type == 1 && data.substr(40, 4) == " EMF";
}

bool IsPlaceableMetafile(std::string_view data)
{
    return data.size() >= 22 && data.substr(0, 4) == std::string_view("\xD7\xCD\xC6\x9A", 4);
}

std::string EncodePicture(const TGPicture& picture)
{
    LayoutStreamWriter writer;
    const bool bitmap = picture.IsBitmap();
    (void)writer.WriteShortString(bitmap ? "TBitmap" : "TMetafile");
    // A metafile's size counts its own four bytes.
    writer.WriteInt32Raw(static_cast<int32_t>(picture.Bytes.size() + (bitmap ? 0 : 4)));
    std::string bytes = writer.Take();
    bytes += picture.Bytes;
    return bytes;
}

Result<TGPicture> DecodePicture(std::string_view blob)
{
    LayoutStreamReader reader(blob);
    Result<std::string> className = reader.ReadShortString("the picture's graphic class");
    if (!className)
        return className.ToStatus();
    TGPicture picture;
    if (className->empty()) {
        if (!reader.AtEnd())
            return Status::Error("Picture.Data without a graphic class holds data");
        return picture;
    }
    const bool bitmap = *className == "TBitmap";
    if (!bitmap && *className != "TMetafile")
        return Status::Error("Picture.Data holds an unsupported graphic \"" + FromStream(*className) + "\"");
    Result<int32_t> size = reader.ReadInt32Raw();
    if (!size)
        return size.ToStatus();
    const int64_t length = bitmap ? *size : static_cast<int64_t>(*size) - 4;
    if (length < 0)
        return Status::Error("Picture.Data has the invalid graphic size " + std::to_string(*size));
    if (static_cast<uint64_t>(length) != reader.Remaining())
        return Status::Error("Picture.Data has a graphic size of " + std::to_string(length) + " bytes, but " +
                             std::to_string(reader.Remaining()) + " follow");
    const std::string_view data = blob.substr(reader.Position());
    if (bitmap) {
        if (!data.empty() && (data.size() < 14 || data.substr(0, 2) != "BM"))
            return Status::Error("Picture.Data holds a bitmap without its \"BM\" file header");
        picture.GraphicKind = TGPicture::Kind::Bitmap;
    } else {
        if (!data.empty() && !IsEnhancedMetafile(data) && !IsPlaceableMetafile(data))
            return Status::Error("Picture.Data holds a metafile that is neither enhanced nor placeable");
        picture.GraphicKind = TGPicture::Kind::Metafile;
    }
    picture.Bytes.assign(data);
    return picture;
}

// ---- values ----

Result<StreamValue> Encode(const PropertyDescriptor& d, const PropertyValue& value, const std::string& where)
{
    switch (d.Type) {
    case PropertyType::Integer:
        return StreamValue::OfInteger(std::get<int32_t>(value));
    case PropertyType::Cursor: {
        const int32_t cursor = std::get<int32_t>(value);
        if (auto name = CursorName(cursor))
            return StreamValue::OfIdent(std::string(*name));
        return StreamValue::OfInteger(cursor);
    }
    case PropertyType::Color: {
        const int32_t color = std::get<int32_t>(value);
        if (auto name = ColorName(color))
            return StreamValue::OfIdent(std::string(*name));
        return StreamValue::OfInteger(color);
    }
    case PropertyType::Boolean:
        return StreamValue::OfBoolean(std::get<bool>(value));
    case PropertyType::Enumeration: {
        const int32_t ordinal = std::get<int32_t>(value);
        if (ordinal < 0 || static_cast<size_t>(ordinal) >= d.ValueNames.size())
            return Status::Error(where + " has no value " + std::to_string(ordinal));
        return StreamValue::OfIdent(std::string(d.ValueNames[static_cast<size_t>(ordinal)]));
    }
    case PropertyType::Set: {
        const auto bits = static_cast<uint32_t>(std::get<int32_t>(value));
        std::vector<std::string> members;
        for (size_t i = 0; i < d.ValueNames.size(); ++i)
            if (bits & (1u << i))
                members.emplace_back(d.ValueNames[i]);
        if (d.ValueNames.size() < 32 && (bits >> d.ValueNames.size()) != 0)
            return Status::Error(where + " holds members that have no name");
        return StreamValue::OfSet(std::move(members));
    }
    case PropertyType::String: {
        Result<std::string> bytes = ToStream(std::get<std::string>(value), where);
        if (!bytes)
            return bytes.ToStatus();
        return StreamValue::OfString(bytes.Take());
    }
    case PropertyType::StringList: {
        std::vector<StreamValue> items;
        for (const std::string& line : std::get<std::vector<std::string>>(value)) {
            Result<std::string> bytes = ToStream(line, where);
            if (!bytes)
                return bytes.ToStatus();
            items.push_back(StreamValue::OfString(bytes.Take()));
        }
        return StreamValue::OfList(std::move(items));
    }
    case PropertyType::Picture:
        return StreamValue::OfBinary(EncodePicture(std::get<TGPicture>(value)));
    }
    return Status::Error(where + " has an unknown type");
}

std::string TagName(ValueTag tag)
{
    static const char* const names[] = {"end",      "list",   "int8",        "int16", "int32",
                                        "extended", "string", "identifier",  "false", "true",
                                        "binary",   "set",    "long string", "nil",   "collection"};
    const auto index = static_cast<size_t>(tag);
    return index < std::size(names) ? names[index] : "unknown";
}

Result<PropertyValue> Decode(const PropertyDescriptor& d, const StreamValue& value, const std::string& where)
{
    const auto wrongKind = [&]() {
        return Status::Error(where + " cannot take a value of kind " + TagName(value.Tag));
    };
    const auto findName = [&](std::string_view name) -> int32_t {
        for (size_t i = 0; i < d.ValueNames.size(); ++i)
            if (SameIdentifier(d.ValueNames[i], name))
                return static_cast<int32_t>(i);
        return -1;
    };
    switch (d.Type) {
    case PropertyType::Integer:
        if (!value.IsInteger())
            return wrongKind();
        return PropertyValue(value.Integer);
    case PropertyType::Cursor:
    case PropertyType::Color: {
        const bool cursor = d.Type == PropertyType::Cursor;
        int32_t number = 0;
        if (value.IsInteger()) {
            number = value.Integer;
        } else if (value.Tag == ValueTag::Ident) {
            const std::optional<int32_t> named =
                cursor ? CursorFromName(value.Text) : ColorFromName(value.Text);
            if (!named)
                return Status::Error(where + " has no value named \"" + FromStream(value.Text) + "\"");
            number = *named;
        } else {
            return wrongKind();
        }
        if (cursor && (number < -32768 || number > 32767))
            return Status::Error(where + ": " + std::to_string(number) + " is no cursor number");
        return PropertyValue(number);
    }
    case PropertyType::Boolean:
        if (value.Tag != ValueTag::True && value.Tag != ValueTag::False)
            return wrongKind();
        return PropertyValue(value.Tag == ValueTag::True);
    case PropertyType::Enumeration: {
        if (value.Tag != ValueTag::Ident)
            return wrongKind();
        const int32_t ordinal = findName(value.Text);
        if (ordinal < 0)
            return Status::Error(where + " has no value named \"" + FromStream(value.Text) + "\"");
        return PropertyValue(ordinal);
    }
    case PropertyType::Set: {
        if (value.Tag != ValueTag::Set)
            return wrongKind();
        uint32_t bits = 0;
        for (const std::string& member : value.Members) {
            const int32_t ordinal = findName(member);
            if (ordinal < 0)
                return Status::Error(where + " has no member named \"" + FromStream(member) + "\"");
            bits |= 1u << ordinal;
        }
        return PropertyValue(static_cast<int32_t>(bits));
    }
    case PropertyType::String:
        if (!value.IsString())
            return wrongKind();
        return PropertyValue(FromStream(value.Text));
    case PropertyType::StringList: {
        if (value.Tag != ValueTag::List)
            return wrongKind();
        std::vector<std::string> lines;
        for (const StreamValue& item : value.Items) {
            if (!item.IsString())
                return Status::Error(where + " holds a value of kind " + TagName(item.Tag));
            lines.push_back(FromStream(item.Text));
        }
        return PropertyValue(std::move(lines));
    }
    case PropertyType::Picture: {
        if (value.Tag != ValueTag::Binary)
            return wrongKind();
        Result<TGPicture> picture = DecodePicture(value.Text);
        if (!picture)
            return Status::Error(where + ": " + picture.Message());
        return PropertyValue(picture.Take());
    }
    }
    return wrongKind();
}

// Event handlers are stored as method names; layout elements have none, so they are skipped.
bool IsEventEntry(const PropertyEntry& entry)
{
    return entry.Value.Tag == ValueTag::Ident && entry.Name.size() > 2 && entry.Name[0] == 'O' &&
           entry.Name[1] == 'n' && entry.Name.find('.') == std::string::npos;
}

Status InFile(const Status& status, const std::string& fileName)
{
    if (status)
        return status;
    return Status::Error("Layout file " + fileName + ": " + status.Message());
}

std::vector<const TGGraphicControl*> ElementsOfPanel(const TGBasePanel& panel)
{
    std::vector<const TGGraphicControl*> elements;
    for (size_t i = 0; i < panel.ElementCount(); ++i)
        elements.push_back(&panel.ElementAt(i));
    return elements;
}

Status WriteList(LayoutStreamWriter& writer, const std::vector<const TGGraphicControl*>& elements)
{
    writer.BeginList();
    for (const TGGraphicControl* element : elements) {
        Result<ElementRecord> record = TGLabelObjectFiler::RecordOf(*element);
        if (!record)
            return record.ToStatus();
        if (Status s = writer.WriteRecord(*record); !s)
            return s;
    }
    writer.EndList();
    return Status::Success();
}

bool FileExists(const std::string& fileName)
{
    struct stat info {};
    return ::stat(fileName.c_str(), &info) == 0;
}

} // namespace

TGLabelObjectFiler::TGLabelObjectFiler(const ElementClassRegistry& registry) : FRegistry(registry) {}

Result<ElementRecord> TGLabelObjectFiler::RecordOf(const TGGraphicControl& element)
{
    ElementRecord record;
    record.ClassName = std::string(element.ClassName());
    Result<std::string> name = ToStream(element.Name(), "The name of " + record.ClassName);
    if (!name)
        return name.ToStatus();
    record.Name = name.Take();
    for (const PropertyDescriptor& d : element.PublishedProperties().Properties()) {
        if (!d.IsStored(element))
            continue;
        Result<StreamValue> value = Encode(d, d.Get(element), element.Name() + "." + d.Name);
        if (!value)
            return value.ToStatus();
        record.Properties.push_back({d.Name, value.Take()});
    }
    return record;
}

Result<std::vector<ElementPtr>> TGLabelObjectFiler::ElementsOf(const ElementList& list) const
{
    std::vector<ElementPtr> elements;
    for (const ElementRecord& record : list) {
        ElementPtr element = FRegistry.Create(record.ClassName);
        if (!element)
            return Status::Error("Class " + FromStream(record.ClassName) + " not found (element " +
                                 FromStream(record.Name) + ")");
        element->SetLoading(true);
        (void)element->SetName(FromStream(record.Name));
        const PropertyTable& table = element->PublishedProperties();
        // A string the writer left out was empty, whatever a new element of the kind starts with
        // (a text element's "Text"), so a cleared caption stays cleared.
        for (const PropertyDescriptor& d : table.Properties())
            if (d.Type == PropertyType::String)
                d.Set(*element, PropertyValue(std::string()));
        for (const PropertyEntry& entry : record.Properties) {
            const std::string where =
                record.ClassName + " " + FromStream(record.Name) + "." + FromStream(entry.Name);
            const PropertyDescriptor* d = table.Find(entry.Name);
            if (!d) {
                if (IsEventEntry(entry))
                    continue;
                return Status::Error("Error reading " + where + ": property does not exist");
            }
            Result<PropertyValue> value = Decode(*d, entry.Value, "Error reading " + where);
            if (!value)
                return value.ToStatus();
            d->Set(*element, *value);
        }
        element->SetLoading(false);
        elements.push_back(std::move(element));
    }
    return elements;
}

Result<std::string> TGLabelObjectFiler::EncodeList(const std::vector<const TGGraphicControl*>& elements)
{
    LayoutStreamWriter writer;
    if (Status s = WriteList(writer, elements); !s)
        return s;
    return writer.Take();
}

Result<std::vector<ElementPtr>> TGLabelObjectFiler::DecodeList(std::string_view bytes) const
{
    LayoutStreamReader reader(bytes);
    Result<ElementList> list = reader.ReadList();
    if (!list)
        return list.ToStatus();
    if (!reader.AtEnd())
        return Status::Error("Layout stream: " + std::to_string(reader.Remaining()) +
                             " bytes follow the element list");
    return ElementsOf(*list);
}

void TGLabelObjectFiler::Adopt(TGBasePanel& panel, std::vector<ElementPtr> elements, bool paste)
{
    std::vector<TGGraphicControl*> adopted;
    for (ElementPtr& element : elements) {
        element->SetLoading(true);
        const std::string fresh = panel.Owner().FreeComponentName();
        if (!fresh.empty())
            (void)element->SetName(fresh);
        if (paste) {
            element->SetDesignTop(element->DesignTop() + 15);
            element->SetDesignLeft(element->DesignLeft() + 15);
        }
        TGGraphicControl& e = panel.InsertElement(std::move(element));
        e.AdoptZoom(panel.Zoom());
        adopted.push_back(&e);
    }
    for (TGGraphicControl* e : adopted) {
        e->SetLoading(false);
        e->BuildMenu();
    }
}

Status TGLabelObjectFiler::SavePanel(const TGBasePanel& panel, const std::string& fileName) const
{
    Result<std::string> bytes = EncodeList(ElementsOfPanel(panel));
    if (!bytes)
        return InFile(bytes.ToStatus(), fileName);
    return WriteFileAtomically(fileName, *bytes);
}

Status TGLabelObjectFiler::ReadListFile(TGBasePanel& panel, const std::string& fileName, bool paste) const
{
    if (!FileExists(fileName))
        return Status::Success();
    Result<std::string> bytes = ReadWholeFile(fileName);
    if (!bytes)
        return bytes.ToStatus();
    Result<std::vector<ElementPtr>> elements = DecodeList(*bytes);
    if (!elements)
        return InFile(elements.ToStatus(), fileName);
    Adopt(panel, elements.Take(), paste);
    return Status::Success();
}

Status TGLabelObjectFiler::LoadPanel(TGBasePanel& panel, const std::string& fileName) const
{
    return ReadListFile(panel, fileName, false);
}

Status TGLabelObjectFiler::PasteFile(TGBasePanel& panel, const std::string& fileName) const
{
    return ReadListFile(panel, fileName, true);
}

Status TGLabelObjectFiler::SaveBands(const TGBasePanel& panelA, const TGBasePanel& panelB,
                                     const TGBasePanel& panelC, const std::string& fileName,
                                     const std::function<Status(LayoutStreamWriter&)>& writeExtra) const
{
    LayoutStreamWriter writer;
    for (const TGBasePanel* panel : {&panelA, &panelB, &panelC})
        if (Status s = WriteList(writer, ElementsOfPanel(*panel)); !s)
            return InFile(s, fileName);
    writer.BeginList();
    if (writeExtra)
        if (Status s = writeExtra(writer); !s)
            return InFile(s, fileName);
    writer.EndList();
    return WriteFileAtomically(fileName, writer.Bytes());
}

Status TGLabelObjectFiler::LoadBands(TGBasePanel& panelA, TGBasePanel& panelB, TGBasePanel& panelC,
                                     const std::string& fileName,
                                     const std::function<Status(LayoutStreamReader&)>& readExtra) const
{
    if (!FileExists(fileName))
        return Status::Success();
    Result<std::string> bytes = ReadWholeFile(fileName);
    if (!bytes)
        return bytes.ToStatus();
    LayoutStreamReader reader(*bytes);
    std::vector<std::vector<ElementPtr>> bands;
    for (int i = 0; i < 3; ++i) {
        Result<ElementList> list = reader.ReadList();
        if (!list)
            return InFile(list.ToStatus(), fileName);
        Result<std::vector<ElementPtr>> elements = ElementsOf(*list);
        if (!elements)
            return InFile(elements.ToStatus(), fileName);
        bands.push_back(elements.Take());
    }
    if (Status s = reader.ReadListBegin(); !s)
        return InFile(s, fileName);
    if (readExtra)
        if (Status s = readExtra(reader); !s)
            return InFile(s, fileName);
    if (Status s = reader.ReadListEnd(); !s)
        return InFile(s, fileName);
    if (!reader.AtEnd())
        return InFile(Status::Error(std::to_string(reader.Remaining()) + " bytes follow the fourth list"),
                      fileName);
    Adopt(panelA, std::move(bands[0]), false);
    Adopt(panelB, std::move(bands[1]), false);
    Adopt(panelC, std::move(bands[2]), false);
    return Status::Success();
}

Status TGLabelObjectFiler::SaveSelection(const std::vector<const TGGraphicControl*>& selection,
                                         const std::string& fileName) const
{
    if (selection.empty())
        return Status::Success();
    Result<std::string> bytes = EncodeList(selection);
    if (!bytes)
        return InFile(bytes.ToStatus(), fileName);
    return WriteFileAtomically(fileName, *bytes);
}

Status TGLabelObjectFiler::SaveElement(const TGGraphicControl& element, const std::string& fileName) const
{
    return SaveSelection({&element}, fileName);
}

Result<TGGraphicControl*> TGLabelObjectFiler::CloneElement(const TGGraphicControl& element,
                                                           TGBasePanel& panel) const
{
    Result<std::string> bytes = EncodeList({&element});
    if (!bytes)
        return bytes.ToStatus();
    Result<std::vector<ElementPtr>> elements = DecodeList(*bytes);
    if (!elements)
        return elements.ToStatus();
    Adopt(panel, elements.Take(), false);
    return &panel.ElementAt(panel.ElementCount() - 1);
}

Status TGLabelObjectFiler::WriteFileAtomically(const std::string& fileName, std::string_view bytes)
{
    std::string temporary = fileName + ".XXXXXX";
    int fd;
    do {
        fd = ::mkstemp(temporary.data());
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return Status::Error(xbase::SystemError("Cannot create a temporary file beside", fileName));
    Status status = xbase::WriteFully(fd, bytes.data(), bytes.size(), 0, temporary);
    if (status && ::fsync(fd) != 0)
        status = Status::Error(xbase::SystemError("Cannot write", temporary));
    if (status)
        ::fchmod(fd, 0644);
    ::close(fd);
    if (status && ::rename(temporary.c_str(), fileName.c_str()) != 0)
        status = Status::Error(xbase::SystemError("Cannot replace", fileName));
    if (!status) {
        ::unlink(temporary.c_str());
        return status;
    }
    return xbase::SyncDirectoryOf(fileName);
}

Result<std::string> TGLabelObjectFiler::ReadWholeFile(const std::string& fileName)
{
    int fd;
    do {
        fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return Status::Error(xbase::SystemError("Cannot open layout file", fileName));
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return Status::Error("Cannot read layout file " + fileName + ": not a regular file");
    }
    if (static_cast<uint64_t>(info.st_size) > kMaxLayoutFileSize) {
        ::close(fd);
        return Status::Error("Layout file " + fileName + " is too large to be a layout");
    }
    std::string bytes(static_cast<size_t>(info.st_size), '\0');
    const bool read = xbase::ReadFully(fd, bytes.data(), bytes.size(), 0);
    ::close(fd);
    if (!read)
        return Status::Error(xbase::SystemError("Cannot read layout file", fileName));
    return bytes;
}

} // namespace corvane

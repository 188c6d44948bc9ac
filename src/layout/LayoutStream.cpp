#include "layout/LayoutStream.h"

#include <cstring>
#include <limits>

namespace corvane {

namespace {

constexpr char kSignature[4] = {'T', 'P', 'F', '0'};
// Lists nest only inside property values ("Items.Strings"); a stream nesting deeper is damaged.
constexpr int kMaxDepth = 8;

uint8_t TagByte(ValueTag tag)
{
    return static_cast<uint8_t>(tag);
}

} // namespace

StreamValue StreamValue::OfInteger(int32_t value)
{
    StreamValue v;
    v.Integer = value;
    if (value >= -128 && value <= 127)
        v.Tag = ValueTag::Int8;
    else if (value >= -32768 && value <= 32767)
        v.Tag = ValueTag::Int16;
    else
        v.Tag = ValueTag::Int32;
    return v;
}

StreamValue StreamValue::OfString(std::string bytes)
{
    StreamValue v;
    v.Tag = bytes.size() < 256 ? ValueTag::String : ValueTag::LongString;
    v.Text = std::move(bytes);
    return v;
}

StreamValue StreamValue::OfIdent(std::string name)
{
    StreamValue v;
    v.Tag = ValueTag::Ident;
    v.Text = std::move(name);
    return v;
}

StreamValue StreamValue::OfBoolean(bool value)
{
    StreamValue v;
    v.Tag = value ? ValueTag::True : ValueTag::False;
    return v;
}

StreamValue StreamValue::OfSet(std::vector<std::string> members)
{
    StreamValue v;
    v.Tag = ValueTag::Set;
    v.Members = std::move(members);
    return v;
}

StreamValue StreamValue::OfBinary(std::string bytes)
{
    StreamValue v;
    v.Tag = ValueTag::Binary;
    v.Text = std::move(bytes);
    return v;
}

StreamValue StreamValue::OfList(std::vector<StreamValue> items)
{
    StreamValue v;
    v.Tag = ValueTag::List;
    v.Items = std::move(items);
    return v;
}

// ---- writing ----

void LayoutStreamWriter::WriteInt32Raw(int32_t value)
{
    const auto u = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        WriteByte(static_cast<uint8_t>(u >> shift));
}

Status LayoutStreamWriter::WriteShortString(std::string_view text)
{
    if (text.size() > 255)
        return Status::Error("Layout stream: the name \"" + std::string(text.substr(0, 40)) +
                             "...\" is longer than 255 characters");
    WriteByte(static_cast<uint8_t>(text.size()));
    FBytes.append(text);
    return Status::Success();
}

Status LayoutStreamWriter::WriteValue(const StreamValue& value)
{
    WriteByte(TagByte(value.Tag));
    switch (value.Tag) {
    case ValueTag::End:
    case ValueTag::False:
    case ValueTag::True:
    case ValueTag::Nil:
        return Status::Success();
    case ValueTag::List:
        for (const StreamValue& item : value.Items)
            if (Status s = WriteValue(item); !s)
                return s;
        EndList();
        return Status::Success();
    case ValueTag::Int8:
        if (value.Integer < -128 || value.Integer > 127)
            return Status::Error("Layout stream: " + std::to_string(value.Integer) + " is no int8");
        WriteByte(static_cast<uint8_t>(static_cast<int8_t>(value.Integer)));
        return Status::Success();
    case ValueTag::Int16: {
        if (value.Integer < -32768 || value.Integer > 32767)
            return Status::Error("Layout stream: " + std::to_string(value.Integer) + " is no int16");
        const auto u = static_cast<uint16_t>(static_cast<int16_t>(value.Integer));
        WriteByte(static_cast<uint8_t>(u));
        WriteByte(static_cast<uint8_t>(u >> 8));
        return Status::Success();
    }
    case ValueTag::Int32:
        WriteInt32Raw(value.Integer);
        return Status::Success();
    case ValueTag::Extended:
        for (const uint8_t b : value.Extended)
            WriteByte(b);
        return Status::Success();
    case ValueTag::String:
    case ValueTag::Ident:
        return WriteShortString(value.Text);
    case ValueTag::Binary:
    case ValueTag::LongString:
        if (value.Text.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
            return Status::Error("Layout stream: a value is too long to store");
        WriteInt32Raw(static_cast<int32_t>(value.Text.size()));
        FBytes.append(value.Text);
        return Status::Success();
    case ValueTag::Set:
        for (const std::string& member : value.Members) {
            if (member.empty())
                return Status::Error("Layout stream: a set member has no name");
            if (Status s = WriteShortString(member); !s)
                return s;
        }
        WriteByte(0);
        return Status::Success();
    case ValueTag::Collection:
        break;
    }
    return Status::Error("Layout stream: collections are not written");
}

Status LayoutStreamWriter::WriteRecord(const ElementRecord& record)
{
    FBytes.append(kSignature, sizeof kSignature);
    if (Status s = WriteShortString(record.ClassName); !s)
        return s;
    if (Status s = WriteShortString(record.Name); !s)
        return s;
    for (const PropertyEntry& entry : record.Properties) {
        if (Status s = WriteShortString(entry.Name); !s)
            return s;
        if (Status s = WriteValue(entry.Value); !s)
            return s;
    }
    WriteByte(0); // end of properties
    WriteByte(0); // end of children
    return Status::Success();
}

Status LayoutStreamWriter::WriteList(const ElementList& list)
{
    BeginList();
    for (const ElementRecord& record : list)
        if (Status s = WriteRecord(record); !s)
            return s;
    EndList();
    return Status::Success();
}

// ---- reading ----

Status LayoutStreamReader::Error(const std::string& message) const
{
    return Status::Error("Layout stream damaged at byte " + std::to_string(FPosition) + ": " + message);
}

Status LayoutStreamReader::Need(size_t count, std::string_view what) const
{
    if (count <= Remaining())
        return Status::Success();
    return Error(std::string(what) + " needs " + std::to_string(count) + " bytes, " +
                 std::to_string(Remaining()) + " remain");
}

Result<uint8_t> LayoutStreamReader::PeekByte() const
{
    if (Status s = Need(1, "a byte"); !s)
        return s;
    return static_cast<uint8_t>(FBytes[FPosition]);
}

Result<uint8_t> LayoutStreamReader::ReadByte()
{
    Result<uint8_t> byte = PeekByte();
    if (byte)
        ++FPosition;
    return byte;
}

Result<int32_t> LayoutStreamReader::ReadInt32Raw()
{
    if (Status s = Need(4, "an int32"); !s)
        return s;
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i)
        u |= static_cast<uint32_t>(static_cast<uint8_t>(FBytes[FPosition + i])) << (8 * i);
    FPosition += 4;
    return static_cast<int32_t>(u);
}

Result<std::string> LayoutStreamReader::ReadShortString(std::string_view what)
{
    Result<uint8_t> length = ReadByte();
    if (!length)
        return Error(std::string(what) + " is missing");
    if (Status s = Need(*length, what); !s)
        return s;
    std::string text(FBytes.substr(FPosition, *length));
    FPosition += *length;
    return text;
}

Result<StreamValue> LayoutStreamReader::ReadValue()
{
    return ReadValue(0);
}

Result<StreamValue> LayoutStreamReader::ReadValue(int depth)
{
    const size_t start = FPosition;
    Result<uint8_t> tagByte = ReadByte();
    if (!tagByte)
        return Error("a value is missing");
    if (*tagByte > TagByte(ValueTag::Collection)) {
        FPosition = start;
        return Error("unknown value tag " + std::to_string(*tagByte));
    }
    StreamValue value;
    value.Tag = static_cast<ValueTag>(*tagByte);
    switch (value.Tag) {
    case ValueTag::End:
    case ValueTag::False:
    case ValueTag::True:
    case ValueTag::Nil:
        return value;
    case ValueTag::List: {
        if (depth >= kMaxDepth)
            return Error("lists nest too deeply");
        for (;;) {
            Result<uint8_t> next = PeekByte();
            if (!next)
                return Error("a list is not closed");
            if (*next == 0) {
                ++FPosition;
                return value;
            }
            Result<StreamValue> item = ReadValue(depth + 1);
            if (!item)
                return item.ToStatus();
            value.Items.push_back(item.Take());
        }
    }
    case ValueTag::Int8: {
        Result<uint8_t> b = ReadByte();
        if (!b)
            return Error("an int8 is cut off");
        value.Integer = static_cast<int8_t>(*b);
        return value;
    }
    case ValueTag::Int16: {
        if (Status s = Need(2, "an int16"); !s)
            return s;
        const auto u = static_cast<uint16_t>(static_cast<uint8_t>(FBytes[FPosition]) |
                                             (static_cast<uint8_t>(FBytes[FPosition + 1]) << 8));
        FPosition += 2;
        value.Integer = static_cast<int16_t>(u);
        return value;
    }
    case ValueTag::Int32: {
        Result<int32_t> i = ReadInt32Raw();
        if (!i)
            return i.ToStatus();
        value.Integer = *i;
        return value;
    }
    case ValueTag::Extended:
        if (Status s = Need(10, "an extended value"); !s)
            return s;
        std::memcpy(value.Extended.data(), FBytes.data() + FPosition, 10);
        FPosition += 10;
        return value;
    case ValueTag::String:
    case ValueTag::Ident: {
        Result<std::string> text =
            ReadShortString(value.Tag == ValueTag::String ? "a string" : "an identifier");
        if (!text)
            return text.ToStatus();
        value.Text = text.Take();
        return value;
    }
    case ValueTag::Binary:
    case ValueTag::LongString: {
        const char* what = value.Tag == ValueTag::Binary ? "binary data" : "a long string";
        Result<int32_t> length = ReadInt32Raw();
        if (!length)
            return length.ToStatus();
        if (*length < 0)
            return Error(std::string(what) + " has the negative length " + std::to_string(*length));
        if (Status s = Need(static_cast<size_t>(*length), what); !s)
            return s;
        value.Text.assign(FBytes.substr(FPosition, static_cast<size_t>(*length)));
        FPosition += static_cast<size_t>(*length);
        return value;
    }
    case ValueTag::Set:
        for (;;) {
            Result<std::string> member = ReadShortString("a set member");
            if (!member)
                return member.ToStatus();
            if (member->empty())
                return value;
            value.Members.push_back(member.Take());
        }
    case ValueTag::Collection:
        break;
    }
    FPosition = start;
    return Error("collections do not occur in layouts");
}

Result<ElementRecord> LayoutStreamReader::ReadRecord()
{
    if (Status s = Need(4, "an element record"); !s)
        return s;
    if (std::memcmp(FBytes.data() + FPosition, kSignature, 4) != 0)
        return Error("an element record lacks \"TPF0\"");
    FPosition += 4;
    ElementRecord record;
    Result<std::string> className = ReadShortString("a class name");
    if (!className)
        return className.ToStatus();
    record.ClassName = className.Take();
    Result<std::string> name = ReadShortString("an element name");
    if (!name)
        return name.ToStatus();
    record.Name = name.Take();
    for (;;) {
        Result<uint8_t> next = PeekByte();
        if (!next)
            return Error("the properties of " + record.ClassName + " are not closed");
        if (*next == 0) {
            ++FPosition;
            break;
        }
        PropertyEntry entry;
        Result<std::string> propertyName = ReadShortString("a property name");
        if (!propertyName)
            return propertyName.ToStatus();
        entry.Name = propertyName.Take();
        Result<StreamValue> value = ReadValue();
        if (!value)
            return value.ToStatus();
        if (value->Tag == ValueTag::End)
            return Error("property " + entry.Name + " has no value");
        entry.Value = value.Take();
        record.Properties.push_back(std::move(entry));
    }
    Result<uint8_t> children = ReadByte();
    if (!children)
        return Error("the element " + record.Name + " is cut off");
    if (*children != 0)
        return Error("the element " + record.Name + " has children; elements have none");
    return record;
}

Status LayoutStreamReader::ReadListBegin()
{
    Result<uint8_t> tag = ReadByte();
    if (!tag)
        return Error("an element list is missing");
    if (*tag != TagByte(ValueTag::List)) {
        --FPosition;
        return Error("an element list does not start with tag 1");
    }
    return Status::Success();
}

Status LayoutStreamReader::ReadListEnd()
{
    Result<uint8_t> tag = ReadByte();
    if (!tag)
        return Error("a list is not closed");
    if (*tag != 0) {
        --FPosition;
        return Error("a list is not closed by tag 0");
    }
    return Status::Success();
}

Result<bool> LayoutStreamReader::ReadEndIf()
{
    Result<uint8_t> next = PeekByte();
    if (!next)
        return Error("a list is not closed");
    if (*next != 0)
        return false;
    ++FPosition;
    return true;
}

Result<ElementList> LayoutStreamReader::ReadList()
{
    if (Status s = ReadListBegin(); !s)
        return s;
    ElementList list;
    for (;;) {
        Result<bool> end = ReadEndIf();
        if (!end)
            return end.ToStatus();
        if (*end)
            return list;
        Result<ElementRecord> record = ReadRecord();
        if (!record)
            return record.ToStatus();
        list.push_back(record.Take());
    }
}

} // namespace corvane

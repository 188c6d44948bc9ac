#pragma once
// The layout stream's byte encoding: tagged values, element records ("TPF0", class name, element
// name, property entries) and element lists. This layer knows bytes only; TGLabelObjectFiler maps
// records to elements. The reader checks every length against the bytes that remain, so a damaged
// stream gives an error result, never a read past its end.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Result.h"

namespace corvane {

enum class ValueTag : uint8_t {
    End = 0,
    List = 1,
    Int8 = 2,
    Int16 = 3,
    Int32 = 4,
    Extended = 5,
    String = 6,
    Ident = 7,
    False = 8,
    True = 9,
    Binary = 10,
    Set = 11,
    LongString = 12,
    Nil = 13,
    Collection = 14
};

// One value as stored. Text holds the bytes of strings, identifiers and binary data as they are
// in the stream (Windows-1252 for strings).
struct StreamValue {
    ValueTag Tag = ValueTag::Nil;
    int32_t Integer = 0;
    std::string Text;
    std::vector<std::string> Members;   // set members
    std::vector<StreamValue> Items;     // list items
    std::array<uint8_t, 10> Extended{}; // 80-bit extended precision

    static StreamValue OfInteger(int32_t value);    // the smallest integer tag that holds it
    static StreamValue OfString(std::string bytes); // tag 6 below 256 bytes, else tag 12
    static StreamValue OfIdent(std::string name);
    static StreamValue OfBoolean(bool value);
    static StreamValue OfSet(std::vector<std::string> members);
    static StreamValue OfBinary(std::string bytes);
    static StreamValue OfList(std::vector<StreamValue> items);

    bool IsInteger() const
    {
        return Tag == ValueTag::Int8 || Tag == ValueTag::Int16 || Tag == ValueTag::Int32;
    }
    bool IsString() const { return Tag == ValueTag::String || Tag == ValueTag::LongString; }
    bool operator==(const StreamValue&) const = default;
};

struct PropertyEntry {
    std::string Name;
    StreamValue Value;
    bool operator==(const PropertyEntry&) const = default;
};

struct ElementRecord {
    std::string ClassName;
    std::string Name;
    std::vector<PropertyEntry> Properties;
    bool operator==(const ElementRecord&) const = default;
};

using ElementList = std::vector<ElementRecord>;

class LayoutStreamWriter {
  public:
    void WriteByte(uint8_t byte) { FBytes.push_back(static_cast<char>(byte)); }
    void WriteInt32Raw(int32_t value);
    // A short string; fails above 255 bytes.
    Status WriteShortString(std::string_view text);
    Status WriteValue(const StreamValue& value);
    Status WriteRecord(const ElementRecord& record);
    Status WriteList(const ElementList& list);
    void BeginList() { WriteByte(static_cast<uint8_t>(ValueTag::List)); }
    void EndList() { WriteByte(static_cast<uint8_t>(ValueTag::End)); }

    const std::string& Bytes() const { return FBytes; }
    std::string Take() { return std::move(FBytes); }

  private:
    std::string FBytes;
};

class LayoutStreamReader {
  public:
    explicit LayoutStreamReader(std::string_view bytes) : FBytes(bytes) {}

    size_t Position() const { return FPosition; }
    size_t Remaining() const { return FBytes.size() - FPosition; }
    bool AtEnd() const { return FPosition >= FBytes.size(); }
    // The next byte without taking it; fails at the end.
    Result<uint8_t> PeekByte() const;

    Result<uint8_t> ReadByte();
    Result<int32_t> ReadInt32Raw();
    Result<std::string> ReadShortString(std::string_view what);
    Result<StreamValue> ReadValue();
    Result<ElementRecord> ReadRecord();
    // Tag 1, records, tag 0.
    Result<ElementList> ReadList();
    // Tag 1 / tag 0 around a list whose items the caller reads itself.
    Status ReadListBegin();
    Status ReadListEnd();
    // True (and consumed) when the next byte is the end tag.
    Result<bool> ReadEndIf();

  private:
    Result<StreamValue> ReadValue(int depth);
    Status Need(size_t count, std::string_view what) const;
    Status Error(const std::string& message) const;

    std::string_view FBytes;
    size_t FPosition = 0;
};

} // namespace corvane

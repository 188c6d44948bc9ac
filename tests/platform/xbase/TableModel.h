#pragma once
// A plain in-memory picture of a table (records, deletion marks) and of the key order each of its
// tags must show, for tests that drive a Table through long random runs and compare. Only the
// public Table interface is used, so the same tests hold over any engine behind it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/xbase/Table.h"

namespace xbase::model {

struct Record {
    std::vector<std::string> Values; // one per field, as written (UTF-8, ASCII in these tests)
    bool Deleted = false;
};

using Records = std::vector<Record>; // record number - 1 -> record

struct Tag {
    std::string Name;
    std::string KeyExpression;
    std::string ForExpression;
    std::function<std::string(const Record&)> KeyOf; // the key bytes the tag must hold
    std::function<bool(const Record&)> In;           // the FOR condition; null when none
    char SeekType = 'C';                             // how a seek text for it is written
};

struct Entry {
    std::string Key;
    uint32_t Recno = 0;
    bool operator<(const Entry& other) const
    {
        if (int order = Key.compare(other.Key); order != 0)
            return order < 0;
        return Recno < other.Recno;
    }
};

inline std::string Pad(std::string text, size_t width)
{
    text.resize(width, ' ');
    return text;
}

inline std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

inline std::string TrimRight(std::string text)
{
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

inline std::string TrimBoth(const std::string& text)
{
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

inline std::string NumberKey(const std::string& text)
{
    return EncodeNumericKey(std::strtod(text.c_str(), nullptr));
}
inline std::string DateKey(const std::string& text)
{
    return EncodeNumericKey(static_cast<double>(JulianDay(text)));
}

// The entries of a tag in the order a walk must show them: key bytes by memcmp, then record
// number.
inline std::vector<Entry> ExpectedEntries(const Records& records, const Tag& tag)
{
    std::vector<Entry> entries;
    for (size_t i = 0; i < records.size(); ++i) {
        if (tag.In && !tag.In(records[i]))
            continue;
        entries.push_back({tag.KeyOf(records[i]), static_cast<uint32_t>(i + 1)});
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

inline std::vector<uint32_t> Recnos(const std::vector<Entry>& entries)
{
    std::vector<uint32_t> recnos;
    recnos.reserve(entries.size());
    for (const Entry& entry : entries)
        recnos.push_back(entry.Recno);
    return recnos;
}

// The record numbers a walk over the tag shows, deleted records included; an error ends the list
// with 0 so a comparison fails on it.
inline std::vector<uint32_t> WalkOrder(Table& table, const std::string& tagName)
{
    std::vector<uint32_t> recnos;
    table.SetDeletedHidden(false);
    const int order = table.OrderNumber(tagName);
    if (order <= 0 || !table.SetOrder(order).Ok() || !table.GoTop().Ok())
        return {0};
    const uint32_t limit = table.RecordCount() + 2;
    while (!table.Eof()) {
        recnos.push_back(table.RecNo());
        if (recnos.size() > limit || !table.Skip(1).Ok()) {
            recnos.push_back(0);
            break;
        }
    }
    return recnos;
}

// The same walk from the bottom up, given back in top-down order so it compares with WalkOrder: a
// tag whose pages link wrongly backwards shows it here.
inline std::vector<uint32_t> WalkOrderBackward(Table& table, const std::string& tagName)
{
    std::vector<uint32_t> recnos;
    table.SetDeletedHidden(false);
    const int order = table.OrderNumber(tagName);
    if (order <= 0 || !table.SetOrder(order).Ok() || !table.GoBottom().Ok())
        return {0};
    const uint32_t limit = table.RecordCount() + 2;
    while (!table.Eof()) {
        recnos.push_back(table.RecNo());
        if (recnos.size() > limit || !table.Skip(-1).Ok()) {
            recnos.push_back(0);
            break;
        }
        if (table.Bof())
            break;
    }
    std::reverse(recnos.begin(), recnos.end());
    return recnos;
}

// Empty when the table holds exactly the records (values compared as the engine reads them back:
// text without trailing blanks, numbers by value), else the first difference.
inline std::string CompareRecords(Table& table, const std::vector<FieldSpec>& fields, const Records& records)
{
    if (table.RecordCount() != records.size()) {
        return "record count " + std::to_string(table.RecordCount()) + ", expected " +
               std::to_string(records.size());
    }
    table.SetDeletedHidden(false);
    for (size_t i = 0; i < records.size(); ++i) {
        const uint32_t recno = static_cast<uint32_t>(i + 1);
        if (!table.GoTo(recno).Ok() || table.RecNo() != recno)
            return "cannot go to record " + std::to_string(recno);
        if (table.IsDeleted() != records[i].Deleted)
            return "record " + std::to_string(recno) + ": deletion mark differs";
        for (size_t f = 0; f < fields.size(); ++f) {
            auto value = table.GetField(fields[f].Name);
            if (!value.Ok())
                return "record " + std::to_string(recno) + ": " + value.Message();
            const std::string& want = records[i].Values[f];
            bool same = fields[f].Type == 'N' ? std::strtod(TrimBoth(*value).c_str(), nullptr) ==
                                                    std::strtod(want.c_str(), nullptr)
                                              : TrimBoth(*value) == TrimBoth(want);
            if (!same) {
                return "record " + std::to_string(recno) + " field " + fields[f].Name + ": \"" + *value +
                       "\", expected \"" + want + "\"";
            }
        }
    }
    return {};
}

// Creates the table with its records and tags, committed and closed.
inline void CreateTable(const std::string& path, const std::vector<FieldSpec>& fields,
                        const std::vector<Tag>& tags, const Records& records)
{
    ASSERT_TRUE(Table::Create(path, fields).Ok());
    Table table;
    ASSERT_TRUE(table.Open(path).Ok());
    for (const Record& record : records) {
        ASSERT_TRUE(table.AppendBlank().Ok());
        for (size_t f = 0; f < fields.size(); ++f) {
            ASSERT_TRUE(table.PutField(fields[f].Name, record.Values[f]).Ok());
        }
        if (record.Deleted) {
            ASSERT_TRUE(table.Delete().Ok());
        }
    }
    for (const Tag& tag : tags) {
        Status created = table.CreateTag(tag.Name, tag.KeyExpression, tag.ForExpression);
        ASSERT_TRUE(created.Ok()) << tag.Name << ": " << created.Message();
    }
    ASSERT_TRUE(table.Close().Ok());
}

// ---- the independent reader ------------------------------------------------------------------

inline bool PerlXBaseAvailable()
{
    return std::filesystem::exists("/usr/share/perl5/XBase/Index.pm");
}

inline std::string RunCommand(const std::string& command)
{
    std::string output;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            output.append(buffer, got);
        ::pclose(pipe);
    }
    return output;
}

// The record numbers Perl XBase reads from one tag of a compound index, in its key order. The
// script is written into `folder` (a scratch folder of the test).
inline std::vector<uint32_t> PerlTagOrder(const std::string& folder, const std::string& cdxPath,
                                          const std::string& tag, char type)
{
    const std::string script = folder + "/cdxorder.pl";
    if (!std::filesystem::exists(script)) {
        FILE* out = std::fopen(script.c_str(), "w");
        if (!out)
            return {0};
        std::fputs(
            "use strict; use warnings; use XBase::Index;\n"
            "my ($file, $tag, $type) = @ARGV;\n"
            "my $ix = XBase::Index->new($file, type => $type, tag => $tag) or die XBase::Index->errstr;\n"
            "$ix->prepare_select;\n"
            "while (my ($key, $recno) = $ix->fetch) { print \"$recno\\n\" }\n",
            out);
        std::fclose(out);
    }
    std::istringstream lines(
        RunCommand("perl " + script + " " + cdxPath + " " + tag + " " + std::string(1, type)));
    std::vector<uint32_t> recnos;
    for (std::string line; std::getline(lines, line);)
        recnos.push_back(static_cast<uint32_t>(std::stoul(line)));
    return recnos;
}

// The compound index beside a table, whatever case its name was given.
inline std::string CompanionCdx(const std::string& tablePath)
{
    const std::filesystem::path table(tablePath);
    for (const auto& entry : std::filesystem::directory_iterator(table.parent_path())) {
        const std::filesystem::path name = entry.path();
        if (Upper(name.stem().string()) == Upper(table.stem().string()) &&
            Upper(name.extension().string()) == ".CDX") {
            return name.string();
        }
    }
    return {};
}

// ---- seeded randomness -----------------------------------------------------------------------

// The seed of a run: the environment variable when set (to replay a failure), else `fallback`.
inline uint64_t SeedFrom(const char* variable, uint64_t fallback)
{
    const char* text = std::getenv(variable);
    return text && *text ? std::strtoull(text, nullptr, 10) : fallback;
}

class Random {
  public:
    explicit Random(uint64_t seed) : FEngine(seed) {}
    uint32_t Below(uint32_t bound) { return bound == 0 ? 0 : static_cast<uint32_t>(FEngine() % bound); }
    bool Chance(uint32_t percent) { return Below(100) < percent; }
    template <typename T> const T& Pick(const std::vector<T>& items)
    {
        return items[Below(static_cast<uint32_t>(items.size()))];
    }
    std::string Letters(size_t length, bool mixedCase = false)
    {
        std::string text;
        for (size_t i = 0; i < length; ++i) {
            char c = static_cast<char>('A' + Below(26));
            text += mixedCase && Chance(30) ? static_cast<char>(std::tolower(c)) : c;
        }
        return text;
    }

  private:
    std::mt19937_64 FEngine;
};

} // namespace xbase::model

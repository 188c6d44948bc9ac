#include "TagIndex.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace xbase {

namespace {

// memcmp that tolerates zero-length keys over empty (null) buffers.
inline int CompareBytes(const char* a, const char* b, size_t length)
{
    return length == 0 ? 0 : std::memcmp(a, b, length);
}

char FillByte(char keyType)
{
    return keyType == 'C' ? ' ' : '\0';
}

// Up to eight key bytes as a big-endian number, zero-extended: comparing two such numbers
// compares the bytes in machine order.
uint64_t KeyPrefix(const char* key, size_t length)
{
    uint64_t prefix = 0;
    const size_t n = std::min<size_t>(length, 8);
    for (size_t i = 0; i < n; ++i) {
        prefix |= static_cast<uint64_t>(static_cast<unsigned char>(key[i])) << (56 - 8 * i);
    }
    return prefix;
}

} // namespace

TagIndex::TagIndex(TagDefinition definition) : FDefinition(std::move(definition)) {}

size_t TagIndex::Size() const
{
    Settle();
    return FRecnos.size();
}

void TagIndex::Clear()
{
    FKeys.clear();
    FRecnos.clear();
    FSorted = 0;
}

void TagIndex::Reserve(size_t count)
{
    FKeys.reserve(count * FDefinition.KeyLength);
    FRecnos.reserve(count);
}

std::string TagIndex::NormalisedKey(std::string_view key) const
{
    std::string result(key.substr(0, FDefinition.KeyLength));
    result.resize(FDefinition.KeyLength, FillByte(FDefinition.KeyType));
    return result;
}

void TagIndex::AppendUnsorted(std::string_view key, uint32_t recno)
{
    const size_t length = FDefinition.KeyLength;
    if (key.size() == length) {
        FKeys.insert(FKeys.end(), key.begin(), key.end());
    } else {
        const std::string fixed = NormalisedKey(key);
        FKeys.insert(FKeys.end(), fixed.begin(), fixed.end());
    }
    FRecnos.push_back(recno);
}

int TagIndex::CompareAt(size_t position, std::string_view key, uint32_t recno) const
{
    const size_t length = FDefinition.KeyLength;
    const int byKey = CompareBytes(FKeys.data() + position * length, key.data(), length);
    if (byKey != 0) {
        return byKey;
    }
    const uint32_t own = FRecnos[position];
    return own < recno ? -1 : (own > recno ? 1 : 0);
}

size_t TagIndex::LowerBoundEntry(std::string_view key, uint32_t recno) const
{
    size_t low = 0;
    size_t high = FRecnos.size();
    while (low < high) {
        const size_t middle = low + (high - low) / 2;
        if (CompareAt(middle, key, recno) < 0) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}

void TagIndex::Insert(std::string_view key, uint32_t recno)
{
    Settle();
    const size_t length = FDefinition.KeyLength;
    const std::string fixed = NormalisedKey(key);
    size_t position;
    if (FDefinition.Unique) {
        position = LowerBoundEntry(fixed, 0);
        if (position < FRecnos.size() &&
            CompareBytes(FKeys.data() + position * length, fixed.data(), length) == 0) {
            return;
        }
    } else {
        position = LowerBoundEntry(fixed, recno);
    }
    FKeys.insert(FKeys.begin() + static_cast<std::ptrdiff_t>(position * length), fixed.begin(), fixed.end());
    FRecnos.insert(FRecnos.begin() + static_cast<std::ptrdiff_t>(position), recno);
    FSorted = FRecnos.size();
}

bool TagIndex::Remove(std::string_view key, uint32_t recno)
{
    const size_t position = Find(key, recno);
    if (position == NoPosition) {
        return false;
    }
    const size_t length = FDefinition.KeyLength;
    const auto keyStart = FKeys.begin() + static_cast<std::ptrdiff_t>(position * length);
    FKeys.erase(keyStart, keyStart + static_cast<std::ptrdiff_t>(length));
    FRecnos.erase(FRecnos.begin() + static_cast<std::ptrdiff_t>(position));
    FSorted = FRecnos.size();
    return true;
}

size_t TagIndex::LowerBound(std::string_view prefix) const
{
    Settle();
    const size_t length = FDefinition.KeyLength;
    const size_t compared = std::min<size_t>(prefix.size(), length);
    size_t low = 0;
    size_t high = FRecnos.size();
    while (low < high) {
        const size_t middle = low + (high - low) / 2;
        if (CompareBytes(FKeys.data() + middle * length, prefix.data(), compared) < 0) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}

size_t TagIndex::Find(std::string_view key, uint32_t recno) const
{
    Settle();
    const std::string fixed = NormalisedKey(key);
    const size_t position = LowerBoundEntry(fixed, recno);
    if (position < FRecnos.size() && CompareAt(position, fixed, recno) == 0) {
        return position;
    }
    return NoPosition;
}

std::string_view TagIndex::KeyAt(size_t position) const
{
    Settle();
    if (position >= FRecnos.size()) {
        return {};
    }
    const size_t length = FDefinition.KeyLength;
    return std::string_view(FKeys.data() + position * length, length);
}

uint32_t TagIndex::RecnoAt(size_t position) const
{
    Settle();
    return position < FRecnos.size() ? FRecnos[position] : 0;
}

// Pending appends are sorted as a permutation (an 8-byte key prefix beside each index keeps the
// sort inside one small array) and then merged with the sorted part. Entries that are already in
// order, as when a tag is loaded from its file, take a linear check only.
//
// In a unique tag the first entry of a key wins: an entry already settled beats an appended one,
// and among appended entries the earlier append.
void TagIndex::Settle() const
{
    const size_t total = FRecnos.size();
    if (FSorted >= total) {
        return;
    }
    const size_t length = FDefinition.KeyLength;
    const bool unique = FDefinition.Unique;
    const char* keys = FKeys.data();

    // Compares entries a < b in machine order; for unique tags equal keys count as equal.
    auto entryOrder = [&](size_t a, size_t b) {
        const int byKey = CompareBytes(keys + a * length, keys + b * length, length);
        if (byKey != 0 || unique) {
            return byKey;
        }
        return FRecnos[a] < FRecnos[b] ? -1 : (FRecnos[a] > FRecnos[b] ? 1 : 0);
    };

    bool inOrder = FSorted == 0 || entryOrder(FSorted - 1, FSorted) < (unique ? 0 : 1);
    for (size_t i = FSorted + 1; inOrder && i < total; ++i) {
        inOrder = entryOrder(i - 1, i) < (unique ? 0 : 1);
    }
    if (inOrder) {
        FSorted = total;
        return;
    }

    // The first sixteen key bytes travel with each index, so that most comparisons of the sort
    // stay inside this array instead of reaching into the keys through the permutation.
    struct Slot {
        uint64_t High;
        uint64_t Low;
        uint32_t Recno;
        uint32_t Index;
    };
    const size_t lowLength = length > 8 ? std::min<size_t>(length - 8, 8) : 0;
    const size_t restOffset = std::min<size_t>(length, 16);
    const size_t restLength = length - restOffset;
    std::vector<Slot> pending;
    pending.reserve(total - FSorted);
    for (size_t i = FSorted; i < total; ++i) {
        const char* key = keys + i * length;
        pending.push_back({KeyPrefix(key, length), lowLength ? KeyPrefix(key + 8, lowLength) : 0, FRecnos[i],
                           static_cast<uint32_t>(i)});
    }
    auto compareKeys = [&](const Slot& a, const Slot& b) {
        if (a.High != b.High) {
            return a.High < b.High ? -1 : 1;
        }
        if (a.Low != b.Low) {
            return a.Low < b.Low ? -1 : 1;
        }
        return CompareBytes(keys + a.Index * length + restOffset, keys + b.Index * length + restOffset,
                            restLength);
    };
    std::sort(pending.begin(), pending.end(), [&](const Slot& a, const Slot& b) {
        const int byKey = compareKeys(a, b);
        if (byKey != 0) {
            return byKey < 0;
        }
        if (!unique && a.Recno != b.Recno) {
            return a.Recno < b.Recno;
        }
        return a.Index < b.Index;
    });
    if (unique) {
        auto sameKey = [&](const Slot& a, const Slot& b) { return compareKeys(a, b) == 0; };
        pending.erase(std::unique(pending.begin(), pending.end(), sameKey), pending.end());
    }

    std::vector<char> mergedKeys((FSorted + pending.size()) * length);
    std::vector<uint32_t> mergedRecnos(FSorted + pending.size());
    size_t merged = 0;
    auto take = [&](size_t index) {
        if (length > 0) {
            std::memcpy(mergedKeys.data() + merged * length, keys + index * length, length);
        }
        mergedRecnos[merged++] = FRecnos[index];
    };
    size_t settled = 0;
    size_t next = 0;
    while (settled < FSorted && next < pending.size()) {
        const int order = entryOrder(settled, pending[next].Index);
        if (order < 0) {
            take(settled++);
        } else if (order > 0) {
            take(pending[next++].Index);
        } else {
            take(settled++);
            if (unique) {
                ++next;
            }
        }
    }
    while (settled < FSorted) {
        take(settled++);
    }
    while (next < pending.size()) {
        take(pending[next++].Index);
    }
    mergedKeys.resize(merged * length);
    mergedRecnos.resize(merged);
    FKeys.swap(mergedKeys);
    FRecnos.swap(mergedRecnos);
    FSorted = FRecnos.size();
}

std::string EncodeNumericKey(double value)
{
    uint64_t bits = value == 0.0 ? 0 : std::bit_cast<uint64_t>(value);
    if (bits & (uint64_t{1} << 63)) {
        bits = ~bits;
    } else {
        bits ^= uint64_t{1} << 63;
    }
    std::string key(8, '\0');
    for (int i = 0; i < 8; ++i) {
        key[i] = static_cast<char>(bits >> (56 - 8 * i));
    }
    return key;
}

double DecodeNumericKey(std::string_view key)
{
    if (key.size() != 8) {
        return 0.0;
    }
    uint64_t bits = KeyPrefix(key.data(), 8);
    if (bits & (uint64_t{1} << 63)) {
        bits ^= uint64_t{1} << 63;
    } else {
        bits = ~bits;
    }
    return std::bit_cast<double>(bits);
}

int64_t JulianDay(std::string_view yyyymmdd)
{
    if (yyyymmdd.size() != 8) {
        return 0;
    }
    int digits[8];
    for (int i = 0; i < 8; ++i) {
        const char c = yyyymmdd[i];
        if (c < '0' || c > '9') {
            return 0;
        }
        digits[i] = c - '0';
    }
    const int64_t year = digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3];
    const int64_t month = digits[4] * 10 + digits[5];
    const int64_t day = digits[6] * 10 + digits[7];
    static constexpr int DaysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || month < 1 || month > 12 || day < 1) {
        return 0;
    }
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (day > DaysInMonth[month - 1] + (month == 2 && leap ? 1 : 0)) {
        return 0;
    }
    // Proleptic Gregorian calendar to Julian day number (noon-based integer day).
    const int64_t a = (14 - month) / 12;
    const int64_t y = year + 4800 - a;
    const int64_t m = month + 12 * a - 3;
    return day + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045;
}

} // namespace xbase

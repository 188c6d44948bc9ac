#include "core/LegacyText.h"

#include "platform/xbase/CodePage.h"

namespace corvane {

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// Bytes a sequence starting with `lead` takes; 0 for a byte that cannot start one.
std::size_t SequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// Checks whole sequences; returns how many bytes at the end form an unfinished one (kept for
// the next piece), or npos when the bytes are not UTF-8.
std::size_t CheckSequences(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = SequenceLength(lead);
        if (length == 0)
            return std::string_view::npos;
        if (length == 1) {
            ++i;
            continue;
        }
        char32_t cp = lead & (length == 2 ? 0x1F : length == 3 ? 0x0F : 0x07);
        const std::size_t available = std::min(length, bytes.size() - i);
        for (std::size_t k = 1; k < available; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return std::string_view::npos;
            cp = (cp << 6) | (next & 0x3F);
        }
        if (available < length)
            return available;
        if ((length == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
            (length == 4 && (cp < 0x10000 || cp > 0x10FFFF))) {
            return std::string_view::npos;
        }
        i += length;
    }
    return 0;
}

} // namespace

bool IsValidUtf8(std::string_view bytes)
{
    return CheckSequences(bytes) == 0;
}

void Utf8Check::Feed(std::string_view bytes)
{
    if (!FValid)
        return;
    FPending.append(bytes);
    const std::size_t open = CheckSequences(FPending);
    if (open == std::string_view::npos) {
        FValid = false;
        FPending.clear();
        return;
    }
    FPending.erase(0, FPending.size() - open);
}

bool Utf8Check::Valid() const
{
    return FValid && FPending.empty();
}

std::string DecodeLegacyText(std::string_view bytes)
{
    if (IsValidUtf8(bytes)) {
        if (bytes.substr(0, 3) == ByteOrderMark)
            bytes.remove_prefix(3);
        return std::string(bytes);
    }
    return xbase::CodePage::Windows1252().ToUtf8(bytes);
}

Result<std::string> EncodeLegacyText(std::string_view text, std::string_view what)
{
    auto legacy = xbase::CodePage::Windows1252().FromUtf8(text, std::string(what));
    // Windows-1252 bytes that happen to form UTF-8 (text such as "Ã©") would read back as other
    // letters, so such a file is written as UTF-8 too.
    if (legacy && (*legacy == text || !IsValidUtf8(*legacy)))
        return legacy;
    if (!IsValidUtf8(text))
        return Result<std::string>::Error(legacy.Message());
    // The byte-order mark makes the choice plain to other readers and keeps a text that itself
    // starts with one intact.
    return std::string(ByteOrderMark) + std::string(text);
}

} // namespace corvane

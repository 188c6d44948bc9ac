// Reads arbitrary bytes as RTF: damaged text must give an error result and an empty document,
// never a crash or a read outside the input; what is read must write, and that writing must read
// back to the same text.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include <QGuiApplication>
#include <QTextDocument>

#include "platform/richtext/RtfReader.h"
#include "platform/richtext/RtfWriter.h"

namespace {

void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "fuzz_rtf";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QGuiApplication(argc, argv);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EnsureApplication();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    QTextDocument document;
    corvane::PageLayoutTwips layout;
    if (!corvane::RtfReader::Read(text, document, layout)) {
        if (!document.isEmpty())
            abort();
        return 0;
    }
    const std::string written = corvane::RtfWriter::Write(document, layout);
    QTextDocument back;
    corvane::PageLayoutTwips again;
    if (!corvane::RtfReader::Read(written, back, again))
        abort();
    if (back.toRawText() != document.toRawText() || !(again == layout))
        abort();
    return 0;
}

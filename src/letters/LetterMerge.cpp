#include "letters/LetterMerge.h"

#include <QTextCursor>
#include <QTextDocument>

#include "letters/LetterTokens.h"

namespace corvane {

namespace {

// A value as document text: each CR LF (or lone CR or LF) a line break inside the paragraph.
QString DocumentText(const std::string& value)
{
    QString text = QString::fromStdString(value);
    text.replace(QStringLiteral("\r\n"), QString(QChar(QChar::LineSeparator)));
    text.replace(QChar('\r'), QChar(QChar::LineSeparator));
    text.replace(QChar('\n'), QChar(QChar::LineSeparator));
    return text;
}

} // namespace

int MergeLetter(QTextDocument& document, const LetterTokenValues& values)
{
    int replaced = 0;
    for (std::string_view name : LetterMergeOrder()) {
        const QString token = QString::fromStdString(LetterToken(name));
        const QString value = DocumentText(values.Value(name));
        int from = 0;
        for (;;) {
            QTextCursor found = document.find(token, from);
            if (found.isNull())
                break;
            const int start = found.selectionStart();
            QTextCursor first(&document);
            first.setPosition(start + 1);
            const QTextCharFormat format = first.charFormat();
            found.insertText(value, format);
            if (found.hasSelection()) {
                // Not replaced: passed over rather than found again.
                from = found.selectionEnd();
                continue;
            }
            // Text the value brought in is not searched again for this token.
            from = found.position();
            ++replaced;
        }
    }
    return replaced;
}

} // namespace corvane

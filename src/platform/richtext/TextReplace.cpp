#include "platform/richtext/TextReplace.h"

#include <QTextCursor>

namespace corvane {

int ReplaceAllText(QTextDocument& document, const QString& find, const QString& replacement,
                   QTextDocument::FindFlags flags)
{
    if (find.isEmpty())
        return 0;
    int replaced = 0;
    int from = 0;
    for (;;) {
        QTextCursor found = document.find(find, from, flags);
        if (found.isNull())
            break;
        QTextCursor first(&document);
        first.setPosition(found.selectionStart() + 1);
        found.insertText(replacement, first.charFormat());
        if (found.hasSelection()) {
            from = found.selectionEnd();
            continue;
        }
        from = found.position();
        ++replaced;
    }
    return replaced;
}

} // namespace corvane

#pragma once
// Replacing every occurrence of a literal text in a document, as the editor's "Replace All" does:
// each replacement takes the found text's format, the search goes on after the text put in (so a
// replacement holding the searched text is not found again), and an occurrence that could not be
// replaced is passed over rather than found forever.

#include <QString>
#include <QTextDocument>

namespace corvane {

int ReplaceAllText(QTextDocument& document, const QString& find, const QString& replacement,
                   QTextDocument::FindFlags flags = {});

} // namespace corvane

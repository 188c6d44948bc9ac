#pragma once
// The help "file": a folder of HTML pages, one per context number ("1029.html"), with the
// contents page "index.html" and the page on using help "howtouse.html". Each page's <title> is
// its entry in the topic list; a <meta name="keywords"> line adds words the search also finds.

#include <vector>

#include <QString>

namespace corvane {

struct HelpTopic {
    QString FileName; // within the help folder, e.g. "1029.html"
    QString Title;
    QString Keywords;
};

// Where the help pages are. They are read-only and belong to the program version that runs, so
// the folder "help" beside the executable comes first (a build tree or a portable copy), then the
// share folder (ShareDirectory(): an installation under any prefix), and last the program directory (where a user may have put a copy).
// Ends in "/"; the first candidate when none exists.
QString HelpDirectory();

class HelpLibrary {
  public:
    explicit HelpLibrary(QString folder);

    const QString& Folder() const { return FFolder; }
    // Full paths; empty when the page does not exist.
    QString ContextPage(int context) const;
    QString ContentsPage() const;
    QString HelpOnHelpPage() const;

    // Every page with a title, sorted by title.
    const std::vector<HelpTopic>& Topics() const { return FTopics; }
    // The topics whose title or keywords contain every word of `key` (any case); all for an empty key.
    std::vector<HelpTopic> FindTopics(const QString& key) const;

  private:
    QString ExistingPage(const QString& fileName) const;

    QString FFolder;
    std::vector<HelpTopic> FTopics;
};

} // namespace corvane

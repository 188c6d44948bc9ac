#pragma once
// The help window: a browser for the help pages with the topic list and its search beside it.
// There is one, created at first use and kept; it is not modal, so the user can read while
// working, and it stays usable over a modal window that opened it.

#include <QWidget>

#include "platform/windows/HelpLibrary.h"

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTextBrowser;

namespace corvane {

class THelpViewer : public QWidget {
    Q_OBJECT
  public:
    explicit THelpViewer(const QString& folder, QWidget* parent = nullptr);

    void ShowContext(int context);
    void ShowContents();
    // Fills the search box with `key`, lists the matching topics and puts the cursor there.
    void ShowSearch(const QString& key);
    void ShowHelpOnHelp();

    const HelpLibrary& Library() const { return FLibrary; }

    QPushButton* ContentsButton;
    QPushButton* BackButton;
    QPushButton* ForwardButton;
    QPushButton* HelpOnHelpButton;
    QLineEdit* SearchEdit;
    QListWidget* TopicList;
    QTextBrowser* HelpText;

  private:
    void SearchEditTextChanged(const QString& text);
    void SearchEditReturnPressed();
    void TopicListItemActivated(QListWidgetItem* item);
    void OpenPage(const QString& path, const QString& missingText);

    HelpLibrary FLibrary;
};

// The program's help window (on the pages of HelpDirectory()), created at first use.
THelpViewer& HelpViewer();

// What every Help button and Help menu item calls: they show the help window in front.
void ShowHelpContext(int context);
void ShowHelpContents();
void ShowHelpSearch(const QString& key);
void ShowHelpOnHelp();

} // namespace corvane

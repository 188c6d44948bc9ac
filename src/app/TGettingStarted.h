#pragma once
// "Getting Started": a borderless window with a short introduction whose link words open help
// topics, and the check box "Do not show this screen at start up" (Misc/GettingStarted), written
// on "Ok".

#include <functional>

#include <QDialog>
#include <QString>

#include "platform/Settings.h"

class QCheckBox;
class QPushButton;
class QTextBrowser;
class QUrl;

namespace corvane {

// Opens the help at a context number; the program passes ShowHelpContext, tests a recorder.
using HelpOpener = std::function<void(int context)>;

class TGettingStarted : public QDialog {
    Q_OBJECT
  public:
    explicit TGettingStarted(QWidget* parent = nullptr, Settings settings = Settings(),
                             HelpOpener openHelp = {});

    // The help context a link word opens (compared in upper case); 0 for an unknown word.
    static int HelpContextOfLink(const QString& linkText);
    // The link words of the text, as shown.
    static QStringList LinkTexts();

    QTextBrowser* GettingStartedText;
    QCheckBox* DontShowCheck;
    QPushButton* OkButton;

  private:
    void GettingStartedTextAnchorClicked(const QUrl& link);
    void OkButtonClick();

    Settings FSettings;
    HelpOpener FOpenHelp;
};

} // namespace corvane

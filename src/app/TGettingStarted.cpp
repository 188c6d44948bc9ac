#include "app/TGettingStarted.h"

#include <utility>

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBlock>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "app/DialogControls.h"
#include "platform/windows/HelpViewer.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"

namespace corvane {

namespace {

struct LinkTopic {
    const char* Text;
    int Context;
};

const std::vector<LinkTopic>& LinkTopics()
{
    static const std::vector<LinkTopic> topics = {
        {"NEW", 1037},
        {"DBASE", 1021},
        {"ASCII", 1023},
        {"ADD", 1030},
        {"CHANGE", 1030},
        {"FIND", 1026},
        {"DELETE", 2099},
        {"TECHNICAL SUPPORT", 1015},
        {"FREQUENTLY ASKED QUESTIONS", 2098},
    };
    return topics;
}

QString Link(const char* text)
{
    return QString("<a href=\"topic:%1\">%2</a>").arg(QString(text).toLower().replace(' ', '-'), text);
}

QString IntroductionHtml()
{
    return QString("<h2>Welcome to Corvane</h2>"
                   "<p>Corvane keeps your mailing list and prints labels, envelopes, letters and reports "
                   "from it. Click a word in capitals to read more about it.</p>"
                   "<h3>Your address file</h3>"
                   "<p>Corvane has opened an address file for you, so you can start typing names right "
                   "away. To keep a separate list, make a %1 address database from the File menu. "
                   "Addresses you already have elsewhere can be brought in from a %2 file or from an "
                   "%3 (comma-separated) text file.</p>"
                   "<h3>Working with records</h3>"
                   "<p>Press Add to %4 a record, Edit to %5 the one shown, and Save when you are done. "
                   "Use Search to %6 a name, and Delete to %7 a record you no longer need.</p>"
                   "<h3>When you need more</h3>"
                   "<p>Where your files are kept and how to reach us is under %8. Answers to the "
                   "questions we hear most are under %9.</p>")
        .arg(Link("NEW"), Link("DBASE"), Link("ASCII"), Link("ADD"), Link("CHANGE"), Link("FIND"),
             Link("DELETE"), Link("TECHNICAL SUPPORT"), Link("FREQUENTLY ASKED QUESTIONS"));
}

// The words shown for a link: the topic goes by what the user clicked, not by the address.
QString AnchorText(const QTextDocument* document, const QString& href)
{
    QString text;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextCharFormat format = fragment.fragment().charFormat();
            if (format.isAnchor() && format.anchorHref() == href)
                text += fragment.fragment().text();
        }
        if (!text.isEmpty())
            return text;
    }
    return text;
}

} // namespace

TGettingStarted::TGettingStarted(QWidget* parent, Settings settings, HelpOpener openHelp)
    : QDialog(parent), FSettings(std::move(settings)), FOpenHelp(std::move(openHelp))
{
    if (!FOpenHelp)
        FOpenHelp = ShowHelpContext;
    setObjectName("TGettingStarted");
    setWindowTitle("Getting Started");
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);

    // Without a frame there is no title bar, so the window carries its title itself.
    auto* titleLabel = new QLabel("Getting Started", this);
    titleLabel->setObjectName("TitleLabel");
    QFont titleFont = titleLabel->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    titleLabel->setFont(titleFont);

    GettingStartedText = new QTextBrowser(this);
    GettingStartedText->setObjectName("GettingStartedText");
    GettingStartedText->setReadOnly(true);
    GettingStartedText->setOpenLinks(false);
    GettingStartedText->setOpenExternalLinks(false);
    GettingStartedText->setHtml(IntroductionHtml());
    GettingStartedText->setMinimumSize(520, 340);

    DontShowCheck = NamedCheckBox("DontShowCheck", "Do not show this screen at start up", this);
    OkButton = NamedButton("OkButton", "Ok", this);
    OkButton->setDefault(true);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(DontShowCheck);
    bottom->addStretch();
    bottom->addWidget(OkButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titleLabel);
    layout->addWidget(GettingStartedText);
    layout->addLayout(bottom);

    connect(GettingStartedText, &QTextBrowser::anchorClicked, this,
            &TGettingStarted::GettingStartedTextAnchorClicked);
    connect(OkButton, &QPushButton::clicked, this, &TGettingStarted::OkButtonClick);

    InstallWhatsThis(this,
                     {
                         {"GettingStartedText", "A short introduction. Click a word in capitals to open "
                                                "the help on that subject."},
                         {"DontShowCheck", "Tick this if this window should no longer open when the "
                                           "program starts. It stays on the Help menu."},
                         {"OkButton", "Closes this window and keeps the choice of the check box."},
                     });

    DontShowCheck->setChecked(FSettings.ReadBool("Misc", "GettingStarted", false));
    CentreForm(this);
}

int TGettingStarted::HelpContextOfLink(const QString& linkText)
{
    const QString upper = linkText.trimmed().toUpper();
    for (const auto& topic : LinkTopics()) {
        if (upper == topic.Text)
            return topic.Context;
    }
    return 0;
}

QStringList TGettingStarted::LinkTexts()
{
    QStringList texts;
    for (const auto& topic : LinkTopics())
        texts << topic.Text;
    return texts;
}

void TGettingStarted::GettingStartedTextAnchorClicked(const QUrl& link)
{
    const QString text = AnchorText(GettingStartedText->document(), link.toString());
    if (const int context = HelpContextOfLink(text); context != 0)
        FOpenHelp(context);
}

void TGettingStarted::OkButtonClick()
{
    (void)FSettings.WriteBool("Misc", "GettingStarted", DontShowCheck->isChecked());
    accept();
}

} // namespace corvane

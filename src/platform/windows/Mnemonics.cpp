#include "platform/windows/Mnemonics.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenuBar>
#include <QVariant>
#include <QWidget>

namespace corvane {

namespace {

// The caption as the program set it, kept on the control while its marker is out.
constexpr const char* CaptionProperty = "corvaneMnemonicCaption";

QString WithoutMnemonic(const QString& text)
{
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            plain += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '&') {
            plain += "&&"; // a literal ampersand stays
            ++i;
        }
    }
    return plain;
}

template <class T> void Sync(T* control, bool usable)
{
    const QString shown = control->text();
    QString caption = control->property(CaptionProperty).toString();
    // A caption the program changed since (neither the kept one nor its plain form) is the new one.
    if (caption.isEmpty() || (shown != caption && shown != WithoutMnemonic(caption))) {
        if (!shown.contains('&'))
            return;
        caption = shown;
        control->setProperty(CaptionProperty, caption);
    }
    const QString wanted = usable ? caption : WithoutMnemonic(caption);
    if (shown != wanted)
        control->setText(wanted);
}

} // namespace

void SyncMnemonics(QWidget* window)
{
    // A widget that is disabled or invisible never gets Qt's shortcut; a menu bar takes its
    // menus' letters whatever their state, so those are the ones that must give theirs up.
    for (QMenuBar* bar : window->findChildren<QMenuBar*>()) {
        for (QAction* menu : bar->actions())
            Sync(menu, menu->isEnabled() && menu->isVisible());
    }
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        Sync(button, button->isEnabled() && !button->isHidden());
}

} // namespace corvane

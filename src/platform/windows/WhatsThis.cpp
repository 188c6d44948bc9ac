#include "platform/windows/WhatsThis.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPointer>
#include <QToolButton>
#include <QWhatsThis>
#include <QWidget>

namespace corvane {

namespace {

// Catches the context-menu requests that reach the window: those of the window itself and of
// controls without a menu of their own (text boxes keep their cut-and-paste menus).
class WhatsThisMenu : public QObject {
  public:
    explicit WhatsThisMenu(QWidget* window) : QObject(window), FWindow(window)
    {
        setObjectName(FilterName());
    }
    static QString FilterName() { return QStringLiteral("WhatsThisMenuFilter"); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != FWindow || event->type() != QEvent::ContextMenu)
            return false;
        auto* request = static_cast<QContextMenuEvent*>(event);
        const QPoint globalPosition = request->globalPos();
        const QString text = WhatsThisTextAt(FWindow, request->pos());
        QPointer<QWidget> control = FWindow->childAt(request->pos());

        QMenu menu(FWindow);
        menu.setObjectName(QStringLiteral("WhatsThisMenu"));
        QAction* whatsThis = menu.addAction(QStringLiteral("What's this?"));
        if (menu.exec(globalPosition) == whatsThis) {
            if (text.isEmpty()) {
                QWhatsThis::enterWhatsThisMode();
            } else {
                QWhatsThis::showText(globalPosition, text, control ? control.data() : FWindow);
            }
        }
        return true;
    }

  private:
    QWidget* FWindow;
};

} // namespace

QStringList InstallWhatsThis(QWidget* window, const WhatsThisTexts& texts)
{
    QStringList missing;
    for (const auto& [name, text] : texts) {
        QWidget* control = window->objectName() == name ? window : window->findChild<QWidget*>(name);
        if (control) {
            control->setWhatsThis(text);
        } else {
            missing << name;
        }
    }
    if (!window->findChild<QObject*>(WhatsThisMenu::FilterName(), Qt::FindDirectChildrenOnly)) {
        window->installEventFilter(new WhatsThisMenu(window));
    }
    return missing;
}

QString WhatsThisTextAt(const QWidget* window, const QPoint& position)
{
    for (const QWidget* control = window->childAt(position); control; control = control->parentWidget()) {
        if (!control->whatsThis().isEmpty())
            return control->whatsThis();
        if (control == window)
            break;
    }
    return window->whatsThis();
}

QToolButton* CreateMouseHelpButton(QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QStringLiteral("MouseHelpButton"));
    QAction* action = QWhatsThis::createAction(button);
    action->setToolTip(QStringLiteral("Click here for mouse help"));
    button->setDefaultAction(action);
    return button;
}

} // namespace corvane

#include "platform/windows/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace corvane {

namespace {

// The part of a screen that windows may use (without panels and docks).
QRect ScreenArea(const QWidget* window, std::optional<QPoint> near = std::nullopt)
{
    QScreen* screen = near ? QGuiApplication::screenAt(*near) : nullptr;
    if (!screen)
        screen = window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

// The window every other window is centred over: the top of the parent chain.
const QWidget* MainWindowOf(const QWidget* window)
{
    const QWidget* root = window;
    while (root->parentWidget())
        root = root->parentWidget()->window();
    return root;
}

} // namespace

QString PlacementSectionName(const QString& className, int logicalDpi)
{
    QString section = className + QStringLiteral("_Placement");
    if (logicalDpi > 96)
        section += QString::number(logicalDpi);
    return section;
}

QString WindowClassName(const QWidget* window)
{
    const QString name = QString::fromLatin1(window->metaObject()->className());
    const qsizetype colons = name.lastIndexOf(QStringLiteral("::"));
    return colons < 0 ? name : name.mid(colons + 2);
}

std::optional<QRect> FitSavedPlacement(const SavedPlacement& saved, const QRect& screen)
{
    if (saved.Bottom == 0)
        return std::nullopt;
    // A hand-edited or damaged settings file must not give a window no size at all.
    if (saved.Right <= saved.Left || saved.Bottom <= saved.Top)
        return std::nullopt;
    int left = saved.Left;
    int top = saved.Top;
    int right = saved.Right;
    int bottom = saved.Bottom;
    const int screenRight = screen.x() + screen.width();
    const int screenBottom = screen.y() + screen.height();
    if (right > screenRight) {
        left -= right - screenRight;
        right = screenRight;
    }
    if (bottom > screenBottom) {
        top -= bottom - screenBottom;
        bottom = screenBottom;
    }
    return QRect(QPoint(left, top), QSize(right - left, bottom - top));
}

QPoint CentredPosition(const QSize& size, const QRect& area)
{
    return QPoint(area.x() + (area.width() - size.width()) / 2,
                  area.y() + (area.height() - size.height()) / 2);
}

void CentreForm(QWidget* window)
{
    window = window->window();
    const Qt::WindowFlags flags = window->windowFlags();
    if ((flags & Qt::WindowMaximizeButtonHint) && !(flags & Qt::WindowSystemMenuHint)) {
        const bool wasVisible = window->isVisible();
        window->setWindowFlag(Qt::WindowSystemMenuHint); // hides a shown window
        if (wasVisible)
            window->show();
    }
    // A window not shown yet has no final size unless someone gave it one.
    if (!window->isVisible() && !window->testAttribute(Qt::WA_Resized))
        window->adjustSize();

    const QWidget* mainWindow = MainWindowOf(window);
    QRect area;
    if (mainWindow == window || mainWindow->isMaximized()) {
        area = ScreenArea(mainWindow);
    } else {
        area = mainWindow->frameGeometry();
    }
    window->move(CentredPosition(window->frameGeometry().size(), area));
}

void RestoreWindowPlacement(QWidget* window, const Settings& settings)
{
    window = window->window();
    const std::string section =
        PlacementSectionName(WindowClassName(window), window->logicalDpiY()).toStdString();
    const IniFile file = settings.Load();
    SavedPlacement saved;
    saved.Left = file.ReadInteger(section, "Left", 0);
    saved.Top = file.ReadInteger(section, "Top", 0);
    saved.Right = file.ReadInteger(section, "Right", 0);
    saved.Bottom = file.ReadInteger(section, "Bottom", 0);
    const bool maximized = file.ReadBool(section, "Maximized", window->isMaximized());

    // The screen the window was on, when that screen is still there.
    const QRect screen = ScreenArea(window, QPoint(saved.Left, saved.Top));
    if (const std::optional<QRect> rectangle = FitSavedPlacement(saved, screen)) {
        window->setGeometry(*rectangle);
    } else {
        CentreForm(window);
    }
    if (maximized)
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
    SaveWindowPlacement(window, settings);
}

void SaveWindowPlacement(const QWidget* window, const Settings& settings)
{
    window = window->window();
    const bool maximized = window->isMaximized();
    QRect rectangle = maximized || window->isFullScreen() ? window->normalGeometry() : window->geometry();
    if (!rectangle.isValid())
        rectangle = window->geometry();

    const std::string section =
        PlacementSectionName(WindowClassName(window), window->logicalDpiY()).toStdString();
    IniFile file = settings.Load();
    file.WriteInteger(section, "Left", rectangle.x());
    file.WriteInteger(section, "Top", rectangle.y());
    file.WriteInteger(section, "Right", rectangle.x() + rectangle.width());
    file.WriteInteger(section, "Bottom", rectangle.y() + rectangle.height());
    file.WriteBool(section, "Maximized", maximized);
    (void)settings.Save(file); // a read-only settings file only costs the remembered placement
}

} // namespace corvane

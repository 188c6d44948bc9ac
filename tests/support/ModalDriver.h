#pragma once
// Answering the modal windows a command opens, by object name, while the command runs: status
// windows, print dialogs and previews of a print run.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <vector>

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace corvane::testing {

// Answers modal windows while a command runs: each handler is called with the window of that
// object name (its class name when it has none), again on every tick until it returns true
// (done with that window).
class ModalDriver {
  public:
    using Handler = std::function<bool(QWidget* window)>;

    ModalDriver()
    {
        // Every pass of the event loop, so a window is answered at the first moment it could be
        // (a status window between its first and second record).
        FTimer.setInterval(0);
        QObject::connect(&FTimer, &QTimer::timeout, [this] { Tick(); });
        FTimer.start();
    }
    void On(const QString& objectName, Handler handler) { FHandlers[objectName] = std::move(handler); }
    // The object names of the modal windows seen, in order of first appearance.
    const std::vector<QString>& Seen() const { return FSeen; }

  private:
    void Tick()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || FDone.count(modal))
            return;
        QString name = modal->objectName();
        if (name.isEmpty())
            name = QString(modal->metaObject()->className()).section("::", -1);
        if (FSeenWindows.insert(modal).second) {
            FSeen.push_back(name);
            // A later window may be made at the same address.
            QObject::connect(modal, &QObject::destroyed, &FTimer, [this, modal] {
                FSeenWindows.erase(modal);
                FDone.erase(modal);
            });
        }
        auto handler = FHandlers.find(name);
        if (handler == FHandlers.end()) {
            ADD_FAILURE() << "unexpected modal window " << name.toStdString();
            FDone.insert(modal);
            modal->close();
            return;
        }
        QPointer<QWidget> guard(modal);
        if (handler->second(modal) && guard)
            FDone.insert(modal);
    }

    QTimer FTimer;
    std::map<QString, Handler> FHandlers;
    std::set<QWidget*> FDone;
    std::set<QWidget*> FSeenWindows;
    std::vector<QString> FSeen;
};

} // namespace corvane::testing

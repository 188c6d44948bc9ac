#pragma once
// The main window on a small address file, for the tests of the windows that find records
// (filter, search, browse): a scratch program directory, recorded messages, and a way to answer
// the modal window a command opens.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include "app/TAddressMain.h"
#include "core/RecentFiles.h"
#include "platform/MessageService.h"
#include "platform/ProgramDirectory.h"
#include "platform/Settings.h"
#include "support/AddressSessionProbe.h"
#include "support/AddressTableFixture.h"
#include "support/ScratchHome.h"

namespace corvane::testing {

// Answers the modal window that `action` opens with `answer`; false when none opened.
inline bool AnswerModal(const std::function<void(QWidget*)>& answer, const std::function<void()>& action)
{
    bool answered = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            answered = true;
            answer(modal);
        }
    });
    action();
    QApplication::processEvents();
    return answered;
}

template <typename T> T* Named(const QWidget& window, const char* name)
{
    T* control = window.findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
}

// The named controls of a window that have no "What's this?" text.
inline QStringList Unexplained(const QWidget& window)
{
    QStringList missing;
    for (QWidget* control : window.findChildren<QWidget*>()) {
        const bool interactive = qobject_cast<QAbstractButton*>(control) ||
                                 qobject_cast<QLineEdit*>(control) || qobject_cast<QComboBox*>(control) ||
                                 qobject_cast<QAbstractItemView*>(control);
        const QString name = control->objectName();
        // The parts of a list or grid (its headers, its corner button) are explained by it.
        bool inner = false;
        for (QWidget* parent = control->parentWidget(); parent && parent != &window;
             parent = parent->parentWidget())
            inner = inner || qobject_cast<QComboBox*>(parent) || qobject_cast<QAbstractItemView*>(parent);
        if (!interactive || inner || name.startsWith("qt_") || name == "MouseHelpButton")
            continue;
        if (name.isEmpty() || control->whatsThis().isEmpty())
            missing << (name.isEmpty() ? control->metaObject()->className() : name);
    }
    return missing;
}

class FindingTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(Settings().WriteString("Misc", "GettingStarted", "1")); }

    // The people as DATA/people.DBF, the most recent file, and the main window open on it.
    TAddressMain& Start(const std::vector<Person>& people)
    {
        FPath = DataDirectory() + "people.DBF";
        MakeAddressFile(FPath, people);
        PutMRUList(Settings(), {FPath});
        FWindow = std::make_unique<TAddressMain>();
        FWindow->show();
        FWindow->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(FWindow.get()));
        FWindow->FormActivate();
        return *FWindow;
    }
    std::string Current(const char* field)
    {
        return *AddressSessionProbe::Table(FWindow->Session()).GetField(field);
    }

    ScratchHome FHome;
    RecordingMessageService FMessages;
    ScopedMessageService FInstalled{FMessages};
    std::unique_ptr<TAddressMain> FWindow;
    std::string FPath;
};

} // namespace corvane::testing

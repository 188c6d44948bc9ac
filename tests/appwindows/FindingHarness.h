#pragma once
// The main window on a small address file, for the tests of the windows that find records
// (filter, search, browse): a scratch program directory, recorded messages, and a way to answer
// the modal window a command opens.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QTest>
#include <QTimer>

#include "app/AddressTableFixture.h"
#include "app/TAddressMain.h"
#include "core/MessageService.h"
#include "core/ProgramDirectory.h"
#include "core/RecentFiles.h"
#include "core/ScratchHome.h"
#include "core/Settings.h"

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
    std::string Current(const char* field) { return *FWindow->Session().Table().GetField(field); }

    ScratchHome FHome;
    RecordingMessageService FMessages;
    ScopedMessageService FInstalled{FMessages};
    std::unique_ptr<TAddressMain> FWindow;
    std::string FPath;
};

} // namespace corvane::testing

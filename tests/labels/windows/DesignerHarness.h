#pragma once
// The label designer and its geometry dialogs on a scratch program directory: recorded messages,
// a small address file opened by an address session, the built label stock catalogue in sysdata,
// and modal dialogs answered by a function instead of a modal loop.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QStringList>
#include <QTest>

#include "layout/designer/dialogs/DialogRunner.h"
#include "platform/MessageService.h"
#include "platform/ProgramDirectory.h"
#include "session/AddressSession.h"
#include "support/AddressSessionProbe.h"
#include "support/AddressTableFixture.h"
#include "support/ScratchHome.h"

namespace corvane::testing {

template <typename T> T* Child(const QObject& window, const char* name)
{
    T* control = window.findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
}

// Replaces a line edit's text the way typing does (so that its textEdited signal fires) and
// leaves it, as Tab would.
inline void TypeInto(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    edit->del();
    QTest::keyClicks(edit, text);
    emit edit->editingFinished();
}

class DesignerTest : public ::testing::Test {
  protected:
    DesignerTest() : FMessagesInstalled(FMessages) {}

    // Three people; the session's order is by last name.
    void OpenPeople()
    {
        const std::string path = DataDirectory() + "people.DBF";
        MakeAddressFile(path, {{{"LNAME", "Adams"},
                                {"FNAME", "Ann"},
                                {"STREET", "1 Elm St"},
                                {"CITY", "Albany"},
                                {"STATE", "NY"},
                                {"ZIP", "12207"}},
                               {{"LNAME", "Baker"},
                                {"FNAME", "Bob"},
                                {"STREET", "2 Oak St"},
                                {"CITY", "Boston"},
                                {"STATE", "MA"},
                                {"ZIP", "02110"}},
                               {{"LNAME", "Clark"},
                                {"FNAME", "Cy"},
                                {"STREET", "3 Pine St"},
                                {"CITY", "Chicago"},
                                {"STATE", "IL"},
                                {"ZIP", "60601"}}});
        ASSERT_TRUE(FSession.OpenCVWDBF(path));
    }

    // The built catalogue in the scratch sysdata; false when this build has none.
    bool InstallCatalogue()
    {
#ifdef CORVANE_BUILD_SYSDATA
        namespace fs = std::filesystem;
        const fs::path built = CORVANE_BUILD_SYSDATA;
        for (const char* name : {"LBLTPL.DBF", "LBLTPL.CDX"})
            fs::copy_file(built / name, fs::path(SystemDataDirectory()) / name,
                          fs::copy_options::overwrite_existing);
        return true;
#else
        return false;
#endif
    }

    ScratchHome FHome;
    RecordingMessageService FMessages;
    ScopedMessageService FMessagesInstalled;
    AddressSession FSession;
    // What the designer gets of the session: the view the hand-over lends.
    const ToolWindowView FView = AddressSessionProbe::View(FSession);
};

// Answers modal dialogs in turn: each function gets the next dialog and returns its answer.
class DialogScript {
  public:
    explicit DialogScript(std::vector<std::function<int(QDialog&)>> steps)
        : FSteps(std::move(steps)), FRunner([this](QDialog& dialog) {
              if (FNext >= FSteps.size()) {
                  ADD_FAILURE() << "unexpected dialog " << dialog.windowTitle().toStdString();
                  return static_cast<int>(QDialog::Rejected);
              }
              FTitles.push_back(dialog.windowTitle().toStdString());
              return FSteps[FNext++](dialog);
          })
    {
    }
    const std::vector<std::string>& Titles() const { return FTitles; }

  private:
    std::vector<std::function<int(QDialog&)>> FSteps;
    size_t FNext = 0;
    std::vector<std::string> FTitles;
    ScopedDialogRunner FRunner;
};

} // namespace corvane::testing

namespace corvane::testing {

// The named buttons, edits, lists and grids of a window that have no "What's this?" text.
inline QStringList UnexplainedControls(const QWidget& window)
{
    QStringList missing;
    for (QWidget* control : window.findChildren<QWidget*>()) {
        const QString name = control->objectName();
        const bool interactive = qobject_cast<QAbstractButton*>(control) ||
                                 qobject_cast<QLineEdit*>(control) || qobject_cast<QComboBox*>(control) ||
                                 qobject_cast<QAbstractItemView*>(control) ||
                                 qobject_cast<QAbstractSpinBox*>(control);
        bool inner = false;
        for (QWidget* parent = control->parentWidget(); parent && parent != &window;
             parent = parent->parentWidget())
            inner = inner || qobject_cast<QComboBox*>(parent) || qobject_cast<QAbstractItemView*>(parent) ||
                    qobject_cast<QAbstractSpinBox*>(parent);
        if (!interactive || inner || name.startsWith("qt_") || name == "MouseHelpButton")
            continue;
        if (name.isEmpty() || control->whatsThis().isEmpty())
            missing << (name.isEmpty() ? control->metaObject()->className() : name);
    }
    return missing;
}

} // namespace corvane::testing

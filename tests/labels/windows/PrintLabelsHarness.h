#pragma once
// The "Print Labels" window on a small address file: a scratch program directory, recorded
// messages, a printer engine whose only printer is the built-in PDF printer (its file name
// given by the test), setups made through the setup store, and a driver that answers the modal
// windows a command opens (position dialog, status window, preview, designer) by object name.

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QTimer>

#include "core/SystemTables.h"
#include "labels/LabelSetupStore.h"
#include "labels/windows/TLabelSetupScreen.h"
#include "layout/ComponentOwner.h"
#include "layout/ElementClassRegistry.h"
#include "layout/TGLabelPanel.h"
#include "platform/MessageService.h"
#include "platform/ProgramDirectory.h"
#include "printing/PrintEngine.h"
#include "printing/PrinterList.h"
#include "session/AddressSession.h"
#include "support/AddressSessionProbe.h"
#include "support/AddressTableFixture.h"
#include "support/ModalDriver.h"
#include "support/ScratchHome.h"

namespace corvane::testing {

class PrintLabelsTest : public ::testing::Test {
  protected:
    PrintLabelsTest()
    {
        FEngine.SetPdfFileNameAsker([this](QWidget*, const QString&) { return FPdfPath; });
        FRegistry.RegisterAll();
        FLayout.SetRegistry(FRegistry);
    }

    // `count` people numbered from 1 (last names "Person 01", ...; ZIP 10001, 10002, ...).
    void OpenPeople(int count)
    {
        std::vector<Person> people;
        for (int i = 1; i <= count; ++i) {
            const std::string number = (i < 10 ? "0" : "") + std::to_string(i);
            people.push_back({{"LNAME", "Person " + number},
                              {"FNAME", "Pat"},
                              {"STREET", number + " Main Street"},
                              {"CITY", "Albany"},
                              {"STATE", "NY"},
                              {"ZIP", std::to_string(10000 + i)}});
        }
        FAddressPath = DataDirectory() + "people.DBF";
        MakeAddressFile(FAddressPath, people);
        ASSERT_TRUE(FSession.OpenCVWDBF(FAddressPath));
    }

    // A setup on the default stock (or as `change` makes it) whose layout is an address block
    // filling the label; returns its layout file.
    std::string AddSetup(const QString& description, const std::function<void(LabelSetup&)>& change = {})
    {
        xbase::Table table;
        EXPECT_TRUE(OpenLabelTable(table));
        LabelSetupStore store(table);
        LabelSetup setup = LabelSetup::NewSetupDefaults();
        setup.Description = description;
        if (change)
            change(setup);
        auto name = store.NextBinaryName();
        EXPECT_TRUE(name) << name.Message();
        setup.LayoutFileName = QString::fromStdString(*name);
        FLayout.ClearElements();
        AddAddressBlockFillingLabel(FLayout, setup);
        Status saved = store.SaveSetup(setup, FLayout, true);
        EXPECT_TRUE(saved) << saved.Message();
        EXPECT_TRUE(table.Close());
        return SystemDataDirectory() + *name;
    }

    std::unique_ptr<TLabelSetupScreen> OpenWindow(const ScopeChoices& scope = {})
    {
        // The view the hand-over would lend, with `scope` as its offer for "Records matching filter".
        const ToolWindowView& view = FViews.emplace_back(AddressSessionProbe::View(FSession, scope));
        auto window = std::make_unique<TLabelSetupScreen>(view, FEngine);
        window->FormActivate();
        return window;
    }

    // The position dialog's "Ok".
    static ModalDriver::Handler AcceptPositions()
    {
        return [](QWidget* window) {
            QMetaObject::invokeMethod(window, "accept");
            return true;
        };
    }
    // The status window's "Ok" once the run has ended (a completed preview closes by itself).
    static ModalDriver::Handler CloseWhenFinished(QString* statusText = nullptr)
    {
        return [statusText](QWidget* window) {
            auto* status = static_cast<PrintStatusWindow*>(window);
            if (!status->Finished())
                return false;
            if (statusText)
                *statusText = status->StatusText();
            status->ButtonClick();
            return true;
        };
    }

    ScratchHome FHome;
    RecordingMessageService FMessages;
    ScopedMessageService FInstalled{FMessages};
    AddressSession FSession;
    std::deque<ToolWindowView> FViews; // each outlives the window it was lent to
    PrintEngine FEngine{std::make_unique<PdfOnlyPrinters>()};
    QString FPdfPath = QString::fromStdString(FHome.File("labels.pdf"));
    std::string FAddressPath;
    ComponentOwner FOwner;
    ElementClassRegistry FRegistry;
    TGLabelPanel FLayout{FOwner};
};

// The pages of a PDF file as its page objects count them.
inline int PdfPageCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.readAll();
    int pages = 0;
    for (qsizetype at = bytes.indexOf("/Type /Page"); at >= 0; at = bytes.indexOf("/Type /Page", at + 1)) {
        if (at + 11 >= bytes.size() || bytes[at + 11] != 's')
            ++pages;
    }
    return pages;
}

} // namespace corvane::testing

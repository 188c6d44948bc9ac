#pragma once
// A label run without a printer: an address file of numbered people in a scratch program
// directory, a setup whose layout is one data label showing the last name at the label's corner,
// and pages recorded as primitives in inches, so each printed label reads back as (page, origin,
// text).

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/FieldCatalogue.h"
#include "labels/LabelRun.h"
#include "labels/LabelSetup.h"
#include "layout/ComponentOwner.h"
#include "layout/ElementClassRegistry.h"
#include "layout/RecordingSurface.h"
#include "layout/TGLabelPanel.h"
#include "layout/TGPDLabel.h"
#include "platform/ProgramDirectory.h"
#include "support/AddressTableFixture.h"
#include "support/RecordedPages.h"
#include "support/ScratchHome.h"

namespace corvane::testing {

// One label as drawn: the stretched drawing's corner and the first text in it.
struct PrintedLabel {
    int Page = 0; // from 1
    QPointF Origin;
    std::string Text;
    QPointF TextOrigin;
    QRectF TextClip;
    QFont Font;
};

inline std::vector<PrintedLabel> PrintedLabels(const RecordedPages& pages)
{
    std::vector<PrintedLabel> labels;
    for (int page = 0; page < pages.PageCount(); ++page) {
        const auto& primitives = pages.Page(page).Primitives();
        for (size_t i = 0; i < primitives.size(); ++i) {
            if (primitives[i].Kind != PrimitiveKind::Drawing)
                continue;
            PrintedLabel label{page + 1, primitives[i].Rect.topLeft(), {}, {}, {}, {}};
            for (size_t j = i + 1; j < primitives.size() && primitives[j].Kind != PrimitiveKind::Drawing;
                 ++j) {
                if (primitives[j].Kind == PrimitiveKind::Text) {
                    label.Text = primitives[j].Text.toStdString();
                    label.TextOrigin = primitives[j].From;
                    label.TextClip = primitives[j].Rect;
                    label.Font = primitives[j].Font;
                    break;
                }
            }
            labels.push_back(label);
        }
    }
    return labels;
}

inline std::vector<std::string> Texts(const std::vector<PrintedLabel>& labels)
{
    std::vector<std::string> texts;
    for (const PrintedLabel& label : labels)
        texts.push_back(label.Text);
    return texts;
}

// "P001", "P002", ...: the last names the harness gives its people.
inline std::string PersonName(int number)
{
    char name[16];
    std::snprintf(name, sizeof name, "P%03d", number);
    return name;
}

class LabelRunTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ElementClassRegistry::Shared().RegisterAll();
        FPanel.SetRegistry(ElementClassRegistry::Shared());
    }

    // An address file of `count` people named P001..., each with the ZIP zips[i] when given.
    void OpenPeople(int count, const std::vector<std::string>& zips = {})
    {
        std::vector<Person> people;
        for (int i = 1; i <= count; ++i) {
            Person person{{"LNAME", PersonName(i)}};
            if (static_cast<size_t>(i - 1) < zips.size())
                person["ZIP"] = zips[static_cast<size_t>(i - 1)];
            people.push_back(person);
        }
        FPath = FHome.File("people.dbf");
        MakeAddressFile(FPath, people);
        ASSERT_TRUE(FTable.Open(FPath));
        ASSERT_TRUE(FTable.SetQuery("!ISDEL"));
        ASSERT_TRUE(FCatalogue.TakeFileWidths(FTable));
    }

    // The layout file: one data label with the last name at the label's top-left corner.
    std::string WriteLayout(const std::string& name = "BIN00001.L")
    {
        ComponentOwner owner;
        TGLabelPanel panel(owner);
        panel.SetRegistry(ElementClassRegistry::Shared());
        auto label = std::make_unique<TGPDLabel>();
        label->SetDataFieldDescript("Last Name");
        label->SetDataFieldName("LNAME");
        label->BuildMenu();
        panel.InsertElement(std::move(label)).SetBounds({0, 0, 120, 20});
        const std::string path = SystemDataDirectory() + name;
        EXPECT_TRUE(panel.SaveToFile(path));
        return path;
    }

    // Prepares and runs; the run's table state is put back before returning.
    LabelRunResult Run(const LabelRunSettings& settings, RecordedPages& pages, const LabelSetup& setup = {},
                       const std::function<void(LabelRun&, int)>& afterRecord = {})
    {
        LabelRun run(FTable, FCatalogue, FPanel, setup, settings, FLayoutPath);
        if (afterRecord)
            run.AfterRecord = [&](int page) { afterRecord(run, page); };
        if (!run.Prepare(FPresortStep)) {
            LabelRunResult refused;
            refused.Outcome = LabelRunOutcome::Failed;
            refused.Message = "not prepared";
            return refused;
        }
        LabelRunResult result = run.PrintLabels(pages);
        EXPECT_TRUE(run.Restore());
        FPresortDone = run.PresortDone();
        return result;
    }

    ScratchHome FHome;
    std::string FPath;
    xbase::Table FTable;
    FieldCatalogue FCatalogue;
    ComponentOwner FOwner;
    TGLabelPanel FPanel{FOwner};
    std::string FLayoutPath;
    bool FPresortDone = false;
    LabelPresortStep FPresortStep = PresortWithoutWindow;
};

} // namespace corvane::testing

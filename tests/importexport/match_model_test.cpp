// The match model both match windows use: rows, moves, type rules and the automatic match.

#include <gtest/gtest.h>

#include "core/FieldCatalogue.h"
#include "importexport/MatchModel.h"

namespace corvane {
namespace {

std::vector<std::string> Labels(const std::vector<MatchTarget>& targets)
{
    std::vector<std::string> labels;
    for (const auto& target : targets)
        labels.push_back(target.Label);
    return labels;
}

TEST(MatchModel, OffersStoredFieldsOnlyWithDateStandingForDate)
{
    FieldCatalogue catalogue;
    const auto ascii = MatchModel::AsciiTargets(catalogue);
    const auto labels = Labels(ascii);
    EXPECT_EQ(std::count(labels.begin(), labels.end(), "Tagged"), 0);
    EXPECT_EQ(labels.front(), "Last Name");
    ASSERT_NE(std::find(labels.begin(), labels.end(), "Date"), labels.end());
    const auto date = *std::find_if(ascii.begin(), ascii.end(), [](auto& t) { return t.Label == "Date"; });
    EXPECT_EQ(date.FieldName, "DATE");
    EXPECT_EQ(labels.size(), 20u); // 19 visible stored text fields and Date
    const auto dbf = Labels(MatchModel::DbfTargets(catalogue));
    EXPECT_EQ(dbf.size(), 21u);
    EXPECT_NE(std::find(dbf.begin(), dbf.end(), "MEMO"), dbf.end());
}

TEST(MatchModel, AColumnFeedsOneRowAndClearsAsAsked)
{
    FieldCatalogue catalogue;
    MatchModel model(MatchModel::AsciiTargets(catalogue),
                     {{"Field 1", SourceKind::Text}, {"Field 2", SourceKind::Text}});
    const auto last = static_cast<std::size_t>(model.RowOfLabel("last name"));
    const auto first = static_cast<std::size_t>(model.RowOfLabel("First Name"));
    EXPECT_FALSE(model.AnyMatched());
    ASSERT_TRUE(model.Choose(last, 1));
    ASSERT_TRUE(model.Choose(first, 1)); // moves: the first row becomes empty
    EXPECT_EQ(model.SourceOf(last), std::nullopt);
    EXPECT_EQ(model.SourceName(first), "Field 2");
    EXPECT_EQ(model.RowOf(1), first);
    ASSERT_TRUE(model.Choose(last, 0));
    ASSERT_TRUE(model.Choose(first, std::nullopt)); // "(none)"
    EXPECT_EQ(model.SourceOf(first), std::nullopt);
    EXPECT_TRUE(model.AnyMatched());
    model.ClearAll();
    EXPECT_FALSE(model.AnyMatched());
}

TEST(MatchModel, TypeRulesDecideWhatARowOffers)
{
    FieldCatalogue catalogue;
    MatchModel model(MatchModel::DbfTargets(catalogue), {{"NAME", SourceKind::Character},
                                                         {"ACTIVE", SourceKind::Logical},
                                                         {"BORN", SourceKind::Date},
                                                         {"NOTES", SourceKind::Memo},
                                                         {"PICTURE", SourceKind::Other},
                                                         {"AMOUNT", SourceKind::Numeric}});
    const auto row = [&](const char* label) { return static_cast<std::size_t>(model.RowOfLabel(label)); };
    EXPECT_EQ(model.Choices(row("MEMO")), (std::vector<std::size_t>{3}));
    EXPECT_EQ(model.Choices(row("Date")), (std::vector<std::size_t>{2}));
    EXPECT_EQ(model.Choices(row("Codes")), (std::vector<std::size_t>{0, 1, 2, 5}));
    EXPECT_FALSE(model.Choose(row("Codes"), 3));
    EXPECT_FALSE(model.Choose(row("Codes"), 4));
    EXPECT_TRUE(model.Choose(row("Codes"), 1)); // a logical by hand into a character field
}

TEST(MatchModel, AutoMatchByNameOrLabelFirstMemoOnlyAndNeverTagged)
{
    FieldCatalogue catalogue;
    MatchModel model(MatchModel::DbfTargets(catalogue), {{"LNAME", SourceKind::Character},
                                                         {"fname", SourceKind::Character},
                                                         {"TAGGED", SourceKind::Logical},
                                                         {"NOTES", SourceKind::Memo},
                                                         {"MEMO2", SourceKind::Memo},
                                                         {"ZIP", SourceKind::Character},
                                                         {"Zip/Postal Code", SourceKind::Character},
                                                         {"DATE", SourceKind::Character},
                                                         {"CITY", SourceKind::Other}});
    model.ClearAll();
    model.AutoMatch();
    auto label = [&](std::size_t source) {
        auto row = model.RowOf(source);
        return row ? model.Targets()[*row].Label : std::string("-");
    };
    EXPECT_EQ(label(0), "Last Name");
    EXPECT_EQ(label(1), "First Name");
    EXPECT_EQ(label(2), "-"); // no row "Tagged" to write to
    EXPECT_EQ(label(3), "MEMO");
    EXPECT_EQ(label(4), "-"); // the memo row is taken
    EXPECT_EQ(label(5), "Zip/Postal Code");
    EXPECT_EQ(label(6), "-"); // taken by ZIP before it
    EXPECT_EQ(label(7), "-"); // a character DATE cannot feed the date row
    EXPECT_EQ(label(8), "-");
}

} // namespace
} // namespace corvane

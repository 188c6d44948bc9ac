#include "platform/xbase/Expression.h"

#include <gtest/gtest.h>

#include <string>

#include "FakeRecordSource.h"

namespace xbase {
namespace {

using testing::FakeRecordSource;

// One record with a field of every kind; cp1252 bytes (0xFC is u-umlaut).
FakeRecordSource MakeRecord()
{
    FakeRecordSource record;
    record.Add("NAME", 'C', 10, "M\xFCller")
        .Add("CITY", 'C', 12, "Springfield")
        .Add("STATE", 'C', 20, "MA")
        .Add("LNAME", 'C', 20, "Smith")
        .Add("FNAME", 'C', 15, "John")
        .Add("ZIP", 'C', 10, "02134-1234")
        .Add("STREET", 'C', 30, "")
        .Add("AMOUNT", 'N', 8, "   12.50", 2)
        .Add("COUNT", 'N', 5, "")
        .Add("ACTIVE", 'L', 1, "T")
        .Add("ISDEL", 'L', 1, "F")
        .Add("BORN", 'D', 8, "19970428")
        .Add("DIED", 'D', 8, "")
        .Add("NOTES", 'M', 10, "Hello memo");
    record.SetRecordNumber(7);
    return record;
}

std::string Describe(const Value& value)
{
    switch (value.Type) {
    case ValueType::Character:
        return "C \"" + value.Text + "\"";
    case ValueType::Date:
        return "D \"" + value.Text + "\"";
    case ValueType::Numeric:
        return "N " + std::to_string(value.Number);
    case ValueType::Logical:
        return value.Logical ? "L .T." : "L .F.";
    }
    return "?";
}

struct ValueCase {
    const char* Name;
    const char* Text;
    Value Expected;
    bool Exact = false;
};

class ExpressionValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(ExpressionValueTest, EvaluatesOnRecord)
{
    const ValueCase& c = GetParam();
    FakeRecordSource record = MakeRecord();
    Result<Expression> compiled = Expression::Compile(c.Text, record, CodePage::Windows1252());
    ASSERT_TRUE(compiled.Ok()) << compiled.Message();
    EXPECT_EQ(compiled->Type(), c.Expected.Type);
    Expression::Options options;
    options.Exact = c.Exact;
    Result<Value> value = compiled->Evaluate(record, options);
    ASSERT_TRUE(value.Ok()) << value.Message();
    EXPECT_EQ(Describe(*value), Describe(c.Expected)) << c.Text;
    if (c.Expected.Type == ValueType::Logical) {
        Result<bool> truth = compiled->IsTrue(record, options);
        ASSERT_TRUE(truth.Ok()) << truth.Message();
        EXPECT_EQ(*truth, c.Expected.Logical);
    }
}

Value C(const char* text)
{
    return Value::Char(text);
}
Value N(double number)
{
    return Value::Num(number);
}
Value D(const char* text)
{
    return Value::DateText(text);
}
const Value True = Value::Bool(true);
const Value False = Value::Bool(false);

// clang-format off
INSTANTIATE_TEST_SUITE_P(Fields, ExpressionValueTest, ::testing::Values(
    ValueCase{"CharacterKeepsBlanks", "NAME", C("M\xFCller    ")},
    ValueCase{"NameCaseInsensitive", "name", C("M\xFCller    ")},
    ValueCase{"AliasIgnored", "addr->Name", C("M\xFCller    ")},
    ValueCase{"NumericTrimmed", "AMOUNT", N(12.5)},
    ValueCase{"NumericBlankIsZero", "COUNT", N(0)},
    ValueCase{"LogicalAlone", "ACTIVE", True},
    ValueCase{"Date", "BORN", D("19970428")},
    ValueCase{"BlankDate", "DIED", D("        ")},
    ValueCase{"Memo", "NOTES", C("Hello memo")}),
    [](const auto& info) { return std::string(info.param.Name); });

INSTANTIATE_TEST_SUITE_P(Functions, ExpressionValueTest, ::testing::Values(
    ValueCase{"UpperAccentCp1252", "UPPER(NAME)", C("M\xDCLLER    ")},
    ValueCase{"UpperSharpSStays", "upper('straße')", C("STRA\xDF" "E")},
    ValueCase{"UpperAbbreviated", "UPPE(CITY)", C("SPRINGFIELD ")},
    ValueCase{"LeftConstant", "LEFT(ZIP,3)", C("021")},
    ValueCase{"LeftFolded", "LEFT(ZIP, 2+1)", C("021")},
    ValueCase{"LeftNegative", "LEFT(ZIP,-1)", C("")},
    ValueCase{"LeftBeyondEnd", "LEFT(ZIP,99)", C("02134-1234")},
    ValueCase{"LeftFromField", "LEFT(CITY,AMOUNT-10)", C("Sp")},
    ValueCase{"Trim", "TRIM(CITY)", C("Springfield")},
    ValueCase{"RTrim", "RTRIM(' a ')", C(" a")},
    ValueCase{"LTrim", "LTRIM('  ab ')", C("ab ")},
    ValueCase{"AllTrim", "ALLTRIM('  ab ')", C("ab")},
    ValueCase{"SubstrToEnd", "SUBSTR(ZIP,7)", C("1234")},
    ValueCase{"SubstrCount", "SUBSTR(ZIP,2,3)", C("213")},
    ValueCase{"SubstrPastEnd", "SUBSTR(ZIP,20,3)", C("")},
    ValueCase{"StrDecimals", "STR(AMOUNT,8,2)", C("   12.50")},
    ValueCase{"StrDefaultWidth", "STR(42)", C("        42")},
    ValueCase{"StrOverflow", "STR(123456,3)", C("***")},
    ValueCase{"Dtos", "DTOS(BORN)", C("19970428")},
    ValueCase{"Val", "VAL('  3.25xyz')", N(3.25)},
    ValueCase{"RecNo", "RECNO()", N(7)},
    ValueCase{"Deleted", "DELETED()", False},
    ValueCase{"EmptyBlankField", "EMPTY(STREET)", True},
    ValueCase{"EmptyText", "EMPTY(NAME)", False},
    ValueCase{"EmptyZero", "EMPTY(COUNT)", True},
    ValueCase{"EmptyNumber", "EMPTY(AMOUNT)", False},
    ValueCase{"EmptyBlankDate", "EMPTY(DIED)", True},
    ValueCase{"EmptyDate", "EMPTY(BORN)", False},
    ValueCase{"EmptyFalse", "EMPTY(.F.)", True},
    ValueCase{"EmptyLiteral", "empty(\"\")", True}),
    [](const auto& info) { return std::string(info.param.Name); });

INSTANTIATE_TEST_SUITE_P(Arithmetic, ExpressionValueTest, ::testing::Values(
    ValueCase{"Concat", "LNAME+FNAME", C("Smith               John           ")},
    ValueCase{"MinusMovesBlanks", "\"AB  \" - \"CD \"", C("ABCD   ")},
    ValueCase{"MinusFields", "LNAME-FNAME", C("SmithJohn                          ")},
    ValueCase{"BracketAndQuote", "[a\"b]+'c'", C("a\"bc")},
    ValueCase{"Sum", "1+2", N(3)},
    ValueCase{"FieldMinus", "AMOUNT-2.5", N(10)},
    ValueCase{"Negate", "-AMOUNT", N(-12.5)},
    ValueCase{"LeadingPoint", ".5+1", N(1.5)},
    ValueCase{"LeftAssociative", "10-2-3", N(5)},
    ValueCase{"FieldsLeftAssociative", "AMOUNT-AMOUNT-AMOUNT", N(-12.5)}),
    [](const auto& info) { return std::string(info.param.Name); });

INSTANTIATE_TEST_SUITE_P(Comparisons, ExpressionValueTest, ::testing::Values(
    ValueCase{"PrefixMatch", "\"Smith\" = \"Sm\"", True},
    ValueCase{"ShorterLeftFails", "\"Sm\" = \"Smith\"", False},
    ValueCase{"ShorterLeftPadded", "\"Sm\" = \"Sm  \"", True},
    ValueCase{"EmptyRightMatches", "\"abc\" = \"\"", True},
    ValueCase{"FieldPrefix", "LNAME = \"Smi\"", True},
    ValueCase{"ExactEqualPads", "\"ab\" == \"ab  \"", True},
    ValueCase{"ExactEqualNoPrefix", "\"abc\" == \"ab\"", False},
    ValueCase{"NotEqualPrefix", "\"Smith\" <> \"Sm\"", False},
    ValueCase{"HashNotEqual", "\"Smith\" # \"Sx\"", True},
    ValueCase{"BangNotEqual", "\"Smith\" != \"Sm\"", False},
    ValueCase{"Less", "\"a\" < \"b\"", True},
    ValueCase{"GreaterOverRightLength", "\"Smith\" > \"Sm\"", False},
    ValueCase{"GreaterEqualOverRightLength", "\"Smith\" >= \"Sm\"", True},
    ValueCase{"BytesUnsigned", "NAME > \"Mz\"", True},
    ValueCase{"ExactOnNoPrefix", "\"Smith\" = \"Sm\"", False, true},
    ValueCase{"ExactOnPads", "\"ab\" = \"ab  \"", True, true},
    ValueCase{"ExactOnNotEqual", "\"Smith\" <> \"Sm\"", True, true},
    ValueCase{"ExactOnField", "LNAME = \"Smith\"", True, true},
    ValueCase{"ExactOnGreater", "\"Smith\" > \"Sm\"", True, true},
    ValueCase{"NumberEqual", "AMOUNT = 12.5", True},
    ValueCase{"NumberGreater", "AMOUNT > 12", True},
    ValueCase{"NumberLessEqual", "COUNT <= 0", True},
    ValueCase{"NumberNotEqual", "2 <> 3", True},
    ValueCase{"RecnoSelects", "Recno()=7", True},
    ValueCase{"RecnoOther", "Recno()=8", False},
    ValueCase{"DateEqual", "BORN = BORN", True},
    ValueCase{"BlankDateFirst", "BORN > DIED", True},
    ValueCase{"DtosPrefix", "DTOS(BORN) = \"1997\"", True},
    ValueCase{"LogicalEqual", "ACTIVE = .T.", True},
    ValueCase{"LogicalNotEqual", "ACTIVE <> .F.", True},
    ValueCase{"YesNo", ".Y. = .T. .and. .n. = .f.", True},
    ValueCase{"Contains", "\"ll\" $ NAME", True},
    ValueCase{"ContainsMiss", "\"X\" $ NAME", False},
    ValueCase{"EmptyContainsNothing", "\"\" $ NAME", False},
    ValueCase{"ContainsUpper", "\"JOHN\" $ UPPER(FNAME)", True}),
    [](const auto& info) { return std::string(info.param.Name); });

INSTANTIATE_TEST_SUITE_P(Logic, ExpressionValueTest, ::testing::Values(
    ValueCase{"And", ".T. .AND. .F.", False},
    ValueCase{"Or", ".T. .or. .F.", True},
    ValueCase{"DottedNot", ".NOT. .T.", False},
    ValueCase{"Bang", "!ISDEL", True},
    ValueCase{"WordNot", "NOT ISDEL", True},
    ValueCase{"WordsWithoutDots", "not .f. and ACTIVE", True},
    ValueCase{"MixedCaseDots", "ACTIVE .AnD. !ISDEL", True},
    ValueCase{"AndBeforeOr", ".T. OR .F. AND .F.", True},
    ValueCase{"NotBeforeOr", "!.T. .OR. .T.", True},
    ValueCase{"NotAfterComparison", "!1 = 2", True},
    ValueCase{"PlusBeforeComparison", "1 + 1 = 2", True},
    ValueCase{"ComparisonBeforeAnd", "1 = 1 .and. 2 = 2", True},
    ValueCase{"NotAsOperand", ".F. = !.T.", True},
    ValueCase{"Parentheses", "!(.T. .and. .F.)", True},
    ValueCase{"FilterQuery", "UPPER(CITY+STATE)=\"SPRINGFIELD\".and. !ISDEL", True},
    ValueCase{"ForExpression", "TRIM(UPPER(city))==\"SPRINGFIELD\"", True},
    ValueCase{"FilterReverse", "(!((UPPER(LNAME)=\"SM\").or.(UPPER(LNAME)=\"X\"))) .and. !ISDEL", False}),
    [](const auto& info) { return std::string(info.param.Name); });
// clang-format on

TEST(ExpressionTest, DeletedAndRecordChangeBetweenEvaluations)
{
    FakeRecordSource record = MakeRecord();
    Result<Expression> compiled = Expression::Compile("UPPER(NAME+CITY)", record, CodePage::Windows1252());
    ASSERT_TRUE(compiled.Ok()) << compiled.Message();
    Result<Value> first = compiled->Evaluate(record);
    record.Set("NAME", "ab");
    record.Set("CITY", "x");
    Result<Value> second = compiled->Evaluate(record);
    ASSERT_TRUE(first.Ok() && second.Ok());
    EXPECT_EQ(first->Text, "M\xDCLLER    SPRINGFIELD ");
    EXPECT_EQ(second->Text, "AB        X           ");

    Result<Expression> deleted = Expression::Compile("DELETED()", record, CodePage::Windows1252());
    ASSERT_TRUE(deleted.Ok());
    record.SetDeleted(true);
    Result<bool> truth = deleted->IsTrue(record, {});
    ASSERT_TRUE(truth.Ok());
    EXPECT_TRUE(*truth);
}

TEST(ExpressionTest, NonLogicalConditionIsAnError)
{
    FakeRecordSource record = MakeRecord();
    Result<Expression> compiled = Expression::Compile("UPPER(NAME)", record, CodePage::Windows1252());
    ASSERT_TRUE(compiled.Ok());
    Result<bool> truth = compiled->IsTrue(record, {});
    ASSERT_FALSE(truth.Ok());
    EXPECT_NE(truth.Message().find("UPPER(NAME)"), std::string::npos) << truth.Message();
}

TEST(ExpressionTest, UncompiledExpressionGivesError)
{
    FakeRecordSource record = MakeRecord();
    Expression empty;
    EXPECT_FALSE(empty.Evaluate(record).Ok());
    EXPECT_FALSE(empty.IsTrue(record, {}).Ok());
}

struct WidthCase {
    const char* Name;
    const char* Text;
    ValueType Type;
    int Width;
};

class ExpressionWidthTest : public ::testing::TestWithParam<WidthCase> {};

TEST_P(ExpressionWidthTest, StaticWidth)
{
    const WidthCase& c = GetParam();
    FakeRecordSource record = MakeRecord();
    Result<Expression> compiled = Expression::Compile(c.Text, record, CodePage::Windows1252());
    ASSERT_TRUE(compiled.Ok()) << compiled.Message();
    EXPECT_EQ(compiled->Type(), c.Type);
    EXPECT_EQ(compiled->ResultWidth(), c.Width);
    // On a blank record a character key is exactly as wide as its static width.
    if (c.Type == ValueType::Character) {
        FakeRecordSource blank = MakeRecord();
        for (const char* field : {"NAME", "CITY", "STATE", "LNAME", "FNAME", "ZIP", "AMOUNT", "BORN"})
            blank.Set(field, "");
        Result<Value> value = compiled->Evaluate(blank);
        ASSERT_TRUE(value.Ok());
        std::string text = c.Text;
        bool fixedWidth = text.find("TRIM") == std::string::npos && text.find("NOTES") == std::string::npos;
        if (fixedWidth) {
            EXPECT_EQ(static_cast<int>(value->Text.size()), c.Width);
        }
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Keys, ExpressionWidthTest, ::testing::Values(
    WidthCase{"UpperPlusUpper", "UPPER(LNAME)+UPPER(FNAME)", ValueType::Character, 35},
    WidthCase{"UpperOfMinus", "UPPER(LNAME-FNAME)", ValueType::Character, 35},
    WidthCase{"LeftConstant", "LEFT(ZIP,3)", ValueType::Character, 3},
    WidthCase{"LeftLongerThanSource", "LEFT(ZIP,30)", ValueType::Character, 10},
    WidthCase{"CityState", "UPPER(CITY+STATE)", ValueType::Character, 32},
    WidthCase{"Deleted", "DELETED()", ValueType::Logical, 1},
    WidthCase{"NotIsdel", "!ISDEL", ValueType::Logical, 1},
    WidthCase{"Recno", "RECNO()", ValueType::Numeric, 8},
    WidthCase{"NumericField", "AMOUNT", ValueType::Numeric, 8},
    WidthCase{"DateField", "BORN", ValueType::Date, 8},
    WidthCase{"Memo", "NOTES", ValueType::Character, 10},
    WidthCase{"TrimKeepsSource", "TRIM(CITY)", ValueType::Character, 12},
    WidthCase{"AccentedLiteral", "'\xC3\xBC'", ValueType::Character, 1},
    WidthCase{"Dtos", "DTOS(BORN)", ValueType::Character, 8},
    WidthCase{"StrWidth", "STR(AMOUNT,8,2)", ValueType::Character, 8},
    WidthCase{"StrDefault", "STR(AMOUNT)", ValueType::Character, 10},
    WidthCase{"SubstrRest", "SUBSTR(ZIP,7)", ValueType::Character, 4},
    WidthCase{"SubstrCount", "SUBSTR(ZIP,2,3)", ValueType::Character, 3}),
    [](const auto& info) { return std::string(info.param.Name); });
// clang-format on

struct ErrorCase {
    const char* Name;
    std::string Text;
    const char* Problem; // part of the message
};

class ExpressionErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ExpressionErrorTest, CompileFailsNamingProblemAndExpression)
{
    const ErrorCase& c = GetParam();
    FakeRecordSource record = MakeRecord();
    Result<Expression> compiled = Expression::Compile(c.Text, record, CodePage::Windows1252());
    ASSERT_FALSE(compiled.Ok()) << c.Text;
    EXPECT_NE(compiled.Message().find(c.Problem), std::string::npos) << compiled.Message();
    EXPECT_NE(compiled.Message().find("\"" + c.Text + "\""), std::string::npos) << compiled.Message();
}

std::string Repeat(const std::string& part, int count)
{
    std::string result;
    for (int k = 0; k < count; ++k)
        result += part;
    return result;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Syntax, ExpressionErrorTest, ::testing::Values(
    ErrorCase{"Empty", "", "empty expression"},
    ErrorCase{"Blank", "   ", "empty expression"},
    ErrorCase{"MissingClose", "(NAME", "missing ')'"},
    ErrorCase{"ExtraClose", "NAME)", "unbalanced ')'"},
    ErrorCase{"TrailingGarbage", "NAME NAME", "unexpected 'NAME'"},
    ErrorCase{"UnterminatedQuote", "\"abc", "unterminated string"},
    ErrorCase{"UnterminatedBracket", "UPPER([abc)", "unterminated string"},
    ErrorCase{"DanglingOperator", "1 +", "ends where an operand"},
    ErrorCase{"UnknownDotted", "ACTIVE .XOR. ACTIVE", "unknown operator"},
    ErrorCase{"StrayCharacter", "NAME @ 1", "unexpected character '@'"},
    ErrorCase{"MissingComma", "LEFT(ZIP 3)", "missing ')'"},
    ErrorCase{"DeepParentheses", Repeat("(", 300) + "1" + Repeat(")", 300), "nested more than 200"},
    ErrorCase{"DeepNot", Repeat("!", 300) + "ACTIVE", "nested more than 200"},
    ErrorCase{"DeepCalls", Repeat("UPPER(", 300) + "NAME" + Repeat(")", 300), "nested more than 200"},
    ErrorCase{"LongChain", "AMOUNT" + Repeat("+AMOUNT", 1100), "operations deep"}),
    [](const auto& info) { return std::string(info.param.Name); });

INSTANTIATE_TEST_SUITE_P(Names, ExpressionErrorTest, ::testing::Values(
    ErrorCase{"UnknownField", "NOSUCH", "unknown field NOSUCH"},
    ErrorCase{"UnknownFunction", "FOO(1)", "unknown function FOO()"},
    ErrorCase{"TooFewArguments", "LEFT(\"a\")", "LEFT() takes 2 arguments, not 1"},
    ErrorCase{"TooManyArguments", "DELETED(1)", "DELETED() takes 0 arguments, not 1"},
    ErrorCase{"UnmappableLiteral", "NAME = \"\xE4\xB8\xAD\"", "cannot be stored"}),
    [](const auto& info) { return std::string(info.param.Name); });

INSTANTIATE_TEST_SUITE_P(Types, ExpressionErrorTest, ::testing::Values(
    ErrorCase{"StringPlusNumber", "\"A\" + 1", "+ needs two character or two numeric operands"},
    ErrorCase{"DatePlusNumber", "BORN + 1", "not date and numeric"},
    ErrorCase{"NotOfString", "NOT \"x\"", ".NOT. needs a logical operand"},
    ErrorCase{"UpperOfNumber", "UPPER(1)", "UPPER() needs a character argument, not numeric"},
    ErrorCase{"LeftCountString", "LEFT(\"a\",\"b\")", "LEFT() needs a numeric second argument"},
    ErrorCase{"DtosOfText", "DTOS(NAME)", "DTOS() needs a date"},
    ErrorCase{"NegateString", "-NAME", "unary - needs a numeric operand"},
    ErrorCase{"CompareMixed", "NAME = 1", "cannot compare character with numeric"},
    ErrorCase{"OrderLogicals", ".T. < .F.", "logical values cannot be compared with <"},
    ErrorCase{"ContainsNumber", "1 $ NAME", "$ needs character operands"},
    ErrorCase{"AndNumber", "ACTIVE .AND. 1", ".AND. needs logical operands"},
    ErrorCase{"OrString", "NAME .OR. ACTIVE", ".OR. needs logical operands"}),
    [](const auto& info) { return std::string(info.param.Name); });
// clang-format on

} // namespace
} // namespace xbase

#include "Expression.h"
#include "AsciiCase.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <exception>
#include <initializer_list>

// An expression compiles to a flat vector of nodes that refer to their operands by index. Every
// node has a static type fixed at compile time, so evaluation is three switch-driven walks
// (text, number, logical) without type tests or virtual calls. Text results are views: field
// bytes and literals are returned in place, LEFT/TRIM/SUBSTR narrow their operand's view, and
// only nodes that build new text (UPPER, +, -, STR, memo) fill a scratch string owned by the
// node, which keeps its capacity from one record to the next.

namespace xbase {

namespace {

constexpr int MaxNesting = 200;    // parentheses, calls and prefix operators inside each other
constexpr int MaxTreeDepth = 1000; // evaluation recursion, e.g. a very long chain of .and.
constexpr int MaxFieldWidth = 65535;
constexpr int MaxWidth = 1 << 20; // widths saturate here instead of overflowing
constexpr int MaxStrLength = 255;
constexpr int DefaultStrLength = 10;

enum class Op : uint8_t {
    // Character or date results.
    Literal,
    CharField,
    DateField,
    MemoField,
    Upper,
    Concat,
    ConcatMoveBlanks,
    Left,
    RTrim,
    LTrim,
    AllTrim,
    Substr,
    Str,
    Dtos,
    // Numeric results.
    NumberLiteral,
    NumberField,
    RecNo,
    Add,
    Subtract,
    Negate,
    Val,
    // Logical results.
    BoolLiteral,
    LogicalField,
    Deleted,
    Empty,
    Not,
    And,
    Or,
    Compare,
    Contains,
};

enum class CmpOp : uint8_t { Equal, ExactEqual, NotEqual, Less, LessEqual, Greater, GreaterEqual };

struct ExprNode {
    Op Kind = Op::BoolLiteral;
    ValueType Type = ValueType::Logical;
    CmpOp Cmp = CmpOp::Equal;
    bool Logical = false;
    int Width = 0; // static width of a character result
    int Depth = 1;
    int Field = -1;
    int A = -1, B = -1, C = -1; // operands
    double Number = 0;
    std::string Text; // literal bytes
    mutable std::string Scratch;
};

const char* TypeName(ValueType type)
{
    switch (type) {
    case ValueType::Character:
        return "character";
    case ValueType::Numeric:
        return "numeric";
    case ValueType::Logical:
        return "logical";
    case ValueType::Date:
        return "date";
    }
    return "unknown";
}

int SaturatedAdd(int a, int b)
{
    return std::min(MaxWidth, a + b);
}

// A count from a number: truncated toward zero, negative and NaN as 0, huge values capped (the
// caller caps again by the text length), so no out-of-range conversion can happen.
size_t ToCount(double value)
{
    if (!(value > 0))
        return 0;
    if (value >= 1e9)
        return 1000000000;
    return static_cast<size_t>(value);
}

// The number at the start of `text` after leading blanks, as VAL() and numeric fields read it;
// no number (blank, "*****" overflow marks, garbage) reads as 0.
double ParseLeadingNumber(std::string_view text)
{
    size_t begin = 0;
    while (begin < text.size() && (text[begin] == ' ' || text[begin] == '\t'))
        ++begin;
    text.remove_prefix(begin);
    if (!text.empty() && text[0] == '+')
        text.remove_prefix(1);
    if (text.empty())
        return 0;
    char first = text[0] == '-' && text.size() > 1 ? text[1] : text[0];
    if (!(first == '.' || (first >= '0' && first <= '9')))
        return 0; // from_chars would also take "inf" and "nan"
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || !std::isfinite(value))
        return 0;
    return value;
}

bool IsBlankByte(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view TrimRight(std::string_view text)
{
    size_t end = text.size();
    while (end > 0 && text[end - 1] == ' ')
        --end;
    return text.substr(0, end);
}

std::string_view TrimLeft(std::string_view text)
{
    size_t begin = 0;
    while (begin < text.size() && text[begin] == ' ')
        ++begin;
    return text.substr(begin);
}

// xBase string comparison over code-page bytes. Exact: the shorter operand counts as padded
// with blanks. Not exact: only as many characters as the right operand has take part (the left
// operand, if shorter, again counts as padded with blanks).
int CompareText(std::string_view left, std::string_view right, bool exact)
{
    size_t limit = exact ? std::max(left.size(), right.size()) : right.size();
    size_t common = std::min({left.size(), right.size(), limit});
    if (common > 0) {
        int c = std::memcmp(left.data(), right.data(), common);
        if (c != 0)
            return c < 0 ? -1 : 1;
    }
    for (size_t k = common; k < limit; ++k) {
        auto a = static_cast<unsigned char>(k < left.size() ? left[k] : ' ');
        auto b = static_cast<unsigned char>(k < right.size() ? right[k] : ' ');
        if (a != b)
            return a < b ? -1 : 1;
    }
    return 0;
}

bool CompareResult(CmpOp op, int order)
{
    switch (op) {
    case CmpOp::Equal:
    case CmpOp::ExactEqual:
        return order == 0;
    case CmpOp::NotEqual:
        return order != 0;
    case CmpOp::Less:
        return order < 0;
    case CmpOp::LessEqual:
        return order <= 0;
    case CmpOp::Greater:
        return order > 0;
    case CmpOp::GreaterEqual:
        return order >= 0;
    }
    return false;
}

void FormatStr(double value, size_t length, size_t decimals, std::string& out)
{
    out.assign(length, '*');
    if (!std::isfinite(value) || std::fabs(value) >= 1e18)
        return;
    if (value == 0)
        value = 0; // no "-0"
    char buffer[64];
    int n = std::snprintf(buffer, sizeof buffer, "%.*f", static_cast<int>(decimals), value);
    if (n <= 0 || static_cast<size_t>(n) > length)
        return;
    std::fill(out.begin(), out.end() - n, ' ');
    std::memcpy(out.data() + (length - n), buffer, static_cast<size_t>(n));
}

size_t StrLength(double value)
{
    return std::clamp<size_t>(ToCount(value), 1, MaxStrLength);
}
size_t StrDecimals(double value, size_t length)
{
    return std::min<size_t>({ToCount(value), length > 2 ? length - 2 : 0, 15});
}

// ---------------------------------------------------------------------------------------------
// Evaluation

class Evaluator {
  public:
    Evaluator(const std::vector<ExprNode>& nodes, const std::array<uint8_t, 256>& upper,
              const RecordSource& record, bool exact)
        : FNodes(nodes.data()), FUpper(upper), FRecord(record), FExact(exact)
    {
    }

    std::string_view Text(int index) const;
    double Number(int index) const;
    bool Logical(int index) const;

  private:
    bool Compare(const ExprNode& node) const;
    bool IsEmpty(int index) const;

    const ExprNode* FNodes;
    const std::array<uint8_t, 256>& FUpper;
    const RecordSource& FRecord;
    bool FExact;
};

std::string_view Evaluator::Text(int index) const
{
    const ExprNode& node = FNodes[index];
    std::string& out = node.Scratch;
    switch (node.Kind) {
    case Op::Literal:
        return node.Text;
    case Op::CharField:
        return FRecord.RawField(node.Field);
    case Op::DateField: {
        std::string_view raw = FRecord.RawField(node.Field);
        if (raw.size() == 8)
            return raw;
        out.assign(raw.substr(0, 8));
        out.resize(8, ' ');
        return out;
    }
    case Op::MemoField:
        out = FRecord.MemoText(node.Field);
        return out;
    case Op::Upper: {
        std::string_view source = Text(node.A);
        out.resize(source.size());
        for (size_t k = 0; k < source.size(); ++k)
            out[k] = static_cast<char>(FUpper[static_cast<unsigned char>(source[k])]);
        return out;
    }
    case Op::Concat: {
        std::string_view left = Text(node.A);
        std::string_view right = Text(node.B);
        out.assign(left);
        out.append(right);
        return out;
    }
    case Op::ConcatMoveBlanks: {
        std::string_view left = Text(node.A);
        std::string_view right = Text(node.B);
        std::string_view kept = TrimRight(left);
        out.assign(kept);
        out.append(right);
        out.append(left.size() - kept.size(), ' ');
        return out;
    }
    case Op::Left: {
        std::string_view source = Text(node.A);
        return source.substr(0, std::min(source.size(), ToCount(Number(node.B))));
    }
    case Op::RTrim:
        return TrimRight(Text(node.A));
    case Op::LTrim:
        return TrimLeft(Text(node.A));
    case Op::AllTrim:
        return TrimLeft(TrimRight(Text(node.A)));
    case Op::Substr: {
        std::string_view source = Text(node.A);
        size_t start = std::max<size_t>(ToCount(Number(node.B)), 1) - 1;
        if (start >= source.size())
            return {};
        source.remove_prefix(start);
        if (node.C < 0)
            return source;
        return source.substr(0, std::min(source.size(), ToCount(Number(node.C))));
    }
    case Op::Str: {
        double value = Number(node.A);
        size_t length = node.B < 0 ? DefaultStrLength : StrLength(Number(node.B));
        size_t decimals = node.C < 0 ? 0 : StrDecimals(Number(node.C), length);
        FormatStr(value, length, decimals, out);
        return out;
    }
    case Op::Dtos:
        return Text(node.A);
    default:
        return {}; // not reached: the compiler types every operand
    }
}

double Evaluator::Number(int index) const
{
    const ExprNode& node = FNodes[index];
    switch (node.Kind) {
    case Op::NumberLiteral:
        return node.Number;
    case Op::NumberField:
        return ParseLeadingNumber(FRecord.RawField(node.Field));
    case Op::RecNo:
        return FRecord.RecordNumber();
    case Op::Add:
        return Number(node.A) + Number(node.B);
    case Op::Subtract:
        return Number(node.A) - Number(node.B);
    case Op::Negate:
        return -Number(node.A);
    case Op::Val:
        return ParseLeadingNumber(Text(node.A));
    default:
        return 0; // not reached
    }
}

bool Evaluator::Logical(int index) const
{
    const ExprNode& node = FNodes[index];
    switch (node.Kind) {
    case Op::BoolLiteral:
        return node.Logical;
    case Op::LogicalField: {
        std::string_view raw = FRecord.RawField(node.Field);
        char c = raw.empty() ? ' ' : raw[0];
        return c == 'T' || c == 't' || c == 'Y' || c == 'y';
    }
    case Op::Deleted:
        return FRecord.Deleted();
    case Op::Empty:
        return IsEmpty(node.A);
    case Op::Not:
        return !Logical(node.A);
    case Op::And:
        return Logical(node.A) && Logical(node.B);
    case Op::Or:
        return Logical(node.A) || Logical(node.B);
    case Op::Compare:
        return Compare(node);
    case Op::Contains: {
        std::string_view needle = Text(node.A);
        if (needle.empty())
            return false; // as FoxPro: an empty string occurs nowhere
        return Text(node.B).find(needle) != std::string_view::npos;
    }
    default:
        return false; // not reached
    }
}

bool Evaluator::Compare(const ExprNode& node) const
{
    switch (FNodes[node.A].Type) {
    case ValueType::Character: {
        bool exact = FExact || node.Cmp == CmpOp::ExactEqual;
        std::string_view left = Text(node.A);
        return CompareResult(node.Cmp, CompareText(left, Text(node.B), exact));
    }
    case ValueType::Date: {
        std::string_view left = Text(node.A);
        return CompareResult(node.Cmp, CompareText(left, Text(node.B), true));
    }
    case ValueType::Numeric: {
        double left = Number(node.A);
        double right = Number(node.B);
        if (std::isnan(left) || std::isnan(right))
            return node.Cmp == CmpOp::NotEqual;
        return CompareResult(node.Cmp, left < right ? -1 : (left > right ? 1 : 0));
    }
    case ValueType::Logical: {
        bool equal = Logical(node.A) == Logical(node.B);
        return node.Cmp == CmpOp::NotEqual ? !equal : equal;
    }
    }
    return false;
}

bool Evaluator::IsEmpty(int index) const
{
    switch (FNodes[index].Type) {
    case ValueType::Character:
    case ValueType::Date: {
        std::string_view text = Text(index);
        return std::all_of(text.begin(), text.end(), IsBlankByte);
    }
    case ValueType::Numeric:
        return Number(index) == 0;
    case ValueType::Logical:
        return !Logical(index);
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// Tokens

enum class Tok : uint8_t {
    End,
    Name,
    Number,
    String,
    True,
    False,
    LParen,
    RParen,
    Comma,
    Plus,
    Minus,
    Arrow,
    Equal,
    ExactEqual,
    NotEqual,
    Less,
    LessEqual,
    Greater,
    GreaterEqual,
    Dollar,
    And,
    Or,
    Not,
};

struct Token {
    Tok Kind = Tok::End;
    size_t Pos = 0;
    size_t Length = 0;
    std::string_view Text; // name, or a string literal's content
    double Number = 0;
};

struct ComparisonToken {
    Tok Kind;
    CmpOp Cmp;
};

constexpr ComparisonToken ComparisonTokens[] = {
    {Tok::Equal, CmpOp::Equal},
    {Tok::ExactEqual, CmpOp::ExactEqual},
    {Tok::NotEqual, CmpOp::NotEqual},
    {Tok::Less, CmpOp::Less},
    {Tok::LessEqual, CmpOp::LessEqual},
    {Tok::Greater, CmpOp::Greater},
    {Tok::GreaterEqual, CmpOp::GreaterEqual},
};

bool IsNameStart(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsNameChar(char c)
{
    return IsNameStart(c) || (c >= '0' && c <= '9');
}
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}


enum class Fn : uint8_t {
    Upper,
    Deleted,
    Empty,
    Left,
    RecNo,
    Trim,
    RTrim,
    LTrim,
    AllTrim,
    Substr,
    Str,
    Dtos,
    Val
};

struct FunctionInfo {
    const char* Name;
    Fn Id;
    int MinArgs;
    int MaxArgs;
};

constexpr FunctionInfo Functions[] = {
    {"UPPER", Fn::Upper, 1, 1},   {"DELETED", Fn::Deleted, 0, 0}, {"EMPTY", Fn::Empty, 1, 1},
    {"LEFT", Fn::Left, 2, 2},     {"RECNO", Fn::RecNo, 0, 0},     {"TRIM", Fn::Trim, 1, 1},
    {"RTRIM", Fn::RTrim, 1, 1},   {"LTRIM", Fn::LTrim, 1, 1},     {"ALLTRIM", Fn::AllTrim, 1, 1},
    {"SUBSTR", Fn::Substr, 2, 3}, {"STR", Fn::Str, 1, 3},         {"DTOS", Fn::Dtos, 1, 1},
    {"VAL", Fn::Val, 1, 1},
};

// Exact name, or (as dBase allows) an abbreviation of at least four letters.
const FunctionInfo* FindFunction(const std::string& upperName)
{
    for (const FunctionInfo& info : Functions)
        if (upperName == info.Name)
            return &info;
    if (upperName.size() < 4)
        return nullptr;
    for (const FunctionInfo& info : Functions)
        if (std::string_view(info.Name).substr(0, upperName.size()) == upperName)
            return &info;
    return nullptr;
}

} // namespace

// ---------------------------------------------------------------------------------------------

struct Expression::Impl {
    std::string Text;
    std::vector<ExprNode> Nodes;
    int Root = -1;
    std::array<uint8_t, 256> Upper{};
};

namespace {

class Parser {
  public:
    Parser(std::string_view text, const RecordSource& schema, const CodePage& codePage,
           std::vector<ExprNode>& nodes)
        : FText(text), FSchema(schema), FCodePage(codePage), FNodes(nodes)
    {
    }

    // The root node, or -1 with Error() set.
    int Run();
    const std::string& Error() const { return FError; }

  private:
    struct NestingGuard {
        explicit NestingGuard(int& depth) : FDepth(++depth) {}
        ~NestingGuard() { --FDepth; }
        int& FDepth;
    };

    bool Lex();
    bool LexDotted(size_t& pos);
    bool LexNumber(size_t& pos);

    const Token& Peek() const { return FTokens[FCurrent]; }
    const Token& Next() { return FTokens[FCurrent++]; }
    bool Enter(const Token& at);
    // Parses what stands inside a prefix operator, parenthesis or call opened at `at`.
    int ParseNested(const Token& at, int (Parser::*parse)());

    int ParseOr();
    int ParseAnd();
    int ParseLogicalChain(Tok token, Op kind, const char* name, int (Parser::*parseOperand)());
    int ParseNot();
    int ParseComparison();
    int ParseAdditive();
    int ParseUnary();
    int ParsePrimary();
    int ParseName();
    int ParseCall(const Token& name);
    int ParseField(const Token& name);

    int Add(ExprNode node);
    int Fail(size_t pos, const std::string& problem);
    std::string Describe(const Token& token) const;
    ValueType TypeOf(int index) const { return FNodes[index].Type; }
    bool IsConstant(int index) const { return FNodes[index].Kind == Op::NumberLiteral; }

    std::string_view FText;
    const RecordSource& FSchema;
    const CodePage& FCodePage;
    std::vector<ExprNode>& FNodes;
    std::vector<Token> FTokens;
    size_t FCurrent = 0;
    int FNesting = 0;
    std::string FError;
};

int Parser::Fail(size_t pos, const std::string& problem)
{
    if (FError.empty())
        FError = "Expression \"" + std::string(FText) + "\": " + problem + " (at position " +
                 std::to_string(pos + 1) + ")";
    return -1;
}

std::string Parser::Describe(const Token& token) const
{
    if (token.Kind == Tok::End)
        return "end of expression";
    return "'" + std::string(FText.substr(token.Pos, token.Length)) + "'";
}

bool Parser::Enter(const Token& at)
{
    if (FNesting > MaxNesting) {
        Fail(at.Pos, "nested more than " + std::to_string(MaxNesting) + " levels deep");
        return false;
    }
    return true;
}

int Parser::ParseNested(const Token& at, int (Parser::*parse)())
{
    NestingGuard guard(FNesting);
    if (!Enter(at))
        return -1;
    return (this->*parse)();
}

int Parser::Add(ExprNode node)
{
    int depth = 0;
    for (int operand : {node.A, node.B, node.C})
        if (operand >= 0)
            depth = std::max(depth, FNodes[operand].Depth);
    node.Depth = depth + 1;
    if (node.Depth > MaxTreeDepth)
        return Fail(0, "more than " + std::to_string(MaxTreeDepth) + " operations deep");
    if (node.Type != ValueType::Character)
        node.Width = node.Type == ValueType::Logical ? 1 : 8;
    FNodes.push_back(std::move(node));
    return static_cast<int>(FNodes.size()) - 1;
}

bool Parser::LexDotted(size_t& pos)
{
    // .T. .F. .Y. .N. .AND. .OR. .NOT.
    size_t end = pos + 1;
    while (end < FText.size() && IsNameStart(FText[end]))
        ++end;
    std::string word = UpperAscii(FText.substr(pos + 1, end - pos - 1));
    Tok kind = Tok::End;
    if (word == "T" || word == "Y")
        kind = Tok::True;
    else if (word == "F" || word == "N")
        kind = Tok::False;
    else if (word == "AND")
        kind = Tok::And;
    else if (word == "OR")
        kind = Tok::Or;
    else if (word == "NOT")
        kind = Tok::Not;
    if (kind == Tok::End || end >= FText.size() || FText[end] != '.') {
        Fail(pos, "unknown operator '" +
                      std::string(FText.substr(pos, std::min<size_t>(end + 1, FText.size()) - pos)) + "'");
        return false;
    }
    FTokens.push_back({kind, pos, end + 1 - pos, {}, 0});
    pos = end + 1;
    return true;
}

bool Parser::LexNumber(size_t& pos)
{
    size_t end = pos;
    while (end < FText.size() && IsDigit(FText[end]))
        ++end;
    // The point belongs to the number only when a digit follows: 1.and.x is 1 .and. x.
    if (end + 1 < FText.size() && FText[end] == '.' && IsDigit(FText[end + 1])) {
        ++end;
        while (end < FText.size() && IsDigit(FText[end]))
            ++end;
    }
    double value = 0;
    auto [stop, error] = std::from_chars(FText.data() + pos, FText.data() + end, value);
    if (error != std::errc() || stop != FText.data() + end || !std::isfinite(value)) {
        Fail(pos, "number out of range");
        return false;
    }
    FTokens.push_back({Tok::Number, pos, end - pos, {}, value});
    pos = end;
    return true;
}

bool Parser::Lex()
{
    size_t pos = 0;
    const size_t size = FText.size();
    while (pos < size) {
        char c = FText[pos];
        char next = pos + 1 < size ? FText[pos + 1] : '\0';
        auto simple = [&](Tok kind, size_t length) {
            FTokens.push_back({kind, pos, length, {}, 0});
            pos += length;
        };
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++pos;
        } else if (IsNameStart(c)) {
            size_t end = pos;
            while (end < size && IsNameChar(FText[end]))
                ++end;
            std::string_view name = FText.substr(pos, end - pos);
            std::string upper = UpperAscii(name);
            Tok kind = upper == "AND"   ? Tok::And
                       : upper == "OR"  ? Tok::Or
                       : upper == "NOT" ? Tok::Not
                                        : Tok::Name;
            FTokens.push_back({kind, pos, end - pos, name, 0});
            pos = end;
        } else if (IsDigit(c) || (c == '.' && IsDigit(next))) {
            if (!LexNumber(pos))
                return false;
        } else if (c == '.') {
            if (!LexDotted(pos))
                return false;
        } else if (c == '"' || c == '\'' || c == '[') {
            char close = c == '[' ? ']' : c;
            size_t end = FText.find(close, pos + 1);
            if (end == std::string_view::npos) {
                Fail(pos, "unterminated string");
                return false;
            }
            FTokens.push_back({Tok::String, pos, end + 1 - pos, FText.substr(pos + 1, end - pos - 1), 0});
            pos = end + 1;
        } else if (c == '(') {
            simple(Tok::LParen, 1);
        } else if (c == ')') {
            simple(Tok::RParen, 1);
        } else if (c == ',') {
            simple(Tok::Comma, 1);
        } else if (c == '+') {
            simple(Tok::Plus, 1);
        } else if (c == '-') {
            next == '>' ? simple(Tok::Arrow, 2) : simple(Tok::Minus, 1);
        } else if (c == '$') {
            simple(Tok::Dollar, 1);
        } else if (c == '#') {
            simple(Tok::NotEqual, 1);
        } else if (c == '=') {
            next == '=' ? simple(Tok::ExactEqual, 2) : simple(Tok::Equal, 1);
        } else if (c == '!') {
            next == '=' ? simple(Tok::NotEqual, 2) : simple(Tok::Not, 1);
        } else if (c == '<') {
            next == '='   ? simple(Tok::LessEqual, 2)
            : next == '>' ? simple(Tok::NotEqual, 2)
                          : simple(Tok::Less, 1);
        } else if (c == '>') {
            next == '=' ? simple(Tok::GreaterEqual, 2) : simple(Tok::Greater, 1);
        } else {
            auto byte = static_cast<unsigned char>(c);
            if (byte >= 0x20 && byte < 0x7F)
                Fail(pos, std::string("unexpected character '") + c + "'");
            else
                Fail(pos, "unexpected character (byte " + std::to_string(byte) + ")");
            return false;
        }
    }
    FTokens.push_back({Tok::End, size, 0, {}, 0});
    return true;
}

int Parser::Run()
{
    if (!Lex())
        return -1;
    if (Peek().Kind == Tok::End)
        return Fail(0, "empty expression");
    int root = ParseOr();
    if (root < 0)
        return -1;
    if (Peek().Kind != Tok::End) {
        const Token& extra = Peek();
        return Fail(extra.Pos,
                    extra.Kind == Tok::RParen ? "unbalanced ')'" : "unexpected " + Describe(extra));
    }
    return root;
}

int Parser::ParseOr()
{
    return ParseLogicalChain(Tok::Or, Op::Or, ".OR.", &Parser::ParseAnd);
}

int Parser::ParseAnd()
{
    return ParseLogicalChain(Tok::And, Op::And, ".AND.", &Parser::ParseNot);
}

int Parser::ParseLogicalChain(Tok token, Op kind, const char* name, int (Parser::*parseOperand)())
{
    int left = (this->*parseOperand)();
    while (left >= 0 && Peek().Kind == token) {
        const Token& op = Next();
        int right = (this->*parseOperand)();
        if (right < 0)
            return -1;
        if (TypeOf(left) != ValueType::Logical || TypeOf(right) != ValueType::Logical)
            return Fail(op.Pos, std::string(name) + " needs logical operands, not " + TypeName(TypeOf(left)) +
                                    " and " + TypeName(TypeOf(right)));
        ExprNode node;
        node.Kind = kind;
        node.A = left;
        node.B = right;
        left = Add(std::move(node));
    }
    return left;
}

int Parser::ParseNot()
{
    if (Peek().Kind != Tok::Not)
        return ParseComparison();
    const Token& op = Next();
    int operand = ParseNested(op, &Parser::ParseNot);
    if (operand < 0)
        return -1;
    if (TypeOf(operand) != ValueType::Logical)
        return Fail(op.Pos, ".NOT. needs a logical operand, not " + std::string(TypeName(TypeOf(operand))));
    ExprNode node;
    node.Kind = Op::Not;
    node.A = operand;
    return Add(std::move(node));
}

int Parser::ParseComparison()
{
    int left = ParseAdditive();
    while (left >= 0) {
        Tok kind = Peek().Kind;
        const auto* match = std::find_if(std::begin(ComparisonTokens), std::end(ComparisonTokens),
                                         [kind](const ComparisonToken& entry) { return entry.Kind == kind; });
        if (kind != Tok::Dollar && match == std::end(ComparisonTokens))
            return left;
        CmpOp cmp = match == std::end(ComparisonTokens) ? CmpOp::Equal : match->Cmp;
        const Token& op = Next();
        std::string opText(FText.substr(op.Pos, op.Length));
        int right = ParseAdditive();
        if (right < 0)
            return -1;
        ValueType leftType = TypeOf(left);
        ValueType rightType = TypeOf(right);
        ExprNode node;
        node.A = left;
        node.B = right;
        if (kind == Tok::Dollar) {
            if (leftType != ValueType::Character || rightType != ValueType::Character)
                return Fail(op.Pos, "$ needs character operands, not " + std::string(TypeName(leftType)) +
                                        " and " + TypeName(rightType));
            node.Kind = Op::Contains;
        } else {
            if (leftType != rightType)
                return Fail(op.Pos, "cannot compare " + std::string(TypeName(leftType)) + " with " +
                                        TypeName(rightType) + " using " + opText);
            bool ordering = cmp != CmpOp::Equal && cmp != CmpOp::ExactEqual && cmp != CmpOp::NotEqual;
            if (leftType == ValueType::Logical && ordering)
                return Fail(op.Pos, "logical values cannot be compared with " + opText);
            node.Kind = Op::Compare;
            node.Cmp = cmp;
        }
        left = Add(std::move(node));
    }
    return left;
}

int Parser::ParseAdditive()
{
    int left = ParseUnary();
    while (left >= 0 && (Peek().Kind == Tok::Plus || Peek().Kind == Tok::Minus)) {
        const Token& op = Next();
        bool plus = op.Kind == Tok::Plus;
        int right = ParseUnary();
        if (right < 0)
            return -1;
        ValueType leftType = TypeOf(left);
        ValueType rightType = TypeOf(right);
        ExprNode node;
        node.A = left;
        node.B = right;
        if (leftType == ValueType::Character && rightType == ValueType::Character) {
            node.Kind = plus ? Op::Concat : Op::ConcatMoveBlanks;
            node.Type = ValueType::Character;
            node.Width = SaturatedAdd(FNodes[left].Width, FNodes[right].Width);
        } else if (leftType == ValueType::Numeric && rightType == ValueType::Numeric) {
            if (IsConstant(left) && IsConstant(right)) {
                // Folded so that LEFT(s, 2+1) still has a fixed width.
                double value = plus ? FNodes[left].Number + FNodes[right].Number
                                    : FNodes[left].Number - FNodes[right].Number;
                FNodes[left].Number = value;
                continue; // the right literal stays behind unused; harmless
            }
            node.Kind = plus ? Op::Add : Op::Subtract;
            node.Type = ValueType::Numeric;
        } else {
            return Fail(op.Pos, std::string(plus ? "+" : "-") +
                                    " needs two character or two numeric operands, not " +
                                    TypeName(leftType) + " and " + TypeName(rightType));
        }
        left = Add(std::move(node));
    }
    return left;
}

int Parser::ParseUnary()
{
    if (Peek().Kind != Tok::Minus && Peek().Kind != Tok::Plus)
        return ParsePrimary();
    const Token& op = Next();
    int operand = ParseNested(op, &Parser::ParseUnary);
    if (operand < 0)
        return -1;
    if (TypeOf(operand) != ValueType::Numeric)
        return Fail(op.Pos, "unary " + std::string(op.Kind == Tok::Minus ? "-" : "+") +
                                " needs a numeric operand, not " + TypeName(TypeOf(operand)));
    if (op.Kind == Tok::Plus)
        return operand;
    if (IsConstant(operand)) {
        FNodes[operand].Number = -FNodes[operand].Number;
        return operand;
    }
    ExprNode node;
    node.Kind = Op::Negate;
    node.Type = ValueType::Numeric;
    node.A = operand;
    return Add(std::move(node));
}

int Parser::ParsePrimary()
{
    const Token& token = Peek();
    switch (token.Kind) {
    case Tok::Number: {
        Next();
        ExprNode node;
        node.Kind = Op::NumberLiteral;
        node.Type = ValueType::Numeric;
        node.Number = token.Number;
        return Add(std::move(node));
    }
    case Tok::String: {
        Next();
        Result<std::string> bytes =
            FCodePage.FromUtf8(token.Text, "literal " + std::string(FText.substr(token.Pos, token.Length)));
        if (!bytes)
            return Fail(token.Pos, bytes.Message());
        ExprNode node;
        node.Kind = Op::Literal;
        node.Type = ValueType::Character;
        node.Text = bytes.Take();
        node.Width = static_cast<int>(std::min<size_t>(node.Text.size(), MaxWidth));
        return Add(std::move(node));
    }
    case Tok::True:
    case Tok::False: {
        Next();
        ExprNode node;
        node.Kind = Op::BoolLiteral;
        node.Logical = token.Kind == Tok::True;
        return Add(std::move(node));
    }
    case Tok::Not:
        return ParseNot(); // e.g. x = !y
    case Tok::LParen: {
        Next();
        int inner = ParseNested(token, &Parser::ParseOr);
        if (inner < 0)
            return -1;
        if (Peek().Kind != Tok::RParen)
            return Fail(Peek().Pos, "missing ')' for the '(' at position " + std::to_string(token.Pos + 1) +
                                        ", found " + Describe(Peek()));
        Next();
        return inner;
    }
    case Tok::Name:
        return ParseName();
    case Tok::End:
        return Fail(token.Pos, "expression ends where an operand is expected");
    default:
        return Fail(token.Pos, "unexpected " + Describe(token) + " where an operand is expected");
    }
}

int Parser::ParseName()
{
    const Token& name = Next();
    if (Peek().Kind == Tok::LParen)
        return ParseCall(name);
    if (Peek().Kind == Tok::Arrow) { // alias->field: the alias is always this table
        Next();
        if (Peek().Kind != Tok::Name)
            return Fail(Peek().Pos, "field name expected after '->'");
        return ParseField(Next());
    }
    return ParseField(name);
}

int Parser::ParseField(const Token& name)
{
    int index = FSchema.FieldIndex(UpperAscii(name.Text));
    if (index < 0)
        index = FSchema.FieldIndex(name.Text);
    if (index < 0)
        return Fail(name.Pos, "unknown field " + std::string(name.Text));
    RecordSource::FieldInfo info = FSchema.Field(index);
    ExprNode node;
    node.Field = index;
    switch (info.Type) {
    case 'C':
    case 'c':
        node.Kind = Op::CharField;
        node.Type = ValueType::Character;
        node.Width = std::clamp(info.Width, 0, MaxFieldWidth);
        break;
    case 'N':
    case 'n':
    case 'F':
    case 'f':
        node.Kind = Op::NumberField;
        node.Type = ValueType::Numeric;
        break;
    case 'L':
    case 'l':
        node.Kind = Op::LogicalField;
        break;
    case 'D':
    case 'd':
        node.Kind = Op::DateField;
        node.Type = ValueType::Date;
        break;
    case 'M':
    case 'm':
        node.Kind = Op::MemoField;
        node.Type = ValueType::Character;
        node.Width = 10;
        break;
    default:
        return Fail(name.Pos, "field " + std::string(name.Text) + " has a type expressions cannot use");
    }
    return Add(std::move(node));
}

int Parser::ParseCall(const Token& name)
{
    const Token& open = Next(); // (
    NestingGuard guard(FNesting);
    if (!Enter(open))
        return -1;
    std::string upper = UpperAscii(name.Text);
    const FunctionInfo* function = FindFunction(upper);
    if (function == nullptr)
        return Fail(name.Pos, "unknown function " + upper + "()");
    std::string display = std::string(function->Name) + "()";

    std::vector<int> args;
    if (Peek().Kind != Tok::RParen) {
        while (true) {
            int arg = ParseOr();
            if (arg < 0)
                return -1;
            args.push_back(arg);
            if (Peek().Kind != Tok::Comma)
                break;
            Next();
        }
    }
    if (Peek().Kind != Tok::RParen)
        return Fail(Peek().Pos,
                    "missing ')' after the arguments of " + display + ", found " + Describe(Peek()));
    Next();
    int count = static_cast<int>(args.size());
    if (count < function->MinArgs || count > function->MaxArgs) {
        std::string wanted =
            function->MinArgs == function->MaxArgs
                ? std::to_string(function->MinArgs)
                : std::to_string(function->MinArgs) + " to " + std::to_string(function->MaxArgs);
        return Fail(name.Pos, display + " takes " + wanted + " argument" + (wanted == "1" ? "" : "s") +
                                  ", not " + std::to_string(count));
    }
    static constexpr const char* Ordinal[] = {"first", "second", "third"};
    for (int k = 0; k < count; ++k) {
        ValueType wanted = ValueType::Character;
        switch (function->Id) {
        case Fn::Empty:
            continue; // any type
        case Fn::Left:
        case Fn::Substr:
            wanted = k == 0 ? ValueType::Character : ValueType::Numeric;
            break;
        case Fn::Str:
            wanted = ValueType::Numeric;
            break;
        case Fn::Dtos:
            wanted = ValueType::Date;
            break;
        default:
            break;
        }
        if (TypeOf(args[k]) != wanted)
            return Fail(name.Pos, display + " needs a " + TypeName(wanted) + " " +
                                      (function->MaxArgs > 1 ? std::string(Ordinal[k]) + " " : "") +
                                      "argument, not " + TypeName(TypeOf(args[k])));
    }

    ExprNode node;
    node.A = count > 0 ? args[0] : -1;
    node.B = count > 1 ? args[1] : -1;
    node.C = count > 2 ? args[2] : -1;
    int sourceWidth = count > 0 ? FNodes[args[0]].Width : 0;
    auto constant = [&](int arg) { return arg >= 0 && IsConstant(arg); };
    switch (function->Id) {
    case Fn::Upper:
        node.Kind = Op::Upper;
        node.Type = ValueType::Character;
        node.Width = sourceWidth;
        break;
    case Fn::Deleted:
        node.Kind = Op::Deleted;
        break;
    case Fn::Empty:
        node.Kind = Op::Empty;
        break;
    case Fn::Left:
        node.Kind = Op::Left;
        node.Type = ValueType::Character;
        node.Width = constant(node.B)
                         ? static_cast<int>(std::min<size_t>(ToCount(FNodes[node.B].Number), sourceWidth))
                         : sourceWidth;
        break;
    case Fn::RecNo:
        node.Kind = Op::RecNo;
        node.Type = ValueType::Numeric;
        break;
    case Fn::Trim:
    case Fn::RTrim:
    case Fn::LTrim:
    case Fn::AllTrim:
        // Keys take the width of the blank record, where trimming removes nothing.
        node.Kind = function->Id == Fn::LTrim     ? Op::LTrim
                    : function->Id == Fn::AllTrim ? Op::AllTrim
                                                  : Op::RTrim;
        node.Type = ValueType::Character;
        node.Width = sourceWidth;
        break;
    case Fn::Substr: {
        node.Kind = Op::Substr;
        node.Type = ValueType::Character;
        size_t width = static_cast<size_t>(sourceWidth);
        if (constant(node.B))
            width -= std::min(width, std::max<size_t>(ToCount(FNodes[node.B].Number), 1) - 1);
        if (constant(node.C))
            width = std::min(width, ToCount(FNodes[node.C].Number));
        node.Width = static_cast<int>(width);
        break;
    }
    case Fn::Str:
        node.Kind = Op::Str;
        node.Type = ValueType::Character;
        node.Width = node.B < 0         ? DefaultStrLength
                     : constant(node.B) ? static_cast<int>(StrLength(FNodes[node.B].Number))
                                        : DefaultStrLength;
        break;
    case Fn::Dtos:
        node.Kind = Op::Dtos;
        node.Type = ValueType::Character;
        node.Width = 8;
        break;
    case Fn::Val:
        node.Kind = Op::Val;
        node.Type = ValueType::Numeric;
        break;
    }
    return Add(std::move(node));
}

} // namespace

// ---------------------------------------------------------------------------------------------

Expression::Expression() = default;
Expression::~Expression() = default;
Expression::Expression(Expression&&) noexcept = default;
Expression& Expression::operator=(Expression&&) noexcept = default;

Result<Expression> Expression::Compile(std::string_view text, const RecordSource& schema,
                                       const CodePage& codePage)
{
    try {
        auto impl = std::make_unique<Impl>();
        impl->Text = std::string(text);
        Parser parser(impl->Text, schema, codePage, impl->Nodes);
        impl->Root = parser.Run();
        if (impl->Root < 0)
            return Result<Expression>::Error(parser.Error());
        for (int b = 0; b < 256; ++b)
            impl->Upper[b] = codePage.Upper(static_cast<uint8_t>(b));
        Expression expression;
        expression.FImpl = std::move(impl);
        return expression;
    } catch (const std::exception& error) {
        return Result<Expression>::Error("Expression \"" + std::string(text) + "\": " + error.what());
    }
}

const std::string& Expression::Text() const
{
    static const std::string none;
    return FImpl ? FImpl->Text : none;
}

ValueType Expression::Type() const
{
    return FImpl ? FImpl->Nodes[FImpl->Root].Type : ValueType::Logical;
}

int Expression::ResultWidth() const
{
    return FImpl ? FImpl->Nodes[FImpl->Root].Width : 0;
}

Result<Value> Expression::Evaluate(const RecordSource& record, const Options& options) const
{
    if (!FImpl)
        return Result<Value>::Error("Expression: evaluated before being compiled");
    try {
        Evaluator evaluator(FImpl->Nodes, FImpl->Upper, record, options.Exact);
        int root = FImpl->Root;
        switch (FImpl->Nodes[root].Type) {
        case ValueType::Character:
            return Value::Char(std::string(evaluator.Text(root)));
        case ValueType::Date:
            return Value::DateText(std::string(evaluator.Text(root)));
        case ValueType::Numeric:
            return Value::Num(evaluator.Number(root));
        case ValueType::Logical:
            return Value::Bool(evaluator.Logical(root));
        }
        return Result<Value>::Error("Expression \"" + FImpl->Text + "\": unknown result type");
    } catch (const std::exception& error) {
        return Result<Value>::Error("Expression \"" + FImpl->Text + "\": " + error.what());
    }
}

Result<bool> Expression::IsTrue(const RecordSource& record, const Options& options) const
{
    if (!FImpl)
        return Result<bool>::Error("Expression: evaluated before being compiled");
    const ExprNode& root = FImpl->Nodes[FImpl->Root];
    if (root.Type != ValueType::Logical)
        return Result<bool>::Error("Expression \"" + FImpl->Text + "\" is " + TypeName(root.Type) +
                                   ", not a logical condition");
    try {
        return Evaluator(FImpl->Nodes, FImpl->Upper, record, options.Exact).Logical(FImpl->Root);
    } catch (const std::exception& error) {
        return Result<bool>::Error("Expression \"" + FImpl->Text + "\": " + error.what());
    }
}

} // namespace xbase

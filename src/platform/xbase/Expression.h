#pragma once
// xBase expressions as the program uses them for index keys and queries: parsed once against a
// table's fields, evaluated per record.
//
// Grammar (names case-insensitive):
//   functions UPPER(s) DELETED() EMPTY(x) LEFT(s,n) RECNO(), and for third-party keys and FOR
//   conditions TRIM(s) RTRIM(s) LTRIM(s) ALLTRIM(s) SUBSTR(s,start[,n]) STR(n[,len[,dec]])
//   DTOS(d) VAL(s); a function name may be cut to its first four letters, as dBase allows
//   + and - between strings (- moves the left operand's trailing blanks to the end), + and -
//   between numbers; comparisons = == <> # != < <= > >= and $ (substring); logic .and. .or.
//   .not. ! AND OR NOT; parentheses; field names (a logical field alone is a condition);
//   string literals "..." '...' [...]; numbers; .T. .F.
// With exact comparison off, = between strings compares only as many characters as the right
// operand has; == always compares exactly (trailing blanks are ignored by both, as in xBase).
// "" $ s is false, as in FoxPro. A compiled expression keeps scratch buffers for its text
// results, so one expression is evaluated by one thread at a time.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "CodePage.h"
#include "Result.h"

namespace xbase {

enum class ValueType { Character, Numeric, Logical, Date };

struct Value {
    ValueType Type = ValueType::Logical;
    std::string Text;     // Character: code-page bytes; Date: "YYYYMMDD" or 8 blanks
    double Number = 0;    // Numeric
    bool Logical = false; // Logical

    static Value Char(std::string text) { return {ValueType::Character, std::move(text), 0, false}; }
    static Value Num(double n) { return {ValueType::Numeric, {}, n, false}; }
    static Value Bool(bool b) { return {ValueType::Logical, {}, 0, b}; }
    static Value DateText(std::string yyyymmdd) { return {ValueType::Date, std::move(yyyymmdd), 0, false}; }
};

// What an expression sees of a table: field names and types when it is compiled, the current
// record when it is evaluated.
class RecordSource {
public:
    struct FieldInfo {
        char Type = 'C';  // C N F L D M
        int Width = 0;
        int Decimals = 0;
    };
    virtual ~RecordSource() = default;
    virtual int FieldIndex(std::string_view name) const = 0;  // -1 when absent
    virtual FieldInfo Field(int index) const = 0;
    // Raw field bytes of the current record, code page, untrimmed (character fields padded).
    virtual std::string_view RawField(int index) const = 0;
    virtual std::string MemoText(int index) const = 0;  // code-page bytes
    virtual bool Deleted() const = 0;
    virtual uint32_t RecordNumber() const = 0;
};

class Expression {
public:
    struct Options {
        bool Exact = false;  // SET EXACT
    };

    Expression();
    ~Expression();
    Expression(Expression&&) noexcept;
    Expression& operator=(Expression&&) noexcept;

    // Parses `text` (UTF-8; literals are converted to `codePage`) and checks names and types
    // against `schema`. A syntax error, unknown name, wrong argument count or type mismatch is an
    // error result whose message names the problem and the expression.
    static Result<Expression> Compile(std::string_view text, const RecordSource& schema, const CodePage& codePage);

    const std::string& Text() const;
    ValueType Type() const;
    // Length of a character result on any record (from the field widths): the key length of a
    // character tag. 8 for numeric and date, 1 for logical.
    int ResultWidth() const;

    // Evaluation cannot fail on a compiled expression except for run-time conditions such as a
    // bad LEFT() count, which give an error result.
    Result<Value> Evaluate(const RecordSource& record, const Options& options) const;
    Result<Value> Evaluate(const RecordSource& record) const { return Evaluate(record, Options{}); }
    // Convenience for conditions: a non-logical expression is an error.
    Result<bool> IsTrue(const RecordSource& record, const Options& options) const;

private:
    struct Node;
    struct Impl;
    std::unique_ptr<Impl> FImpl;
};

}  // namespace xbase

#include "cli/CommandSupport.h"

#include <cstdio>
#include <filesystem>
#include <iostream>

namespace corvane::cli {

std::string JsonString(std::string_view text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

int Fail(const std::string& message)
{
    std::cerr << "corvane-cli: " << message << '\n';
    return 1;
}

int Usage(const char* synopsis)
{
    std::cerr << "usage: corvane-cli " << synopsis << '\n';
    return 1;
}

Status OpenTable(xbase::Table& table, const std::string& path, xbase::OpenMode mode)
{
    if (!std::filesystem::exists(path))
        return Status::Error("File " + path + " not found");
    return table.Open(path, mode);
}

Status SelectOrder(xbase::Table& table, const std::optional<std::string>& tag)
{
    if (!tag)
        return Status::Success();
    if (table.ProductionIndexState() == xbase::IndexState::Invalid) {
        return Status::Error(table.IndexProblem() + " (run corvane-cli reindex)");
    }
    int order = table.OrderNumber(*tag);
    if (order == 0)
        return Status::Error("No tag " + *tag + " in " + table.Path());
    return table.SetOrder(order);
}

std::optional<int> WholeNumber(const std::string& text)
{
    bool ok = false;
    const int value = QString::fromStdString(text).trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace corvane::cli

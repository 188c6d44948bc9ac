#pragma once
// Results instead of exceptions, program-wide: every operation that can fail returns a Status or a
// Result<T> carrying a message that names what failed (file, field, expression). The table engine
// uses the same types under its own namespace.

#include <optional>
#include <string>
#include <utility>

namespace corvane {

class [[nodiscard]] Status {
  public:
    Status() = default;
    static Status Success() { return Status(); }
    static Status Error(std::string message) { return Status(std::move(message), false); }

    bool Ok() const { return FOk; }
    explicit operator bool() const { return FOk; }
    const std::string& Message() const { return FMessage; }

  private:
    Status(std::string message, bool ok) : FMessage(std::move(message)), FOk(ok) {}
    std::string FMessage;
    bool FOk = true;
};

template <class T> class [[nodiscard]] Result {
  public:
    Result(T value) : FValue(std::move(value)) {}         // NOLINT: implicit on purpose
    Result(Status status) : FMessage(status.Message()) {} // NOLINT: an error status
    static Result Error(std::string message) { return Result(Status::Error(std::move(message))); }

    bool Ok() const { return FValue.has_value(); }
    explicit operator bool() const { return Ok(); }
    const std::string& Message() const { return FMessage; }
    Status ToStatus() const { return Ok() ? Status::Success() : Status::Error(FMessage); }

    T& Value() & { return *FValue; }
    const T& Value() const& { return *FValue; }
    T&& Take() { return std::move(*FValue); }
    T& operator*() { return *FValue; }
    const T& operator*() const { return *FValue; }
    T* operator->() { return &*FValue; }
    const T* operator->() const { return &*FValue; }

  private:
    std::optional<T> FValue;
    std::string FMessage;
};

} // namespace corvane

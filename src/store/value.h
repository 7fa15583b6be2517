#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <variant>

namespace pyra::store {

// Every failure of the table store: file missing or not a database, required field empty,
// duplicate key, value out of range. The text is German and meant for the user.
class StoreError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// One field value: null, whole number, floating point number or text.
// Keep is only meaningful in SetFields and AppendRecord value lists: "leave this field unchanged".
class Value {
  public:
    struct Keep {};

    Value() = default;
    Value(int v) : v_(static_cast<std::int64_t>(v)) {}
    Value(long v) : v_(static_cast<std::int64_t>(v)) {}
    Value(long long v) : v_(static_cast<std::int64_t>(v)) {}
    Value(double v) : v_(v) {}
    Value(const char* s) : v_(std::string(s)) {}
    Value(std::string s) : v_(std::move(s)) {}
    Value(Keep k) : v_(k) {}

    static Value null() { return Value(); }
    static Value keep() { return Value(Keep{}); }

    bool isNull() const { return std::holds_alternative<std::monostate>(v_); }
    bool isKeep() const { return std::holds_alternative<Keep>(v_); }
    bool isInt() const { return std::holds_alternative<std::int64_t>(v_); }
    bool isFloat() const { return std::holds_alternative<double>(v_); }
    bool isString() const { return std::holds_alternative<std::string>(v_); }

    // Null reads as 0, 0.0 or the empty text. A text that is not a number reads as 0.
    std::int64_t asInt() const;
    double asFloat() const;
    std::string asString() const;

    bool operator==(const Value& o) const;

  private:
    std::variant<std::monostate, std::int64_t, double, std::string, Keep> v_;
};

// Compares two values for ordering: null first, numbers by value, texts bytewise.
int compareValues(const Value& a, const Value& b);

// Parses a whole number written as text (surrounding blanks allowed). Returns false when it is none.
bool parseInteger(const std::string& text, std::int64_t& out);
// Parses a number with "." or "," as decimal separator (surrounding blanks allowed).
bool parseFloat(const std::string& text, double& out);

} // namespace pyra::store

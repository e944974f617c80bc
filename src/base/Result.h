#pragma once

#include <QString>

#include <cassert>
#include <optional>
#include <utility>

namespace pvstim {

// Either a value or the reason there is none. Low-level loaders return it; the
// window-level code turns a reason into the exception the user sees.
template<typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) { }
    static Result failure(QString reason) { return Result(std::move(reason), 0); }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const& { assert(ok()); return *value_; }
    T& value() & { assert(ok()); return *value_; }
    T&& value() && { assert(ok()); return std::move(*value_); }
    const QString& error() const { return error_; }

private:
    Result(QString reason, int) : error_(std::move(reason)) { }
    std::optional<T> value_;
    QString error_;
};

}  // namespace pvstim

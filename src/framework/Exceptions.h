#pragma once

#include <QString>

#include <stdexcept>

namespace pvstim {

// The program's errors. The text is what the user reads in the error box.
class Exception : public std::runtime_error {
public:
    explicit Exception(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) { }
    const QString& message() const { return message_; }

private:
    QString message_;
};

// An operation that is not allowed in the object's current state.
class EInvalidOperation : public Exception { using Exception::Exception; };
// A folder or file operation that failed.
class EInOutError : public Exception { using Exception::Exception; };
// A file that could not be opened: "Cannot open file "%s". %s".
class EFOpenError : public Exception { using Exception::Exception; };
// A file that could not be written: "Unable to write to %s".
class EFCreateError : public Exception { using Exception::Exception; };
// A picture file that is not a valid picture of its kind.
class EInvalidGraphic : public Exception { using Exception::Exception; };
// A text that does not fit the memo: "Text exceeds memo capacity".
class EOutOfResources : public Exception { using Exception::Exception; };

}  // namespace pvstim

#pragma once
// Run-time errors of the windows, with the numbers and texts the program's
// error reports carry, and three ways a statement can treat them:
//
//   - let it propagate: the error ends the procedure and goes to the caller
//     (plain C++: do nothing);
//   - skip it: `forms::skip([&] { stmt; });` runs the statement and, when it
//     fails, goes on with the next one (returns false when it failed);
//   - trap it: `forms::Trap trap("readinfo", handler);` then
//     `trap([&] { stmt; });` for each statement; a failing statement calls
//     handler(tag, error) and the procedure resumes at the next statement.
//
// Any std::exception thrown inside a skipped or trapped statement counts
// as an error too (number 5 unless it is a forms::Error).
#include <QString>
#include <exception>
#include <functional>
#include <string>

namespace forms {

// Numbers used by this layer; the texts are those of the error reports.
enum ErrorNumber {
    errInvalidCall = 5,           // "Invalid procedure call or argument"
    errOverflow = 6,              // "Overflow"
    errOutOfMemory = 7,           // "Out of memory"
    errSubscript = 9,             // "Subscript out of range"
    errDivisionByZero = 11,       // "Division by zero"
    errTypeMismatch = 13,         // "Type mismatch"
    errFileNotFound = 53,         // "File not found"
    errFileAccess = 75,           // "Path/File access error"
    errPathNotFound = 76,         // "Path not found"
    errObjectRequired = 424,      // "Object required"
    errControlArrayMissing = 340, // "Control array element 'n' doesn't exist"
    errAlreadyLoaded = 360,       // "Object already loaded"
    errCantUnload = 362,          // "Can't unload controls created at design time"
    errFormMaxMin = 384,          // "A form can't be moved or sized while minimized or maximized"
    errModalShown = 401,          // "Can't show non-modal form when modal form is displayed"
    errInvalidPicture = 481,      // "Invalid picture"
};

// The standard text of an error number ("Application-defined or
// object-defined error" for numbers this layer does not know).
QString errorText(int number);

class Error : public std::exception {
public:
    explicit Error(int number, const QString &description = QString());
    int number() const { return number_; }
    const QString &description() const { return description_; }
    const char *what() const noexcept override { return what_.c_str(); }

private:
    int number_;
    QString description_;
    std::string what_;
};

// Throws Error(number, description or the standard text). Write it
// qualified, forms::raise(...): the C library has a raise(int) of its own.
[[noreturn]] void raise(int number, const QString &description = QString());
// The same under a name nothing else uses.
[[noreturn]] inline void raiseError(int number, const QString &description = QString()) {
    raise(number, description);
}

// The error an exception stands for: a forms::Error as it is, any other
// std::exception as error 5 with its message (7 for bad_alloc), anything
// else as error 5.
Error toError(std::exception_ptr e);

// Runs one statement; a failure is dropped and false returned.
template <class F> bool skip(F &&statement) {
    try {
        statement();
        return true;
    } catch (...) {
        return false;
    }
}

// An error trap of one procedure: each statement run through it that fails
// calls the handler with the procedure's tag and the error, and the
// procedure goes on with its next statement.
class Trap {
public:
    using Handler = std::function<void(const QString &tag, const Error &error)>;
    Trap(QString tag, Handler handler) : tag_(std::move(tag)), handler_(std::move(handler)) {}

    template <class F> bool operator()(F &&statement) {
        try {
            statement();
            return true;
        } catch (...) {
            Error e = toError(std::current_exception());
            ++failures_;
            if (handler_) handler_(tag_, e);
            return false;
        }
    }
    const QString &tag() const { return tag_; }
    int failures() const { return failures_; }

private:
    QString tag_;
    Handler handler_;
    int failures_ = 0;
};

} // namespace forms

#pragma once
// The one error type of the program: a number and a description, as the
// standard run-time errors carry them. Every message that reports an error
// quotes it as "Error " + number + ": " + description.
#include <QString>
#include <exception>

namespace tess {

namespace Err {
enum : int {
    InvalidCall = 5,         // "Invalid procedure call or argument"
    Overflow = 6,            // "Overflow"
    OutOfMemory = 7,
    SubscriptOutOfRange = 9, // "Subscript out of range"
    DivisionByZero = 11,
    TypeMismatch = 13,       // "Type mismatch"
    BadFileName = 52,
    FileNotFound = 53,
    BadFileMode = 54,
    FileAlreadyOpen = 55,
    DeviceIO = 57,
    FileExists = 58,
    InputPastEnd = 62,       // "Input past end of file"
    PermissionDenied = 70,
    PathFileAccess = 75,
    PathNotFound = 76,       // "Path not found"
    InvalidUseOfNull = 94,
    KeyInUse = 457,
};
}

// The standard description of an error number ("Application-defined or
// object-defined error" for numbers without one).
QString standardErrorText(int number);

class RuntimeError : public std::exception {
public:
    explicit RuntimeError(int number);
    RuntimeError(int number, QString description);

    int number() const { return m_number; }
    const QString &description() const { return m_description; }
    // "Error " + number + ": " + description
    QString message() const;
    const char *what() const noexcept override { return m_what.constData(); }

private:
    int m_number;
    QString m_description;
    QByteArray m_what;
};

// "Error " + number + ": " + description of any exception: one that is no
// RuntimeError reports as error 51 with its own text (error 7 for memory).
QString errorMessage(const std::exception &error);

[[noreturn]] void raise(int number);
[[noreturn]] void raise(int number, const QString &description);

} // namespace tess

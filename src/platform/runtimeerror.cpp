#include "platform/runtimeerror.h"

#include <new>

namespace tess {

QString standardErrorText(int number)
{
    switch (number) {
    case 3: return QStringLiteral("Return without GoSub");
    case 5: return QStringLiteral("Invalid procedure call or argument");
    case 6: return QStringLiteral("Overflow");
    case 7: return QStringLiteral("Out of memory");
    case 9: return QStringLiteral("Subscript out of range");
    case 10: return QStringLiteral("This array is fixed or temporarily locked");
    case 11: return QStringLiteral("Division by zero");
    case 13: return QStringLiteral("Type mismatch");
    case 52: return QStringLiteral("Bad file name or number");
    case 53: return QStringLiteral("File not found");
    case 54: return QStringLiteral("Bad file mode");
    case 55: return QStringLiteral("File already open");
    case 57: return QStringLiteral("Device I/O error");
    case 58: return QStringLiteral("File already exists");
    case 61: return QStringLiteral("Disk full");
    case 62: return QStringLiteral("Input past end of file");
    case 67: return QStringLiteral("Too many files");
    case 68: return QStringLiteral("Device unavailable");
    case 70: return QStringLiteral("Permission denied");
    case 71: return QStringLiteral("Disk not ready");
    case 75: return QStringLiteral("Path/File access error");
    case 76: return QStringLiteral("Path not found");
    case 91: return QStringLiteral("Object variable or With block variable not set");
    case 94: return QStringLiteral("Invalid use of Null");
    case 380: return QStringLiteral("Invalid property value");
    case 457: return QStringLiteral("This key is already associated with an element of this collection");
    default: return QStringLiteral("Application-defined or object-defined error");
    }
}

RuntimeError::RuntimeError(int number) : RuntimeError(number, standardErrorText(number)) {}

RuntimeError::RuntimeError(int number, QString description)
    : m_number(number), m_description(std::move(description)), m_what(message().toUtf8())
{
}

QString RuntimeError::message() const
{
    return QStringLiteral("Error ") + QString::number(m_number) + QStringLiteral(": ") + m_description;
}

QString errorMessage(const std::exception &error)
{
    if (const auto *e = dynamic_cast<const RuntimeError *>(&error))
        return e->message();
    if (dynamic_cast<const std::bad_alloc *>(&error))
        return RuntimeError(Err::OutOfMemory).message();
    return RuntimeError(51, QString::fromLocal8Bit(error.what())).message();
}

void raise(int number) { throw RuntimeError(number); }
void raise(int number, const QString &description) { throw RuntimeError(number, description); }

} // namespace tess

#pragma once
// A value that holds nothing, a whole number or a text: the date settings of
// a project are numbers when set by the program and texts when read back
// from a project file, and every reader compares them as numbers.
#include <QString>
#include <variant>

namespace tess {

class Variant {
public:
    Variant() = default;
    Variant(int i) : m_v(i) {}
    Variant(const QString &s) : m_v(s) {}
    Variant(const char *s) : m_v(QString::fromUtf8(s)) {}

    bool isEmpty() const { return std::holds_alternative<std::monostate>(m_v); }
    bool isText() const { return std::holds_alternative<QString>(m_v); }
    bool isInteger() const { return std::holds_alternative<int>(m_v); }

    // The text form: "" for empty, decimal digits for a number.
    QString toText() const;
    // The numeric value: 0 for empty; a text must be a number (error 13).
    double toNumber() const;
    // toNumber narrowed like a 16-bit integer (errors 13, 6).
    int toInt() const;

    // Numeric comparison, as the readers of these members compare.
    bool equalsNumber(double n) const { return toNumber() == n; }

private:
    std::variant<std::monostate, int, QString> m_v;
};

} // namespace tess

#include "platform/variant.h"
#include "platform/convert.h"

namespace tess {

QString Variant::toText() const
{
    if (isInteger())
        return QString::number(std::get<int>(m_v));
    if (isText())
        return std::get<QString>(m_v);
    return QString();
}

double Variant::toNumber() const
{
    if (isInteger())
        return std::get<int>(m_v);
    if (isText())
        return strictNumber(std::get<QString>(m_v));
    return 0;
}

int Variant::toInt() const { return toInt16(toNumber()); }

} // namespace tess

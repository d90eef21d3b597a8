#pragma once
// The maker's addresses, quoted in generated files and error reports.
#include <QString>

namespace tess {

inline QString downloadAddress() { return QStringLiteral("https://www.tessaron.example/download"); }
inline QString supportAddress() { return QStringLiteral("https://www.tessaron.example/support"); }
inline QString programVersion() { return QStringLiteral("3.0"); }

} // namespace tess

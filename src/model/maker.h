#pragma once
// The maker's addresses, quoted in generated files and error reports.
#include <QString>

namespace tess {

inline QString downloadAddress() { return QStringLiteral("https://www.tessaron.example/download"); }
// The maker's web site, linked from the credits of generated pages.
inline QString webAddress() { return QStringLiteral("https://www.tessaron.example/"); }
inline QString supportAddress() { return QStringLiteral("https://www.tessaron.example/support"); }
inline QString forumAddress() { return QStringLiteral("https://www.tessaron.example/forum"); }
inline QString programVersion() { return QStringLiteral("3.0"); }

} // namespace tess

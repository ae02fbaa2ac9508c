#pragma once

#include <QString>

namespace version {
// "Vantaro. Версия 0.02.50 Beta": minor and revision with at least two digits, and " Beta" only
// while the revision is not 0.
inline QString text(int major, int minor, int revision) {
    return QStringLiteral("Vantaro. Версия %1.%2.%3%4")
        .arg(major)
        .arg(minor, 2, 10, QLatin1Char('0'))
        .arg(revision, 2, 10, QLatin1Char('0'))
        .arg(revision != 0 ? QStringLiteral(" Beta") : QString());
}
// The game's own version, as the build gives it (version.cpp).
QString text();
} // namespace version

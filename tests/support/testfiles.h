#pragma once
// Reading and writing whole files in tests. A file that cannot be read
// reads as "<missing>", which no expected content equals.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtTest>

namespace tess::test {

inline QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Records a failure of the calling test when the file cannot be written.
inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

} // namespace tess::test

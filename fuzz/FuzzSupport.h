#pragma once

// What the harnesses share: a broken property stops the run where it broke, and the files an
// input is written into.

#include <QByteArray>
#include <QFile>
#include <QString>

inline void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

inline void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    check(file.write(bytes) == bytes.size());
}

#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <gtest/gtest.h>

// Files a test lays out and reads back.
namespace testfiles {

// Writes the content, making the folder first; a file that cannot be written fails the test.
inline void write(const QString& file, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly)) << file.toStdString();
    out.write(content);
}

// The whole content, or "(unreadable)".
inline QByteArray read(const QString& file)
{
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("(unreadable)");
}

} // namespace testfiles

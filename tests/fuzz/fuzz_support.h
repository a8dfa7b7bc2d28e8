#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// What the fuzz targets share: the input bytes as a file the readers can open, and a broken
// property turned into a crash that libFuzzer keeps.

#define FUZZ_REQUIRE(condition)                                                                    \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "property broken: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace Fuzz {

// A folder of the process's own, removed when the process ends. In memory where the system has
// it: the readers and writers under test sync their files, and disk waits would make a run
// mostly waiting.
inline const QTemporaryDir& scratch()
{
    static const QTemporaryDir dir(
        (QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath())
        + QStringLiteral("/quirva-fuzz-XXXXXX"));
    FUZZ_REQUIRE(dir.isValid());
    return dir;
}

// Replaces the file `name` of the scratch folder by the bytes and returns its path.
inline QString writeFile(const QString& name, const std::uint8_t* data, std::size_t size)
{
    const QString path = scratch().filePath(name);
    QFile file(path);
    FUZZ_REQUIRE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_REQUIRE(file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size));
    return path;
}

inline QByteArray bytes(const std::uint8_t* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

} // namespace Fuzz

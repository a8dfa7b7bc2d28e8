#pragma once

#include <QString>
#include <QStringList>

// The text files of the pool closings: single-byte text, CR LF line ends, lines trimmed.
namespace PoolFile {

// Writes through a temporary file that replaces the old one only when every line was written,
// so a failed save keeps the previous file whole. False on any failure.
bool writeLines(const QString& fileName, const QStringList& lines);

// Every line of the file, trimmed; throws std::runtime_error with the user's message when the
// file cannot be read.
QStringList readLines(const QString& fileName);

} // namespace PoolFile

#include "cli/command_files.h"

#include "cli/console.h"
#include "engine/verify/ticket_file.h"

#include <QDir>
#include <QFileInfo>

namespace CommandFiles {

int numbersPerLine(const QString& path)
{
    constexpr int mostNumbers = 100;
    TicketFileReader reader(path, TicketFileReader::lineBound(mostNumbers));
    QString line;
    bool overlong = false;
    if (!reader.open() || !reader.next(line, overlong) || overlong) return 0;
    return line.size() % 3 == 0 ? static_cast<int>(line.size() / 3) : 0;
}

bool read(const QString& path, int k, LineStore& lines, TicketMask& numbers, QString& error)
{
    TicketFileReader reader(path, TicketFileReader::lineBound(k));
    if (!reader.open()) {
        error = TicketFile::openFailureMessage(path);
        return false;
    }
    const bool valid
        = ReadTicketFile(reader, k, [&](QStringView line, const TicketLineCheck& check) {
              numbers = numbers | check.numbers;
              if (check.regular)
                  lines.appendBuilt(line, check.numbers);
              else
                  lines.append(line);
          });
    if (!valid) {
        lines.clear();
        numbers = {};
        error = TicketFile::invalidFileMessage(k);
    }
    return valid;
}

bool write(const QString& path, const LineStore& lines, Console& console)
{
    const QString shown = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    if (!TicketFile::save(path, lines)) {
        console.message(QStringLiteral("Erro ao gerar o arquivo ") + shown + u'.');
        return false;
    }
    console.result(QStringLiteral("Arquivo ") + shown + QStringLiteral(" gerado com sucesso."));
    return true;
}

} // namespace CommandFiles

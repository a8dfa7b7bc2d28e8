#include "engine/verify/ticket_file.h"

#include "engine/base/conversion.h"
#include "engine/generate/line_format.h"

#include <QDir>
#include <QSaveFile>
#include <algorithm>
#include <vector>

namespace {

constexpr qsizetype chunkBytes = 1 << 20;

bool isBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

} // namespace

TicketFileReader::TicketFileReader(const QString& path, qsizetype maxLineChars)
    : file_(path)
    , maxLineChars_(std::max<qsizetype>(maxLineChars, 0))
{
    content_.reserve(static_cast<std::size_t>(std::min<qsizetype>(maxLineChars_, 4096)) + 1);
}

bool TicketFileReader::open()
{
    return file_.open(QIODevice::ReadOnly);
}

bool TicketFileReader::fill()
{
    if (atEnd_) return false;
    buffer_.resize(chunkBytes);
    const qint64 got = file_.read(buffer_.data(), chunkBytes);
    if (got < 0)
        throw std::runtime_error(
            QStringLiteral("Erro ao ler o arquivo %1.").arg(file_.fileName()).toStdString());
    buffer_.resize(got);
    pos_ = 0;
    if (got == 0) atEnd_ = true;
    return got > 0;
}

bool TicketFileReader::next(QString& line, bool& overlong)
{
    content_.clear();
    pendingBlanks_.clear();
    overlong = false;
    bool sawAnything = false;
    for (;;) {
        if (pos_ >= buffer_.size() && !fill()) break;
        const char* data = buffer_.constData();
        const qsizetype size = buffer_.size();
        if (skipLineFeed_) {
            skipLineFeed_ = false;
            if (data[pos_] == '\n') {
                ++pos_;
                continue;
            }
        }
        bool ended = false;
        while (pos_ < size) {
            const char c = data[pos_++];
            sawAnything = true;
            if (c == '\n' || c == '\r') {
                skipLineFeed_ = c == '\r';
                ended = true;
                break;
            }
            if (overlong) continue;
            if (isBlankOrControl(c)) {
                // Blanks inside the line count; trailing ones are dropped at the end. They are
                // only kept up to the bound, since more of them can never lie inside a valid line.
                if (!content_.empty() && std::ssize(pendingBlanks_) <= maxLineChars_)
                    pendingBlanks_.push_back(c);
                continue;
            }
            if (std::ssize(content_) + std::ssize(pendingBlanks_) + 1 > maxLineChars_) {
                overlong = true;
                continue;
            }
            if (!pendingBlanks_.empty()) {
                content_ += pendingBlanks_;
                pendingBlanks_.clear();
            }
            content_.push_back(c);
        }
        if (ended) break;
    }
    if (!sawAnything) return false;
    line.resize(std::ssize(content_) + 1);
    QChar* out = line.data();
    out[0] = u' ';
    for (qsizetype i = 0; i < std::ssize(content_); ++i)
        out[i + 1] = QChar(static_cast<unsigned char>(content_[i]));
    return true;
}

TicketLineCheck checkTicketLine(QStringView line, int k)
{
    TicketLineCheck check;
    if (k < 0 || line.size() != 3 * static_cast<qsizetype>(k)) {
        check.verdict = TicketLineCheck::Verdict::WrongLength;
        return check;
    }
    auto plainDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    bool regular = true;
    for (qsizetype p = 1; p < line.size(); p += 3) {
        const QChar a = line[p], b = line[p + 1];
        int value = 0;
        if (plainDigit(a) && plainDigit(b)) {
            value = (a.unicode() - u'0') * 10 + (b.unicode() - u'0');
            regular = regular && !plainDigit(line[p - 1]);
        } else if (!tryStrToInt(line.mid(p, 2).toString(), value) || value < 0 || value > 99) {
            // "-1" converts but names no tile, so it is as unreadable as "AB".
            check.verdict = TicketLineCheck::Verdict::BadField;
            return check;
        } else {
            regular = false;
        }
        const int n = value == 0 ? 100 : value;
        regular = regular && !check.numbers.has(n);
        check.numbers.add(n);
    }
    check.regular = regular;
    return check;
}

bool ReadTicketFile(TicketFileReader& reader, int k,
    const std::function<void(QStringView line, const TicketLineCheck& check)>& onLine)
{
    QString line;
    bool overlong = false;
    while (reader.next(line, overlong)) {
        TicketLineCheck check;
        if (overlong)
            check.verdict = TicketLineCheck::Verdict::WrongLength;
        else
            check = checkTicketLine(line, k);
        onLine(line, check);
        if (!check.valid()) return false;
    }
    return true;
}

namespace TicketFile {

QString defaultName(Modality modality, const ParameterFields& f)
{
    return QStringLiteral("Quirva_") + modalityCode(modality) + u'_' + f.T.trimmed()
        + QStringLiteral("dz_") + f.K.trimmed() + QStringLiteral("m_") + f.D.trimmed()
        + QStringLiteral("s_") + f.G.trimmed() + QStringLiteral("gr_se") + f.C.trimmed()
        + QStringLiteral(".txt");
}

QString openFailureMessage(const QString& path)
{
    return QStringLiteral("Não foi possível abrir o arquivo %1.")
        .arg(QDir::toNativeSeparators(path));
}

QString invalidFileMessage(int k)
{
    const QChar cr = u'\r';
    return QStringLiteral("Arquivo no formato inválido. O arquivo tem que estar no formato que o "
                          "QUIRVA possa entender, neste caso tem que ter ")
        + QString::number(k)
        + QStringLiteral(" dezenas antecedidas de uma caractere seja ele qual for e tem que "
                         "conter ")
        + QString::number(3 * k) + QStringLiteral(" cacacteres por linha. ") + cr + cr
        + QStringLiteral("Exemplo de um arquivo com 5 dezenas sendo 15 caracteres por linha:") + cr
        + QStringLiteral("-01-02-03x04-05") + cr + QStringLiteral(" 01x03+07 10 23");
}

bool save(const QString& path, const LineStore& lines)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    QByteArray chunk;
    chunk.reserve(chunkBytes + 1024);
    for (qsizetype row = 0; row < lines.size(); ++row) {
        const QString text = lines.line(row);
        chunk += LineFormat::trimmed(text).toLatin1();
        chunk += "\r\n";
        if (chunk.size() >= chunkBytes) {
            if (file.write(chunk) != chunk.size()) return false;
            chunk.clear();
        }
    }
    if (!chunk.isEmpty() && file.write(chunk) != chunk.size()) return false;
    return file.commit();
}

void sortUnique(LineStore& lines)
{
    std::vector<QString> sorted;
    sorted.reserve(static_cast<std::size_t>(lines.size()));
    for (qsizetype row = 0; row < lines.size(); ++row)
        sorted.push_back(lines.line(row));
    // QString's operator< compares UTF-16 code units, which for single-byte text is the plain
    // character-code order, a prefix first.
    std::sort(sorted.begin(), sorted.end());
    lines.clear();
    for (std::size_t i = 0; i < sorted.size(); ++i)
        if (i == 0 || sorted[i] != sorted[i - 1]) lines.append(sorted[i]);
}

} // namespace TicketFile

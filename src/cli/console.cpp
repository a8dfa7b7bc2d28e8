#include "cli/console.h"

#include <QJsonDocument>
#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace {

constexpr qint64 kBarRefreshMs = 100;
constexpr qint64 kPlainLineEveryMs = 5000;
constexpr qint64 kPlainFigureEveryMs = 1000;
constexpr int kBarWidth = 30;

void write(FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

QString clock(qint64 ms)
{
    const qint64 seconds = ms / 1000;
    return QStringLiteral("%1:%2")
        .arg(seconds / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

Console::Console(bool json)
    : json_(json)
    , terminal_(isatty(fileno(stderr)) != 0)
{
}

Console::~Console()
{
    endProgress();
}

void Console::message(const QString& text)
{
    clearBar();
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    write(stderr, lines + u'\n');
}

void Console::result(const QString& text)
{
    if (json_) return;
    clearBar();
    write(stdout, text + u'\n');
}

void Console::summary(const QJsonObject& object)
{
    if (!json_) return;
    write(stdout, QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) + u'\n');
}

void Console::progress(const QString& step, double fraction, const QString& figure)
{
    const bool newStep = step != step_;
    if (newStep) {
        endProgress();
        step_ = step;
        stepTime_.start();
    }
    // On a terminal the bar is redrawn often; plain lines come when a step begins, when the
    // figure has changed (at most once a second) and every few seconds otherwise.
    const qint64 since = sinceShown_.isValid() ? sinceShown_.elapsed() : 0;
    const bool due = terminal_
        ? since >= kBarRefreshMs
        : since >= kPlainLineEveryMs || (figure != shownFigure_ && since >= kPlainFigureEveryMs);
    lastFraction_ = fraction;
    lastFigure_ = figure;
    lastShown_ = newStep || due;
    if (lastShown_) show(fraction, figure);
}

void Console::show(double fraction, const QString& figure)
{
    sinceShown_.start();
    shownFigure_ = figure;
    QStringList parts;
    if (fraction >= 0)
        parts << QStringLiteral("%1 %").arg(static_cast<int>(qBound(0.0, fraction, 1.0) * 100), 3);
    parts << clock(stepTime_.elapsed());
    if (!figure.isEmpty()) parts << figure;
    if (!terminal_) {
        write(stderr,
            step_ + QStringLiteral(": ") + parts.join(QStringLiteral(", ")).trimmed() + u'\n');
        return;
    }
    QString bar;
    if (fraction >= 0) {
        const int filled = static_cast<int>(qBound(0.0, fraction, 1.0) * kBarWidth);
        bar = u'[' + QString(filled, u'#') + QString(kBarWidth - filled, u'.')
            + QStringLiteral("] ");
    }
    // Carriage return and "erase to the end of the line": the bar is redrawn in place.
    write(stderr,
        u'\r' + step_ + u' ' + bar + parts.join(QStringLiteral("  ")) + QStringLiteral("\x1b[K"));
    barShown_ = true;
}

void Console::endProgress()
{
    // The step's last figures, which may not have been shown yet.
    if (!step_.isEmpty() && !lastShown_) show(lastFraction_, lastFigure_);
    lastShown_ = true;
    if (barShown_) write(stderr, QStringLiteral("\n"));
    barShown_ = false;
    step_.clear();
}

void Console::clearBar()
{
    if (barShown_) write(stderr, QStringLiteral("\r\x1b[K"));
    barShown_ = false;
}

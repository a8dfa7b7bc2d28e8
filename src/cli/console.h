#pragma once

#include <QElapsedTimer>
#include <QJsonObject>
#include <QString>

// What a command tells the user. Messages and progress go to standard error, results to
// standard output; with --json standard output holds only the one summary object. Progress is
// a bar redrawn in place on a terminal, and plain lines otherwise.
class Console
{
public:
    explicit Console(bool json);
    ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    bool json() const { return json_; }

    // A line for the user on standard error (the window's carriage returns become line ends).
    void message(const QString& text);
    // A line of the result on standard output; nothing with --json.
    void result(const QString& text);
    // The summary object on standard output, with --json only.
    void summary(const QJsonObject& object);

    // Progress of the step `step` ("otimizando"): `fraction` 0..1, or below 0 when unknown;
    // `figure` what the step has so far ("melhor: 574 bilhetes"), shown after the time.
    void progress(const QString& step, double fraction, const QString& figure = {});
    // Ends the progress display of the current step.
    void endProgress();

private:
    void clearBar();
    void show(double fraction, const QString& figure);

    bool json_;
    bool terminal_;
    bool barShown_ = false;
    QString step_;
    QString shownFigure_;
    double lastFraction_ = -1;
    QString lastFigure_;
    bool lastShown_ = true; // the last figures given were shown
    QElapsedTimer stepTime_, sinceShown_;
};

#pragma once

#include "slips/print_settings.h"
#include "slips/slip_report.h"

#include <QString>
#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

class LineStore;

// What the five number-lottery slips share: B bet panels filled from the closing lines,
// `lineCursor` walking the closing B lines at a time, count, teimosinha and mirror boxes,
// the labels, and the furniture an official slip already carries.
class NumberSlip : public SlipReport
{
public:
    // Slip image of 311 x 529 layout units, on the design page of two columns.
    NumberSlip(const QString& name, int betsPerSlip, int highestNumber, const LineStore& closing,
        const PrintSettings& settings);

    int betsPerSlip() const { return betsPerSlip_; }
    int lineCursor = 0;

    // B closing lines a slip; with none, the first call still prints a blank one.
    qsizetype bandCount() const override
    {
        return std::max<qsizetype>(1, (lineCount() + betsPerSlip_ - 1) / betsPerSlip_);
    }
    void seekBand(qsizetype index) override { lineCursor = int(index * betsPerSlip_); }

    // The box of number n (1..highest) in panel p; for tests and the slips' own layouts.
    const ReportShape& numberBox(int panel, int n) const { return *numberBoxes_[panel][n - 1]; }

    // "1 , 2 e 3", "4 e 5", "7": which closing lines a slip carries.
    static QString betNumbersText(int cursor, int lineCount, int betsPerSlip);

protected:
    // The common start of a run: cursor to the first line; official set-up and furniture.
    void startSlips();
    // The common NeedData: every box set afresh from lines lineCursor.. lineCursor + B - 1.
    void fillSlip(bool& more);
    // Bet text labels; by default label j shows closing line c + j.
    virtual void fillBetTexts(int cursor);

    QString lineAt(qsizetype index) const; // empty past the end
    qsizetype lineCount() const;

    // Layout helpers for the constructors of the slips.
    void addNumberBox(int panel, int n, const QRect& rect, PenStyle pen = PenStyle::Clear);
    void addCountBox(double numbers, const QRect& rect);
    void addTeimosinhaBox(const QString& value, const QRect& rect, PenStyle pen = PenStyle::Clear);
    void addMirrorBox(const QRect& rect, PenStyle pen = PenStyle::Clear);
    // An edge mark, black; `officialWhite` marks it as pre-printed on the official slip.
    void addEdgeMark(const QRect& rect, bool officialWhite, PenStyle pen = PenStyle::Clear);
    ReportLabel& addSlipLabel(const QRect& rect, double pointSize, bool bold, bool officialWhite,
        const QString& caption = QString());

    ReportLabel* title_ = nullptr;
    ReportLabel* betNumbers_ = nullptr;
    ReportLabel* identification_ = nullptr;
    ReportLabel* product_ = nullptr;
    std::vector<ReportLabel*> betTexts_;

private:
    int betsPerSlip_;
    const LineStore& closing_;
    PrintSettings settings_;
    std::vector<std::vector<ReportShape*>> numberBoxes_;
    std::vector<std::pair<double, ReportShape*>> countBoxes_;
    std::vector<std::pair<QString, ReportShape*>> teimosinhaBoxes_;
    ReportShape* mirrorBox_ = nullptr;
    std::vector<ReportShape*> officialWhiteShapes_;
    std::vector<ReportLabel*> officialWhiteLabels_;
};

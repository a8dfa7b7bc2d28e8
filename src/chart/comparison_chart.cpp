#include "chart/comparison_chart.h"

#include "engine/base/conversion.h"
#include "engine/chart/number_counts.h"
#include "ui/bet_board.h"
#include "ui/bet_parameters.h"
#include "ui/dialogs.h"
#include "ui/draws_area.h"
#include "ui/line_view.h"
#include "ui/run_host.h"
#include "ui/window_seams.h"

#include <QBoxLayout>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScatterSeries>
#include <QTabWidget>
#include <QValueAxis>

ComparisonChart::ComparisonChart(WindowSeams& window, RunHost& runs,
    const BetParameters& parameters, BetBoard& board, DrawsArea& draws)
    : QObject(&window.host())
    , window_(window)
    , runs_(runs)
    , parameters_(parameters)
    , board_(board)
    , draws_(draws)
{
    setObjectName(QStringLiteral("ComparisonChart"));
    auto* layout = new QHBoxLayout(window.page(WindowSeams::Page::Comparativo));
    auto* chart = new QChart;
    chart->legend()->hide();
    Series1 = new QScatterSeries;
    Series1->setObjectName(QStringLiteral("Series1"));
    Series1->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    Series1->setColor(Qt::red);
    chart->addSeries(Series1);
    ChartView1 = new QChartView(chart);
    ChartView1->setObjectName(QStringLiteral("ChartView1"));
    layout->addWidget(ChartView1, 1);
    auto* side = new QVBoxLayout;
    layout->addLayout(side);
    CheckListBox1 = new QListWidget;
    CheckListBox1->setObjectName(QStringLiteral("CheckListBox1"));
    CheckListBox1->setToolTip(QStringLiteral(
        "Selecione as dezenas que devem ser marcadas na aba de Seleção de Dezenas a Apostar"));
    side->addWidget(CheckListBox1, 1);
    auto* count = new QHBoxLayout;
    side->addLayout(count);
    Label116 = new QLabel(QStringLiteral("0"));
    Label116->setObjectName(QStringLiteral("Label116"));
    count->addWidget(Label116, 1);
    Button23 = new QPushButton(QStringLiteral("Marcar Dezenas Selecionadas"));
    Button23->setObjectName(QStringLiteral("Button23"));
    Button23->setToolTip(
        QStringLiteral("As dezenas utilizadas são as que estão na aba de Simulação e Conferência"));
    side->addWidget(Button23);

    axisX_ = new QCategoryAxis;
    axisX_->setObjectName(QStringLiteral("AxisDezenas"));
    axisX_->setTitleText(QStringLiteral("Dezenas"));
    axisX_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axisX_->setRange(0, 1);
    axisY_ = new QValueAxis;
    axisY_->setObjectName(QStringLiteral("AxisQuantidade"));
    axisY_->setTitleText(QStringLiteral("Quantidade de vezes que a dezena apareceu"));
    axisY_->setLabelFormat(QStringLiteral("%d"));
    // Fixed ticks would split 0..1 into quarters and label them 0, 0, 0, 0, 1.
    axisY_->setTickType(QValueAxis::TicksDynamic);
    axisY_->setTickAnchor(0);
    setCountRange(1);
    chart->addAxis(axisX_, Qt::AlignBottom);
    chart->addAxis(axisY_, Qt::AlignLeft);
    Series1->attachAxis(axisX_);
    Series1->attachAxis(axisY_);
    Series1->setPointLabelsVisible(false);
    // The main window's reset empties the series; the number labels go with it.
    connect(Series1, &QXYSeries::pointsRemoved, this, [this] {
        if (Series1->count() == 0) clearAxisLabels();
    });

    // Made after the list and its buttons, so the keyboard reaches it last.
    Button22 = new QPushButton(QStringLiteral("Gráfico Comparativo"));
    Button22->setObjectName(QStringLiteral("Button22"));
    side->insertWidget(0, Button22);
    auto* caption = new QLabel(QStringLiteral("Itens:"));
    caption->setObjectName(QStringLiteral("Label115"));
    count->insertWidget(0, caption);

    connect(Button22, &QPushButton::clicked, this,
        [this] { window_.guarded([this] { Button22Click(); }); });
    connect(Button23, &QPushButton::clicked, this, [this] {
        if (runs_.mayRun(Command::MarkChartNumbers)) window_.guarded([this] { Button23Click(); });
    });
    connect(CheckListBox1, &QListWidget::itemChanged, this,
        [this](QListWidgetItem*) { CheckListBox1ClickCheck(); });
    draws.onDrawsReset([this] { reset(); });
}

void ComparisonChart::reset()
{
    Label116->setText(QStringLiteral("0"));
    Series1->clear();
    CheckListBox1->clear();
}

void ComparisonChart::clearAxisLabels()
{
    for (const QString& label : axisX_->categoriesLabels())
        axisX_->remove(label);
    axisX_->setRange(0, 1);
    setCountRange(1);
}

void ComparisonChart::setCountRange(int top)
{
    axisY_->setRange(0, top);
    axisY_->setTickInterval(NumberCounts::tickStep(top));
}

void ComparisonChart::Button22Click()
{
    reset();

    NumberCounts counts;
    const LineStore& draws = draws_.draws().store();
    for (qsizetype row = 0; row < draws.size(); ++row)
        counts.addLine(draws.line(row));

    const std::vector<NumberCounts::Point> points = counts.points();
    QList<QPointF> xy;
    xy.reserve(static_cast<qsizetype>(points.size()));
    int highest = 0;
    for (const NumberCounts::Point& p : points) {
        xy.append(QPointF(p.x, p.y));
        axisX_->append(p.label, p.x);
        highest = std::max(highest, p.y);
    }
    axisX_->setRange(0, static_cast<double>(points.size()) + 1);
    setCountRange(highest + 1);
    Series1->replace(xy);

    for (const NumberCounts::Item& item : counts.ranking()) {
        auto* entry = new QListWidgetItem(item.text());
        entry->setFlags(entry->flags() | Qt::ItemIsUserCheckable);
        entry->setCheckState(Qt::Unchecked);
        CheckListBox1->addItem(entry);
    }
}

int ComparisonChart::checkedCount() const
{
    int checked = 0;
    for (int i = 0; i < CheckListBox1->count(); ++i)
        if (CheckListBox1->item(i)->checkState() == Qt::Checked) ++checked;
    return checked;
}

void ComparisonChart::CheckListBox1ClickCheck()
{
    Label116->setText(QString::number(checkedCount()));
}

void ComparisonChart::Button23Click()
{
    const int checked = checkedCount();
    if (checked == 0) {
        Dialogs::information(&window_.host(),
            QStringLiteral("A quantidade de dezenas selecionadas tem que ser maior que zero."));
        return;
    }
    const int t = parameters_.T();
    if (checked > t) {
        Dialogs::information(&window_.host(),
            QStringLiteral("A quantidade de dezenas selecionadas não pode ultrapassar ")
                + QString::number(t) + QStringLiteral("."));
        return;
    }

    std::vector<int> numbers;
    for (int i = 0; i < CheckListBox1->count(); ++i) {
        const QListWidgetItem* item = CheckListBox1->item(i);
        if (item->checkState() != Qt::Checked) continue;
        const int field = StrToInt(item->text().left(2));
        numbers.push_back(field == 0 ? 100 : field);
    }
    // Draws of another modality may still be in the draws area: a number the board does not
    // have would make a bet the modality cannot take.
    const int highest = qBound(0, parameters_.U(), 100);
    for (int n : numbers)
        if (n < 1 || n > highest) {
            Dialogs::information(&window_.host(),
                QStringLiteral("A dezena ") + NumberCounts::fieldText(n % 100)
                    + QStringLiteral(" não existe na modalidade selecionada."));
            return;
        }

    board_.clear();
    for (int n : numbers)
        board_.board().setState(n, Board::State::Selected);
    board_.refresh();
    window_.showPage(WindowSeams::Page::Selecao);
}

void attachChart(WindowSeams& window, RunHost& runs, const BetParameters& parameters,
    BetBoard& board, DrawsArea& draws)
{
    new ComparisonChart(window, runs, parameters, board, draws);
}

#include "chart/comparison_chart.h"

#include "app/conversion.h"
#include "app/dialogs.h"
#include "app/tform1.h"
#include "chart/number_counts.h"

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

ComparisonChart::ComparisonChart(TForm1& form)
    : QObject(&form)
    , form_(form)
{
    setObjectName(QStringLiteral("ComparisonChart"));
    QChart* chart = form_.ChartView1->chart();
    chart->legend()->hide();
    for (QAbstractAxis* axis : chart->axes())
        chart->removeAxis(axis);
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
    form_.Series1->attachAxis(axisX_);
    form_.Series1->attachAxis(axisY_);
    form_.Series1->setPointLabelsVisible(false);
    // The main window's reset empties the series; the number labels go with it.
    connect(form_.Series1, &QXYSeries::pointsRemoved, this, [this] {
        if (form_.Series1->count() == 0) clearAxisLabels();
    });

    Button22 = new QPushButton(QStringLiteral("Gráfico Comparativo"));
    Button22->setObjectName(QStringLiteral("Button22"));
    if (auto* row = qobject_cast<QBoxLayout*>(form_.TabComparativo->layout())) {
        QLayoutItem* item = row->count() > 1 ? row->itemAt(1) : nullptr;
        if (auto* side = item ? qobject_cast<QBoxLayout*>(item->layout()) : nullptr) {
            side->insertWidget(0, Button22);
            const int at = side->indexOf(form_.Label116);
            auto* caption = new QLabel(QStringLiteral("Itens:"));
            caption->setObjectName(QStringLiteral("Label115"));
            auto* count = new QHBoxLayout;
            count->addWidget(caption);
            side->removeWidget(form_.Label116);
            count->addWidget(form_.Label116, 1);
            side->insertLayout(at < 0 ? side->count() : at, count);
        }
    }

    connect(Button22, &QPushButton::clicked, this,
        [this] { form_.guarded([this] { Button22Click(); }); });
    connect(form_.Button23, &QPushButton::clicked, this, [this] {
        if (form_.mayRun(Command::MarkChartNumbers)) form_.guarded([this] { Button23Click(); });
    });
    connect(form_.CheckListBox1, &QListWidget::itemChanged, this,
        [this](QListWidgetItem*) { CheckListBox1ClickCheck(); });
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
    form_.Label116->setText(QStringLiteral("0"));
    form_.Series1->clear();
    form_.CheckListBox1->clear();

    NumberCounts counts;
    const LineStore& draws = form_.Memo2->store();
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
    form_.Series1->replace(xy);

    for (const NumberCounts::Item& item : counts.ranking()) {
        auto* entry = new QListWidgetItem(item.text());
        entry->setFlags(entry->flags() | Qt::ItemIsUserCheckable);
        entry->setCheckState(Qt::Unchecked);
        form_.CheckListBox1->addItem(entry);
    }
}

int ComparisonChart::checkedCount() const
{
    int checked = 0;
    for (int i = 0; i < form_.CheckListBox1->count(); ++i)
        if (form_.CheckListBox1->item(i)->checkState() == Qt::Checked) ++checked;
    return checked;
}

void ComparisonChart::CheckListBox1ClickCheck()
{
    form_.Label116->setText(QString::number(checkedCount()));
}

void ComparisonChart::Button23Click()
{
    const int checked = checkedCount();
    if (checked == 0) {
        Dialogs::information(&form_,
            QStringLiteral("A quantidade de dezenas selecionadas tem que ser maior que zero."));
        return;
    }
    const int t = form_.T();
    if (checked > t) {
        Dialogs::information(&form_,
            QStringLiteral("A quantidade de dezenas selecionadas não pode ultrapassar ")
                + QString::number(t) + QStringLiteral("."));
        return;
    }

    std::vector<int> numbers;
    for (int i = 0; i < form_.CheckListBox1->count(); ++i) {
        const QListWidgetItem* item = form_.CheckListBox1->item(i);
        if (item->checkState() != Qt::Checked) continue;
        const int field = StrToInt(item->text().left(2));
        numbers.push_back(field == 0 ? 100 : field);
    }
    // Draws of another modality may still be in the draws area: a number the board does not
    // have would make a bet the modality cannot take.
    const int highest = qBound(0, form_.U(), 100);
    for (int n : numbers)
        if (n < 1 || n > highest) {
            Dialogs::information(&form_,
                QStringLiteral("A dezena ") + NumberCounts::fieldText(n % 100)
                    + QStringLiteral(" não existe na modalidade selecionada."));
            return;
        }

    form_.Button7Click();
    for (int n : numbers)
        form_.board.setState(n, Board::State::Selected);
    form_.refreshBoard();
    form_.PageControl1->setCurrentWidget(form_.TabSelecao);
}

void attachChart(TForm1& form)
{
    new ComparisonChart(form);
}

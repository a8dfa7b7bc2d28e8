#include "reduce/lotofacil_reducer.h"

#include "engine/reduce/lotofacil_filter.h"
#include "engine/reduce/lotofacil_tables.h"
#include "reduce/reducer_roles.h"
#include "reduce/reduction_run.h"
#include "ui/line_view.h"
#include "ui/window_seams.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QListWidget* patternList(const QString& name)
{
    auto* list = new QListWidget;
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setUniformItemSizes(true);
    list->setMinimumWidth(150);
    return list;
}

QCheckBox* filterSwitch(const QString& name, const QString& caption)
{
    auto* box = new QCheckBox(caption);
    box->setObjectName(name);
    return box;
}

} // namespace

LotofacilReducer::LotofacilReducer(const ReducerRoles& roles)
    : QObject(&roles.window.host())
    , roles_(roles)
{
    setObjectName(QStringLiteral("LotofacilReducer"));
    QWidget* tab = roles.window.page(WindowSeams::Page::Lotofacil);
    auto* layout = new QHBoxLayout(tab);
    limits_ = std::make_unique<LimitFields>(ReducerGame::lotofacil(), tab);
    layout->addWidget(limits_->box(), 0, Qt::AlignTop);

    auto* right = new QVBoxLayout;
    layout->addLayout(right, 1);
    auto* lists = new QGridLayout;
    right->addLayout(lists, 1);
    ListBox1 = patternList(QStringLiteral("ListBox1"));
    ListBox2 = patternList(QStringLiteral("ListBox2"));
    ListBox3 = patternList(QStringLiteral("ListBox3"));
    QLabel** totals[] = { &LabelCoberturaTotal1, &LabelCoberturaTotal2, &LabelCoberturaTotal3 };
    const QString captions[]
        = { QStringLiteral("Linhas"), QStringLiteral("Colunas"), QStringLiteral("Somas") };
    QListWidget* const boxes[] = { ListBox1, ListBox2, ListBox3 };
    for (int i = 0; i < 3; ++i) {
        lists->addWidget(new QLabel(captions[i]), 0, i);
        lists->addWidget(new QLabel(QStringLiteral("Combinação --> Cobertura")), 1, i);
        lists->addWidget(boxes[i], 2, i);
        auto* totalRow = new QHBoxLayout;
        totalRow->addWidget(new QLabel(QStringLiteral("Cobertura Total:")));
        *totals[i] = new QLabel(QStringLiteral("0"));
        (*totals[i])->setObjectName(QStringLiteral("LabelCoberturaTotal%1").arg(i + 1));
        totalRow->addWidget(*totals[i], 1);
        lists->addLayout(totalRow, 3, i);
    }

    auto* switches = new QHBoxLayout;
    CheckBox7 = filterSwitch(QStringLiteral("CheckBox7"), QStringLiteral("Redução por Casas"));
    CheckBox8 = filterSwitch(QStringLiteral("CheckBox8"), QStringLiteral("Redução por Linha"));
    CheckBox9 = filterSwitch(QStringLiteral("CheckBox9"), QStringLiteral("Redução por Coluna"));
    CheckBox13 = filterSwitch(QStringLiteral("CheckBox13"), QStringLiteral("Redução por Soma"));
    for (QCheckBox* box : { CheckBox7, CheckBox8, CheckBox9, CheckBox13 })
        switches->addWidget(box);
    switches->addStretch();
    Button17 = new QPushButton(QStringLiteral("Executar Redução"));
    Button17->setObjectName(QStringLiteral("Button17"));
    switches->addWidget(Button17);
    right->addLayout(switches);

    for (QLineEdit* field : limits_->fields())
        roles.window.onExit(field, [this, field] { Edit14Exit(field); });
    roles.window.onExit(ListBox1, [this] { ListBox1Exit(); });
    roles.window.onExit(ListBox2, [this] { ListBox2Exit(); });
    roles.window.onExit(ListBox3, [this] { ListBox3Exit(); });
    connect(Button17, &QPushButton::clicked, this,
        [this] { roles_.window.guarded([this] { Button17Click(); }); });
}

LotofacilReducer::~LotofacilReducer() = default;

void LotofacilReducer::calculaCasasLF()
{
    limits_->refreshCoverage();
}

void LotofacilReducer::Edit14Exit(QLineEdit* sender)
{
    limits_->leave(sender);
}

void LotofacilReducer::fillPatternLists()
{
    for (QListWidget* list : { ListBox1, ListBox2 }) {
        list->clear();
        for (const LotofacilTables::Row& row : LotofacilTables::patterns())
            list->addItem(row.listText());
    }
    ListBox3->clear();
    for (const LotofacilTables::Row& row : LotofacilTables::sums())
        ListBox3->addItem(row.listText());
}

void LotofacilReducer::capture(QListWidget* list, QLabel* total, std::vector<int>& into)
{
    const auto& table = list == ListBox3 ? LotofacilTables::sums() : LotofacilTables::patterns();
    into.clear();
    std::uint64_t covered = 0;
    for (int i = 0; i < list->count() && i < static_cast<int>(table.size()); ++i)
        if (list->item(i)->isSelected()) {
            into.push_back(table[static_cast<std::size_t>(i)].key);
            covered += table[static_cast<std::size_t>(i)].count;
        }
    total->setText(coverageText(covered));
}

void LotofacilReducer::ListBox1Exit()
{
    capture(ListBox1, LabelCoberturaTotal1, selectedRows_);
}
void LotofacilReducer::ListBox2Exit()
{
    capture(ListBox2, LabelCoberturaTotal2, selectedColumns_);
}
void LotofacilReducer::ListBox3Exit()
{
    capture(ListBox3, LabelCoberturaTotal3, selectedSums_);
}

void LotofacilReducer::Button17Click()
{
    auto prepare = [this]() -> ReductionPass::Check {
        LotofacilFilter::Settings settings;
        settings.limits = limits_->read();
        settings.byPositions = CheckBox7->isChecked();
        settings.byRows = CheckBox8->isChecked();
        settings.byColumns = CheckBox9->isChecked();
        settings.bySums = CheckBox13->isChecked();
        settings.rowPatterns = selectedRows_;
        settings.columnPatterns = selectedColumns_;
        settings.sums = selectedSums_;
        auto filter = std::make_shared<const LotofacilFilter>(settings);
        if (!filter->anyFilter())
            return [](const LineStore&, qsizetype) { return LineVerdict::Kept; };
        return
            [filter](const LineStore& lines, qsizetype row) { return filter->check(lines, row); };
    };
    auto badLine = [](qsizetype row, const QString& line) {
        return QStringLiteral(
            "A linha %1 do fechamento (\"%2\") não é um bilhete da Lotofácil: "
            "são necessárias 15 dezenas diferentes de 01 a 25, cada uma antecedida "
            "de um caractere (45 caracteres por linha). Redução cancelada; o "
            "fechamento não foi alterado.")
            .arg(row + 1)
            .arg(LineFormat::trimmed(line).toString());
    };
    ReductionRun(roles_, roles_.window.page(WindowSeams::Page::Lotofacil))
        .execute(prepare, badLine);
}

#include "slips/print_tab.h"

#include "app/conversion.h"
#include "app/dialogs.h"
#include "app/tform1.h"
#include "slips/rel_duplasena.h"
#include "slips/rel_lotofacil.h"
#include "slips/rel_lotomania.h"
#include "slips/rel_megasena.h"
#include "slips/rel_quina.h"
#include "slips/report_preview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QValidator>

namespace {

constexpr int kMarginLimit = 200;

// Upper-cases whatever is typed or pasted, so the slips show the identification as printed.
class UpperCaseValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

template <typename W, typename... Args> W* named(const QString& name, Args&&... args)
{
    auto* w = new W(std::forward<Args>(args)...);
    w->setObjectName(name);
    return w;
}

QSlider* marginBar(const QString& name, Qt::Orientation orientation, int position)
{
    auto* bar = named<QSlider>(name, orientation);
    bar->setRange(-kMarginLimit, kMarginLimit);
    bar->setSingleStep(1);
    bar->setPageStep(10);
    bar->setValue(position);
    if (orientation == Qt::Vertical) {
        // Down the page means a larger top margin.
        bar->setInvertedAppearance(true);
        bar->setInvertedControls(true);
    }
    return bar;
}

// Leaving a margin field: clamp to the bar's range, move the bar, write its position back.
void marginFieldExit(QLineEdit* field, QSlider* bar)
{
    if (StrToInt(field->text()) > kMarginLimit) field->setText(QString::number(kMarginLimit));
    if (StrToInt(field->text()) < -kMarginLimit) field->setText(QString::number(-kMarginLimit));
    bar->setValue(StrToInt(field->text()));
    // The bar does not signal when it stays put, and "007" must still read "7".
    field->setText(QString::number(bar->value()));
}

} // namespace

PrintTab::PrintTab(TForm1& form)
    : QObject(&form)
    , form_(form)
{
    setObjectName(QStringLiteral("PrintTab"));
    Edit12 = named<QLineEdit>(QStringLiteral("Edit12"));
    Edit12->setMaxLength(50);
    Edit12->setValidator(new UpperCaseValidator(Edit12));
    CheckBox10 = named<QCheckBox>(
        QStringLiteral("CheckBox10"), QStringLiteral("Imprimir no Bilhete Oficial"));
    TrackBar1 = marginBar(QStringLiteral("TrackBar1"), Qt::Horizontal, 64);
    Edit45 = named<QLineEdit>(QStringLiteral("Edit45"), QStringLiteral("64"));
    TrackBar2 = marginBar(QStringLiteral("TrackBar2"), Qt::Vertical, 0);
    Edit46 = named<QLineEdit>(QStringLiteral("Edit46"), QStringLiteral("0"));
    Button12
        = named<QPushButton>(QStringLiteral("Button12"), QStringLiteral("Imprimir Fechamento"));
    for (QLineEdit* field : { Edit45, Edit46 })
        field->setMaximumWidth(60);

    auto* layout = qobject_cast<QFormLayout*>(form.TabImpressao->layout());
    if (!layout) layout = new QFormLayout(form.TabImpressao);
    layout->insertRow(0, QStringLiteral("Identificação a ser impressa nos bilhetes"), Edit12);
    layout->addRow(CheckBox10);
    auto* left = new QHBoxLayout;
    left->addWidget(TrackBar1, 1);
    left->addWidget(Edit45);
    layout->addRow(QStringLiteral("Ajuste da Margem Esquerda (mm)"), left);
    auto* top = new QHBoxLayout;
    top->addWidget(TrackBar2);
    top->addWidget(Edit46, 0, Qt::AlignTop);
    top->addStretch(1);
    TrackBar2->setFixedHeight(120);
    layout->addRow(QStringLiteral("Ajuste da Margem do Topo (mm)"), top);
    layout->addRow(Button12);

    connect(TrackBar1, &QSlider::valueChanged, this, [this] { TrackBar1Change(); });
    connect(TrackBar2, &QSlider::valueChanged, this, [this] { TrackBar2Change(); });
    form.onExit(Edit45, [this] { Edit45Exit(); });
    form.onExit(Edit46, [this] { Edit46Exit(); });
    connect(Button12, &QPushButton::clicked, this,
        [this] { form_.guarded([this] { Button12Click(); }); });
}

PrintTab* PrintTab::of(const TForm1& form)
{
    return form.findChild<PrintTab*>(QStringLiteral("PrintTab"), Qt::FindDirectChildrenOnly);
}

PrintSettings PrintTab::settings() const
{
    PrintSettings s;
    s.identification = Edit12->text();
    s.teimosinha = form_.ComboBox2->currentText();
    s.mirrorBet = form_.CheckBox2->isChecked();
    s.officialSlip = CheckBox10->isChecked();
    s.leftMarginMm = TrackBar1->value();
    s.topMarginMm = TrackBar2->value();
    return s;
}

std::unique_ptr<SlipReport> PrintTab::chooseSlip() const
{
    const LineStore& closing = form_.Memo1->store();
    if (closing.empty()) return nullptr;
    // Only the first line is measured: a line of k numbers has 3k characters.
    const qsizetype length = closing.length(0);
    const PrintSettings s = settings();
    switch (form_.modality()) {
    case Modality::Lotomania:
        if (length == 150) return std::make_unique<RelLotomania>(closing, s);
        break;
    case Modality::Lotofacil:
        if (length == 45) return std::make_unique<RelLotofacil>(closing, s);
        break;
    case Modality::MegaSena:
        if (length >= 18 && length <= 45) return std::make_unique<RelMegasena>(closing, s);
        break;
    case Modality::DuplaSena:
        if (length >= 18 && length <= 45) return std::make_unique<RelDuplasena>(closing, s);
        break;
    case Modality::Quina:
        if (length >= 15 && length <= 21) return std::make_unique<RelQuina>(closing, s);
        break;
    case Modality::Outros:
        break;
    }
    return nullptr;
}

void PrintTab::Button12Click()
{
    if (!form_.mayRun(Command::Print)) return;
    if (form_.Memo1->store().empty()) {
        Dialogs::information(
            &form_, QStringLiteral("Não há combinações disponíveis para a impressão."));
        return;
    }
    std::unique_ptr<SlipReport> report = chooseSlip();
    if (!report) {
        Dialogs::information(
            &form_, QStringLiteral("Impressão não disponível para essta modalidade."));
        return;
    }
    ReportPreview::exec(&form_, *report);
}

void PrintTab::TrackBar1Change()
{
    Edit45->setText(QString::number(TrackBar1->value()));
}

void PrintTab::TrackBar2Change()
{
    Edit46->setText(QString::number(TrackBar2->value()));
}

void PrintTab::Edit45Exit()
{
    marginFieldExit(Edit45, TrackBar1);
}

void PrintTab::Edit46Exit()
{
    marginFieldExit(Edit46, TrackBar2);
}

void attachPrinting(TForm1& form)
{
    new PrintTab(form);
}

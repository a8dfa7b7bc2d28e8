#include "slips/print_tab.h"

#include "engine/base/conversion.h"
#include "slips/rel_duplasena.h"
#include "slips/rel_lotofacil.h"
#include "slips/rel_lotomania.h"
#include "slips/rel_megasena.h"
#include "slips/rel_quina.h"
#include "slips/report_preview.h"
#include "ui/bet_board.h"
#include "ui/closing_area.h"
#include "ui/dialogs.h"
#include "ui/line_view.h"
#include "ui/named_widget.h"
#include "ui/run_host.h"
#include "ui/window_seams.h"

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

PrintTab::PrintTab(WindowSeams& window, RunHost& runs, const BetBoard& board, ClosingArea& closing)
    : QObject(&window.host())
    , window_(window)
    , runs_(runs)
    , board_(board)
    , closing_(closing)
{
    setObjectName(QStringLiteral("PrintTab"));
    QWidget* page = window.page(WindowSeams::Page::Impressao);
    auto* layout = new QFormLayout(page);
    ComboBox2 = named<QComboBox>(QStringLiteral("ComboBox2"));
    ComboBox2->addItems(modalityDefaults(Modality::Lotomania).repeatChoices);
    CheckBox2
        = named<QCheckBox>(QStringLiteral("CheckBox2"), QStringLiteral("Imprimir Aposta Espelho"));
    layout->addRow(QStringLiteral("Teimosinha"), ComboBox2);
    layout->addRow(CheckBox2);

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

    // Inserted above the rows made first, so the keyboard still reaches it after them.
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
    window.onExit(Edit45, [this] { Edit45Exit(); });
    window.onExit(Edit46, [this] { Edit46Exit(); });
    connect(Button12, &QPushButton::clicked, this,
        [this] { window_.guarded([this] { Button12Click(); }); });
    window.onModalityChanged([this](Modality m) { modalityChanged(m); });
}

PrintTab* PrintTab::of(const QWidget& window)
{
    return window.findChild<PrintTab*>(QStringLiteral("PrintTab"), Qt::FindDirectChildrenOnly);
}

void PrintTab::modalityChanged(Modality m)
{
    const ModalityDefaults& d = modalityDefaults(m);
    if (m != Modality::Outros) {
        ComboBox2->clear();
        ComboBox2->addItems(d.repeatChoices);
        ComboBox2->setCurrentIndex(0);
    }
    CheckBox2->setVisible(m != Modality::Outros && d.mirrorBet);
}

PrintSettings PrintTab::settings() const
{
    PrintSettings s;
    s.identification = Edit12->text();
    s.teimosinha = ComboBox2->currentText();
    s.mirrorBet = CheckBox2->isChecked();
    s.officialSlip = CheckBox10->isChecked();
    s.leftMarginMm = TrackBar1->value();
    s.topMarginMm = TrackBar2->value();
    return s;
}

std::unique_ptr<SlipReport> PrintTab::chooseSlip() const
{
    const LineStore& closing = closing_.closing().store();
    if (closing.empty()) return nullptr;
    // Only the first line is measured: a line of k numbers has 3k characters.
    const qsizetype length = closing.length(0);
    const PrintSettings s = settings();
    switch (board_.modality()) {
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
    if (!runs_.mayRun(Command::Print)) return;
    if (closing_.closing().store().empty()) {
        Dialogs::information(
            &window_.host(), QStringLiteral("Não há combinações disponíveis para a impressão."));
        return;
    }
    std::unique_ptr<SlipReport> report = chooseSlip();
    if (!report) {
        Dialogs::information(
            &window_.host(), QStringLiteral("Impressão não disponível para essta modalidade."));
        return;
    }
    ReportPreview::exec(&window_.host(), *report);
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

PrintTab* attachPrinting(
    WindowSeams& window, RunHost& runs, const BetBoard& board, ClosingArea& closing)
{
    return new PrintTab(window, runs, board, closing);
}

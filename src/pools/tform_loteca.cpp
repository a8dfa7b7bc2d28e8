#include "pools/tform_loteca.h"

#include "engine/base/conversion.h"
#include "engine/base/random_source.h"
#include "engine/pools/loteca_pass_engine.h"
#include "engine/pools/pool_file.h"
#include "slips/rel_loteca.h"
#include "slips/report_preview.h"
#include "ui/dialogs.h"
#include "ui/event_pump.h"
#include "ui/line_view.h"
#include "ui/named_widget.h"
#include "ui/run_scope.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Largest triples allowed beside D doubles, and largest doubles beside T triples.
constexpr int largestTriples[10] = { 6, 5, 4, 4, 3, 3, 2, 1, 1, 0 };
constexpr int largestDoubles[7] = { 9, 8, 6, 5, 3, 1, 0 };

QString resultMask()
{
    QStringList groups;
    for (int g = 0; g < LotecaLine::matches; ++g)
        groups << QStringLiteral("NNN");
    return QStringLiteral(">") + groups.join(u' ');
}

} // namespace

TFormLoteca::TFormLoteca(QWidget* parent, PrintSettingsSource printSettings)
    : PoolWindow(parent, std::move(printSettings))
{
    setObjectName(QStringLiteral("FormLoteca"));
    setWindowTitle(QStringLiteral("QUIRVA - Fechamento para a LOTECA"));

    auto* top = new QHBoxLayout(this);

    // Board
    auto* boardBox = new QGroupBox(QStringLiteral("Seleção dos Jogos"));
    auto* grid = new QGridLayout(boardBox);
    const QString heads[3] = { QStringLiteral("1"), QStringLiteral("X"), QStringLiteral("2") };
    for (int c = 0; c < 3; ++c)
        grid->addWidget(new QLabel(heads[c]), 0, c + 1, Qt::AlignHCenter);
    for (int g = 1; g <= LotecaLine::matches; ++g) {
        grid->addWidget(new QLabel(QString::number(g)), g, 0);
        for (int c = 1; c <= 3; ++c) {
            const int k = 3 * (g - 1) + c;
            lotecaBoxes[std::size_t(k)] = named<QCheckBox>(QStringLiteral("CheckBox%1").arg(k));
            grid->addWidget(lotecaBoxes[std::size_t(k)], g, c, Qt::AlignHCenter);
        }
    }
    auto* counts = new QGridLayout;
    Label10 = named<QLabel>(QStringLiteral("Label10"), QStringLiteral("0"));
    Label11 = named<QLabel>(QStringLiteral("Label11"), QStringLiteral("0"));
    Label12 = named<QLabel>(QStringLiteral("Label12"), QStringLiteral("0"));
    counts->addWidget(new QLabel(QStringLiteral("Simples:")), 0, 0);
    counts->addWidget(Label10, 0, 1);
    counts->addWidget(new QLabel(QStringLiteral("Duplas:")), 1, 0);
    counts->addWidget(Label11, 1, 1);
    counts->addWidget(new QLabel(QStringLiteral("Triplas:")), 2, 0);
    counts->addWidget(Label12, 2, 1);
    grid->addLayout(counts, LotecaLine::matches + 1, 0, 1, 4);
    Button5 = named<QPushButton>(QStringLiteral("Button5"), QStringLiteral("Sortear Bilhete"));
    Button3 = named<QPushButton>(QStringLiteral("Button3"), QStringLiteral("Limpar Bilhete"));
    grid->addWidget(Button5, LotecaLine::matches + 2, 0, 1, 4);
    grid->addWidget(Button3, LotecaLine::matches + 3, 0, 1, 4);
    top->addWidget(boardBox);

    // Parameters and commands
    auto* middle = new QVBoxLayout;
    auto* params = new QGroupBox(QStringLiteral("Marcação dos Bilhetes"));
    auto* form = new QGridLayout(params);
    auto field = [](const QString& name, const QString& text) {
        auto* e = named<QLineEdit>(name, text);
        e->setMaxLength(3);
        e->setMaximumWidth(48);
        return e;
    };
    Edit1 = field(QStringLiteral("Edit1"), QStringLiteral("1"));
    Edit2 = field(QStringLiteral("Edit2"), QStringLiteral("0"));
    Edit11 = field(QStringLiteral("Edit11"), QStringLiteral("11"));
    Edit3 = field(QStringLiteral("Edit3"), QStringLiteral("14"));
    Edit3->setReadOnly(true);
    Edit3->setEnabled(false);
    form->addWidget(new QLabel(QStringLiteral("Duplos")), 0, 0);
    form->addWidget(Edit1, 0, 1);
    form->addWidget(new QLabel(QStringLiteral("Triplos")), 1, 0);
    form->addWidget(Edit2, 1, 1);
    form->addWidget(new QLabel(QStringLiteral("Garantia >=")), 2, 0);
    form->addWidget(Edit11, 2, 1);
    form->addWidget(new QLabel(QStringLiteral("Condição")), 3, 0);
    form->addWidget(Edit3, 3, 1);
    middle->addWidget(params);

    Button1 = named<QPushButton>(QStringLiteral("Button1"), QStringLiteral("Gerar"));
    Button2 = named<QPushButton>(QStringLiteral("Button2"), QStringLiteral("Parar"));
    Button2->setEnabled(false);
    CheckBox43
        = named<QCheckBox>(QStringLiteral("CheckBox43"), QStringLiteral("Não limpar fechamento"));
    middle->addWidget(Button1);
    middle->addWidget(Button2);
    middle->addWidget(CheckBox43);
    Button8 = named<QPushButton>(QStringLiteral("Button8"), QStringLiteral("Salvar Fechamento"));
    Button7 = named<QPushButton>(QStringLiteral("Button7"), QStringLiteral("Abrir Fechamento"));
    Button6 = named<QPushButton>(QStringLiteral("Button6"), QStringLiteral("Imprimir Fechamento"));
    middle->addWidget(Button8);
    middle->addWidget(Button7);
    middle->addWidget(Button6);
    middle->addWidget(new QLabel(QStringLiteral("Identificação a ser impressa nos bilhetes")));
    Edit12 = named<QLineEdit>(QStringLiteral("Edit12"));
    Edit12->setMaxLength(50);
    middle->addWidget(Edit12);
    middle->addStretch();
    top->addLayout(middle);

    // Ticket list and simulation
    auto* right = new QVBoxLayout;
    auto* listBox = new QGroupBox(QStringLiteral("Cartões a Apostar"));
    auto* listLayout = new QVBoxLayout(listBox);
    Memo1 = named<LineView>(QStringLiteral("Memo1"));
    Memo1->setMinimumSize(420, 260);
    listLayout->addWidget(Memo1);
    auto* total = new QHBoxLayout;
    Label1 = named<QLabel>(QStringLiteral("Label1"), QStringLiteral("0"));
    total->addWidget(new QLabel(QStringLiteral("Total de Bilhetes:")));
    total->addWidget(Label1);
    total->addStretch();
    listLayout->addLayout(total);
    right->addWidget(listBox);

    auto* simBox = new QGroupBox(QStringLiteral("Simulador do Fechamento"));
    auto* simLayout = new QVBoxLayout(simBox);
    Memo2 = named<QPlainTextEdit>(QStringLiteral("Memo2"));
    Memo2->setReadOnly(true);
    Memo2->setMinimumHeight(200);
    simLayout->addWidget(Memo2);
    CheckBox51 = named<QCheckBox>(
        QStringLiteral("CheckBox51"), QStringLiteral("Usar resultado abaixo para confefir"));
    MaskEdit1 = named<QLineEdit>(QStringLiteral("MaskEdit1"));
    MaskEdit1->setInputMask(resultMask());
    MaskEdit1->setEnabled(false);
    MaskEdit1->setMinimumWidth(420);
    Button4 = named<QPushButton>(QStringLiteral("Button4"), QStringLiteral("Simular / Conferir"));
    simLayout->addWidget(CheckBox51);
    simLayout->addWidget(MaskEdit1);
    simLayout->addWidget(Button4);
    right->addWidget(simBox);
    top->addLayout(right);

    bindClicks<TFormLoteca>({
        { Button1, &TFormLoteca::Button1Click },
        { Button2, &TFormLoteca::Button2Click },
        { Button3, &TFormLoteca::Button3Click },
        { Button4, &TFormLoteca::Button4Click },
        { Button5, &TFormLoteca::Button5Click },
        { Button6, &TFormLoteca::Button6Click },
        { Button7, &TFormLoteca::Button7Click },
        { Button8, &TFormLoteca::Button8Click },
    });
    setTicketList(Memo1, Label1);
    // toggled, not clicked: the counts must follow changes made from code as well.
    for (int k = 1; k <= 42; ++k)
        connect(lotecaBoxes[std::size_t(k)], &QCheckBox::toggled, this,
            [this] { guarded([this] { CheckBox1Click(); }); });
    connect(
        CheckBox51, &QCheckBox::toggled, this, [this] { guarded([this] { CheckBox51Click(); }); });
    connect(Edit12, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int at = Edit12->cursorPosition();
        Edit12->setText(text.toUpper());
        Edit12->setCursorPosition(at);
    });
    onExit(Edit1, [this] { Edit1Exit(); });
    onExit(Edit2, [this] { Edit2Exit(); });
    onExit(Edit11, [this] { Edit11Exit(); });
    onExit(Edit3, [this] { Edit11Exit(); });
    onExit(MaskEdit1, [this] { MaskEdit1Exit(); });

    settleGeometry();
    guarded([this] { FormCreate(); });
}

TFormLoteca::~TFormLoteca() = default;

LotecaLine TFormLoteca::marks() const
{
    LotecaLine line;
    for (int g = 0; g < LotecaLine::matches; ++g)
        for (int c = 0; c < 3; ++c)
            if (lotecaBoxes[std::size_t(3 * g + c + 1)]->isChecked()) line.set(g, c);
    return line;
}

void TFormLoteca::FormCreate()
{
    lotecaStopFlag = true;
    Button5Click();
}

void TFormLoteca::CheckBox1Click()
{
    int byMarks[4] = {};
    for (int g = 0; g < LotecaLine::matches; ++g) {
        int k = 0;
        for (int c = 1; c <= 3; ++c)
            k += lotecaBoxes[std::size_t(3 * g + c)]->isChecked();
        ++byMarks[k];
    }
    Label10->setText(QString::number(byMarks[1]));
    Label11->setText(QString::number(byMarks[2]));
    Label12->setText(QString::number(byMarks[3]));
}

void TFormLoteca::Button3Click()
{
    for (int k = 1; k <= 42; ++k)
        lotecaBoxes[std::size_t(k)]->setChecked(false);
}

void TFormLoteca::Button5Click()
{
    Button3Click();
    RandomSource& random = RandomSource::instance();
    for (int g = 0; g < LotecaLine::matches; ++g)
        lotecaBoxes[std::size_t(3 * g + random.between(1, 3))]->setChecked(true);
}

void TFormLoteca::Edit1Exit()
{
    int D = StrToInt(Edit1->text());
    const int T = StrToInt(Edit2->text());
    const int typed = D;
    if (T == 0 && D <= 0) D = 1;
    if (T > 0 && D < 0) D = 0;
    if (D > 9) D = 9;
    // A negative T leaves the rules above without effect; the table has no row below 0.
    if (D < 0) D = 0;
    if (D != typed) Edit1->setText(QString::number(D));
    if (T > largestTriples[D]) Edit2->setText(QString::number(largestTriples[D]));
}

void TFormLoteca::Edit2Exit()
{
    int T = StrToInt(Edit2->text());
    const int D = StrToInt(Edit1->text());
    const int typed = T;
    if (T < 0) T = 0;
    if (T > 6) T = 6;
    if (T != typed) Edit2->setText(QString::number(T));
    if (D > largestDoubles[T]) Edit1->setText(QString::number(largestDoubles[T]));
}

void TFormLoteca::Edit11Exit()
{
    if (StrToInt(Edit11->text()) > 14) Edit11->setText(QStringLiteral("14"));
    if (StrToInt(Edit11->text()) < 1) Edit11->setText(QStringLiteral("1"));
}

void TFormLoteca::MaskEdit1Exit()
{
    if (MaskEdit1->isModified() && !MaskEdit1->hasAcceptableInput()) {
        Dialogs::information(this,
            QStringLiteral("Resultado incompleto: preencha os 14 jogos com três caracteres cada."));
        MaskEdit1->setFocus();
    }
}

void TFormLoteca::lockForRun(bool locked)
{
    for (QWidget* w :
        std::initializer_list<QWidget*> { Button1, Button5, Button3, Edit1, Edit2, Edit11 })
        w->setEnabled(!locked);
    for (int k = 1; k <= 42; ++k)
        lotecaBoxes[std::size_t(k)]->setEnabled(!locked);
    Button2->setEnabled(locked);
}

QWidget* TFormLoteca::stopCommand() const
{
    return Button2;
}

void TFormLoteca::Button1Click()
{
    const int S = StrToInt(Label10->text());
    const int Du = StrToInt(Label11->text());
    const int Tr = StrToInt(Label12->text());
    const int D = StrToInt(Edit1->text());
    const int T = StrToInt(Edit2->text());
    if (Du + Tr < D) {
        Dialogs::information(this,
            QStringLiteral("Marque no mínimo ") + Edit1->text() + QStringLiteral(" duplo(s)."));
        return;
    }
    if (T > Tr) {
        Dialogs::information(this,
            QStringLiteral("Marque no mínimo ") + Edit2->text() + QStringLiteral(" tripo(s)."));
        return;
    }
    if (D + T > Du + Tr) {
        Dialogs::information(this,
            QStringLiteral("Marque no mínimo ") + Edit1->text()
                + QStringLiteral(" duplo(s) e no mínimo ") + Edit2->text()
                + QStringLiteral(" tripo(s)."));
        return;
    }
    if (S + Du + Tr != LotecaLine::matches) {
        Dialogs::information(this, QStringLiteral("Falta completar a marcação dos simples."));
        return;
    }
    if (!CheckBox43->isChecked()) clearTickets();
    RunScope run(*this, Job::LotecaGeneration);
    RandomSource::instance().reseedFromClock();
    run.begin();

    LotecaPassEngine engine(marks(), D, T, RandomSource::instance());
    EventPump pump;
    while (!run.stopRequested()) {
        const int G = closing.empty() ? 0 : StrToInt(Edit11->text());
        if (engine.step(closing, G) == LotecaPassEngine::Outcome::Added)
            Memo1->store().append(engine.lastCandidate().text());
        showTicketCount();
        pump.maybePump();
    }
    Memo1->sync();
}

void TFormLoteca::Button2Click()
{
    lotecaStopFlag = true;
}

void TFormLoteca::CheckBox51Click()
{
    MaskEdit1->setEnabled(CheckBox51->isChecked());
}

void TFormLoteca::Button4Click()
{
    if (!mayRun(Command::Simulate)) return;
    const int S = StrToInt(Label10->text());
    const int Du = StrToInt(Label11->text());
    const int Tr = StrToInt(Label12->text());
    if (S + Du + Tr != LotecaLine::matches) {
        Dialogs::information(this, QStringLiteral("Falta completar a marcação dos simples."));
        return;
    }
    LotecaPassEngine draw(marks(), 0, 0, RandomSource::instance());
    LotecaLine result = draw.drawnResult();
    QString resultText = result.text();
    QString header = QStringLiteral("Resultado Simulado:");
    if (CheckBox51->isChecked()) {
        resultText = MaskEdit1->displayText();
        if (!MaskEdit1->hasAcceptableInput()) {
            Dialogs::information(this,
                QStringLiteral(
                    "Resultado incompleto: preencha os 14 jogos com três caracteres cada."));
            return;
        }
        result = LotecaLine::fromText(resultText);
        // A result holds one outcome per match; more would count hits past the 14 matches.
        for (int g = 0; g < LotecaLine::matches; ++g)
            if (result.outcomesOf(g) > 1) {
                Dialogs::information(this,
                    QStringLiteral("O resultado tem mais de um X no jogo %1. "
                                   "Marque um só resultado em cada jogo.")
                        .arg(g + 1));
                return;
            }
        header = QStringLiteral("Conferência:");
    }
    const std::array<int, 15> tally = closing.tally(result);
    QStringList rows { header, resultText, QString() };
    for (int h = 0; h <= 14; ++h)
        rows << QString::number(h)
                + (h < 2 ? QStringLiteral(" acerto.: ") : QStringLiteral(" acertos: "))
                + QString::number(tally[std::size_t(h)]) + QStringLiteral(" bilhete(s)");
    Memo2->setPlainText(rows.join(u'\n'));
}

QString TFormLoteca::defaultFileName() const
{
    return QStringLiteral("Quirva_LOTECA_") + Edit1->text().trimmed() + QStringLiteral("Dup_")
        + Edit2->text().trimmed() + QStringLiteral("Tri_") + Edit11->text().trimmed()
        + QStringLiteral("Gar_Se") + Edit3->text().trimmed() + QStringLiteral("_sendo_")
        + Label10->text().trimmed() + QStringLiteral("Sim_") + Label11->text().trimmed()
        + QStringLiteral("Dup_") + Label12->text().trimmed() + QStringLiteral("Tri.txt");
}

void TFormLoteca::Button8Click()
{
    if (!mayRun(Command::SaveClosing)) return;
    const QString suggested = defaultFileName();
    if (closing.empty()) {
        Dialogs::information(this,
            QStringLiteral("Fechamento não gerado para poder ser exportado para "
                           "arquivo. Tente gerar o fechamento antes."));
        return;
    }
    const QString name = Dialogs::saveFileName(this, suggested, QString());
    if (name.isEmpty()) return;
    if (PoolFile::writeLines(name, Memo1->store().lines()))
        Dialogs::information(
            this, QStringLiteral("Arquivo ") + name + QStringLiteral(" gerado com sucesso."));
    else
        Dialogs::information(
            this, QStringLiteral("Erro ao gerar o arquivo ") + name + QStringLiteral("."));
}

QString TFormLoteca::formatMessage()
{
    return QStringLiteral("Arquivo no formato inválido. O arquivo tem que estar no formato que o "
                          "QUIRVA possa entender, neste caso tem que ter 55 colunas em cada linha. "
                          "\r\rExemplo de um arquivo do QUIRVA:\r"
                          "0X0 00X 00X 0X0 X00 0X0 00X 00X 00X X0X X00 X00 X00 00X\r"
                          "XXX 00X 00X 0X0 X00 XX0 00X 00X 00X XXX X00 X00 X00 00X");
}

void TFormLoteca::Button7Click()
{
    if (!mayRun(Command::OpenClosing)) return;
    const QString name = Dialogs::openFileName(this, QString());
    if (name.isEmpty()) return;
    // Read before clearing, so that a file that cannot be read loses nothing.
    const QStringList lines = PoolFile::readLines(name);
    clearTickets();
    Button3Click();
    bool invalid = false;
    for (const QString& line : lines) {
        if (line.size() != LotecaLine::length) {
            invalid = true;
            appendTicket(line);
            break;
        }
        for (int g = 0; g < LotecaLine::matches; ++g)
            for (int c = 0; c < 3; ++c)
                if (line[4 * g + c] == u'X')
                    lotecaBoxes[std::size_t(3 * g + c + 1)]->setChecked(true);
        appendTicket(line);
    }
    if (invalid) {
        clearTickets();
        Button3Click();
        Dialogs::information(this, formatMessage());
    }
    Memo1->sync();
    showTicketCount();
}

void TFormLoteca::Button6Click()
{
    if (!mayRun(Command::Print)) return;
    if (closing.empty()) {
        Dialogs::information(
            this, QStringLiteral("Não há combinações disponíveis para a impressão."));
        return;
    }
    RelLoteca report(Memo1->store(), Edit12->text(), printSettings());
    ReportPreview::exec(this, report);
}

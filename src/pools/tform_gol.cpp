#include "pools/tform_gol.h"

#include "engine/base/conversion.h"
#include "engine/base/random_source.h"
#include "engine/pools/pool_file.h"
#include "slips/rel_lotogol.h"
#include "slips/report_preview.h"
#include "ui/dialogs.h"
#include "ui/event_pump.h"
#include "ui/line_view.h"
#include "ui/named_widget.h"
#include "ui/run_scope.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QStringList betValues { QStringLiteral("R$ 0,50"), QStringLiteral("R$ 1,00"),
    QStringLiteral("R$ 2,00") };

} // namespace

TFormGOL::TFormGOL(QWidget* parent, PrintSettingsSource printSettings)
    : PoolWindow(parent, std::move(printSettings))
{
    setObjectName(QStringLiteral("FormGOL"));
    setWindowTitle(QStringLiteral("QUIRVA - Fechamento para a LOTOGOL"));

    auto* top = new QHBoxLayout(this);

    auto* boardBox = new QGroupBox(QStringLiteral("Seleção dos Jogos"));
    auto* boardLayout = new QVBoxLayout(boardBox);
    for (int g = 1; g <= LotogolLine::matches; ++g) {
        auto* panel = new QGroupBox(QStringLiteral("%1").arg(g, 2, 10, QLatin1Char('0')));
        auto* grid = new QGridLayout(panel);
        for (int team = 0; team < 2; ++team) {
            const int r = 2 * g - 1 + team;
            for (int k = 1; k <= 5; ++k) {
                const int index = 5 * (r - 1) + k;
                auto* box = named<QCheckBox>(QStringLiteral("CheckBox%1").arg(index),
                    QString(QChar(lotogolScores[std::size_t(k - 1)])));
                lotogolBoxes[std::size_t(index)] = box;
                grid->addWidget(box, team, k - 1);
            }
        }
        boardLayout->addWidget(panel);
    }
    Button5 = named<QPushButton>(QStringLiteral("Button5"), QStringLiteral("Sortear/Completar"));
    Button3 = named<QPushButton>(QStringLiteral("Button3"), QStringLiteral("Limpar"));
    boardLayout->addWidget(Button5);
    boardLayout->addWidget(Button3);
    top->addWidget(boardBox);

    auto* middle = new QVBoxLayout;
    auto* counts = new QGridLayout;
    QLabel** countLabels[5] = { &Label10, &Label11, &Label12, &Label13, &Label14 };
    const QString captions[5] = { QStringLiteral("Simples:"), QStringLiteral("Duplas:"),
        QStringLiteral("Triplas:"), QStringLiteral("Quadruplas:"), QStringLiteral("Quintuplas:") };
    for (int i = 0; i < 5; ++i) {
        *countLabels[i] = named<QLabel>(QStringLiteral("Label%1").arg(10 + i), QStringLiteral("0"));
        counts->addWidget(new QLabel(captions[i]), i, 0);
        counts->addWidget(*countLabels[i], i, 1);
    }
    middle->addLayout(counts);
    auto* params = new QGridLayout;
    Edit11 = named<QLineEdit>(QStringLiteral("Edit11"), QStringLiteral("3"));
    Edit11->setMaxLength(3);
    Edit11->setMaximumWidth(48);
    Edit1 = named<QLineEdit>(QStringLiteral("Edit1"), QStringLiteral("5"));
    Edit1->setMaximumWidth(48);
    Edit1->setEnabled(false);
    ComboBox2 = named<QComboBox>(QStringLiteral("ComboBox2"));
    ComboBox2->setEditable(true);
    ComboBox2->addItems(betValues);
    ComboBox2->setCurrentIndex(0);
    params->addWidget(new QLabel(QStringLiteral("Garantia >=")), 0, 0);
    params->addWidget(Edit11, 0, 1);
    params->addWidget(new QLabel(QStringLiteral("Condição")), 1, 0);
    params->addWidget(Edit1, 1, 1);
    params->addWidget(new QLabel(QStringLiteral("Valor da Aposta")), 2, 0);
    params->addWidget(ComboBox2, 2, 1);
    middle->addLayout(params);
    Button1 = named<QPushButton>(QStringLiteral("Button1"), QStringLiteral("Gerar"));
    Button2 = named<QPushButton>(QStringLiteral("Button2"), QStringLiteral("Parar"));
    Button2->setEnabled(false);
    CheckBox52
        = named<QCheckBox>(QStringLiteral("CheckBox52"), QStringLiteral("Não limpar fechamento."));
    Button7 = named<QPushButton>(QStringLiteral("Button7"), QStringLiteral("Salvar Fechamento"));
    Button10 = named<QPushButton>(QStringLiteral("Button10"), QStringLiteral("Abrir Fechamento"));
    Button6 = named<QPushButton>(QStringLiteral("Button6"), QStringLiteral("Imprimir Fechamento"));
    for (QWidget* w : std::initializer_list<QWidget*> {
             Button1, Button2, CheckBox52, Button7, Button10, Button6 })
        middle->addWidget(w);
    middle->addWidget(new QLabel(QStringLiteral("Identificação a ser impressa nos bilhetes")));
    Edit12 = named<QLineEdit>(QStringLiteral("Edit12"));
    Edit12->setMaxLength(50);
    middle->addWidget(Edit12);
    middle->addStretch();
    top->addLayout(middle);

    auto* right = new QVBoxLayout;
    auto* listBox = new QGroupBox(QStringLiteral("Cartões a Apostar"));
    auto* listLayout = new QVBoxLayout(listBox);
    Memo1 = named<LineView>(QStringLiteral("Memo1"));
    Memo1->setMinimumSize(240, 260);
    listLayout->addWidget(Memo1);
    auto* total = new QHBoxLayout;
    Label1 = named<QLabel>(QStringLiteral("Label1"), QStringLiteral("0"));
    total->addWidget(new QLabel(QStringLiteral("Total:")));
    total->addWidget(Label1);
    total->addStretch();
    listLayout->addLayout(total);
    right->addWidget(listBox);
    auto* simBox = new QGroupBox(QStringLiteral("Simulação / Conferência"));
    auto* simLayout = new QVBoxLayout(simBox);
    Memo2 = named<QPlainTextEdit>(QStringLiteral("Memo2"));
    Memo2->setReadOnly(true);
    Memo2->setMinimumHeight(160);
    CheckBox51 = named<QCheckBox>(
        QStringLiteral("CheckBox51"), QStringLiteral("Usar resultado abaixo para confefir"));
    MaskEdit1 = named<QLineEdit>(QStringLiteral("MaskEdit1"));
    // "#" takes a digit or a sign or stays blank; the "x" between the scores is fixed.
    MaskEdit1->setInputMask(QStringLiteral("#\\x# #\\x# #\\x# #\\x# #\\x#"));
    MaskEdit1->setEnabled(false);
    Button4 = named<QPushButton>(QStringLiteral("Button4"), QStringLiteral("Simular / Conferir"));
    for (QWidget* w : std::initializer_list<QWidget*> { Memo2, CheckBox51, MaskEdit1, Button4 })
        simLayout->addWidget(w);
    right->addWidget(simBox);
    top->addLayout(right);

    bindClicks<TFormGOL>({
        { Button1, &TFormGOL::Button1Click },
        { Button2, &TFormGOL::Button2Click },
        { Button3, &TFormGOL::Button3Click },
        { Button4, &TFormGOL::Button4Click },
        { Button5, &TFormGOL::Button5Click },
        { Button6, &TFormGOL::Button6Click },
        { Button7, &TFormGOL::Button7Click },
        { Button10, &TFormGOL::Button10Click },
    });
    setTicketList(Memo1, Label1);
    for (int k = 1; k <= 50; ++k)
        connect(lotogolBoxes[std::size_t(k)], &QCheckBox::toggled, this,
            [this] { guarded([this] { CheckBox1Click(); }); });
    connect(
        CheckBox51, &QCheckBox::toggled, this, [this] { guarded([this] { CheckBox51Click(); }); });
    onExit(Edit11, [this] { Edit11Exit(); });
    onExit(ComboBox2, [this] { ComboBox2Exit(); });
    if (ComboBox2->lineEdit()) onExit(ComboBox2->lineEdit(), [this] { ComboBox2Exit(); });

    settleGeometry();
    guarded([this] { FormCreate(); });
}

TFormGOL::~TFormGOL() = default;

void TFormGOL::FormCreate()
{
    lotogolStopFlag = true;
    Button5Click();
}

void TFormGOL::CheckBox1Click()
{
    int byMarks[6] = {};
    for (int r = 1; r <= LotogolLine::teamRows; ++r) {
        int k = 0;
        for (int s = 1; s <= 5; ++s)
            k += lotogolBoxes[std::size_t(5 * (r - 1) + s)]->isChecked();
        ++byMarks[k];
    }
    QLabel* labels[5] = { Label10, Label11, Label12, Label13, Label14 };
    for (int i = 0; i < 5; ++i)
        labels[i]->setText(QString::number(byMarks[i + 1]));
}

bool TFormGOL::rowHasMark(int row) const
{
    for (int s = 1; s <= 5; ++s)
        if (lotogolBoxes[std::size_t(5 * (row - 1) + s)]->isChecked()) return true;
    return false;
}

void TFormGOL::Button5Click()
{
    for (int r = 1; r <= LotogolLine::teamRows; ++r)
        if (!rowHasMark(r))
            lotogolBoxes[std::size_t(5 * (r - 1) + RandomSource::instance().between(1, 5))]
                ->setChecked(true);
}

void TFormGOL::Button3Click()
{
    for (int k = 1; k <= 50; ++k)
        lotogolBoxes[std::size_t(k)]->setChecked(false);
}

QString TFormGOL::PickMarkedScore(int row) const
{
    QString checked;
    for (int s = 1; s <= 5; ++s)
        if (lotogolBoxes[std::size_t(5 * (row - 1) + s)]->isChecked())
            checked += QChar(lotogolScores[std::size_t(s - 1)]);
    if (checked.isEmpty()) return {};
    return checked.mid(RandomSource::instance().below(int(checked.size())), 1);
}

QString TFormGOL::drawnLine() const
{
    QString line;
    for (int g = 1; g <= LotogolLine::matches; ++g) {
        if (g > 1) line += u' ';
        line += PickMarkedScore(2 * g - 1) + u'x' + PickMarkedScore(2 * g);
    }
    return line;
}

void TFormGOL::Edit11Exit()
{
    if (StrToInt(Edit11->text()) > 5) Edit11->setText(QStringLiteral("5"));
    if (StrToInt(Edit11->text()) < 1) Edit11->setText(QStringLiteral("1"));
}

void TFormGOL::ComboBox2Exit()
{
    if (!betValues.contains(ComboBox2->currentText())) ComboBox2->setCurrentText(betValues.front());
}

void TFormGOL::lockForRun(bool locked)
{
    Button1->setEnabled(!locked);
    Button5->setEnabled(!locked);
    Button3->setEnabled(!locked);
    Button2->setEnabled(locked);
}

QWidget* TFormGOL::stopCommand() const
{
    return Button2;
}

void TFormGOL::Button1Click()
{
    if (!CheckBox52->isChecked()) clearTickets();
    Button5Click();
    RunScope run(*this, Job::LotogolGeneration);
    RandomSource::instance().reseedFromClock();
    run.begin();
    EventPump pump;
    while (!run.stopRequested()) {
        // The marks stay open during a run; a row emptied meanwhile gets a mark again rather
        // than shifting the groups of the line.
        Button5Click();
        const QString candidate = drawnLine();
        const LotogolLine line = LotogolLine::fromText(candidate);
        const bool covered = !closing.empty() && closing.covers(line, StrToInt(Edit11->text()));
        if (!covered) appendTicket(candidate);
        showTicketCount();
        pump.maybePump();
    }
    Memo1->sync();
}

void TFormGOL::Button2Click()
{
    lotogolStopFlag = true;
}

void TFormGOL::CheckBox51Click()
{
    MaskEdit1->setEnabled(CheckBox51->isChecked());
}

void TFormGOL::Button4Click()
{
    if (!mayRun(Command::Simulate)) return;
    // A row without a mark would shift the groups of the drawn result.
    Button5Click();
    QString result = drawnLine();
    QString header = QStringLiteral("Resultado Simulado:");
    if (CheckBox51->isChecked()) {
        result = MaskEdit1->displayText();
        header = QStringLiteral("Conferência:");
    }
    const std::array<int, 6> tally = closing.tally(LotogolLine::fromText(result));
    QStringList rows { header, result, QString() };
    for (int h = 0; h <= 5; ++h)
        rows << QString::number(h) + QStringLiteral(" acerto: ")
                + QString::number(tally[std::size_t(h)]);
    Memo2->setPlainText(rows.join(u'\n'));
}

QString TFormGOL::defaultFileName() const
{
    return QStringLiteral("Quirva_GL_") + Edit11->text().trimmed() + QStringLiteral("gr_se")
        + Edit1->text().trimmed() + QStringLiteral(".txt");
}

void TFormGOL::Button7Click()
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

QString TFormGOL::formatMessage()
{
    return QStringLiteral("Arquivo no formato inválido. O arquivo tem que estar no formato que o "
                          "QUIRVA possa entender, neste caso tem que ter 19 colunas em cada linha. "
                          "\r\rExemplo de um arquivo do QUIRVA:\r+x+ 1x0 +x2 0x0 3x2");
}

void TFormGOL::Button10Click()
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
        invalid = line.size() != LotogolLine::length;
        for (int r = 1; r <= LotogolLine::teamRows; ++r) {
            const qsizetype at = 2 * r - 2;
            if (at >= line.size()) break;
            for (int s = 1; s <= 5; ++s)
                if (line[at] == QChar(lotogolScores[std::size_t(s - 1)]))
                    lotogolBoxes[std::size_t(5 * (r - 1) + s)]->setChecked(true);
        }
        appendTicket(line);
        if (invalid) break;
    }
    if (invalid) {
        clearTickets();
        Button3Click();
        Dialogs::information(this, formatMessage());
    }
    Memo1->sync();
    showTicketCount();
}

void TFormGOL::Button6Click()
{
    if (!mayRun(Command::Print)) return;
    if (closing.empty()) {
        Dialogs::information(
            this, QStringLiteral("Não há combinações disponíveis para a impressão."));
        return;
    }
    RelLotogol report(Memo1->store(), Edit12->text(), ComboBox2->currentText(), printSettings());
    ReportPreview::exec(this, report);
}

#include "verify/verification_panel.h"

#include "engine/base/conversion.h"
#include "engine/base/random_source.h"
#include "engine/generate/line_format.h"
#include "engine/verify/ticket_file.h"
#include "engine/verify/verification_engine.h"
#include "ui/bet_board.h"
#include "ui/bet_parameters.h"
#include "ui/dialogs.h"
#include "ui/event_pump.h"
#include "ui/line_view.h"
#include "ui/named_widget.h"
#include "ui/run_host.h"
#include "ui/run_scope.h"
#include "ui/run_status.h"
#include "ui/settings_page.h"
#include "ui/window_seams.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// A simulated sample larger than this could not be held by the draws area.
constexpr std::size_t sampleByteLimit = std::size_t { 2 } << 30;

void openOrThrow(TicketFileReader& reader, const QString& path)
{
    if (!reader.open())
        throw std::runtime_error(TicketFile::openFailureMessage(path).toStdString());
}

} // namespace

VerificationPanel::VerificationPanel(WindowSeams& window, RunHost& runs, RunStatus& status,
    BetParameters& parameters, BetBoard& board, const SettingsPage& settings)
    : QObject(&window.host())
    , window_(window)
    , runs_(runs)
    , status_(status)
    , parameters_(parameters)
    , board_(board)
    , settings_(settings)
{
}

QGroupBox* VerificationPanel::buildSimulationGroup()
{
    GroupBoxSimulation = named<QGroupBox>(QStringLiteral("GroupBoxSimulation"));
    auto* sim = new QGridLayout(GroupBoxSimulation);
    Button3 = named<QPushButton>(QStringLiteral("Button3"), QStringLiteral("Simular / Conferir"));
    RadioButton7 = named<QRadioButton>(QStringLiteral("RadioButton7"),
        QStringLiteral("Simular Garantia com as Dezenas Selecionadas"));
    RadioButton8 = named<QRadioButton>(QStringLiteral("RadioButton8"),
        QStringLiteral("Simular com todas as Dezenas da Modalidade"));
    RadioButton9 = named<QRadioButton>(
        QStringLiteral("RadioButton9"), QStringLiteral("Usar Arquivo para Conferir"));
    RadioButton10 = named<QRadioButton>(
        QStringLiteral("RadioButton10"), QStringLiteral("Digitar o Resultado"));
    RadioButton7->setChecked(true);
    Edit7 = numberField(QStringLiteral("Edit7"), QStringLiteral("1"), 9);
    Edit7->setToolTip(QStringLiteral("Quantidade de sorteios que serão gerados para a simulação"));
    Edit13 = numberField(QStringLiteral("Edit13"), QStringLiteral("20"), 2);
    Edit13->setToolTip(QStringLiteral("Total de dezenas sorteadas para simular a garantia."));
    CheckBox4
        = named<QCheckBox>(QStringLiteral("CheckBox4"), QStringLiteral("Detalhar Conferência"));
    CheckBox4->setToolTip(
        QStringLiteral("Marque essa opção para ver o detalhe da conferencia bilhete a bilhete"));
    Button13 = named<QPushButton>(QStringLiteral("Button13"), QStringLiteral("Abrir (20 Dz)"));
    Button13->setEnabled(false);
    MaskEdit1 = named<QLineEdit>(QStringLiteral("MaskEdit1"));
    MaskEdit1->setEnabled(false);
    sim->addWidget(Button3, 0, 0);
    sim->addWidget(new QLabel(QStringLiteral("Simular com")), 0, 1);
    sim->addWidget(Edit7, 0, 2);
    sim->addWidget(Edit13, 0, 3);
    sim->addWidget(RadioButton7, 1, 0, 1, 4);
    sim->addWidget(RadioButton8, 2, 0, 1, 4);
    sim->addWidget(RadioButton9, 3, 0, 1, 2);
    sim->addWidget(Button13, 3, 2, 1, 2);
    sim->addWidget(RadioButton10, 4, 0, 1, 2);
    sim->addWidget(MaskEdit1, 4, 2, 1, 2);
    sim->addWidget(CheckBox4, 5, 0, 1, 4);
    parameters_.onParameterFieldExit(Edit13, [this] { parameters_.betSizeFieldLeft(); });
    return GroupBoxSimulation;
}

void VerificationPanel::buildClosingTab(QWidget* page)
{
    auto* layout = new QVBoxLayout(page);
    auto* buttons = new QHBoxLayout;
    closingCommands_ = buttons;
    Button6 = named<QPushButton>(QStringLiteral("Button6"), QStringLiteral("Salvar Fechamento"));
    Button10 = named<QPushButton>(
        QStringLiteral("Button10"), QStringLiteral("Abrir Fechamento (50 Dz)"));
    Button9
        = named<QPushButton>(QStringLiteral("Button9"), QStringLiteral("Classificar Fechamento"));
    buttons->addWidget(Button6);
    buttons->addWidget(Button10);
    buttons->addWidget(Button9);
    buttons->addStretch();
    buttons->addWidget(new QLabel(QStringLiteral("Total de Combinações Geradas")));
    Label2 = named<QLabel>(QStringLiteral("Label2"), QStringLiteral("0"));
    buttons->addWidget(Label2);
    layout->addLayout(buttons);
    Memo1 = named<LineView>(QStringLiteral("Memo1"));
    layout->addWidget(Memo1, 1);
}

void VerificationPanel::buildSimulationTab(QWidget* page)
{
    auto* layout = new QGridLayout(page);
    layout->addWidget(new QLabel(QStringLiteral("Combinações para Conferência")), 0, 0);
    layout->addWidget(
        new QLabel(QStringLiteral("Totais de Acertos no Fechamento x Conferência")), 0, 1);
    Memo2 = named<LineView>(QStringLiteral("Memo2"));
    Memo3 = named<LineView>(QStringLiteral("Memo3"));
    layout->addWidget(Memo2, 1, 0);
    layout->addWidget(Memo3, 1, 1);

    auto bind = [this](QPushButton* button, void (VerificationPanel::*handler)()) {
        connect(button, &QPushButton::clicked, this,
            [this, handler] { window_.guarded([this, handler] { (this->*handler)(); }); });
    };
    bind(Button6, &VerificationPanel::Button6Click);
    bind(Button10, &VerificationPanel::Button10Click);
    bind(Button9, &VerificationPanel::Button9Click);
    bind(Button13, &VerificationPanel::Button13Click);
    bind(Button3, &VerificationPanel::Button3Click);
    // On toggled, so that a mode chosen by the program (the results download) switches the
    // inputs as a click does.
    auto mode = [this](QRadioButton* button, void (VerificationPanel::*handler)()) {
        connect(button, &QRadioButton::toggled, this, [this, handler](bool on) {
            if (on) window_.guarded([this, handler] { (this->*handler)(); });
        });
    };
    mode(RadioButton7, &VerificationPanel::RadioButton7Click);
    mode(RadioButton8, &VerificationPanel::RadioButton8Click);
    mode(RadioButton9, &VerificationPanel::RadioButton9Click);
    mode(RadioButton10, &VerificationPanel::RadioButton10Click);
}

void VerificationPanel::setResultLabel(const QString& text)
{
    Label2->setText(text);
}

void VerificationPanel::addCommand(QPushButton* button)
{
    closingCommands_->insertWidget(
        closingCommands_->indexOf(Button9) + 1 + closingExtras_++, button);
}

void VerificationPanel::parametersChanged(const ParameterFields& fields)
{
    Button10->setText(
        QStringLiteral("Abrir Fechamento (") + fields.K.trimmed() + QStringLiteral(" Dz)"));
    Button13->setText(QStringLiteral("Abrir (") + fields.D.trimmed() + QStringLiteral(" Dz)"));
    const QString mask = typedResultMask(StrToInt(fields.D));
    MaskEdit1->setProperty("editMask", mask);
    QString qtMask = mask.left(mask.indexOf(u';'));
    qtMask.replace(u'9', u'0'); // an optional digit in Qt's notation
    MaskEdit1->setInputMask(qtMask + QStringLiteral(";_"));
}

void VerificationPanel::clearTypedResult()
{
    MaskEdit1->clear();
}

void VerificationPanel::onDrawsReset(std::function<void()> reset)
{
    drawsResets_.push_back(std::move(reset));
}

void VerificationPanel::drawsReset()
{
    for (const auto& reset : drawsResets_)
        reset();
}

void VerificationPanel::verifyAgainstDraws()
{
    RadioButton9->setChecked(true);
    RadioButton9->click();
}

void VerificationPanel::lock(bool locked)
{
    for (QLineEdit* e : { Edit7, Edit13, MaskEdit1 })
        e->setReadOnly(locked);
    for (QWidget* w : std::initializer_list<QWidget*> {
             Button3, RadioButton7, RadioButton8, RadioButton9, RadioButton10, CheckBox4 })
        w->setEnabled(!locked);
}

// ---------------------------------------------------------------- closing files

QString VerificationPanel::defaultFileName() const
{
    return TicketFile::defaultName(board_.modality(), parameters_.fields());
}

void VerificationPanel::Button6Click()
{
    if (!runs_.mayRun(Command::SaveClosing)) return;
    saveDialogName_ = defaultFileName();
    LineStore& closing = Memo1->store();
    if (closing.empty()) {
        Dialogs::information(&window_.host(),
            QStringLiteral("Fechamento não gerado para poder ser exportado para arquivo. Tente "
                           "gerar o fechamento antes."));
        return;
    }
    QString path = Dialogs::saveFileName(&window_.host(), saveDialogName_, QStringLiteral("*.txt"));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".txt");
    saveDialogName_ = path;
    const QString shown = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    if (TicketFile::save(path, closing))
        Dialogs::information(&window_.host(),
            QStringLiteral("Arquivo ") + shown + QStringLiteral(" gerado com sucesso."));
    else
        Dialogs::information(&window_.host(),
            QStringLiteral("Erro ao gerar o arquivo ") + shown + QStringLiteral("."));
}

void VerificationPanel::Button10Click()
{
    if (!runs_.mayRun(Command::OpenClosing)) return;
    const QString path = Dialogs::openFileName(&window_.host(), QStringLiteral("*.txt"));
    if (path.isEmpty()) return;
    // K and the file are both checked before anything is cleared, so a bad field or an
    // unreadable file loses nothing.
    const int k = parameters_.K();
    TicketFileReader reader(path, TicketFileReader::lineBound(k));
    openOrThrow(reader, path);

    LineStore& closing = Memo1->store();
    closing.clear();
    board_.clear();
    TicketMask marked;
    bool valid = false;
    try {
        valid = ReadTicketFile(reader, k, [&](QStringView line, const TicketLineCheck& check) {
            marked = marked | check.numbers;
            if (check.regular)
                closing.appendBuilt(line, check.numbers);
            else
                closing.append(line);
        });
    } catch (...) {
        closing.clear();
        board_.clear();
        setResultLabel(QStringLiteral("0"));
        throw;
    }
    if (!valid) {
        closing.clear();
        board_.clear();
        Dialogs::information(&window_.host(), TicketFile::invalidFileMessage(k));
    } else {
        // The board is marked once from the union of the lines' numbers: the same tiles as
        // marking line by line, without repainting the board a million times.
        marked.forEach([&](int n) { board_.board().setState(n, Board::State::Selected); });
        board_.refresh();
        parameters_.setT(QString::number(board_.countSelected()));
    }
    Memo1->sync();
    setResultLabel(QString::number(closing.size()));
}

void VerificationPanel::Button9Click()
{
    LineStore& closing = Memo1->store();
    if (!runs_.mayRun(Command::SortClosing) || closing.size() < 2) return;
    TicketFile::sortUnique(closing);
    Memo1->sync();
}

// ---------------------------------------------------------------- draws file and modes

void VerificationPanel::Button13Click()
{
    if (!runs_.mayRun(Command::OpenDraws)) return;
    const QString path = Dialogs::openFileName(&window_.host(), QStringLiteral("*.txt"));
    if (path.isEmpty()) return;
    const int d = parameters_.D();
    TicketFileReader reader(path, TicketFileReader::lineBound(d));
    openOrThrow(reader, path);

    window_.showPage(WindowSeams::Page::Simulacao);
    LineStore& draws = Memo2->store();
    draws.clear();
    bool valid = false;
    try {
        // The board is left alone while reading: the lines are checked without marking it,
        // so the selection needs no putting back.
        valid = ReadTicketFile(reader, d, [&](QStringView line, const TicketLineCheck& check) {
            if (check.verdict != TicketLineCheck::Verdict::WrongLength) draws.append(line);
        });
    } catch (...) {
        draws.clear();
        Memo2->sync();
        throw;
    }
    if (!valid) {
        draws.clear();
        Dialogs::information(&window_.host(), TicketFile::invalidFileMessage(d));
    }
    board_.refresh();
    Memo2->sync();
}

void VerificationPanel::enableInputs(bool sField, bool nField, bool openButton, bool typedField)
{
    Edit13->setEnabled(sField);
    Edit7->setEnabled(nField);
    Button13->setEnabled(openButton);
    MaskEdit1->setEnabled(typedField);
}

void VerificationPanel::RadioButton7Click()
{
    enableInputs(true, true, false, false);
}
void VerificationPanel::RadioButton8Click()
{
    enableInputs(false, true, false, false);
}
void VerificationPanel::RadioButton9Click()
{
    enableInputs(false, false, true, false);
}
void VerificationPanel::RadioButton10Click()
{
    enableInputs(false, false, false, true);
}

VerificationPanel::Mode VerificationPanel::mode() const
{
    if (RadioButton8->isChecked()) return Mode::AllNumbers;
    if (RadioButton9->isChecked()) return Mode::File;
    if (RadioButton10->isChecked()) return Mode::Typed;
    return Mode::SelectedNumbers;
}

QString VerificationPanel::typedDraw() const
{
    // The displayed text keeps every field in its place; an empty field reads as blanks and
    // so matches nothing.
    QString text = MaskEdit1->displayText();
    if (!MaskEdit1->inputMask().isEmpty()) text.replace(u'_', u' ');
    return u' ' + text;
}

// ---------------------------------------------------------------- the run

void VerificationPanel::restoreAllNumbersMode()
{
    if (!allNumbersRestore_.active) return;
    allNumbersRestore_.active = false;
    parameters_.setT(allNumbersRestore_.T);
    parameters_.setF(allNumbersRestore_.F);
    board_.markSelected(allNumbersRestore_.selectedLine, true);
    board_.markFixed(allNumbersRestore_.fixedLine, false);
    board_.refresh();
}

void VerificationPanel::Button3Click()
{
    if (!runs_.mayRun(Command::Simulate)) return;
    drawsReset();
    RunScope run(runs_, Job::Verification);
    run.begin();
    // However the run ends, mode 2's bet is put back before the window is unlocked.
    auto finish = [&] {
        restoreAllNumbersMode();
        status_.setStatus(QStringLiteral("."));
        run.finish();
        Memo2->sync();
        Memo3->sync();
    };
    try {
        runVerification(mode(), run);
    } catch (...) {
        finish();
        throw; // the guard shows the message
    }
    finish();
}

bool VerificationPanel::buildSimulatedSample(const RunScope& run)
{
    status_.setStatus(QStringLiteral("Sorteando Resultados."));
    const int T = parameters_.T(), F = parameters_.F();
    if (T != board_.countSelected() + board_.countFixed() || F != board_.countFixed()) {
        board_.clear();
        board_.drawRandomBet();
    }
    const std::vector<int> selected = board_.selectedNumbers();
    const int S = StrToInt(Edit13->text());
    const int N = StrToInt(Edit7->text());
    const int positions = std::min<int>(T - F, static_cast<int>(selected.size()));
    const int picks = S - F;
    if (picks < 0 || picks > positions) {
        // Drawing more positions than the bet holds could never finish.
        Dialogs::information(&window_.host(),
            QStringLiteral("Não é possível simular sorteios de %1 dezenas com %2 dezenas "
                           "apostadas e %3 fixas.")
                .arg(S)
                .arg(T)
                .arg(F));
        return false;
    }
    RandomSource& random = RandomSource::instance();
    random.reseedFromClock();
    LineStore& draws = Memo2->store();
    draws.clear();

    TicketMask fixed;
    for (int n : board_.board().fixedNumbers())
        fixed.add(n);
    const QChar separator = settings_.separator();
    std::vector<std::uint8_t> taken(static_cast<std::size_t>(positions) + 1);
    EventPump pump;
    for (int i = 1; i <= N && !run.stopRequested(); ++i) {
        std::fill(taken.begin(), taken.end(), 0);
        TicketMask draw = fixed;
        for (int accepted = 0; accepted < picks;) {
            const int p = random.below(positions);
            if (taken[static_cast<std::size_t>(p) + 1]) continue;
            taken[static_cast<std::size_t>(p) + 1] = 1;
            draw.add(selected[static_cast<std::size_t>(p)]);
            ++accepted;
        }
        // The board lists its numbers ascending, so the picks in board order merged with the
        // fixed numbers are the ascending line.
        draws.appendBuilt(LineFormat::maskLine(draw, separator), draw);
        if (draws.memoryBytes() > sampleByteLimit) {
            Dialogs::information(&window_.host(),
                QStringLiteral("A amostragem foi limitada a %1 sorteios para não esgotar a "
                               "memória.")
                    .arg(i));
            break;
        }
        status_.progressBar().setValue(std::min(i + 1, status_.progressBar().maximum()));
        pump.maybePump();
    }
    status_.setStatus(QStringLiteral("."));
    return true;
}

void VerificationPanel::runVerification(Mode mode, const RunScope& run)
{
    const int N = StrToInt(Edit7->text());
    status_.progressBar().setRange(0, std::max(N, 0));
    status_.progressBar().setValue(0);
    const QString selectedLine = board_.selectedLine();
    const QString selectedCount = board_.selectedCountShown();

    if (mode == Mode::AllNumbers) {
        allNumbersRestore_ = { true, parameters_.fields().T, parameters_.fields().F,
            board_.selectedLine(), board_.fixedLine() };
        parameters_.setT(QString::number(parameters_.U()));
        parameters_.setF(QStringLiteral("0"));
    }
    window_.showPage(WindowSeams::Page::Simulacao);

    LineStore& draws = Memo2->store();
    bool stoppedWhileDrawing = false;
    if (mode == Mode::Typed) {
        draws.clear();
        draws.append(typedDraw());
    } else if (mode != Mode::File) {
        if (!buildSimulatedSample(run)) return;
        stoppedWhileDrawing = run.stopRequested();
    }
    Memo2->sync();

    VerificationEngine::Setup setup;
    setup.D = parameters_.D();
    setup.G = parameters_.G();
    setup.detail = CheckBox4->isChecked();
    setup.selectedLine = selectedLine;
    setup.selectedCount = selectedCount;
    VerificationEngine engine(Memo1->store(), draws, Memo3->store(), setup);
    engine.begin();
    status_.progressBar().setRange(0, static_cast<int>(std::min<qsizetype>(draws.size(), INT_MAX)));
    status_.progressBar().setValue(0);
    status_.setStatus(QStringLiteral("Conferindo Detalhe."));

    EventPump pump;
    // The pump looks at the clock only every so many calls, so a slice writing detail lines
    // (far slower than a popcount) must be small for the window to stay responsive.
    const qsizetype slice = setup.detail ? 128 : 8192;
    // A draw once begun is checked to its end, so Parar takes effect between draws; but with
    // the detail on, where one draw against a large closing writes for seconds, the draw under
    // way is dropped as if it had not begun.
    while (engine.drawsLeft() || engine.midDraw()) {
        if (run.stopRequested() && (!engine.midDraw() || engine.abandonDraw())) break;
        engine.step(slice);
        if (!engine.midDraw())
            status_.progressBar().setValue(static_cast<int>(
                std::min<qsizetype>(engine.drawsChecked(), status_.progressBar().maximum())));
        pump.maybePump();
    }

    engine.beginTotals();
    status_.progressBar().setRange(0, setup.D);
    status_.progressBar().setValue(0);
    status_.setStatus(QStringLiteral("Conferindo Fechamento."));
    while (engine.totalsLeft() && !run.stopRequested()) {
        engine.writeNextTotal();
        status_.progressBar().setValue(std::min(engine.nextTotal(), setup.D));
        pump.maybePump();
    }
    engine.writeSummary();
    // The lines above read the same after a stop during the check; say why nothing was checked.
    if (stoppedWhileDrawing)
        Memo3->store().append(QStringLiteral("--- Nada foi conferido: Parar foi apertado enquanto "
                                             "a amostragem era sorteada (%1 de %2 sorteio(s)).")
                                  .arg(draws.size())
                                  .arg(N));
}

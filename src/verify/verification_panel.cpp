#include "verify/verification_panel.h"

#include "app/conversion.h"
#include "app/dialogs.h"
#include "app/event_pump.h"
#include "app/random_source.h"
#include "app/tform1.h"
#include "generate/line_format.h"
#include "verify/ticket_file.h"
#include "verify/verification_engine.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace {

// A simulated sample larger than this could not be held by the draws area.
constexpr std::size_t sampleByteLimit = std::size_t { 2 } << 30;

// Lines beyond this are refused without being held: no valid line is longer than 300.
qsizetype lineBound(int k)
{
    return std::max<qsizetype>(3 * static_cast<qsizetype>(std::max(k, 0)), 0) + 4;
}

void openOrThrow(TicketFileReader& reader, const QString& path)
{
    if (!reader.open())
        throw std::runtime_error(QStringLiteral("Não foi possível abrir o arquivo %1.")
                                     .arg(QDir::toNativeSeparators(path))
                                     .toStdString());
}

} // namespace

VerificationPanel::VerificationPanel(TForm1& form)
    : QObject(&form)
    , form_(form)
{
    auto bind = [this](QPushButton* button, void (VerificationPanel::*handler)()) {
        connect(button, &QPushButton::clicked, this,
            [this, handler] { form_.guarded([this, handler] { (this->*handler)(); }); });
    };
    bind(form.Button6, &VerificationPanel::Button6Click);
    bind(form.Button10, &VerificationPanel::Button10Click);
    bind(form.Button9, &VerificationPanel::Button9Click);
    bind(form.Button13, &VerificationPanel::Button13Click);
    bind(form.Button3, &VerificationPanel::Button3Click);
    // On toggled, so that a mode chosen by the program (the results download) switches the
    // inputs as a click does.
    auto mode = [this](QRadioButton* button, void (VerificationPanel::*handler)()) {
        connect(button, &QRadioButton::toggled, this, [this, handler](bool on) {
            if (on) form_.guarded([this, handler] { (this->*handler)(); });
        });
    };
    mode(form.RadioButton7, &VerificationPanel::RadioButton7Click);
    mode(form.RadioButton8, &VerificationPanel::RadioButton8Click);
    mode(form.RadioButton9, &VerificationPanel::RadioButton9Click);
    mode(form.RadioButton10, &VerificationPanel::RadioButton10Click);
}

// ---------------------------------------------------------------- closing files

QString VerificationPanel::defaultFileName() const
{
    auto t = [](QLineEdit* e) { return e->text().trimmed(); };
    return QStringLiteral("Quirva_") + modalityCode(form_.modality()) + u'_' + t(form_.Edit1)
        + QStringLiteral("dz_") + t(form_.Edit2) + QStringLiteral("m_") + t(form_.Edit4)
        + QStringLiteral("s_") + t(form_.Edit5) + QStringLiteral("gr_se") + t(form_.Edit6)
        + QStringLiteral(".txt");
}

void VerificationPanel::Button6Click()
{
    if (!form_.mayRun(Command::SaveClosing)) return;
    saveDialogName_ = defaultFileName();
    LineStore& closing = form_.Memo1->store();
    if (closing.empty()) {
        Dialogs::information(&form_,
            QStringLiteral("Fechamento não gerado para poder ser exportado para arquivo. Tente "
                           "gerar o fechamento antes."));
        return;
    }
    QString path = Dialogs::saveFileName(&form_, saveDialogName_, QStringLiteral("*.txt"));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".txt");
    saveDialogName_ = path;
    const QString shown = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    if (TicketFile::save(path, closing))
        Dialogs::information(
            &form_, QStringLiteral("Arquivo ") + shown + QStringLiteral(" gerado com sucesso."));
    else
        Dialogs::information(
            &form_, QStringLiteral("Erro ao gerar o arquivo ") + shown + QStringLiteral("."));
}

void VerificationPanel::Button10Click()
{
    if (!form_.mayRun(Command::OpenClosing)) return;
    const QString path = Dialogs::openFileName(&form_, QStringLiteral("*.txt"));
    if (path.isEmpty()) return;
    // K and the file are both checked before anything is cleared, so a bad field or an
    // unreadable file loses nothing.
    const int k = form_.K();
    TicketFileReader reader(path, lineBound(k));
    openOrThrow(reader, path);

    LineStore& closing = form_.Memo1->store();
    closing.clear();
    form_.Button7Click();
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
        form_.Button7Click();
        form_.setResultLabel(QStringLiteral("0"));
        throw;
    }
    if (!valid) {
        closing.clear();
        form_.Button7Click();
        Dialogs::information(&form_, TicketFile::invalidFileMessage(k));
    } else {
        // The board is marked once from the union of the lines' numbers: the same tiles as
        // marking line by line, without repainting the board a million times.
        marked.forEach([&](int n) { form_.board.setState(n, Board::State::Selected); });
        form_.refreshBoard();
        form_.Edit1->setText(QString::number(form_.CountSelected()));
    }
    form_.Memo1->sync();
    form_.setResultLabel(QString::number(closing.size()));
}

void VerificationPanel::Button9Click()
{
    LineStore& closing = form_.Memo1->store();
    if (!form_.mayRun(Command::SortClosing) || closing.size() < 2) return;
    TicketFile::sortUnique(closing);
    form_.Memo1->sync();
}

// ---------------------------------------------------------------- draws file and modes

void VerificationPanel::Button13Click()
{
    if (!form_.mayRun(Command::OpenDraws)) return;
    const QString path = Dialogs::openFileName(&form_, QStringLiteral("*.txt"));
    if (path.isEmpty()) return;
    const int d = form_.D();
    TicketFileReader reader(path, lineBound(d));
    openOrThrow(reader, path);

    form_.PageControl1->setCurrentWidget(form_.TabSimulacao);
    LineStore& draws = form_.Memo2->store();
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
        form_.Memo2->sync();
        throw;
    }
    if (!valid) {
        draws.clear();
        Dialogs::information(&form_, TicketFile::invalidFileMessage(d));
    }
    form_.refreshBoard();
    form_.Memo2->sync();
}

void VerificationPanel::enableInputs(bool sField, bool nField, bool openButton, bool typedField)
{
    form_.Edit13->setEnabled(sField);
    form_.Edit7->setEnabled(nField);
    form_.Button13->setEnabled(openButton);
    form_.MaskEdit1->setEnabled(typedField);
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
    if (form_.RadioButton8->isChecked()) return Mode::AllNumbers;
    if (form_.RadioButton9->isChecked()) return Mode::File;
    if (form_.RadioButton10->isChecked()) return Mode::Typed;
    return Mode::SelectedNumbers;
}

QString VerificationPanel::typedDraw() const
{
    // The displayed text keeps every field in its place; an empty field reads as blanks and
    // so matches nothing.
    QString text = form_.MaskEdit1->displayText();
    if (!form_.MaskEdit1->inputMask().isEmpty()) text.replace(u'_', u' ');
    return u' ' + text;
}

// ---------------------------------------------------------------- the run

void VerificationPanel::lockVerification(bool locked)
{
    form_.lockForRun(locked);
    form_.Button5->setEnabled(locked);
    for (QWidget* w :
        std::initializer_list<QWidget*> { form_.Button1, form_.Button11, form_.CheckBox4,
            form_.RadioButton7, form_.RadioButton8, form_.RadioButton9, form_.RadioButton10 })
        w->setEnabled(!locked);
    form_.Edit7->setReadOnly(locked);
    form_.Edit13->setReadOnly(locked);
    if (!locked) {
        // Locking switched the balanced pick off; it is offered again unless numbers are fixed.
        int fixed = 0;
        form_.CheckBox3->setEnabled(!tryStrToInt(form_.Edit10->text(), fixed) || fixed <= 0);
    }
}

void VerificationPanel::restoreAllNumbersMode()
{
    if (!allNumbersRestore_.active) return;
    allNumbersRestore_.active = false;
    form_.Edit1->setText(allNumbersRestore_.T);
    form_.Edit10->setText(allNumbersRestore_.F);
    form_.MarkSelected(allNumbersRestore_.selectedLine, true);
    form_.MarkFixed(allNumbersRestore_.fixedLine, false);
    form_.refreshBoard();
}

void VerificationPanel::Button3Click()
{
    if (!form_.mayRun(Command::Simulate)) return;
    const JobState::Scope job(form_.jobs, Job::Verification);
    form_.resetComparisonChart();
    form_.stopFlag = false;
    lockVerification(true);
    try {
        runVerification(mode());
    } catch (...) {
        restoreAllNumbersMode();
        form_.setStatus(QStringLiteral("."));
        lockVerification(false);
        form_.Memo2->sync();
        form_.Memo3->sync();
        throw; // the guard shows the message and puts back the rest
    }
    restoreAllNumbersMode();
    form_.setStatus(QStringLiteral("."));
    lockVerification(false);
    form_.stopFlag = true;
    form_.Memo2->sync();
    form_.Memo3->sync();
}

bool VerificationPanel::buildSimulatedSample()
{
    form_.setStatus(QStringLiteral("Sorteando Resultados."));
    const int T = form_.T(), F = form_.F();
    if (T != form_.CountSelected() + form_.CountFixed() || F != form_.CountFixed()) {
        form_.Button7Click();
        form_.Button8Click();
    }
    form_.LoadSelectedNumbers();
    const int S = StrToInt(form_.Edit13->text());
    const int N = StrToInt(form_.Edit7->text());
    const int positions = std::min<int>(T - F, static_cast<int>(form_.selectedNumbers.size()));
    const int picks = S - F;
    if (picks < 0 || picks > positions) {
        // Drawing more positions than the bet holds could never finish.
        Dialogs::information(&form_,
            QStringLiteral("Não é possível simular sorteios de %1 dezenas com %2 dezenas "
                           "apostadas e %3 fixas.")
                .arg(S)
                .arg(T)
                .arg(F));
        return false;
    }
    RandomSource& random = RandomSource::instance();
    random.reseedFromClock();
    LineStore& draws = form_.Memo2->store();
    draws.clear();

    TicketMask fixed;
    for (int n : form_.board.fixedNumbers())
        fixed.add(n);
    const QChar separator = form_.separator();
    std::vector<std::uint8_t> taken(static_cast<std::size_t>(positions) + 1);
    EventPump pump;
    for (int i = 1; i <= N && !form_.stopFlag; ++i) {
        std::fill(taken.begin(), taken.end(), 0);
        TicketMask draw = fixed;
        for (int accepted = 0; accepted < picks;) {
            const int p = random.below(positions);
            if (taken[static_cast<std::size_t>(p) + 1]) continue;
            taken[static_cast<std::size_t>(p) + 1] = 1;
            draw.add(form_.selectedNumbers[static_cast<std::size_t>(p)]);
            ++accepted;
        }
        // The board lists its numbers ascending, so the picks in board order merged with the
        // fixed numbers are the ascending line.
        draws.appendBuilt(LineFormat::maskLine(draw, separator), draw);
        if (draws.memoryBytes() > sampleByteLimit) {
            Dialogs::information(&form_,
                QStringLiteral("A amostragem foi limitada a %1 sorteios para não esgotar a "
                               "memória.")
                    .arg(i));
            break;
        }
        form_.ProgressBar1->setValue(std::min(i + 1, form_.ProgressBar1->maximum()));
        pump.maybePump();
    }
    form_.setStatus(QStringLiteral("."));
    return true;
}

void VerificationPanel::runVerification(Mode mode)
{
    const int N = StrToInt(form_.Edit7->text());
    form_.ProgressBar1->setRange(0, std::max(N, 0));
    form_.ProgressBar1->setValue(0);
    const QString selectedLine = form_.Edit9->text();
    const QString selectedCount = form_.Label20->text();

    if (mode == Mode::AllNumbers) {
        allNumbersRestore_ = { true, form_.Edit1->text(), form_.Edit10->text(), form_.Edit9->text(),
            form_.Edit11->text() };
        form_.Edit1->setText(QString::number(form_.U()));
        form_.Edit10->setText(QStringLiteral("0"));
    }
    form_.PageControl1->setCurrentWidget(form_.TabSimulacao);

    LineStore& draws = form_.Memo2->store();
    if (mode == Mode::Typed) {
        draws.clear();
        draws.append(typedDraw());
    } else if (mode != Mode::File) {
        if (!buildSimulatedSample()) return;
    }
    form_.Memo2->sync();

    VerificationEngine::Setup setup;
    setup.D = form_.D();
    setup.G = form_.G();
    setup.detail = form_.CheckBox4->isChecked();
    setup.selectedLine = selectedLine;
    setup.selectedCount = selectedCount;
    VerificationEngine engine(form_.Memo1->store(), draws, form_.Memo3->store(), setup);
    engine.begin();
    form_.ProgressBar1->setRange(0, static_cast<int>(std::min<qsizetype>(draws.size(), INT_MAX)));
    form_.ProgressBar1->setValue(0);
    form_.setStatus(QStringLiteral("Conferindo Detalhe."));

    EventPump pump;
    // The pump looks at the clock only every so many calls, so a slice writing detail lines
    // (far slower than a popcount) must be small for the window to stay responsive.
    const qsizetype slice = setup.detail ? 128 : 8192;
    // A draw once begun is checked to its end; Parar takes effect between draws.
    while (engine.drawsLeft() || engine.midDraw()) {
        if (!engine.midDraw() && form_.stopFlag) break;
        engine.step(slice);
        if (!engine.midDraw())
            form_.ProgressBar1->setValue(static_cast<int>(
                std::min<qsizetype>(engine.drawsChecked(), form_.ProgressBar1->maximum())));
        pump.maybePump();
    }

    engine.beginTotals();
    form_.ProgressBar1->setRange(0, setup.D);
    form_.ProgressBar1->setValue(0);
    form_.setStatus(QStringLiteral("Conferindo Fechamento."));
    while (engine.totalsLeft() && !form_.stopFlag) {
        engine.writeNextTotal();
        form_.ProgressBar1->setValue(std::min(engine.nextTotal(), setup.D));
        pump.maybePump();
    }
    engine.writeSummary();
}

void attachVerification(TForm1& form)
{
    new VerificationPanel(form);
}

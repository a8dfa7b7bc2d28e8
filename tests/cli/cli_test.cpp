#include "engine/generate/line_format.h"
#include "engine/generate/optimizer_check.h"
#include "engine/net/result_files.h"
#include "engine/verify/ticket_file.h"
#include "support/app_fixture.h"
#include "support/ui_driver.h"
#include "support/ui_find.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#ifdef Q_OS_UNIX
#include <signal.h>
#endif

namespace {

struct Ran {
    int status = -1;
    QString out, err;
    QJsonObject json() const { return QJsonDocument::fromJson(out.toUtf8()).object(); }
};

Ran cli(const QTemporaryDir& dir, const QStringList& arguments)
{
    QProcess process;
    process.setWorkingDirectory(dir.path());
    // The program reads the window's settings and cache: the user's own are kept out of the test.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", dir.path());
    environment.insert("XDG_DATA_HOME", dir.filePath("data"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QUIRVA_CLI), arguments);
    if (!process.waitForFinished(300000)) qFatal("quirva-cli did not finish");
    return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromUtf8(process.readAllStandardOutput()),
        QString::fromUtf8(process.readAllStandardError()) };
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write test file");
    file.write(bytes);
    return file.fileName();
}

// The window with a modality chosen and a closing file opened as "Abrir Fechamento" does.
void openInWindow(MainWindowFixture& f, const QString& modalityButton, const QString& K,
    const QString& G, const QString& path)
{
    f.start();
    Ui::click(f.form.get(), modalityButton);
    Ui::type(f.form.get(), "Edit2", K);
    Ui::type(f.form.get(), "Edit5", G);
    f.dialogs->openNames.push_back(path);
    Ui::click(f.form.get(), "Button10");
}

QString marginInWindow(MainWindowFixture& f)
{
    Ui::click(f.form.get(), "Button11");
    return Ui::find<QLabel>(f.form.get(), "Label2")->text();
}

std::vector<int> numbersOf(const QString& text)
{
    std::vector<int> numbers;
    LineFormat::analyse(u' ' + text).mask.forEach([&](int n) { numbers.push_back(n); });
    return numbers;
}

} // namespace

// quirva-cli as a user runs it, against the window on the same files.
class CliTest : public QObject
{
    Q_OBJECT
private slots:
    void closingsCrossBetweenTheProgramAndTheWindow_data();
    void closingsCrossBetweenTheProgramAndTheWindow();
    void verificationReportIsTheWindows_data();
    void verificationReportIsTheWindows();
    void badInputIsRefusedAndWritesNothing_data();
    void badInputIsRefusedAndWritesNothing();
    void interruptedOptimizationLeavesACompleteClosing();
    void downloadTakesTheCacheAndEndsAtTheFirstFailure_data();
    void downloadTakesTheCacheAndEndsAtTheFirstFailure();
};

void CliTest::closingsCrossBetweenTheProgramAndTheWindow_data()
{
    QTest::addColumn<QStringList>("generate");
    QTest::addColumn<QString>("modalityButton");
    QTest::addColumn<QString>("K");
    QTest::addColumn<QString>("G");
    QTest::addColumn<QString>("fixed");
    QTest::newRow("every combination")
        << QStringList { "-m", "MS", "--dezenas", "01,02,03,04,05,06,07,08", "-g", "6" }
        << "RadioButton3"
        << "6"
        << "6" << QString();
    QTest::newRow("completed, separator ;") << QStringList { "-m", "MS", "-t", "12", "-g", "3",
        "--tempo", "0.2", "--completar", "--separador", ";" }
                                            << "RadioButton3"
                                            << "6"
                                            << "3" << QString();
    QTest::newRow("optimized with a fixed number") << QStringList { "-m", "QI", "-t", "12",
        "--fixas", "07", "-g", "3", "--tempo", "0.2", "--completar", "--otimizar", "1" }
                                                   << "RadioButton5"
                                                   << "5"
                                                   << "3"
                                                   << "07";
}

void CliTest::closingsCrossBetweenTheProgramAndTheWindow()
{
    QFETCH(QStringList, generate);
    QFETCH(QString, modalityButton);
    QFETCH(QString, K);
    QFETCH(QString, G);
    QFETCH(QString, fixed);
    QTemporaryDir dir;
    const Ran generated = cli(dir, QStringList { "gerar", "-o", "cli.txt", "--json" } + generate);
    QCOMPARE(generated.status, 0);
    QVERIFY2(generated.json().value("fecha_100").toBool(), qPrintable(generated.out));

    MainWindowFixture f;
    openInWindow(f, modalityButton, K, G, dir.filePath("cli.txt"));
    QVERIFY2(f.dialogs->messages.isEmpty(), qPrintable(f.dialogs->lastMessage()));
    QCOMPARE(
        qint64(Ui::closing(f.form.get()).size()), generated.json().value("bilhetes").toInteger());
    QStringList margin { "margem", "-m", generate[1], "-g", G };
    if (!fixed.isEmpty()) {
        f.form->MarkFixed(u' ' + fixed, false);
        f.form->refreshBoard();
        Ui::type(f.form.get(), "Edit10", "1");
        margin << "--fixas" << fixed;
    }
    const QString windowMargin = marginInWindow(f);
    QVERIFY(windowMargin.contains(" Sendo 0 não fechados em "));

    // The window's file, read back by the program, gives the window's figures.
    f.dialogs->saveNames.push_back(dir.filePath("window.txt"));
    Ui::click(f.form.get(), "Button6");
    const Ran checked = cli(dir, margin << "window.txt");
    QCOMPARE(checked.status, 0);
    QCOMPARE(checked.out, windowMargin + u'\n');
}

void CliTest::verificationReportIsTheWindows_data()
{
    QTest::addColumn<QByteArray>("draws");
    QTest::addColumn<bool>("detail");
    QTest::addColumn<int>("status");
    const QByteArray guaranteed = "01 02 03 11 12\r\n03-04-05-06-80\r\n";
    QTest::newRow("every draw guaranteed") << guaranteed << false << 0;
    QTest::newRow("one draw without") << guaranteed + "70 71 72 73 74\r\n" << false << 1;
    QTest::newRow("in detail") << guaranteed + "70 71 72 73 74\r\n" << true << 1;
    QTest::newRow("no draws") << QByteArray() << false << 0;
}

void CliTest::verificationReportIsTheWindows()
{
    QFETCH(QByteArray, draws);
    QFETCH(bool, detail);
    QFETCH(int, status);
    QTemporaryDir dir;
    const QString closing
        = writeFile(dir, "closing.txt", "01 02 03 04 05\r\n03 04 05 06 07\r\n10 20 30 40 50\r\n");
    const QString sample = writeFile(dir, "draws.txt", draws);
    QStringList arguments { "conferir", closing, sample, "-m", "QI" };
    if (detail) arguments << "--detalhar";
    const Ran verified = cli(dir, arguments);
    QCOMPARE(verified.status, status);

    MainWindowFixture f;
    openInWindow(f, "RadioButton5", "5", "3", closing);
    Ui::click(f.form.get(), "RadioButton9");
    if (detail) Ui::click(f.form.get(), "CheckBox4");
    f.dialogs->openNames.push_back(sample);
    Ui::click(f.form.get(), "Button13");
    Ui::click(f.form.get(), "Button3");
    QCOMPARE(verified.out,
        Ui::find<LineView>(f.form.get(), "Memo3")->store().lines().join(u'\n') + u'\n');
}

void CliTest::badInputIsRefusedAndWritesNothing_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    const QString invalid = TicketFile::invalidFileMessage(5).replace(u'\r', u'\n');
    QTest::newRow("unknown option") << QStringList { "gerar", "-m", "MS", "--rapido", "-o",
        "out.txt" } << "Opção desconhecida: --rapido";
    QTest::newRow("unknown modality")
        << QStringList { "gerar", "-m", "XY", "-o", "out.txt" } << "Modalidade desconhecida: 'XY'";
    QTest::newRow("guarantee not a number") << QStringList { "gerar", "-m", "MS", "-g", "três",
        "-o", "out.txt" } << "'três' não é um número inteiro";
    QTest::newRow("number out of range")
        << QStringList { "gerar", "-m", "QI", "--dezenas", "01,02,03,04,05,81", "-o", "out.txt" }
        << "Dezenas fora da Quina (01 a 80): 81";
    QTest::newRow("too many fixed") << QStringList { "gerar", "-m", "MS", "-t", "10", "--fixas",
        "1,2,3,4,5,6", "-o", "out.txt" }
                                    << "no máximo 5 dezenas fixas";
    QTest::newRow("missing folder")
        << QStringList { "gerar", "-m", "MS", "-o", "nenhuma/pasta/out.txt" } << "não existe";
    QTest::newRow("closing line too short") << QStringList { "margem", "short.txt", "-m", "QI",
        "--completar", "-o", "out.txt" } << invalid;
    QTest::newRow("absent closing") << QStringList { "otimizar", "nenhum.txt", "-m", "MS", "-o",
        "out.txt" } << "Não foi possível abrir o arquivo nenhum.txt.";
    QTest::newRow("draws of the wrong length")
        << QStringList { "conferir", "quina.txt", "six.txt", "-m", "QI" } << invalid;
    QTest::newRow("too many draws to optimize") << QStringList { "otimizar", "lotomania.txt", "-m",
        "LM", "-o", "out.txt" } << "limite de 20000000";
}

void CliTest::badInputIsRefusedAndWritesNothing()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QTemporaryDir dir;
    writeFile(dir, "short.txt", "01 02 03 04 05\r\n01 02 03 04\r\n");
    writeFile(dir, "quina.txt", "01 02 03 04 05\r\n06 07 08 09 10\r\n");
    writeFile(dir, "six.txt", "01 02 03 04 05 06\r\n");
    QByteArray lotomania;
    for (int start : { 1, 2 }) {
        for (int n = start; n < start + 50; ++n)
            lotomania += LineFormat::numberText(n).toLatin1() + ' ';
        lotomania += "\r\n";
    }
    writeFile(dir, "lotomania.txt", lotomania);
    const Ran refused = cli(dir, arguments);
    QCOMPARE(refused.status, 2);
    QVERIFY2(refused.err.contains(message), qPrintable(refused.err));
    QVERIFY(!QFile::exists(dir.filePath("out.txt")));
}

void CliTest::interruptedOptimizationLeavesACompleteClosing()
{
#ifndef Q_OS_UNIX
    QSKIP("Ctrl+C is sent as SIGINT");
#else
    QTemporaryDir dir;
    const Ran generated = cli(dir,
        { "gerar", "-m", "MS", "-t", "20", "-g", "4", "--tempo", "0.2", "-o", "in.txt", "--json" });
    QCOMPARE(generated.status, 0);
    const QString bet = generated.json().value("dezenas").toString();

    QProcess optimize;
    optimize.setWorkingDirectory(dir.path());
    optimize.start(QStringLiteral(QUIRVA_CLI),
        { "otimizar", "in.txt", "-m", "MS", "-g", "4", "--dezenas", bet, "--tempo", "1h", "-o",
            "out.txt" });
    QVERIFY(optimize.waitForStarted());
    optimize.setReadChannel(QProcess::StandardError);
    // The plain progress line names the best complete closing once there is one.
    QByteArray said;
    while (!said.contains("melhor:")) {
        QVERIFY2(optimize.waitForReadyRead(300000), said.constData());
        said += optimize.readAllStandardError();
    }
    ::kill(static_cast<pid_t>(optimize.processId()), SIGINT);
    QVERIFY(optimize.waitForFinished(300000));
    QCOMPARE(optimize.exitCode(), 0);

    TicketFileReader reader(dir.filePath("out.txt"), TicketFileReader::lineBound(6));
    QVERIFY(reader.open());
    std::vector<TicketMask> tickets;
    QVERIFY(ReadTicketFile(reader, 6,
        [&](QStringView, const TicketLineCheck& check) { tickets.push_back(check.numbers); }));
    const OptimizerCheck::Bet counted { numbersOf(bet), {}, 6, 4, 6 };
    QVERIFY(!tickets.empty() && OptimizerCheck::wellFormed(counted, tickets));
    QCOMPARE(OptimizerCheck::uncoveredDraws(counted, tickets), 0);
#endif
}

void CliTest::downloadTakesTheCacheAndEndsAtTheFirstFailure_data()
{
    QTest::addColumn<QString>("last");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("said");
    QTest::newRow("cached") << "5" << 0 << "Tarefa Concluída.";
    QTest::newRow("next one unreachable")
        << "6" << 1 << "Resultado 6 não existe ou erro de conexão.";
}

void CliTest::downloadTakesTheCacheAndEndsAtTheFirstFailure()
{
    QFETCH(QString, last);
    QFETCH(int, status);
    QFETCH(QString, said);
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(ResultFiles::cacheFolder);
    // A cache in the working directory, as earlier versions kept it: taken in and read.
    writeFile(dir, "Quirva_Results/MS_5.txt", " 04 08 15 16 23 42\r\n");
    // Nothing listens on port 1, so a request fails at once.
    const Ran downloaded = cli(dir,
        { "baixar", "-m", "MS", "--de", "5", "--a", last, "--fonte", "site", "--site",
            "http://127.0.0.1:1", "-o", "draws.txt" });
    QCOMPARE(downloaded.status, status);
    QVERIFY2((downloaded.out + downloaded.err).contains(said), qPrintable(downloaded.err));
    QFile draws(dir.filePath("draws.txt"));
    QVERIFY(draws.open(QIODevice::ReadOnly));
    QCOMPARE(draws.readAll(), QByteArray("04 08 15 16 23 42\r\n"));
}

QTEST_MAIN(CliTest)
#include "cli_test.moc"

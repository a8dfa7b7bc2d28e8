#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// Installs the built program into a scratch prefix, as `cmake --install` does for a package,
// and checks what a desktop finds there.
class InstallTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void installsItsFiles_data();
    void installsItsFiles();
    void desktopEntryStartsTheProgram();
    void validatorsAcceptTheFiles_data();
    void validatorsAcceptTheFiles();

private:
    QString installed(const QString& relative) const { return prefix_.filePath(relative); }
    QTemporaryDir prefix_;
};

void InstallTest::initTestCase()
{
    QVERIFY(prefix_.isValid());
    QProcess install;
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(QStringLiteral(QUIRVA_CMAKE),
        { "--install", QStringLiteral(QUIRVA_BUILD_DIR), "--prefix", prefix_.path() });
    QVERIFY(install.waitForFinished(120000));
    QVERIFY2(install.exitCode() == 0, install.readAll().constData());
}

void InstallTest::installsItsFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("iconSize"); // 0: not a raster icon
    QTest::newRow("program") << "bin/quirva" << 0;
    QTest::newRow("command line") << "bin/quirva-cli" << 0;
    QTest::newRow("command line manual") << "share/man/man1/quirva-cli.1.gz" << 0;
    QTest::newRow("desktop entry") << "share/applications/quirva.desktop" << 0;
    QTest::newRow("metainfo") << "share/metainfo/br.quirva.quirva.metainfo.xml" << 0;
    QTest::newRow("scalable icon") << "share/icons/hicolor/scalable/apps/quirva.svg" << 0;
    QTest::newRow("icon 48") << "share/icons/hicolor/48x48/apps/quirva.png" << 48;
    QTest::newRow("icon 128") << "share/icons/hicolor/128x128/apps/quirva.png" << 128;
    QTest::newRow("manual page") << "share/man/man1/quirva.1.gz" << 0;
    QTest::newRow("copyright") << "share/doc/quirva/copyright" << 0;
    QTest::newRow("changelog") << "share/doc/quirva/changelog.gz" << 0;
}

void InstallTest::installsItsFiles()
{
    QFETCH(QString, file);
    QFETCH(int, iconSize);
    const QFileInfo info(installed(file));
    QVERIFY2(info.isFile() && info.size() > 0, qPrintable(file));
    if (file.startsWith(u"bin/")) QVERIFY(info.isExecutable());
    if (iconSize > 0) QCOMPARE(QImage(info.filePath()).size(), QSize(iconSize, iconSize));
    QFile gz(info.filePath());
    // gzip -n: no file name (flag 0x08), no time stamp, so that builds are reproducible.
    const QByteArray head = gz.open(QIODevice::ReadOnly) ? gz.read(8) : QByteArray();
    if (file.endsWith(u".gz"))
        QVERIFY(head.startsWith("\x1f\x8b\x08") && head.mid(3, 5) == QByteArray(5, '\0'));
}

void InstallTest::desktopEntryStartsTheProgram()
{
    QFile entry(installed(QStringLiteral("share/applications/quirva.desktop")));
    QVERIFY(entry.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(entry.readAll()).split(u'\n');
    QCOMPARE(lines.front(), QString("[Desktop Entry]"));
    for (const char* expected : { "Name=QUIRVA", "Exec=quirva", "Icon=quirva", "Type=Application" })
        QVERIFY2(lines.contains(QLatin1String(expected)), expected);
    const auto comment = std::find_if(lines.cbegin(), lines.cend(),
        [](const QString& l) { return l.startsWith(u"Comment=") && l.size() > 20; });
    QVERIFY(comment != lines.cend());
}

void InstallTest::validatorsAcceptTheFiles_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("desktop entry")
        << "desktop-file-validate"
        << QStringList { installed(QStringLiteral("share/applications/quirva.desktop")) };
    QTest::newRow("metainfo") << "appstreamcli"
                              << QStringList { "validate", "--no-net",
                                     installed(QStringLiteral(
                                         "share/metainfo/br.quirva.quirva.metainfo.xml")) };
}

void InstallTest::validatorsAcceptTheFiles()
{
    QFETCH(QString, tool);
    QFETCH(QStringList, arguments);
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) QSKIP(qPrintable(tool + QStringLiteral(" is not installed")));
    QProcess validator;
    validator.setProcessChannelMode(QProcess::MergedChannels);
    validator.start(program, arguments);
    QVERIFY(validator.waitForFinished(60000));
    const QByteArray said = validator.readAll();
    // desktop-file-validate exits 0 on mere hints and warnings; it prints only when unhappy.
    QVERIFY2(validator.exitCode() == 0, said.constData());
    if (tool == u"desktop-file-validate") QVERIFY2(said.trimmed().isEmpty(), said.constData());
}

QTEST_GUILESS_MAIN(InstallTest)
#include "install_test.moc"

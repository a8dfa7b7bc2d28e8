#include "support/scripted_dialogs.h"
#include "ui/line_view.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QScrollBar>
#include <QTest>

namespace {

using Range = QPair<qsizetype, qsizetype>;

// A shown view over `count` lines " 000" .. , tall enough for ten of them.
void fill(LineView& view, int count)
{
    view.resize(300, view.fontMetrics().height() * 10 + 4);
    view.show();
    for (int i = 0; i < count; ++i)
        view.store().append(QStringLiteral(" %1").arg(i, 3, 10, QLatin1Char('0')));
    view.sync();
}

QPoint rowPoint(const LineView& view, qsizetype row)
{
    const int h = view.fontMetrics().height();
    return QPoint(20, static_cast<int>(row - view.topLine()) * h + h / 2);
}

// Plays gestures such as "click:3 shift+click:7 drag:2-5 key:shift+Down key:ctrl+A".
void play(LineView& view, const QString& script)
{
    QWidget* port = view.viewport();
    for (const QString& step : script.split(u' ', Qt::SkipEmptyParts)) {
        const QString verb = step.section(u':', 0, 0), arg = step.section(u':', 1);
        if (verb == u"click" || verb == u"shift+click") {
            QTest::mouseClick(port, Qt::LeftButton,
                verb == u"click" ? Qt::NoModifier : Qt::ShiftModifier, rowPoint(view, arg.toInt()));
        } else if (verb == u"drag") {
            const QPoint from = rowPoint(view, arg.section(u'-', 0, 0).toInt());
            const QPoint to = rowPoint(view, arg.section(u'-', 1).toInt());
            QTest::mousePress(port, Qt::LeftButton, Qt::NoModifier, from);
            QMouseEvent move(QEvent::MouseMove, to, port->mapToGlobal(to), Qt::NoButton,
                Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(port, &move);
            QTest::mouseRelease(port, Qt::LeftButton, Qt::NoModifier, to);
        } else {
            const QKeySequence keys(arg);
            QTest::keyClick(
                &view, static_cast<Qt::Key>(keys[0].key()), keys[0].keyboardModifiers());
        }
    }
}

} // namespace

class LineViewTest : public QObject
{
    Q_OBJECT
private slots:
    void followsTheStoreOnItsTimer();
    void linesAddedOnTopKeepTheUsersPlace();
    void clearingGoesBackToTheTop();
    void gesturesSelectWholeLines_data();
    void gesturesSelectWholeLines();
    void copyPutsTheSelectedLinesOnTheClipboard_data();
    void copyPutsTheSelectedLinesOnTheClipboard();
    void selectionFollowsTheStore();
    void selectedLinesAreDrawnHighlighted();
    void copyPastTheLimitSaysSoAndCopiesNothing();
};

void LineViewTest::followsTheStoreOnItsTimer()
{
    LineView view;
    view.resize(300, 200);
    view.show();
    for (int i = 0; i < 1000; ++i)
        view.store().append(u" 01 02 03");
    QTRY_VERIFY(view.verticalScrollBar()->maximum() > 900);
}

void LineViewTest::linesAddedOnTopKeepTheUsersPlace()
{
    LineView view;
    view.resize(300, 200);
    view.show();
    for (int i = 0; i < 1000; ++i)
        view.store().append(QStringLiteral(" %1").arg(i % 100, 2, 10, QLatin1Char('0')));
    view.scrollToLine(500);
    const QString seen = view.store().line(view.topLine());
    for (int i = 0; i < 10; ++i)
        view.store().prepend(u" 99");
    view.sync();
    QCOMPARE(view.store().line(view.topLine()), seen);
    view.scrollToLine(0);
    view.store().prepend(u" 98");
    view.sync();
    QCOMPARE(view.topLine(), qsizetype(0));
}

void LineViewTest::clearingGoesBackToTheTop()
{
    LineView view;
    view.resize(300, 200);
    view.show();
    for (int i = 0; i < 1000; ++i)
        view.store().append(u" 01");
    view.scrollToLine(700);
    view.store().clear();
    view.store().append(u" 02");
    view.sync();
    QCOMPARE(view.topLine(), qsizetype(0));
    QCOMPARE(view.verticalScrollBar()->maximum(), 0);
}

void LineViewTest::gesturesSelectWholeLines_data()
{
    QTest::addColumn<QString>("gestures");
    QTest::addColumn<Range>("selected"); // first, last; -1 for none
    QTest::newRow("nothing at first") << "" << Range(-1, -1);
    QTest::newRow("click") << "click:3" << Range(3, 3);
    QTest::newRow("click again moves") << "click:3 click:6" << Range(6, 6);
    QTest::newRow("shift+click extends") << "click:3 shift+click:7" << Range(3, 7);
    QTest::newRow("shift+click upwards") << "click:7 shift+click:2" << Range(2, 7);
    QTest::newRow("drag") << "drag:2-5" << Range(2, 5);
    QTest::newRow("below the last line") << "click:1 shift+click:9" << Range(1, 7);
    QTest::newRow("shift+down twice") << "click:1 key:Shift+Down key:Shift+Down" << Range(1, 3);
    QTest::newRow("shift+up stops at 0") << "click:1 key:Shift+Up key:Shift+Up" << Range(0, 1);
    QTest::newRow("shift+end") << "click:2 key:Shift+End" << Range(2, 7);
    QTest::newRow("shift+home") << "click:2 key:Shift+Home" << Range(0, 2);
    QTest::newRow("shift+pagedown stops at the end") << "click:0 key:Shift+PgDown" << Range(0, 7);
    QTest::newRow("shift+down with nothing selected") << "key:Shift+Down" << Range(0, 1);
    QTest::newRow("ctrl+a") << "key:Ctrl+A" << Range(0, 7);
}

void LineViewTest::gesturesSelectWholeLines()
{
    QFETCH(QString, gestures);
    QFETCH(Range, selected);
    LineView view;
    fill(view, 8);
    play(view, gestures);
    QCOMPARE(Range(view.selection().first, view.selection().last), selected);
}

void LineViewTest::copyPutsTheSelectedLinesOnTheClipboard_data()
{
    QTest::addColumn<QString>("gestures");
    QTest::addColumn<QString>("how"); // keys, menu
    QTest::addColumn<QString>("copied");
    QTest::newRow("one line") << "click:2"
                              << "keys"
                              << " 002";
    QTest::newRow("a range") << "click:1 shift+click:3"
                             << "keys"
                             << " 001\n 002\n 003";
    QTest::newRow("everything from the menu") << ""
                                              << "menu"
                                              << " 000\n 001\n 002\n 003";
}

void LineViewTest::copyPutsTheSelectedLinesOnTheClipboard()
{
    QFETCH(QString, gestures);
    QFETCH(QString, how);
    QFETCH(QString, copied);
    LineView view;
    fill(view, 4);
    QApplication::clipboard()->setText(QStringLiteral("before"));
    play(view, gestures);
    if (how == u"keys") {
        QTest::keySequence(&view, QKeySequence::Copy);
    } else {
        std::unique_ptr<QMenu> menu(view.createContextMenu(nullptr));
        const QList<QAction*> actions = menu->actions();
        QCOMPARE(actions.size(), 2);
        QCOMPARE(actions[0]->text(), QString("Copiar"));
        QCOMPARE(actions[1]->text(), QString("Selecionar Tudo"));
        QVERIFY(!actions[0]->isEnabled()); // nothing selected yet
        actions[1]->trigger();
        std::unique_ptr<QMenu>(view.createContextMenu(nullptr))->actions()[0]->trigger();
    }
    QCOMPARE(QApplication::clipboard()->text(), copied);
}

void LineViewTest::selectionFollowsTheStore()
{
    LineView view;
    fill(view, 20);
    view.select(5, 7);
    for (int i = 0; i < 3; ++i)
        view.store().prepend(u" 999");
    // Not yet synced: still never a row past the store, and the copy follows the lines.
    QVERIFY(view.copy());
    QCOMPARE(QApplication::clipboard()->text(), QString(" 005\n 006\n 007"));
    QCOMPARE(view.selection().first, qsizetype(8));
    view.store().clear();
    view.store().append(u" 001");
    QVERIFY(view.selection().empty());
    QVERIFY(!view.copy());
    view.select(-5, 99);
    QCOMPARE(Range(view.selection().first, view.selection().last), Range(0, 0));
    view.store().clear();
    QVERIFY(view.selection().empty());
    QTest::keyClick(&view, Qt::Key_End, Qt::ShiftModifier);
    QVERIFY(!view.copy());
}

void LineViewTest::selectedLinesAreDrawnHighlighted()
{
    LineView view;
    fill(view, 5);
    view.select(1, 2);
    const QImage image = view.viewport()->grab().toImage();
    const QColor highlight = view.palette().color(QPalette::Highlight);
    for (qsizetype row = 0; row < 4; ++row) {
        const QPoint p(view.viewport()->width() - 3, rowPoint(view, row).y());
        QCOMPARE(image.pixelColor(p) == highlight, row == 1 || row == 2);
    }
}

void LineViewTest::copyPastTheLimitSaysSoAndCopiesNothing()
{
    ScriptedDialogs& dialogs = ScriptedDialogs::install();
    LineView view;
    const QString wide(1000, u'7');
    // One line more than fits, line feeds counted.
    const qsizetype lines = LineView::kCopyLimitBytes / (wide.size() + 1) + 1;
    for (qsizetype i = 0; i < lines; ++i)
        view.store().appendBuilt(wide, TicketMask {});
    QApplication::clipboard()->setText(QStringLiteral("before"));
    view.selectAll();
    QVERIFY(!view.copy());
    QCOMPARE(QApplication::clipboard()->text(), QString("before"));
    QVERIFY(dialogs.lastMessage().startsWith("A seleção tem mais de 50 MB"));
    view.select(0, lines - 2);
    QVERIFY(view.copy());
    QCOMPARE(QApplication::clipboard()->text().size(), (lines - 1) * (wide.size() + 1) - 1);
}

QTEST_MAIN(LineViewTest)
#include "line_view_test.moc"

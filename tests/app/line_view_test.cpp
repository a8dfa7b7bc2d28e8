#include "app/line_view.h"

#include <QScrollBar>
#include <QTest>

class LineViewTest : public QObject
{
    Q_OBJECT
private slots:
    void followsTheStoreOnItsTimer();
    void linesAddedOnTopKeepTheUsersPlace();
    void clearingGoesBackToTheTop();
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

QTEST_MAIN(LineViewTest)
#include "line_view_test.moc"

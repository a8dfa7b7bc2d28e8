#include "app/tform_sobre.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

class AboutWindowTest : public QObject {
    Q_OBJECT
private slots:
    void isModalReadOnlyAndClosesWithFechar();
};

void AboutWindowTest::isModalReadOnlyAndClosesWithFechar()
{
    TFormSobre about;
    QVERIFY(about.isModal());
    auto* text = about.findChild<QPlainTextEdit*>("MemoSobre");
    QVERIFY(text && text->isReadOnly());
    QVERIFY(text->toPlainText().contains("QUIRVA"));
    auto* close = about.findChild<QPushButton*>("ButtonFechar");
    QCOMPARE(close->text(), QString("Fechar"));
    about.show();
    close->click();
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Accepted));
}

QTEST_MAIN(AboutWindowTest)
#include "about_window_test.moc"

#include "shared/gui/textbox.h"
#include "tests/support/testmain.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

using tavrik::gui::MsgIcon;

// The box for long texts (the help text): whatever the text, the box and its OK
// button lie on the screen, and all of the text can be scrolled to.
class TestTextBox : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fitsTheScreen_data();
    void fitsTheScreen();
};

void TestTextBox::fitsTheScreen_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("scrolls");
    QStringList lines;
    for (int i = 1; i <= 150; ++i)
        lines << QStringLiteral("第%1行：按 Enter 开始计时，按空格记录当前的计时。").arg(i);
    QTest::newRow("long help text") << lines.join(QStringLiteral("\r\n")) << true;
    QTest::newRow("one very long line") << QString(20000, u'秒') << true;
    QTest::newRow("short") << QStringLiteral("按 Enter 开始计时。") << false;
}

void TestTextBox::fitsTheScreen()
{
    QFETCH(QString, text);
    QFETCH(bool, scrolls);
    const std::unique_ptr<QDialog> box = tavrik::gui::makeTextBox(nullptr, text, QStringLiteral("说明"), MsgIcon::Information);
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box.get()));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();

    QCOMPARE(box->windowTitle(), QStringLiteral("说明"));
    QVERIFY2(screen.contains(box->frameGeometry()),
             qPrintable(QStringLiteral("box %1x%2 on a %3x%4 screen")
                            .arg(box->frameGeometry().width()).arg(box->frameGeometry().height())
                            .arg(screen.width()).arg(screen.height())));
    auto *buttons = box->findChild<QDialogButtonBox *>();
    QVERIFY(buttons);
    QCOMPARE(buttons->buttons().size(), 1);
    QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
    QVERIFY(ok && ok->isVisible());
    QVERIFY(box->rect().contains(QRect(ok->mapTo(box.get(), QPoint(0, 0)), ok->size())));

    auto *view = box->findChild<QPlainTextEdit *>(QStringLiteral("text"));
    QVERIFY(view);
    QCOMPARE(view->toPlainText(), QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QVERIFY(view->isReadOnly());
    QCOMPARE(view->verticalScrollBar()->maximum() > 0, scrolls);
    // Scrolled to the end, the last line shows.
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
    QCOMPARE(view->cursorForPosition(QPoint(5, view->viewport()->height() - 5)).blockNumber(),
             view->document()->blockCount() - 1);

    // OK closes it.
    QTest::mouseClick(ok, Qt::LeftButton);
    QTRY_VERIFY(!box->isVisible());
    QCOMPARE(box->result(), int(QDialog::Accepted));
}

TAVRIK_TEST_MAIN(TestTextBox)
#include "tst_textbox.moc"

#include "controls/accessible.h"
#include "controls/cmdbox/cmdbox.h"
#include "controls/seg/seg.h"
#include "controls/xp/xp_canvas.h"
#include "controls/xp/xpcmdbutton.h"
#include "tests/support/testmain.h"

#include <QAccessibleActionInterface>
#include <QtTest>

// The drawn controls as assistive tools see them, through QAccessible.
class TestAccessible : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void buttons_data();
    void buttons();
    void segReadingTold();
};

void TestAccessible::buttons_data()
{
    QTest::addColumn<int>("kind"); // 0 cmdBox, 1 xpcmdbutton, 2 the frame's title strip
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("name");
    QTest::newRow("cmdBox") << 0 << QStringLiteral("关闭(&C)") << QStringLiteral("关闭(C)");
    QTest::newRow("xpcmdbutton") << 1 << QStringLiteral("&R && 复位") << QStringLiteral("R & 复位");
    QTest::newRow("title strip") << 2 << QStringLiteral("秒表") << QStringLiteral("秒表");
}

// Named by the caption; the action does what a click does, and nothing when disabled.
void TestAccessible::buttons()
{
    QFETCH(int, kind);
    QFETCH(QString, caption);
    QFETCH(QString, name);
    QWidget window;
    window.resize(300, 200);
    QWidget *w = kind == 0 ? static_cast<QWidget *>(new vexo3::cmdBox(&window))
               : kind == 1 ? static_cast<QWidget *>(new vexo::xpcmdbutton(&window, QStringLiteral("cmd")))
                           : new vexo::xp_canvas(&window, QStringLiteral("frame"));
    w->setProperty("Caption", caption);
    window.show();
    QSignalSpy clicks(w, SIGNAL(Click()));
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(kind == 2 ? w->findChild<QWidget *>("pictop") : w);
    QCOMPARE(a->role(), kind == 2 ? QAccessible::TitleBar : QAccessible::PushButton);
    QCOMPARE(a->text(QAccessible::Name), name);
    const QString action = a->actionInterface()->actionNames().value(0);
    a->actionInterface()->doAction(action);
    QTRY_VERIFY(kind == 2 ? bool(window.windowState() & Qt::WindowMaximized) : clicks.size() == 1);
    window.showNormal();
    w->setEnabled(false);
    QVERIFY(a->state().disabled);
    clicks.clear();
    a->actionInterface()->doAction(action);
    QCoreApplication::processEvents();
    QVERIFY(kind == 2 ? !(window.windowState() & Qt::WindowMaximized) : clicks.isEmpty());
}

// The reading as the cells show it; a changing one told at most once a second, at once
// when asked.
void TestAccessible::segReadingTold()
{
    qint64 now = 0;
    QStringList told;
    tavrik::controls::setAnnouncementClock([&now] { return now; });
    tavrik::controls::setAnnouncementWatcher([&told](QAccessibleEvent *e) {
        told.append(static_cast<QAccessibleTextUpdateEvent *>(e)->textInserted());
    });
    vexo3::Seg seg;
    seg.setAccessibleName(QStringLiteral("秒表读数"));
    const struct { qint64 at; const char *value; bool now; } steps[] = {
        {0, "1.000", false}, {100, "1.100", false}, {950, "1.950", true}, {1200, "2.200", false}, {1950, "0:00:02.950", false}};
    for (const auto &s : steps) {
        now = s.at;
        seg.setSegValue(QString::fromLatin1(s.value));
        if (s.now)
            seg.announceNow();
    }
    QCOMPARE(told, QStringList({"1.000", "1.950", "0:02.950"}));
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(&seg);
    QCOMPARE(a->role(), QAccessible::StaticText);
    QCOMPARE(a->text(QAccessible::Name), QStringLiteral("秒表读数"));
    QCOMPARE(a->textInterface()->text(0, a->textInterface()->characterCount()), QStringLiteral("0:02.950"));
    tavrik::controls::setAnnouncementWatcher({});
    tavrik::controls::setAnnouncementClock({});
}

TAVRIK_TEST_MAIN(TestAccessible)
#include "tst_accessible.moc"

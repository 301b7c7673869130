// The box about saves that do not reach the settings file: a lock held for a moment
// by another process is no failure.
#include "shared/gui/savenotice.h"
#include "tests/support/fakes.h"
#include "tests/support/testmain.h"

#include <QtTest>

class TestSaveNotice : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void toldOnlyWhenStillNotSaved_data();
    void toldOnlyWhenStillNotSaved();
};

void TestSaveNotice::toldOnlyWhenStillNotSaved_data()
{
    QTest::addColumn<bool>("waitsForLock");
    QTest::addColumn<bool>("lockLetGo");
    QTest::addColumn<int>("boxes");
    QTest::newRow("failed") << false << false << 1;
    QTest::newRow("lock let go in time") << true << true << 0;
    QTest::newRow("lock still held") << true << false << 1;
}

void TestSaveNotice::toldOnlyWhenStillNotSaved()
{
    QFETCH(bool, waitsForLock);
    QFETCH(bool, lockLetGo);
    QFETCH(int, boxes);
    testing::TestEnv env;
    QWidget window;
    tavrik::gui::SaveNotice notice(&window, [](const QString &why) { return QStringLiteral("无法保存：") + why; }, 100);
    env.store.pendingSaves = waitsForLock;
    notice.saved(false, QStringLiteral("锁定"));
    notice.saved(false, QStringLiteral("锁定"));
    QTest::qWait(30);
    if (lockLetGo)
        env.store.pendingSaves = false;
    QTest::qWait(200);
    QCOMPARE(env.dialogs.boxes.size(), boxes);
    if (boxes)
        QCOMPARE(env.dialogs.boxes[0].text, QStringLiteral("无法保存：锁定"));
}

TAVRIK_TEST_MAIN(TestSaveNotice)
#include "tst_savenotice.moc"

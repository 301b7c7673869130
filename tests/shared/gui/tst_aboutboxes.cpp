#include "shared/core/about.h"
#include "shared/gui/about.h"
#include "tests/support/fakes.h"
#include "tests/support/testmain.h"

#include <QFile>
#include <QtTest>

using namespace tavrik;

// The widget-side about, feedback, help and web helpers of both programs, through the
// fake dialogs and launcher.
class TestAboutBoxes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { env_ = std::make_unique<testing::TestEnv>(); }
    void cleanup() { env_.reset(); }
    void aboutBox();
    void feedbackBoxThenPage();
    void helpTextBox_data();
    void helpTextBox();
    void helpFileInTheEditor();

private:
    std::unique_ptr<testing::TestEnv> env_;
};

void TestAboutBoxes::aboutBox()
{
    gui::showAbout(nullptr, QStringLiteral("2.1.0053"));
    QCOMPARE(env_->dialogs.boxes.size(), 1);
    QCOMPARE(env_->dialogs.boxes[0].title, QStringLiteral("关于"));
    QCOMPARE(env_->dialogs.boxes[0].text, core::aboutText(QStringLiteral("2.1.0053")));
    QCOMPARE(env_->dialogs.boxes[0].icon, gui::MsgIcon::Information);
    QVERIFY(env_->launcher.urls.isEmpty());
}

void TestAboutBoxes::feedbackBoxThenPage()
{
    gui::showFeedback(nullptr);
    QCOMPARE(env_->dialogs.boxes.size(), 1);
    QCOMPARE(env_->dialogs.boxes[0].title, QStringLiteral("您的意见"));
    QCOMPARE(env_->launcher.urls, QList<QUrl>{QUrl(core::kFeedbackPage)});
}

void TestAboutBoxes::helpTextBox_data()
{
    QTest::addColumn<bool>("present");
    QTest::newRow("present") << true;
    QTest::newRow("missing") << false;
}

void TestAboutBoxes::helpTextBox()
{
    QFETCH(bool, present);
    const QString path = env_->appDir() + QStringLiteral("说明.txt");
    if (present) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("说明\n");
    }
    gui::showHelpText(nullptr);
    QCOMPARE(env_->dialogs.boxes.size(), 1);
    const auto &box = env_->dialogs.boxes[0];
    QCOMPARE(box.title, present ? QStringLiteral("说明") : QStringLiteral("错误"));
    QCOMPARE(box.text, present ? QStringLiteral("说明\n") : QStringLiteral("未找到说明文件:") + path);
    QCOMPARE(box.icon, present ? gui::MsgIcon::Information : gui::MsgIcon::Critical);
    // The help text may be long: it gets the box that fits the screen and scrolls.
    QCOMPARE(box.scrolls, present);
}

void TestAboutBoxes::helpFileInTheEditor()
{
    // No help file: nothing happens, nothing is said.
    QVERIFY(!gui::openHelpFile());
    QVERIFY(env_->launcher.urls.isEmpty());
    QVERIFY(env_->dialogs.boxes.isEmpty());

    const QString path = env_->appDir() + QStringLiteral("说明.txt");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QVERIFY(gui::openHelpFile());
    QCOMPARE(env_->launcher.urls, QList<QUrl>{QUrl::fromLocalFile(path)});
    QVERIFY(env_->dialogs.boxes.isEmpty());
}

TAVRIK_TEST_MAIN(TestAboutBoxes)
#include "tst_aboutboxes.moc"

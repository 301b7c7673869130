#include "shared/gui/program.h"
#include "tests/support/testmain.h"
#include "vexo/version.h"
#include "vexo_fixture.h"

// Both windows of Vexo show the program's icon once main() has set the program up.
class TestVexoWindowIcons : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        tavrik::gui::setUpProgram(QStringLiteral("Vexo"), QString::fromLatin1(vexo::kVersionText),
                                  QStringLiteral("org.example.tavrik.Vexo"));
    }
    void everyWindowShowsTheIcon();

private:
    VexoFixture f;
};

void TestVexoWindowIcons::everyWindowShowsTheIcon()
{
    const QImage expected = QImage(QStringLiteral(":/icons/Vexo/16.png")).convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!expected.isNull());
    f.load();
    f.key(Qt::Key_Space);
    f.click(vexo::Button::cmdLog);
    const testing::WindowIcons icons = testing::windowIcons(expected);
    QCOMPARE(icons.wrong, QStringList());
    // The main window and the record list.
    QCOMPARE(icons.windows, 2);
}

TAVRIK_TEST_MAIN(TestVexoWindowIcons)
#include "tst_vexo_windowicons.moc"

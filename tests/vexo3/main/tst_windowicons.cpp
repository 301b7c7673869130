#include "shared/gui/program.h"
#include "tests/support/testmain.h"
#include "tests/vexo3/main/window_fixture.h"
#include "vexo3/windows/foption.h"

// Every window of Vexo3 shows the program's icon once main() has set the program up.
class TestWindowIcons : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        tavrik::gui::setUpProgram(QStringLiteral("Vexo3"), QString::fromLatin1(vexo3::kVersionText),
                                  QStringLiteral("org.example.tavrik.Vexo3"));
    }
    void everyWindowShowsTheIcon();

private:
    MainFixture f;
};

void TestWindowIcons::everyWindowShowsTheIcon()
{
    const QImage expected = QImage(QStringLiteral(":/icons/Vexo3/16.png")).convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!expected.isNull());

    vexo3::FrmSec &w = f.load();
    w.show();
    ui(w).mShowbigForm->trigger();
    ui(w).mshowDate->trigger();
    ui(w).mshowTime->trigger();
    ui(w).mstart->trigger();
    ui(w).mrec->trigger();
    ui(w).mOption1->trigger();
    QVERIFY(w.recordList() && w.optionDialog());

    const testing::WindowIcons icons = testing::windowIcons(expected);
    QCOMPARE(icons.wrong, QStringList());
    // The main window, three big windows, the record list and the options dialog.
    QCOMPARE(icons.windows, 6);
}

TAVRIK_TEST_MAIN(TestWindowIcons)
#include "tst_windowicons.moc"

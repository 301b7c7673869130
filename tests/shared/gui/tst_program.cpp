#include "shared/gui/program.h"
#include "tests/support/testmain.h"

#include <QApplication>
#include <QWidget>
#include <QtTest>

// The start-up both programs share, and the icons built into them: every size drawn,
// and at 16 pixels still the program a person knows.
class TestProgram : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everySizeIsBuiltIn_data();
    void everySizeIsBuiltIn();
    void iconsAreShapedAndFilled_data();
    void iconsAreShapedAndFilled();
    void smallIconsShowTheirColours();
    void noIconForAnUnknownProgram();
    void setUpGivesEveryWindowTheIcon();
};

namespace {

const QList<int> kSizes = {TAVRIK_ICON_SIZES};
const QStringList kPrograms = {QStringLiteral("Vexo3"), QStringLiteral("Vexo")};

QImage iconImage(const QString &program, int size)
{
    return QImage(QStringLiteral(":/icons/%1/%2.png").arg(program).arg(size)).convertToFormat(QImage::Format_ARGB32);
}

// How many pixels of an image the predicate holds for.
template <typename Pred>
int count(const QImage &img, Pred pred)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += pred(img.pixelColor(x, y)) ? 1 : 0;
    return n;
}

} // namespace

void TestProgram::everySizeIsBuiltIn_data()
{
    QTest::addColumn<QString>("program");
    for (const QString &p : kPrograms)
        QTest::newRow(qPrintable(p)) << p;
}

void TestProgram::everySizeIsBuiltIn()
{
    QFETCH(QString, program);
    const QIcon icon = tavrik::gui::programIcon(program);
    QVERIFY(!icon.isNull());
    QList<int> sizes;
    for (const QSize &s : icon.availableSizes()) {
        QCOMPARE(s.width(), s.height());
        sizes.append(s.width());
    }
    std::sort(sizes.begin(), sizes.end());
    QCOMPARE(sizes, kSizes);
    // Each size is its own drawing, not a scaled copy of another.
    for (int size : kSizes)
        QCOMPARE(icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32), iconImage(program, size));
}

void TestProgram::iconsAreShapedAndFilled_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<int>("size");
    for (const QString &p : kPrograms)
        for (int s : kSizes)
            QTest::addRow("%s-%d", qPrintable(p), s) << p << s;
}

void TestProgram::iconsAreShapedAndFilled()
{
    QFETCH(QString, program);
    QFETCH(int, size);
    const QImage img = iconImage(program, size);
    QCOMPARE(img.size(), QSize(size, size));
    // Rounded shapes: the corners stay see-through, while the body fills most of it.
    for (const QPoint corner : {QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 1), QPoint(size - 1, size - 1)})
        QCOMPARE(img.pixelColor(corner).alpha(), 0);
    const int opaque = count(img, [](const QColor &c) { return c.alpha() > 127; });
    QVERIFY2(opaque > size * size / 2, qPrintable(QString::number(opaque)));
}

void TestProgram::smallIconsShowTheirColours()
{
    auto red = [](const QColor &c) { return c.alpha() == 255 && c.red() > 200 && c.green() < 110 && c.blue() < 90; };
    auto blue = [](const QColor &c) { return c.alpha() == 255 && c.blue() > 120 && c.blue() > c.red() + 60; };
    auto white = [](const QColor &c) { return c.alpha() == 255 && c.red() > 200 && c.green() > 200 && c.blue() > 200; };
    auto dark = [](const QColor &c) { return c.alpha() == 255 && c.lightness() < 40; };
    for (int size : {16, 24}) {
        // Vexo3: red digits on a black display, no blue; Vexo: a blue case round a
        // white dial.
        const QImage vexo3 = iconImage(QStringLiteral("Vexo3"), size);
        const QImage vexo = iconImage(QStringLiteral("Vexo"), size);
        const int area = size * size;
        QVERIFY(count(vexo3, red) > area / 10);
        QVERIFY(count(vexo3, dark) > area / 5);
        QCOMPARE(count(vexo3, blue), 0);
        QVERIFY(count(vexo, blue) > area / 6);
        QVERIFY(count(vexo, white) > area / 10);
        QVERIFY(count(vexo, red) < count(vexo3, red) / 3);
    }
}

void TestProgram::noIconForAnUnknownProgram() { QVERIFY(tavrik::gui::programIcon(QStringLiteral("Nothing")).isNull()); }

void TestProgram::setUpGivesEveryWindowTheIcon()
{
    tavrik::gui::setUpProgram(QStringLiteral("Vexo"), QStringLiteral("2.1.0.53"), QStringLiteral("org.example.Test"));
    QCOMPARE(QApplication::applicationName(), QStringLiteral("Vexo"));
    QCOMPARE(QApplication::applicationVersion(), QStringLiteral("2.1.0.53"));
    QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("org.example.Test"));
    QWidget window;
    QCOMPARE(window.windowIcon().pixmap(16).toImage().convertToFormat(QImage::Format_ARGB32),
             iconImage(QStringLiteral("Vexo"), 16));
}

TAVRIK_TEST_MAIN(TestProgram)
#include "tst_program.moc"

#include "tests/vexo3/main/window_fixture.h"
#include "tests/controls/seg/segreader.h"
#include "tests/support/testmain.h"

#include "shared/core/profile.h"

#include <QDir>
#include <QFile>

using namespace vexo3;

// The digit image sets the program ships, as a user finds them after installing:
// Vexo.ini lists vector sets, the red one chosen, and the older bitmap files still
// load for lists written before.
namespace {

const QColor kRedSegment(0xFF, 0x45, 0x00);

QString shippedIni() { return kResources + QStringLiteral("/Vexo.ini"); }

int listedSets() { return tavrik::core::ReadIni("SegFont", "Count", "0", shippedIni()).toInt(); }

QString listedFile(int i) { return tavrik::core::GetField(tavrik::core::ReadIni("SegFont", QString::number(i), "", shippedIni()), 2, ","); }

} // namespace

class TestShippedSets : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { f.reset(); }
    void cleanup() { f.closeAll(); }
    void everyListedSetIsAVectorDrawing();
    void redSetIsFlat();
    void startsWithTheRedSet();
    void olderBitmapFilesStillLoad();

private:
    MainFixture f;
};

void TestShippedSets::everyListedSetIsAVectorDrawing()
{
    QCOMPARE(listedSets(), 4);
    for (int i = 1; i <= listedSets(); ++i) {
        const QString file = listedFile(i);
        QVERIFY2(file.endsWith(QStringLiteral(".svg")), qPrintable(file));
        const tavrik::picture::PictureClip clip = segtest::clipOf(kResources + "/" + file);
        QVERIFY(clip.isVector());
        // Every digit lights something at a big display's cell size; the blank is black
        // or shows unlit segments only, darker than any lit one.
        const std::vector<QImage> cells = clip.cellsAt(QSize(80, 300), Qt::black);
        auto brightest = [](const QImage &img) {
            int m = 0;
            for (int y = 0; y < img.height(); y += 2)
                for (int x = 0; x < img.width(); x += 2)
                    m = std::max(m, QColor(img.pixel(x, y)).value());
            return m;
        };
        for (int g = 0; g <= 9; ++g)
            QVERIFY2(brightest(cells[size_t(g)]) > 200, qPrintable(QStringLiteral("%1: digit %2").arg(file).arg(g)));
        QVERIFY2(brightest(cells[seg::kGlyphBlank]) < 100, qPrintable(file));
    }
    // Only the amber set draws the colon (its upper dot).
    auto colonDot = [](const QString &set) {
        return segtest::clipOf(kResources + set).cellsAt(QSize(30, 54), Qt::black)[seg::kGlyphColon].pixelColor(15, 19).value();
    };
    QVERIFY(colonDot(QStringLiteral("/seg/amber.svg")) > 200);
    QCOMPARE(colonDot(QStringLiteral("/seg/red.svg")), 0);
}

void TestShippedSets::redSetIsFlat()
{
    // One colour for every lit segment: each pixel is that colour, black, or a mix of
    // the two along an edge; no glow and no unlit segments anywhere.
    const std::vector<QImage> cells = segtest::clipOf(kResources + "/seg/red.svg").cellsAt(QSize(80, 300), Qt::black);
    for (int g = 0; g < seg::kGlyphCount; ++g) {
        const QImage &img = cells[size_t(g)];
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QColor c = img.pixelColor(x, y);
                const double t = c.red() / 255.0;
                QVERIFY2(std::abs(c.green() - t * kRedSegment.green()) <= 2 && c.blue() == 0,
                         qPrintable(QStringLiteral("cell %1 at %2,%3: %4").arg(g).arg(x).arg(y).arg(c.name())));
            }
    }
    QCOMPARE(cells[seg::kGlyphBlank].pixelColor(40, 150), QColor(Qt::black));
    QCOMPARE(cells[8].pixelColor(40, 150), kRedSegment); // the middle segment
}

void TestShippedSets::startsWithTheRedSet()
{
    // The program folder as installed.
    QDir app(f.env.appDir());
    QVERIFY(app.mkpath(QStringLiteral("seg")));
    QVERIFY(QFile::copy(shippedIni(), app.filePath(QStringLiteral("Vexo.ini"))));
    for (int i = 1; i <= listedSets(); ++i)
        QVERIFY(QFile::copy(kResources + "/" + listedFile(i), app.filePath(listedFile(i))));

    FrmSec &w = f.load();
    QVERIFY(f.env.dialogs.boxes.isEmpty());
    segtest::Glyphs red(segtest::clipOf(kResources + QStringLiteral("/seg/red.svg")));
    for (Seg *s : {ui(w).SegBox1, ui(*w.displays().bigWindow(false)).SegBox1}) {
        s->setSegValue(QStringLiteral("12.345"));
        QVERIFY(segtest::cellsMatch(s->grab().toImage(), *s, 1.0, red));
    }
}

void TestShippedSets::olderBitmapFilesStillLoad()
{
    Seg s;
    s.resize(400, 60);
    for (const char *name : {"red", "green", "blue", "amber"}) {
        QString error;
        QVERIFY2(s.LoadSegImageFile(kResources + "/seg/" + name + ".png", &error), qPrintable(error));
    }
}

TAVRIK_TEST_MAIN(TestShippedSets)
#include "tst_shippedsets.moc"

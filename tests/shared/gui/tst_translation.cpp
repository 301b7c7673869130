#include "shared/gui/translation.h"
#include "tests/support/testmain.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

QStringList buttonTexts(QWidget *w)
{
    QStringList out;
    for (QAbstractButton *b : w->findChildren<QAbstractButton *>())
        out << b->text();
    out.sort();
    return out;
}

QStringList menuTexts(QLineEdit &edit)
{
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList out;
    for (QAction *a : menu->actions())
        if (!a->isSeparator())
            out << a->text();
    return out;
}

} // namespace

// Qt's own words in the boxes and menus the programs show: Chinese once loaded, and
// English, nothing worse, when the translation is not there.
class TestTranslation : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void missingFileLeavesEnglish();
    void boxesAndMenusReadChinese();
};

void TestTranslation::missingFileLeavesEnglish()
{
    QTemporaryDir empty;
    QVERIFY(!tavrik::gui::loadQtTranslation(*qApp, empty.path()));
    QMessageBox box(QMessageBox::Information, QStringLiteral("关于"), QStringLiteral("x"), QMessageBox::Ok);
    QCOMPARE(buttonTexts(&box), QStringList{QStringLiteral("OK")});
}

void TestTranslation::boxesAndMenusReadChinese()
{
    QVERIFY2(tavrik::gui::loadQtTranslation(*qApp), "qtbase_zh_CN.qm missing: install qt6-translations-l10n");

    QMessageBox box(QMessageBox::Information, QStringLiteral("关于"), QStringLiteral("x"), QMessageBox::Ok);
    QCOMPARE(buttonTexts(&box), QStringList{QStringLiteral("确定")});

    QInputDialog input;
    input.setLabelText(QStringLiteral("请输入倒计时的秒数:"));
    input.show();
    QTRY_VERIFY(input.isVisible());
    auto *buttons = input.findChild<QDialogButtonBox *>();
    QVERIFY(buttons);
    QCOMPARE(buttons->button(QDialogButtonBox::Ok)->text(), QStringLiteral("确定"));
    QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
    input.hide();

    QLineEdit edit(QStringLiteral("3600"));
    const QStringList menu = menuTexts(edit);
    QVERIFY2(!menu.isEmpty(), "no context menu");
    for (const QString &text : menu) {
        // Every item has a Chinese word in it, none is plain English.
        bool chinese = false;
        for (QChar c : text)
            chinese = chinese || (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF);
        QVERIFY2(chinese, qPrintable(text));
    }
}

TAVRIK_TEST_MAIN(TestTranslation)
#include "tst_translation.moc"

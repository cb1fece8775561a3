#include "design/Theme.h"

#include <QTest>
#include <cmath>

using namespace nivora;

class TestTheme : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The dashboard window's background is given as fractions; they must round to
    // the paper colour so window and cards join without a seam.
    void paperMatchesWindowBackground()
    {
        const QColor paper = Theme::paper();
        QCOMPARE(paper.red(), static_cast<int>(std::lround(0.984 * 255)));
        QCOMPARE(paper.green(), static_cast<int>(std::lround(0.969 * 255)));
        QCOMPARE(paper.blue(), static_cast<int>(std::lround(0.925 * 255)));
        QCOMPARE(paper.alpha(), 255);
    }

    void crayonsAreTheSixAccentsInOrder()
    {
        const QList<QColor> expected{Theme::coral(), Theme::yellow(), Theme::blue(),
                                     Theme::green(), Theme::purple(), Theme::pink()};
        QCOMPARE(Theme::crayons(), expected);
        QCOMPARE(Theme::crayons().first().rgb() & 0xFFFFFF, QRgb(0xF26657));
        QCOMPARE(Theme::crayons().last().rgb() & 0xFFFFFF, QRgb(0xEF87B0));
    }
};

QTEST_GUILESS_MAIN(TestTheme)
#include "tst_theme.moc"

// The dashboard's controls and pieces: geometry at the edges, what they draw for
// odd values, keyboard operation and what assistive technology sees.
#include "assets/FaceIcons.h"
#include "design/Backdrop.h"
#include "design/BrandMark.h"
#include "design/ColorWellRow.h"
#include "design/Eyebrow.h"
#include "design/FluidSlider.h"
#include "design/MiniPreview.h"
#include "design/PageHeader.h"
#include "design/PillToggle.h"
#include "design/PresetChip.h"
#include "design/SceneCard.h"
#include "design/SegmentedSelector.h"
#include "design/StatBadge.h"
#include "design/Theme.h"
#include "model/SceneCatalog.h"
#include "palettes/WallpaperPalette.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QDir>
#include <QHBoxLayout>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <limits>

using namespace nivora;

namespace {

QImage render(QWidget& widget, qreal dpr = 1.0)
{
    QImage image(widget.size() * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::white);
    widget.render(&image);
    return image;
}

// Pixels within `tolerance` of `color` (per channel) in `area`.
int countColor(const QImage& image, const QColor& color, const QRect& area, int tolerance = 12)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - color.red()) <= tolerance &&
                std::abs(c.green() - color.green()) <= tolerance &&
                std::abs(c.blue() - color.blue()) <= tolerance)
                ++n;
        }
    }
    return n;
}

// Mean absolute channel difference of two images of the same size, 0 to 255.
double meanDifference(const QImage& a, const QImage& b)
{
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    double sum = 0;
    for (int j = 0; j < x.height(); ++j) {
        for (int i = 0; i < x.width(); ++i) {
            const QRgb p = x.pixel(i, j);
            const QRgb q = y.pixel(i, j);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    }
    return sum / (4.0 * x.width() * x.height());
}

QAccessibleInterface* accessible(QWidget* widget)
{
    return QAccessible::queryAccessibleInterface(widget);
}

} // namespace

class TestDashboardControls : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sliderEdgesAndKnob();
    void sliderOddValues();
    void sliderKeyboardAndAccessibility();
    void toggleKeyboardAndState();
    void segmentedSelection();
    void presetChipAndSceneCard();
    void miniPreviewGradient();
    void backdropDots();
    void eyebrowUpperCases();
    void brandMarkScales();
    void drawnAtDeviceResolution();
    void galleryScreenshot();
};

void TestDashboardControls::sliderEdgesAndKnob()
{
    FluidSlider slider(QStringLiteral("Vitesse"), QStringLiteral("speedometer"), Theme::blue());
    slider.resize(300, slider.sizeHint().height());
    slider.setValue(0.5);
    const QRectF track = slider.trackRect();
    const double W = track.width();
    QVERIFY(W > 200);

    QSignalSpy edited(&slider, &FluidSlider::valueEdited);
    QTest::mouseClick(&slider, Qt::LeftButton, {}, QPoint(0, static_cast<int>(track.center().y())));
    QCOMPARE(slider.value(), 0.0);
    QCOMPARE(FluidSlider::percentText(slider.value()), QStringLiteral("0"));
    QTest::mouseClick(&slider, Qt::LeftButton, {},
                      QPoint(slider.width() - 1, static_cast<int>(track.center().y())));
    QCOMPARE(slider.value(), 1.0);
    QCOMPARE(FluidSlider::percentText(slider.value()), QStringLiteral("100"));
    QCOMPARE(edited.count(), 2);
    QVERIFY(!slider.isDragging());

    // The knob never leaves the track, whatever the value.
    for (double v : {-3.0, 0.0, 0.01, 0.5, 0.99, 1.0, 7.0}) {
        const double offset = FluidSlider::knobOffset(v, W);
        QVERIFY2(offset >= 0 && offset <= W - 22, qPrintable(QString::number(v)));
    }
    QCOMPARE(FluidSlider::knobOffset(1.0, W), W - 22);
    QCOMPARE(FluidSlider::fillWidth(0.0, W), 10.0);

    // Value 0 still draws the 10-wide accent stub at the track's start, and no
    // accent beyond the knob.
    slider.setValue(0.0);
    const QImage image = render(slider);
    const int mid = static_cast<int>(track.center().y());
    const int left = static_cast<int>(track.left());
    QVERIFY(countColor(image, Theme::blue(), QRect(left, mid - 3, 30, 7)) > 20);
    QCOMPARE(countColor(image, Theme::blue(), QRect(left + 40, mid - 3, static_cast<int>(W) - 40, 7)), 0);
}

void TestDashboardControls::sliderOddValues()
{
    FluidSlider slider(QStringLiteral("Teinte"), QStringLiteral("drop.fill"), Theme::purple());
    slider.resize(240, slider.sizeHint().height());
    const double W = slider.trackRect().width();
    QSignalSpy changed(&slider, &FluidSlider::valueChanged);
    for (double odd : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                       -std::numeric_limits<double>::infinity(), 1e300}) {
        slider.setValue(odd);
        QCOMPARE(FluidSlider::percentText(odd), QStringLiteral("—"));
        const double offset = FluidSlider::knobOffset(odd, W);
        QVERIFY(std::isfinite(offset) && offset >= 0 && offset <= W - 22);
        QVERIFY(std::isfinite(FluidSlider::fillWidth(odd, W)));
        const QImage image = render(slider);
        QVERIFY(!image.isNull());
    }
    // A repeated NaN is no change (a binding would loop on it).
    const int before = changed.count();
    slider.setValue(std::numeric_limits<double>::quiet_NaN());
    slider.setValue(std::numeric_limits<double>::quiet_NaN());
    QCOMPARE(changed.count(), before + 1);
    // Out-of-range stored values show as they are until edited.
    QCOMPARE(FluidSlider::percentText(1.5), QStringLiteral("150"));
    QCOMPARE(FluidSlider::percentText(-0.25), QStringLiteral("-25"));
    // The first key press replaces a non-finite value with a real one.
    QTest::keyClick(&slider, Qt::Key_Right);
    QCOMPARE(slider.value(), 0.01);
}

void TestDashboardControls::sliderKeyboardAndAccessibility()
{
    FluidSlider slider(QStringLiteral("Intensité"), QStringLiteral("flame.fill"), Theme::coral());
    slider.resize(260, slider.sizeHint().height());
    slider.setValue(0.5);
    QTest::keyClick(&slider, Qt::Key_Right);
    QCOMPARE(slider.value(), 0.51);
    QTest::keyClick(&slider, Qt::Key_Left);
    QTest::keyClick(&slider, Qt::Key_Left);
    QCOMPARE(slider.value(), 0.49);
    QTest::keyClick(&slider, Qt::Key_End);
    QCOMPARE(slider.value(), 1.0);
    QTest::keyClick(&slider, Qt::Key_Right);
    QCOMPARE(slider.value(), 1.0);
    QTest::keyClick(&slider, Qt::Key_Home);
    QCOMPARE(slider.value(), 0.0);

    QAccessibleInterface* iface = accessible(&slider);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Slider);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Intensité"));
    QAccessibleValueInterface* value = iface->valueInterface();
    QVERIFY(value);
    QCOMPARE(value->maximumValue().toDouble(), 100.0);
    value->setCurrentValue(45.0);
    QCOMPARE(slider.value(), 0.45);
    QCOMPARE(value->currentValue().toDouble(), 45.0);
    value->setCurrentValue(250.0);
    QCOMPARE(slider.value(), 1.0);
}

void TestDashboardControls::toggleKeyboardAndState()
{
    PillToggle toggle(QStringLiteral("Économie de batterie"), QStringLiteral("Limite à 30 FPS"),
                      QStringLiteral("leaf.fill"), Theme::green());
    toggle.resize(360, toggle.sizeHint().height());
    QSignalSpy toggled(&toggle, &QAbstractButton::toggled);
    QAccessibleInterface* iface = accessible(&toggle);
    QCOMPARE(iface->role(), QAccessible::CheckBox);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Économie de batterie"));
    QVERIFY(!iface->state().checked);

    QTest::keyClick(&toggle, Qt::Key_Space);
    QVERIFY(toggle.isChecked());
    QVERIFY(iface->state().checked);
    QTest::keyClick(&toggle, Qt::Key_Return);
    QVERIFY(!toggle.isChecked());
    iface->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(toggle.isChecked());
    QCOMPARE(toggled.count(), 3);

    // Hidden, the knob jumps: nothing animates for a page nobody sees. On, the
    // tile and the switch carry the accent; off, neither does.
    QCOMPARE(toggle.knobPosition(), 1.0);
    const QImage on = render(toggle);
    toggle.setChecked(false);
    QCOMPARE(toggle.knobPosition(), 0.0);
    const QImage off = render(toggle);
    QVERIFY(countColor(on, Theme::green(), on.rect()) > 600);
    QCOMPARE(countColor(off, Theme::green(), off.rect()), 0);
}

void TestDashboardControls::segmentedSelection()
{
    SegmentedSelector selector(QStringLiteral("Images par seconde"), {30, 60, 120}, QStringLiteral(" FPS"),
                               Theme::purple());
    selector.resize(420, selector.sizeHint().height());
    selector.setSelection(45);
    QCOMPARE(selector.selectedIndex(), -1);
    for (SegmentButton* segment : selector.segments())
        QVERIFY(!segment->isChecked());
    // The highlight is the accent at 55 % over paper3; with nothing selected it
    // appears nowhere.
    const QColor highlight = Theme::purple();
    const QColor mixed = QColor::fromRgbF(0.55f * highlight.redF() + 0.45f * Theme::paper3().redF(),
                                          0.55f * highlight.greenF() + 0.45f * Theme::paper3().greenF(),
                                          0.55f * highlight.blueF() + 0.45f * Theme::paper3().blueF());
    const QImage none = render(selector);
    QCOMPARE(countColor(none, mixed, none.rect(), 6), 0);

    selector.setSelection(60);
    QCOMPARE(selector.selectedIndex(), 1);
    const QImage one = render(selector);
    const QRect middle = selector.segmentRect(1).toRect().adjusted(4, 4, -4, -4);
    const QRect first = selector.segmentRect(0).toRect().adjusted(4, 4, -4, -4);
    QVERIFY(countColor(one, mixed, middle, 6) > middle.width() * middle.height() / 3);
    QCOMPARE(countColor(one, mixed, first, 6), 0);

    // Three equal segments.
    QCOMPARE(selector.segmentRect(0).width(), selector.segmentRect(2).width());

    QSignalSpy edited(&selector, &SegmentedSelector::selectionEdited);
    QTest::keyClick(&selector, Qt::Key_Right);
    QCOMPARE(selector.selection(), qint64(120));
    QTest::keyClick(&selector, Qt::Key_Right);
    QCOMPARE(selector.selection(), qint64(120));
    QTest::keyClick(&selector, Qt::Key_Home);
    QCOMPARE(selector.selection(), qint64(30));
    QCOMPARE(edited.count(), 2);

    QTest::mouseClick(selector.segments().at(1), Qt::LeftButton);
    QCOMPARE(selector.selection(), qint64(60));

    QAccessibleInterface* segment = accessible(selector.segments().at(1));
    QCOMPARE(segment->role(), QAccessible::RadioButton);
    QCOMPARE(segment->text(QAccessible::Name), QStringLiteral("60 FPS"));
    QVERIFY(segment->state().checked);
    QVERIFY(!accessible(selector.segments().at(0))->state().checked);
}

void TestDashboardControls::presetChipAndSceneCard()
{
    const WallpaperPalette* jade = WallpaperPalette::preset(QStringLiteral("Jade"));
    QVERIFY(jade);
    PresetChip chip;
    chip.setPalette(*jade);
    chip.resize(chip.sizeHint());
    QSignalSpy clicked(&chip, &QAbstractButton::clicked);
    QTest::keyClick(&chip, Qt::Key_Space);
    QTest::keyClick(&chip, Qt::Key_Enter);
    QCOMPARE(clicked.count(), 2);
    // Clicking asks; only the owner selects.
    QVERIFY(!chip.isSelected());
    QAccessibleInterface* iface = accessible(&chip);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Jade"));
    QCOMPARE(iface->role(), QAccessible::RadioButton);
    QVERIFY(!iface->state().checked);

    const QImage plain = render(chip);
    chip.setSelected(true);
    QVERIFY(iface->state().checked);
    const QImage selected = render(chip);
    // Selected: a coral outline and a coral name.
    QCOMPARE(countColor(plain, Theme::coral(), plain.rect(), 8), 0);
    QVERIFY(countColor(selected, Theme::coral(), selected.rect(), 8) > 80);

    SceneCard card(availableScenes().at(3), jade->colors());
    card.resize(card.sizeHint());
    QAccessibleInterface* cardIface = accessible(&card);
    QCOMPARE(cardIface->text(QAccessible::Name), availableScenes().at(3).name);
    QCOMPARE(SceneCard::cardSeed(3), quint64(24));
    QSignalSpy tapped(&card, &QAbstractButton::clicked);
    QTest::mouseClick(&card, Qt::LeftButton, {}, card.rect().center());
    QCOMPARE(tapped.count(), 1);
    QVERIFY(!card.isSelected());
    card.setSelected(true);
    QVERIFY(cardIface->state().checked);
}

void TestDashboardControls::miniPreviewGradient()
{
    const QList<QColor> five{QColor(1, 0, 0), QColor(2, 0, 0), QColor(3, 0, 0), QColor(4, 0, 0),
                             QColor(5, 0, 0)};
    QCOMPARE(MiniPreview::gradientColors(five, 0),
             (QList<QColor>{QColor(1, 0, 0), QColor(2, 0, 0), QColor(3, 0, 0), QColor(4, 0, 0)}));
    QCOMPARE(MiniPreview::gradientColors(five, 1).first(), QColor(2, 0, 0));
    QCOMPARE(MiniPreview::gradientColors(five, 4),
             (QList<QColor>{QColor(5, 0, 0), QColor(1, 0, 0), QColor(2, 0, 0), QColor(3, 0, 0)}));
    QCOMPARE(MiniPreview::gradientColors(five, -1).first(), QColor(5, 0, 0));
    QCOMPARE(MiniPreview::gradientColors(five, 12).first(), QColor(3, 0, 0));
    QCOMPARE(MiniPreview::gradientColors({}, 3), QList<QColor>{QColor(Qt::gray)});

    QCOMPARE(MiniPreview::gradientStart(0).x(), 0.05);
    QVERIFY(qFuzzyCompare(MiniPreview::gradientStart(1).x(), 0.17));
    QVERIFY(qFuzzyCompare(MiniPreview::gradientStart(2).x(), 0.29));
    QVERIFY(qFuzzyCompare(MiniPreview::gradientStart(3).x(), 0.05));
    QVERIFY(qFuzzyCompare(MiniPreview::gradientStart(-1).x() + 1.0, 1.0 - 0.07));

    // Drawn: the first colour at the start point, the last at the bottom right.
    const QList<QColor> two{QColor(200, 30, 30), QColor(30, 30, 200)};
    QImage image(200, 100, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter painter(&image);
    MiniPreview::paint(painter, image.rect(), two, 0);
    painter.end();
    QVERIFY(image.pixelColor(199, 99).blue() > 150);
    QVERIFY(image.pixelColor(60, 0).red() > 150);
}

void TestDashboardControls::backdropDots()
{
    QCOMPARE(Backdrop::dotCenters(QSizeF(20, 20)).size(), 0);
    QCOMPARE(Backdrop::dotCenters(QSizeF(60, 60)),
             (QList<QPointF>{QPointF(26, 26), QPointF(52, 26), QPointF(26, 52), QPointF(52, 52)}));
    QCOMPARE(Backdrop::dotCenters(QSizeF(52, 52)).size(), 1);

    // What is painted matches: darker pixels only around the four centres.
    Backdrop backdrop;
    backdrop.resize(60, 60);
    const QImage image = render(backdrop);
    const QColor paper = Theme::paper();
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 60; ++x) {
            const bool nearDot = (std::abs(x + 0.5 - 26) < 2 || std::abs(x + 0.5 - 52) < 2) &&
                                 (std::abs(y + 0.5 - 26) < 2 || std::abs(y + 0.5 - 52) < 2);
            if (!nearDot)
                QCOMPARE(image.pixelColor(x, y), paper);
        }
    }
    QVERIFY(image.pixelColor(26, 26) != paper);
}

void TestDashboardControls::eyebrowUpperCases()
{
    Eyebrow eyebrow(QStringLiteral("Bibliothèque à réglages"));
    QCOMPARE(eyebrow.text(), QStringLiteral("BIBLIOTHÈQUE À RÉGLAGES"));
    QCOMPARE(Eyebrow::upperCased(QStringLiteral("è")), QStringLiteral("È"));
    QCOMPARE(eyebrow.sourceText(), QStringLiteral("Bibliothèque à réglages"));
}

void TestDashboardControls::brandMarkScales()
{
    // The same drawing at two sizes: the large one scaled down matches the small
    // one closely, while a different picture at the same size does not.
    const QImage small = BrandMark::pixmap(28).toImage();
    const QImage large =
        BrandMark::pixmap(104).toImage().scaled(28, 28, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const double same = meanDifference(small, large);
    QImage shifted(28, 28, QImage::Format_ARGB32_Premultiplied);
    shifted.fill(Qt::transparent);
    QPainter painter(&shifted);
    BrandMark::paint(painter, QRectF(4, 4, 28, 28));
    painter.end();
    const double other = meanDifference(small, shifted);
    QVERIFY2(same < 6.0, qPrintable(QString::number(same)));
    QVERIFY2(other > 3 * same, qPrintable(QStringLiteral("%1 vs %2").arg(other).arg(same)));

    // The tile is yellow at its centre-left and the shadow ink along its right.
    const QImage big = BrandMark::pixmap(100).toImage();
    QCOMPARE(big.pixelColor(20, 40), Theme::yellow());
    QCOMPARE(big.pixelColor(86, 50), Theme::ink());
    QCOMPARE(big.pixelColor(98, 2).alpha(), 0);
}

void TestDashboardControls::drawnAtDeviceResolution()
{
    // At a device pixel ratio of 2 the widgets draw at device resolution: the
    // result equals the same drawing made at twice the size, and is not the
    // one-x picture enlarged.
    StatBadge badge(QStringLiteral("speedometer"), QStringLiteral("60 FPS"), Theme::blue());
    badge.resize(badge.sizeHint());
    const QImage sharp = render(badge, 2.0);
    const QImage blown =
        render(badge, 1.0).scaled(sharp.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QVERIFY2(meanDifference(sharp, blown) > 2.0, qPrintable(QString::number(meanDifference(sharp, blown))));

    QImage twice(48, 48, QImage::Format_ARGB32_Premultiplied);
    twice.setDevicePixelRatio(2.0);
    twice.fill(Qt::white);
    QPainter p1(&twice);
    FaceIcons::paint(p1, QStringLiteral("bolt.fill"), QRectF(0, 0, 24, 24), Theme::ink());
    p1.end();
    QImage big(48, 48, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::white);
    QPainter p2(&big);
    FaceIcons::paint(p2, QStringLiteral("bolt.fill"), QRectF(0, 0, 48, 48), Theme::ink());
    p2.end();
    QImage plain = twice;
    plain.setDevicePixelRatio(1.0);
    QVERIFY(meanDifference(plain, big) < 0.5);
    QVERIFY(countColor(big, Theme::ink(), big.rect()) > 200);
}

void TestDashboardControls::galleryScreenshot()
{
    // One of each, kept beside the test binary for review by eye.
    QWidget gallery;
    gallery.setAutoFillBackground(true);
    QPalette p = gallery.palette();
    p.setColor(QPalette::Window, Theme::paper());
    gallery.setPalette(p);
    auto* layout = new QVBoxLayout(&gallery);
    layout->setSpacing(14);
    layout->addWidget(new PageHeader(QStringLiteral("Galerie vivante"), QStringLiteral("Scènes"),
                                     QStringLiteral("Choisissez une ambiance et façonnez-la en direct.")));
    auto* slider = new FluidSlider(QStringLiteral("Vitesse"), QStringLiteral("speedometer"), Theme::blue());
    slider->setValue(0.42);
    layout->addWidget(slider);
    auto* toggle = new PillToggle(QStringLiteral("Économie de batterie"),
                                  QStringLiteral("Limite à 30 FPS en mode économie d'énergie"),
                                  QStringLiteral("leaf.fill"), Theme::green());
    toggle->setChecked(true);
    layout->addWidget(toggle);
    layout->addWidget(new PillToggle(QStringLiteral("Pause en plein écran"),
                                     QStringLiteral("Met le rendu en pause"),
                                     QStringLiteral("rectangle.inset.filled"), Theme::blue()));
    auto* selector = new SegmentedSelector(QStringLiteral("Images par seconde"), {30, 60, 120},
                                           QStringLiteral(" FPS"), Theme::purple());
    selector->setSelection(60);
    layout->addWidget(selector);
    auto* chips = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        auto* chip = new PresetChip;
        chip->setPalette(WallpaperPalette::presets().at(i));
        chip->setSelected(i == 1);
        chips->addWidget(chip);
    }
    chips->addStretch(1);
    layout->addLayout(chips);
    auto* well = new ColorWellRow(0);
    well->setColor(QColor(0x4C9BDE));
    layout->addWidget(well);
    auto* cards = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        auto* card = new SceneCard(availableScenes().at(i), WallpaperPalette::presets().at(i).colors());
        card->setSelected(i == 0);
        cards->addWidget(card);
    }
    layout->addLayout(cards);
    auto* badges = new QHBoxLayout;
    badges->addWidget(new StatBadge(QStringLiteral("speedometer"), QStringLiteral("60 FPS"), Theme::blue()));
    badges->addWidget(
        new StatBadge(QStringLiteral("lock.shield"), QStringLiteral("Sans télémétrie"), Theme::green()));
    badges->addWidget(new BrandMark(40));
    badges->addStretch(1);
    layout->addLayout(badges);
    gallery.resize(720, gallery.sizeHint().height());
    const QImage shot = render(gallery);
    const QDir dir(QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots"));
    QVERIFY(QDir().mkpath(dir.path()));
    QVERIFY(shot.save(dir.filePath(QStringLiteral("controls.png"))));
    QVERIFY(countColor(shot, Theme::green(), shot.rect()) > 500);
}

QTEST_MAIN(TestDashboardControls)
#include "tst_dashboard_controls.moc"

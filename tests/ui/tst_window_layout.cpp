// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// What a person would see wrong in the window: a missing or wrongly sized picture or icon,
// a stand-in font, texts clipped by their control, labels running into their neighbours,
// and banners that leave the control they cover peeking out.
#include <memory>

#include <QtGui/QImage>

#include "layout_checks.h"
#include "resources/picture_files.h"
#include "ui/form_definition.h"
#include "ui/window_look.h"
#include "ui/xpm_image.h"
#include "window_fixture.h"

class TestWindowLayout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void picturesLoad_data();
    void picturesLoad();
    void malformedPicturesReadAsNull_data();
    void malformedPicturesReadAsNull();
    void schematicsAreShown();
    void denseScreensGetTheDoubleSizePictures();
    void windowHasItsIcon();
    void fontIsTheCondensedSansSerif();
    void textsFitTheirControls();
    void autoSizedLabelsKeepClearOfNeighbours_data();
    void autoSizedLabelsKeepClearOfNeighbours();
    void bannersCoverWhatLiesBelow();

private:
    std::unique_ptr<Window> window_;
};

namespace {

bool BlackAndWhiteOnly(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb pixel = rgb.pixel(x, y) & 0xFFFFFF;
            if (pixel != 0 && pixel != 0xFFFFFF)
                return false;
        }
    }
    return true;
}

// The labels that size themselves to their text, from the window definition.
QList<QLabel*> AutoSizedLabels(const Window& w)
{
    QList<QLabel*> labels;
    for (const ui::ControlDef& def : ui::Form1Controls()) {
        const bool label = def.kind == ui::ControlKind::Label || def.kind == ui::ControlKind::Link;
        if (label && !(def.flags & ui::FixedSize))
            labels << w.label(def.name);
    }
    return labels;
}

}  // namespace

void TestWindowLayout::initTestCase()
{
    ui::SetApplicationLook(ui::Form1Window());
}

void TestWindowLayout::init()
{
    window_ = std::make_unique<Window>();
    QVERIFY(window_->show());
}

void TestWindowLayout::cleanup()
{
    window_.reset();
}

void TestWindowLayout::picturesLoad_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("twoColours");

    for (const resources::PictureFile& picture : resources::Pictures) {
        QTest::newRow(picture.path)
            << QString::fromLatin1(picture.path) << QSize(picture.width, picture.height)
            << (picture.kind != resources::PictureKind::Icon);
    }
}

void TestWindowLayout::picturesLoad()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QFETCH(bool, twoColours);

    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.size(), size);
    // The window's own reader gives the same pixels as Qt's (which also takes "@2x" in a
    // name as a pixel ratio; the window sets that itself).
    QImage own = ui::ReadXpm(path);
    own.setDevicePixelRatio(image.devicePixelRatio());
    QCOMPARE(own.convertToFormat(QImage::Format_ARGB32),
             image.convertToFormat(QImage::Format_ARGB32));
    QVERIFY(!image.hasAlphaChannel());
    if (twoColours)
        QVERIFY(BlackAndWhiteOnly(image));
}

void TestWindowLayout::malformedPicturesReadAsNull_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("fewer rows than the header says") << ":/test/truncated.xpm";
    QTest::newRow("fewer colours than the header says") << ":/test/few_colours.xpm";
    QTest::newRow("no header") << ":/test/no_header.xpm";
    QTest::newRow("unclosed comment") << ":/test/unclosed_comment.xpm";
    QTest::newRow("missing resource") << ":/test/missing.xpm";
}

void TestWindowLayout::malformedPicturesReadAsNull()
{
    QFETCH(QString, path);
    QVERIFY(ui::ReadXpm(path).isNull());
}

void TestWindowLayout::schematicsAreShown()
{
    for (const char* name : {"Image1", "Image2"}) {
        QLabel* image = window_->label(name);
        QVERIFY2(!image->pixmap().isNull(), name);
        QCOMPARE(image->size(), QSize(270, 150));
        QVERIFY(image->parentWidget()->rect().contains(image->geometry()));
    }
    QVERIFY(window_->label("Image1")->pixmap().toImage() !=
            window_->label("Image2")->pixmap().toImage());
}

void TestWindowLayout::denseScreensGetTheDoubleSizePictures()
{
    for (const char* path : {resources::LowPassSchematic, resources::HighPassSchematic}) {
        const QPixmap dense = ui::LoadPicture(QString::fromLatin1(path), 2);
        QCOMPARE(dense.size(), QSize(540, 300));
        QCOMPARE(dense.deviceIndependentSize().toSize(), QSize(270, 150));
        QCOMPARE(ui::LoadPicture(QString::fromLatin1(path), 1).size(), QSize(270, 150));
    }
}

void TestWindowLayout::windowHasItsIcon()
{
    QTRY_VERIFY(!window_->form.windowIcon().isNull());
    const QIcon icon = window_->form.windowIcon();
    QCOMPARE(QApplication::windowIcon().cacheKey(), icon.cacheKey());
    QVERIFY(icon.availableSizes().contains(QSize(32, 32)));
    QCOMPARE(icon.pixmap(QSize(32, 32)).size(), QSize(32, 32));
}

void TestWindowLayout::fontIsTheCondensedSansSerif()
{
    for (const char* name : {"Edit1", "Label1", "Label20", "Label27", "Button2"}) {
        const QFontInfo font(window_->get(name)->font());
        QVERIFY2(font.family().startsWith(QStringLiteral("DejaVu Sans")),
                 qPrintable(font.family()));
        QVERIFY2(font.styleName().contains(QStringLiteral("Condensed")),
                 qPrintable(font.styleName()));
    }
}

void TestWindowLayout::textsFitTheirControls()
{
    const QStringList cut = CutTexts(window_->form);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u' ')));
}

void TestWindowLayout::autoSizedLabelsKeepClearOfNeighbours_data()
{
    QTest::addColumn<QStringList>("inputs");
    QTest::newRow("at start") << QStringList();
    // The longest unit texts, and every marker shown.
    QTest::newRow("results with markers") << QStringList{"1", "0,1", "0,1"};
}

void TestWindowLayout::autoSizedLabelsKeepClearOfNeighbours()
{
    QFETCH(QStringList, inputs);
    if (!inputs.isEmpty()) {
        for (int i = 0; i < 3; ++i)
            PasteInto(window_->field(Fields[i]), inputs[i]);
        Click(window_->get<QPushButton>("Button2"));
        QCOMPARE(Markers(*window_), QStringLiteral("111111"));
    }

    for (QLabel* label : AutoSizedLabels(*window_)) {
        const QWidget* parent = label->parentWidget();
        QVERIFY2(parent->rect().contains(label->geometry()), qPrintable(label->objectName()));
        for (const QWidget* sibling : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (sibling == label || !sibling->isVisible())
                continue;
            const bool clear = !label->geometry().intersects(sibling->geometry());
            QVERIFY2(clear,
                     qPrintable(label->objectName() + " runs into " + sibling->objectName()));
        }
    }
}

void TestWindowLayout::bannersCoverWhatLiesBelow()
{
    const QObjectList stacking = window_->form.children();
    for (auto [banner, covered] :
         {std::pair{"Label20", "Label1"}, std::pair{"Label19", "Label24"}}) {
        QLabel* top = window_->label(banner);
        QLabel* below = window_->label(covered);
        top->show();
        QVERIFY(top->geometry().contains(below->geometry()));
        QVERIFY(stacking.indexOf(top) > stacking.indexOf(below));
        QVERIFY(top->autoFillBackground());
    }
}

QTEST_MAIN(TestWindowLayout)
#include "tst_window_layout.moc"

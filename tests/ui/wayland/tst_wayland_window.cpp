// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The window under a Wayland compositor (tools/wayland_check.sh starts weston and runs this
// with QT_QPA_PLATFORM=wayland): shown at the output's scale, its size fixed whatever the
// compositor is asked, every text whole, the compositor's picture of it the window's own
// pixels, the desktop's scheme readable, and Go computing on a click. The compositor has no
// seat, so nothing here uses the keyboard or the clipboard.
//   WAYLAND_CHECK_SCALE    the output's scale (1 or 2)
//   WAYLAND_CHECK_SCHEME   "dark" when the desktop's scheme is Breeze Dark, else "light"
//   WAYLAND_CHECK_PICTURES a folder that keeps the compositor's last picture
#include <string_view>

#include <QtCore/QDeadlineTimer>
#include <QtCore/QDir>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QWindow>

#include "tests/ui/layout_checks.h"
#include "tests/ui/text_contrast.h"
#include "tests/ui/window_fixture.h"
#include "ui/form_definition.h"
#include "ui/window_look.h"

namespace {

constexpr QSize FixedSize(738, 367);
const QStringList DefaultValues{"68,05", "0,17", "9,86", "109,5", "43", "755,8"};

bool SamePixels(const QImage& screen, const QImage& picture, int x, int y)
{
    const auto rowBytes = std::size_t(picture.width()) * 4;
    for (int row = 0; row < picture.height(); ++row) {
        if (std::memcmp(screen.constScanLine(y + row) + std::size_t(x) * 4,
                        picture.constScanLine(row), rowBytes) != 0)
            return false;
    }
    return true;
}

// Whether the picture appears whole in the screen's, pixel for pixel.
bool ShownWhole(const QImage& screen, const QImage& picture)
{
    const std::string_view firstRow(reinterpret_cast<const char*>(picture.constScanLine(0)),
                                    std::size_t(picture.width()) * 4);
    for (int y = 0; y + picture.height() <= screen.height(); ++y) {
        const std::string_view line(reinterpret_cast<const char*>(screen.constScanLine(y)),
                                    std::size_t(screen.width()) * 4);
        for (auto at = line.find(firstRow); at != line.npos; at = line.find(firstRow, at + 1)) {
            if (at % 4 == 0 && SamePixels(screen, picture, int(at / 4), y))
                return true;
        }
    }
    return false;
}

// The compositor's picture of its whole output (weston --debug lets its screenshooter in),
// taken while this program goes on answering the compositor; null if none came in time.
QImage CompositorPicture(const QDeadlineTimer& deadline)
{
    QTemporaryDir folder;
    QProcess shooter;
    shooter.setWorkingDirectory(folder.path());
    shooter.start(QStringLiteral("weston-screenshooter"), {});
    while (shooter.state() != QProcess::NotRunning && !deadline.hasExpired())
        QTest::qWait(20);
    if (shooter.state() != QProcess::NotRunning) {
        shooter.kill();
        shooter.waitForFinished();
        return {};
    }
    if (shooter.exitStatus() != QProcess::NormalExit || shooter.exitCode() != 0) {
        qWarning("weston-screenshooter: %s %s", qPrintable(shooter.errorString()),
                 shooter.readAllStandardError().constData());
        return {};
    }
    const QStringList files = QDir(folder.path()).entryList({QStringLiteral("*.png")});
    if (files.size() != 1)
        return {};
    const QString file = folder.filePath(files.first());
    const QString keep = qEnvironmentVariable("WAYLAND_CHECK_PICTURES");
    if (!keep.isEmpty()) {
        const QString name = QStringLiteral("wayland-scale%1-%2.png")
                                 .arg(qEnvironmentVariable("WAYLAND_CHECK_SCALE"),
                                      qEnvironmentVariable("WAYLAND_CHECK_SCHEME"));
        QFile::remove(QDir(keep).filePath(name));
        QFile::copy(file, QDir(keep).filePath(name));
    }
    return QImage(file).convertToFormat(QImage::Format_RGB32);
}

}  // namespace

class TestWaylandWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void shownAtTheOutputsScale();
    void sizeStaysFixed_data();
    void sizeStaysFixed();
    void textsWhole();
    void compositorShowsTheWindowsPixels();
    void desktopSchemeReadable();
    void goComputesOnAClick();

private:
    std::unique_ptr<Window> window_;
};

void TestWaylandWindow::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
    ui::SetApplicationLook(ui::Form1Window());
}

void TestWaylandWindow::init()
{
    window_ = std::make_unique<Window>();
    window_->form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window_->form));
}

void TestWaylandWindow::cleanup()
{
    window_.reset();
}

void TestWaylandWindow::shownAtTheOutputsScale()
{
    QCOMPARE(window_->form.devicePixelRatio(), qEnvironmentVariableIntValue("WAYLAND_CHECK_SCALE"));
    QCOMPARE(window_->form.size(), FixedSize);
}

void TestWaylandWindow::sizeStaysFixed_data()
{
    QTest::addColumn<Qt::WindowState>("state");
    QTest::newRow("maximised") << Qt::WindowMaximized;
    QTest::newRow("full screen") << Qt::WindowFullScreen;
}

// The compositor answers a state request with a configure of the output's size; the window
// keeps its own.
void TestWaylandWindow::sizeStaysFixed()
{
    QFETCH(Qt::WindowState, state);
    QWidget& form = window_->form;
    form.setWindowState(state);
    QTRY_VERIFY_WITH_TIMEOUT(form.windowHandle()->windowStates() & state, 10000);
    QCOMPARE(form.size(), FixedSize);
    QCOMPARE(form.windowHandle()->size(), FixedSize);
}

void TestWaylandWindow::textsWhole()
{
    const QStringList cut = CutTexts(window_->form);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u' ')));
}

void TestWaylandWindow::compositorShowsTheWindowsPixels()
{
    const QImage own = window_->form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(own.size(), FixedSize * qEnvironmentVariableIntValue("WAYLAND_CHECK_SCALE"));
    // The compositor shows the window once it has its first frame.
    const QDeadlineTimer deadline(10000);
    bool shown = false;
    while (!shown && !deadline.hasExpired())
        shown = ShownWhole(CompositorPicture(deadline), own);
    QVERIFY2(shown, "waited 10 s for the compositor's picture to show the window's own pixels");
}

void TestWaylandWindow::desktopSchemeReadable()
{
    const QColor window = window_->form.palette().color(QPalette::Window);
    const bool dark = ui::RelativeLuminance(window) < 0.1;
    QCOMPARE(dark, qEnvironmentVariable("WAYLAND_CHECK_SCHEME") == u"dark");
    QMap<QString, Reading> texts;
    ReadShownTexts(window_->form, QString(), texts);
    QVERIFY(texts.size() >= 30);
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        QVERIFY2(it->ratio >= it->needed, qPrintable(it.key()));
}

void TestWaylandWindow::goComputesOnAClick()
{
    Click(window_->get<QPushButton>("Button2"));
    QTRY_COMPARE(Texts(*window_, ValueLabels), DefaultValues);
    const QStringList cut = CutTexts(window_->form);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u' ')));
}

QTEST_MAIN(TestWaylandWindow)
#include "tst_wayland_window.moc"

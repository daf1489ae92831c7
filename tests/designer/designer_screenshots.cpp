// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Writes the README's pictures of the designer window as it first opens on the screen Qt
// gives it (tools/screenshots.sh: a 1366x768 one): an E24 design with an op-amp and
// tolerances, its Bode plot under the platform's light colours, and its tolerance spread
// under a dark scheme (Breeze Dark's colours). On a dense screen (QT_SCALE_FACTOR=2) the files
// get an "@2x" suffix. Usage: designer_screenshots <output folder>
#include <QtCore/QDir>
#include <QtCore/QStandardPaths>
#include <QtGui/QPixmap>
#include <QtTest/QSignalSpy>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QTabWidget>

#include "designer/designer_window.h"
#include "designer/settings.h"
#include "tests/ui/colour_schemes.h"

namespace {

bool Picture(const QDir& folder, const char* name, int tab)
{
    design::Settings inputs;
    inputs.series = design::Series::E24;
    inputs.gbw = "1Meg";
    inputs.toleranceR = "1";
    inputs.toleranceC = "5";
    designer::DesignerWindow window(inputs);
    QSignalSpy samples(&window, &designer::DesignerWindow::toleranceShown);
    window.show();
    window.findChild<QTabWidget*>()->setCurrentIndex(tab);
    if (!QTest::qWaitForWindowExposed(&window) || (samples.isEmpty() && !samples.wait(10000))) {
        qCritical("the window did not show its design and samples within 10 s");
        return false;
    }
    const qreal ratio = window.devicePixelRatio();
    const QString path = folder.filePath(
        QString::fromLatin1(name) +
        (ratio > 1 ? QStringLiteral("@%1x.png").arg(ratio) : QStringLiteral(".png")));
    if (!window.grab().save(path)) {
        qCritical("cannot write %s", qPrintable(path));
        return false;
    }
    qInfo("wrote %s", qPrintable(path));
    return true;
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        qCritical("usage: designer_screenshots <output folder>");
        return 2;
    }
    QStandardPaths::setTestModeEnabled(true);  // the user's last design is left alone
    designer::KeepWindowPlace({});             // and the window opens as at first
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    bool ok = Picture(folder, "designer", 1);
    QApplication::setPalette(BreezeDarkPalette());
    ok = Picture(folder, "designer-dark", 4) && ok;
    return ok ? 0 : 1;
}

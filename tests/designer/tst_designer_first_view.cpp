// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The designer window as a user first meets it, on a real X server with a window manager
// (designer_first_view.sh runs this on several screens, in English and Russian): shown as the
// program shows it, never resized here, it fits the screen, shows the inputs beside the
// results and cuts nothing off; moved, resized or maximised, it opens again as it closed.
// DESIGNER_LANGUAGE (en or ru) picks the words; DESIGNER_PICTURE, a PNG of the screen to write.
#include <QtCore/QTranslator>
#include <QtGui/QScreen>
#include <QtTest/QSignalSpy>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QSplitter>

#include "designer/designer_window.h"
#include "designer/settings.h"
#include "layout_probe.h"

namespace {

// Every column of the parts and every group of the figures.
design::Settings FullDesign()
{
    design::Settings inputs;
    inputs.series = design::Series::E192;
    inputs.moveSeries = design::Series::E24;
    inputs.frequency = "1k";
    inputs.value[0] = "10k";
    inputs.gbw = "1Meg";
    inputs.toleranceR = "1";
    inputs.toleranceC = "5";
    return inputs;
}

// Shown as main() shows it, and waited for until the window manager has framed it.
std::unique_ptr<designer::DesignerWindow> Opened()
{
    auto window = std::make_unique<designer::DesignerWindow>(FullDesign());
    QSignalSpy samples(window.get(), &designer::DesignerWindow::toleranceShown);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        qWarning("the window was not exposed");
    // The frame's extents arrive after the window is mapped.
    if (!QTest::qWaitFor([&] { return window->frameGeometry() != window->geometry(); }, 5000))
        qWarning("the window manager did not frame the window within 5 s");
    if (samples.isEmpty() && !samples.wait(10000))
        qWarning("the tolerance samples did not arrive within 10 s");
    return window;
}

}  // namespace

class TestDesignerFirstView : public QObject {
    Q_OBJECT
private slots:
    void init() { designer::KeepWindowPlace({}); }

    void theFirstViewShowsInputsAndResults()
    {
        const auto window = Opened();
        const QRect available = window->screen()->availableGeometry();
        qInfo("screen %dx%d, window %dx%d at %d,%d, %s", available.width(), available.height(),
              window->width(), window->height(), window->x(), window->y(),
              window->isMaximized() ? "maximised" : "not maximised");
        QVERIFY2(available.contains(window->frameGeometry()), "the whole frame on the screen");
        // A desktop's screen keeps room beside the window; a small one is the window's.
        QCOMPARE(window->isMaximized(), available.height() < 1000);
        const QStringList scrolling = layout_probe::Scrolling(*window);
        QVERIFY2(!scrolling.contains(QStringLiteral("window across")) &&
                     !scrolling.contains(QStringLiteral("window down")),
                 qPrintable(scrolling.join(QStringLiteral(", "))));
        if (available.height() >= 700)
            QVERIFY2(scrolling.isEmpty(), qPrintable(scrolling.join(QStringLiteral(", "))));
        const QStringList squeezed = layout_probe::Squeezed(*window);
        QVERIFY2(squeezed.isEmpty(), qPrintable(squeezed.join(QStringLiteral("; "))));
        // Each tab, in turn, with its content readable.
        auto* tabs = window->findChild<QTabWidget*>();
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            const QStringList cut = layout_probe::Squeezed(*window);
            QVERIFY2(cut.isEmpty(), qPrintable(tabs->tabText(tab) + ": " + cut.join("; ")));
        }
        tabs->setCurrentIndex(1);
        if (const QByteArray picture = qgetenv("DESIGNER_PICTURE"); !picture.isEmpty())
            QVERIFY(window->screen()->grabWindow(0).save(QString::fromLocal8Bit(picture)));
    }

    void itOpensAsItClosed()
    {
        QRect normal;
        QList<int> sizes;
        {
            const auto window = Opened();
            window->showNormal();
            QTRY_VERIFY_WITH_TIMEOUT(!window->isMaximized(), 5000);
            window->setGeometry(QRect(
                window->screen()->availableGeometry().topLeft() + QPoint(40, 60), QSize(900, 560)));
            QTRY_COMPARE_WITH_TIMEOUT(window->size(), QSize(900, 560), 5000);
            auto* splitter = window->findChild<QSplitter*>();
            splitter->setSizes({420, 480});
            emit splitter->splitterMoved(420, 1);  // as a drag of the handle reports it
            normal = window->geometry();
            sizes = splitter->sizes();
            window->close();
        }
        {
            const auto window = Opened();
            QCOMPARE(window->geometry(), normal);
            QCOMPARE(window->findChild<QSplitter*>()->sizes(), sizes);
            window->showMaximized();
            QTRY_VERIFY_WITH_TIMEOUT(window->isMaximized(), 5000);
            window->close();
        }
        const auto window = Opened();
        QVERIFY2(window->isMaximized(), "maximised as it closed");
    }
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("butterworth3-tests"));
    QTranslator words;
    if (qgetenv("DESIGNER_LANGUAGE") == "ru") {
        if (!words.load(QLocale(QLocale::Russian), QStringLiteral("butterworth3-designer"),
                        QStringLiteral("_"), QStringLiteral(":/i18n"))) {
            qCritical("no Russian words");
            return 1;
        }
        QCoreApplication::installTranslator(&words);
    }
    TestDesignerFirstView test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_designer_first_view.moc"

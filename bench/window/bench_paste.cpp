// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Error box benchmark: a very long text pasted into the resistance field, then Go. Reports
// how long the paste takes, how long Go takes until the error box is shown and until it has
// painted itself, the box's size against the screen's, and how many characters its message
// holds. A program to run by hand, not a test.
//
// With "sweep" instead, shows a message box like the error box for quoted texts of growing
// length and kind, whole, and reports its size and the time it takes to show: the
// measurements behind the length at which the error box shortens a quoted text.
//
// Usage: bench_paste [bytes] [repeats]   (defaults 1048576 and 3)
//        bench_paste sweep
// Any platform: offscreen by default, or xvfb-run -s "-screen 0 1024x768x24" with
// QT_QPA_PLATFORM=xcb for a 1024x768 screen.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include <QtCore/QElapsedTimer>
#include <QtCore/QTimer>
#include <QtGui/QClipboard>
#include <QtGui/QScreen>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>

#include "calc/input_checks.h"
#include "ui/application_title.h"
#include "ui/form_definition.h"
#include "ui/tform1.h"
#include "ui/window_look.h"

namespace {

struct Sample {
    double pasteMs = 0;
    double shownMs = -1;
    double paintedMs = -1;
    double closedMs = 0;
    QSize box;
    qsizetype characters = 0;
};

// Watches for the error box: notes when it is shown and first painted, then closes it.
class BoxWatch : public QObject {
public:
    explicit BoxWatch(const QElapsedTimer& clock) : clock_(clock)
    {
        qApp->installEventFilter(this);
    }
    ~BoxWatch() override { qApp->removeEventFilter(this); }

    Sample sample;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (!box)
            return false;
        if (event->type() == QEvent::Show && sample.shownMs < 0) {
            sample.shownMs = Ms();
            // A box that never paints is closed anyway, and reported without a paint time.
            QTimer::singleShot(120000, box, [box] { box->accept(); });
        } else if (event->type() == QEvent::Paint && sample.paintedMs < 0) {
            sample.paintedMs = Ms();
            sample.box = box->frameGeometry().size();
            sample.characters = box->text().size();
            QMetaObject::invokeMethod(
                box, [box] { box->accept(); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    double Ms() const { return double(clock_.nsecsElapsed()) / 1e6; }
    const QElapsedTimer& clock_;
};

struct Case {
    const char* name;
    QString text;
};

std::vector<Case> Cases(qsizetype bytes)
{
    QString digits(bytes - 1, QLatin1Char('7'));
    digits += QLatin1Char('a');
    QString words;
    while (words.size() < bytes)
        words += QStringLiteral("12 ");
    words.truncate(bytes);
    QString lines;
    while (lines.size() < bytes)
        lines += QStringLiteral("1\n");
    lines.truncate(bytes);
    return {{"one long word", QString(bytes, QLatin1Char('x'))},
            {"digits, then a letter", digits},
            {"short words", words},
            {"short lines", lines}};
}

// The kinds of text that lay out worst: one unbreakable word of narrow or of wide glyphs,
// short words that wrap early, and short lines.
QString SweepText(int kind, int length)
{
    const QString units[] = {QStringLiteral("7"), QStringLiteral("W"), QString(QChar(0x56FD)),
                             QStringLiteral("12 "), QStringLiteral("1\n")};
    QString text;
    while (text.size() < length)
        text += units[kind];
    text.truncate(length);
    return text;
}

void Sweep()
{
    const char* kinds[] = {"digits", "W", "CJK", "short words", "short lines"};
    std::printf("message box for \"'<text>' is not a valid floating point value.\", text whole\n");
    std::printf("  %-12s %8s %11s %9s %8s\n", "text", "length", "box", "show ms", "clipped");
    for (int kind = 0; kind < 5; ++kind) {
        for (int length : {20, 50, 100, 200, 400, 800, 1600, 3200, 6400}) {
            const QString text = QLatin1Char('\'') + SweepText(kind, length) +
                                 QStringLiteral("' is not a valid floating point value.");
            QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text,
                            QMessageBox::Ok);
            box.setTextFormat(Qt::PlainText);
            box.setFont(ui::WindowFont(ui::Form1Window().font, true));
            QElapsedTimer clock;
            clock.start();
            box.show();
            QCoreApplication::processEvents();
            const double ms = double(clock.nsecsElapsed()) / 1e6;
            const QSize size = box.frameGeometry().size();
            // A label narrower than its longest word cuts the word off.
            const auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            const bool clipped = label && label->minimumSizeHint().width() > label->width();
            std::printf("  %-12s %8d %5dx%-5d %9.1f %8s\n", kinds[kind], length, size.width(),
                        size.height(), ms, clipped ? "yes" : "no");
            box.close();
        }
    }
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char* argv[])
{
    const bool sweep = argc > 1 && std::string_view(argv[1]) == "sweep";
    const qsizetype bytes = argc > 1 && !sweep ? std::atoll(argv[1]) : 1048576;
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 3;
    if (bytes < 2 || repeats < 1) {
        std::fprintf(stderr, "usage: bench_paste [bytes] [repeats]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(ui::ApplicationTitle(QStringLiteral("butterworth3")));
    ui::SetApplicationLook(ui::Form1Window());

    if (sweep) {
        Sweep();
        return 0;
    }
    calc::CalcState state;
    ui::TForm1 form(state);
    form.show();
    form.activateWindow();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    auto* resistance = form.findChild<QLineEdit*>(QStringLiteral("Edit3"));
    auto* go = form.findChild<QPushButton*>(QStringLiteral("Button2"));
    const QSize screen = form.screen()->availableGeometry().size();

    std::printf("%lld characters pasted into the resistance field, then Go; screen %dx%d; "
                "medians of %d\n",
                static_cast<long long>(bytes), screen.width(), screen.height(), repeats);
    std::printf("  %-22s %10s %12s %12s %12s %11s %10s\n", "text", "paste ms", "to box ms",
                "to paint ms", "to close ms", "box", "box chars");
    for (const Case& c : Cases(bytes)) {
        std::vector<double> paste, shown, painted, closed;
        Sample last;
        for (int i = 0; i < repeats; ++i) {
            QElapsedTimer clock;
            QGuiApplication::clipboard()->setText(c.text);
            resistance->setFocus();
            resistance->selectAll();
            clock.start();
            resistance->paste();
            const double pasteMs = double(clock.nsecsElapsed()) / 1e6;
            QCoreApplication::processEvents();

            BoxWatch watch(clock);
            clock.restart();
            QTest::mouseClick(go, Qt::LeftButton);
            watch.sample.closedMs = double(clock.nsecsElapsed()) / 1e6;
            watch.sample.pasteMs = pasteMs;
            last = watch.sample;
            paste.push_back(last.pasteMs);
            shown.push_back(last.shownMs);
            painted.push_back(last.paintedMs);
            closed.push_back(last.closedMs);
            QCoreApplication::processEvents();
        }
        std::printf("  %-22s %10.1f %12.1f %12.1f %12.1f %5dx%-5d %10lld\n", c.name, Median(paste),
                    Median(shown), Median(painted), Median(closed), last.box.width(),
                    last.box.height(), static_cast<long long>(last.characters));
        std::fflush(stdout);
    }
    resistance->setText(QStringLiteral("33"));
    return 0;
}

// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Pictures of the Bode view and the histogram to look at: under the light default scheme and
// Breeze Dark, at device pixel ratios 1 and 2, drawn as the screen would draw them (no
// scaled-up low-resolution copy). Usage: plot_pictures FOLDER
#include <cstdio>

#include <QtCore/QDir>
#include <QtGui/QImage>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>

#include "designer/plots/bode_view.h"
#include "designer/plots/histogram_view.h"
#include "tests/designer/plots/designs.h"
#include "tests/ui/colour_schemes.h"

namespace {

bool Save(QWidget& widget, qreal ratio, const QString& path)
{
    QImage image(widget.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    widget.render(&image);
    const bool saved = image.save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

}  // namespace

int main(int argc, char** argv)
{
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: plot_pictures FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    design::ToleranceRequest tolerance;
    tolerance.capacitors = 0.05;
    const design::Report lowPass = ReportOf(TestDesigns[1], tolerance);
    const design::Report highPass = ReportOf(TestDesigns[2]);
    const design::Design& d = lowPass.design;
    std::vector<double> errors = *design::ToleranceErrors(
        d.request.circuit, d.request.frequency, d.parts, tolerance, [](long) { return true; });
    const design::ToleranceFigures figures = design::FiguresOf(errors);

    bool saved = true;
    for (const auto& [scheme, palette] :
         {std::pair{"light", QApplication::palette()}, {"dark", BreezeDarkPalette()}}) {
        for (const qreal ratio : {1.0, 2.0}) {
            const QString suffix = QString("_%1_dpr%2.png").arg(scheme).arg(ratio);
            designer::BodeView bode;
            bode.setPalette(palette);
            bode.resize(900, 600);
            bode.setReport(lowPass);
            for (int i = 0; i < 12; ++i) {
                QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
                QApplication::sendEvent(&bode, &right);
            }
            saved &= Save(bode, ratio, folder.filePath("bode_lowpass" + suffix));
            bode.setReport(highPass);
            bode.resize(520, 380);
            saved &= Save(bode, ratio, folder.filePath("bode_highpass_small" + suffix));
            bode.setStale(true);
            saved &= Save(bode, ratio, folder.filePath("bode_highpass_stale" + suffix));
            bode.setStale(false);
            bode.resize(bode.minimumSizeHint());
            saved &= Save(bode, ratio, folder.filePath("bode_minimum" + suffix));

            designer::HistogramView histogram;
            histogram.setPalette(palette);
            histogram.resize(640, 300);
            histogram.setSamples(errors, figures);
            saved &= Save(histogram, ratio, folder.filePath("histogram" + suffix));
            histogram.resize(histogram.minimumSizeHint());
            saved &= Save(histogram, ratio, folder.filePath("histogram_minimum" + suffix));
            histogram.resize(640, 300);
            histogram.setProgress(45);
            saved &= Save(histogram, ratio, folder.filePath("histogram_computing" + suffix));
        }
    }
    std::printf("minimum sizes: Bode view %dx%d, histogram %dx%d\n",
                designer::BodeView().minimumSizeHint().width(),
                designer::BodeView().minimumSizeHint().height(),
                designer::HistogramView().minimumSizeHint().width(),
                designer::HistogramView().minimumSizeHint().height());
    return saved ? 0 : 1;
}

// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// What the designer window gives of the design on show: the companion's netlist, plot and
// report as files, the report handed to the browser, and the parts and the command line on
// the clipboard. Each action tells how it went.
#pragma once

#include <functional>
#include <optional>

#include <QtCore/QObject>
#include <QtCore/QString>

#include "design/report.h"
#include "designer/command_line.h"

class QWidget;

namespace designer {

class Exports : public QObject {
    Q_OBJECT

public:
    // The design on show when an action runs: nothing before the first design; its report
    // complete with the tolerance figures (drawn then if the sampling has not finished); the
    // fields it was read from.
    struct Shown {
        const design::Report* report = nullptr;
        std::function<design::Report()> complete;
        const design::Settings* inputs = nullptr;
    };

    // `window` parents the file dialogs; `shown` is asked at each action.
    Exports(QWidget* window, std::function<Shown()> shown);

    // Where a save asks for the file: a file dialog, or a test's answer.
    using AskFile = std::function<QString(const QString& title, const QString& filters,
                                          const QString& suggested, QString* chosenFilter)>;
    void setAskFile(AskFile ask) { askFile_ = std::move(ask); }
    // The program that opens the report in the browser: "xdg-open" unless set. The report
    // is written to a folder of the user's own: $XDG_RUNTIME_DIR/butterworth3-designer, or
    // "reports" in the cache folder.
    void setOpener(const QString& program) { opener_ = program; }

    void saveNetlist();
    void savePlot();
    void saveReport();
    void openReport();
    void copyParts();
    void copyCommandLine();
    // Reports that earlier runs handed to the browser, a day old.
    static void removeOldReports();

signals:
    // An action done, in words for the window ("Saved filter.cir.").
    void done(const QString& text);
    // An action that failed, or did less than asked, and why.
    void failed(const QString& problem);

private:
    static QString reportFolder();
    void startOpener(const QString& path);
    void writeFile(const QString& path, const std::string& content);
    QString askFile(const QString& title, const QString& filters, const QString& suggested,
                    QString* chosenFilter);

    QWidget* window_;
    std::function<Shown()> shown_;
    AskFile askFile_;
    QString opener_ = QStringLiteral("xdg-open");
};

}  // namespace designer

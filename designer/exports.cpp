// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "designer/exports.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QStandardPaths>
#include <QtCore/QTimer>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QFileDialog>

#include "design/outputs/html_report.h"
#include "design/outputs/netlist.h"
#include "design/outputs/plot.h"
#include "designer/figures.h"
#include "designer/problem_words.h"
#include "files/private_folder.h"
#include "files/safe_write.h"

namespace designer {

namespace {

QString FromUtf8(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

Exports::Exports(QWidget* window, std::function<Shown()> shown)
    : QObject(window), window_(window), shown_(std::move(shown))
{
}

QString Exports::askFile(const QString& title, const QString& filters, const QString& suggested,
                         QString* chosenFilter)
{
    if (askFile_)
        return askFile_(title, filters, suggested, chosenFilter);
    return QFileDialog::getSaveFileName(window_, title, suggested, filters, chosenFilter);
}

void Exports::writeFile(const QString& path, const std::string& content)
{
    const files::Output outputs[] = {{QFile::encodeName(path).toStdString(), content}};
    const files::WriteResult result = files::WriteFiles(outputs);
    if (const auto* failure = std::get_if<files::CannotWrite>(&result)) {
        // One file: a failure before its rename leaves what was there.
        emit failed(tr("Could not write %1: %2. Nothing was changed.")
                        .arg(path, FromUtf8(failure->reason)));
        return;
    }
    emit done(tr("Saved %1.").arg(path));
}

void Exports::saveNetlist()
{
    const Shown shown = shown_();
    if (!shown.report)
        return;
    const QString ngspice = tr("ngspice netlist (*.cir)");
    const QString ltspice = tr("LTspice netlist (*.net *.cir)");
    QString chosen = ngspice;
    const QString path = askFile(tr("Save netlist"), ngspice + QStringLiteral(";;") + ltspice,
                                 QStringLiteral("filter.cir"), &chosen);
    if (path.isEmpty())
        return;
    const auto dialect =
        chosen == ltspice ? design::outputs::Dialect::LtSpice : design::outputs::Dialect::Ngspice;
    writeFile(path, design::outputs::Netlist(*shown.report, dialect));
}

void Exports::savePlot()
{
    const Shown shown = shown_();
    if (!shown.report)
        return;
    const QString path =
        askFile(tr("Save plot"), tr("SVG image (*.svg)"), QStringLiteral("filter.svg"), nullptr);
    if (!path.isEmpty())
        writeFile(path, design::outputs::BodePlot(*shown.report, true));
}

void Exports::saveReport()
{
    const Shown shown = shown_();
    if (!shown.report)
        return;
    const QString path = askFile(tr("Save report"), tr("HTML page (*.html)"),
                                 QStringLiteral("filter.html"), nullptr);
    if (!path.isEmpty())
        writeFile(path, design::outputs::HtmlReport(shown.complete(), CommandLineOf(*shown.inputs),
                                                    design::outputs::Dialect::Ngspice));
}

// Reports handed to the browser: in the session's runtime folder where there is one (the
// user's alone, emptied at log-out), else in a folder of their own in the cache.
QString Exports::reportFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty())
        return runtime + QStringLiteral("/butterworth3-designer");
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QDir().mkpath(cache);
    return cache + QStringLiteral("/reports");
}

void Exports::removeOldReports()
{
    auto folder = files::PrivateFolder::Open(QFile::encodeName(reportFolder()).toStdString());
    if (const auto* open = std::get_if<files::PrivateFolder>(&folder))
        open->RemoveOlderThan("report-", ".html", std::chrono::hours(24));
}

void Exports::openReport()
{
    const Shown shown = shown_();
    if (!shown.report)
        return;
    const QString folderPath = reportFolder();
    auto folder = files::PrivateFolder::Open(QFile::encodeName(folderPath).toStdString());
    if (const auto* refusal = std::get_if<std::string>(&folder)) {
        emit failed(tr("Did not open the report: the folder %1 is not safe for it (%2).")
                        .arg(folderPath, FromUtf8(*refusal)));
        return;
    }
    const std::string html = design::outputs::HtmlReport(
        shown.complete(), CommandLineOf(*shown.inputs), design::outputs::Dialect::Ngspice);
    const auto created = std::get<files::PrivateFolder>(folder).Create("report-", ".html", html);
    if (const auto* failure = std::get_if<std::string>(&created)) {
        emit failed(
            tr("Could not write the report in %1: %2.").arg(folderPath, FromUtf8(*failure)));
        return;
    }
    const QString path = QFile::decodeName(
        QByteArray::fromStdString(std::get<files::PrivateFolder::Created>(created).path));
    startOpener(path);
}

// The opener is watched until it ends, never waited for: the browser it may start is the
// user's and outlives the window.
void Exports::startOpener(const QString& path)
{
    QByteArray program = QFile::encodeName(opener_);
    QByteArray file = QFile::encodeName(path);
    char* argv[] = {program.data(), file.data(), nullptr};
    // A plain fork, which every system (and an emulator) has; the child tells through a pipe
    // that closes on exec whether the program could be started.
    int told[2];
    if (pipe2(told, O_CLOEXEC) != 0) {
        emit failed(tr("Could not start %1 to open %2: %3.")
                        .arg(opener_, path, QString::fromLocal8Bit(std::strerror(errno))));
        return;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        ::close(told[0]);
        execvp(argv[0], argv);
        const int error = errno;
        (void)!write(told[1], &error, sizeof error);
        _exit(127);
    }
    ::close(told[1]);
    int error = pid < 0 ? errno : 0;
    if (pid > 0) {
        ssize_t n = 0;
        do
            n = read(told[0], &error, sizeof error);
        while (n < 0 && errno == EINTR);
        if (n != sizeof error)
            error = 0;
        else
            waitpid(pid, nullptr, 0);
    }
    ::close(told[0]);
    if (error) {
        emit failed(tr("Could not start %1 to open %2: %3.")
                        .arg(opener_, path, QString::fromLocal8Bit(std::strerror(error))));
        return;
    }
    emit done(tr("Opening %1.").arg(path));
    auto* watch = new QTimer(this);
    watch->setInterval(100);
    connect(watch, &QTimer::timeout, this, [this, watch, pid, path] {
        int status = 0;
        const pid_t ended = waitpid(pid, &status, WNOHANG);
        if (ended == 0)
            return;
        watch->stop();
        watch->deleteLater();
        if (ended == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0)
            return;
        const QString how = ended == pid && WIFEXITED(status)
                                ? tr("exit status %1").arg(WEXITSTATUS(status))
                                : tr("ended abnormally");
        emit failed(tr("%1 could not open %2 (%3).").arg(opener_, path, how));
    });
    watch->start();
}

void Exports::copyParts()
{
    const Shown shown = shown_();
    if (!shown.report)
        return;
    QGuiApplication::clipboard()->setText(Figures::PartsTable(*shown.report));
}

void Exports::copyCommandLine()
{
    const design::Settings& inputs = *shown_().inputs;
    QGuiApplication::clipboard()->setText(QString::fromStdString(CommandLineOf(inputs)));
    const auto read = design::Read(inputs);
    if (const auto* problem = std::get_if<design::SettingProblem>(&read))
        emit failed(tr("Copied the command line, but it will not run: %1.")
                        .arg(ProblemWords::Of(*problem)));
}

}  // namespace designer

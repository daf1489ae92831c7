// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The window's definition as the build writes it for a face that is not Qt (form1.json and
// the pictures as PNG) against the window built from the same table: every control where the
// window has it (a label not of a fixed size sized to its text), with its text and whether it
// shows, the frame, the tab order; every picture pixel for pixel.
#include <algorithm>
#include <fstream>

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtGui/QImage>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QGroupBox>

#include <nlohmann/json.hpp>

#include "resources/picture_files.h"
#include "ui/xpm_image.h"
#include "window_fixture.h"

class TestFormExport : public QObject {
    Q_OBJECT
private slots:
    void controlsAreWhereTheWindowHasThem();
    void picturesAreTheWindowsPixels();
};

namespace {

QString Text(const nlohmann::json& value)
{
    return QString::fromStdString(value.get<std::string>());
}

// The text a control of this kind shows, or nothing for a picture.
std::optional<QString> ShownText(const QWidget& widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(&widget))
        return label->pixmap().isNull() ? std::optional(label->text()) : std::nullopt;
    if (const auto* field = qobject_cast<const QLineEdit*>(&widget))
        return field->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget))
        return button->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(&widget))
        return group->title();
    return std::nullopt;
}

bool HasFlag(const nlohmann::json& control, const char* flag)
{
    const nlohmann::json& flags = control["flags"];
    return std::find(flags.begin(), flags.end(), flag) != flags.end();
}

}  // namespace

void TestFormExport::controlsAreWhereTheWindowHasThem()
{
    std::ifstream in(FORM1_DIR "/form1.json");
    QVERIFY2(in, "form1.json is written by the build");
    const nlohmann::json form = nlohmann::json::parse(in);
    Window w;
    QVERIFY(w.show());

    const nlohmann::json& frame = form["window"];
    QCOMPARE(Text(frame["caption"]), w.form.windowTitle());
    QCOMPARE(QSize(frame["clientSize"][0], frame["clientSize"][1]), w.form.size());
    // The window's own controls: the named ones, not those Qt makes inside them.
    qsizetype named = 0;
    for (const QWidget* child : w.form.findChildren<QWidget*>())
        named += !child->objectName().isEmpty() && !child->objectName().startsWith("qt_");
    QCOMPARE(qsizetype(form["controls"].size()), named);
    for (const nlohmann::json& control : form["controls"]) {
        const QString name = Text(control["name"]);
        const QWidget* widget = w.get(qPrintable(name));
        const nlohmann::json& r = control["rect"];
        const QRect rect(r[0], r[1], r[2], r[3]);
        QCOMPARE(widget->pos(), rect.topLeft());
        // A label sizes itself to its text unless its size is fixed.
        const bool sizedToText =
            qobject_cast<const QLabel*>(widget) && !HasFlag(control, "fixedSize");
        if (!sizedToText)
            QCOMPARE(widget->size(), rect.size());
        const bool hidden = HasFlag(control, "hidden");
        QVERIFY2(widget->isVisible() != hidden, qPrintable(name));
        if (const std::optional<QString> shown = ShownText(*widget))
            QCOMPARE(*shown, Text(control["text"]));
        else if (Text(control["kind"]) == QLatin1String("Picture"))
            QVERIFY(QFile::exists(QStringLiteral(FORM1_DIR "/") + Text(control["text"])));
    }
    QWidget* focus = w.get(frame["tabOrder"][0].get<std::string>().c_str());
    for (const nlohmann::json& next : frame["tabOrder"]) {
        QCOMPARE(focus->objectName(), Text(next));
        focus = focus->nextInFocusChain();
        while (!focus->isVisible() || focus->focusPolicy() == Qt::NoFocus)
            focus = focus->nextInFocusChain();
    }
}

void TestFormExport::picturesAreTheWindowsPixels()
{
    for (const resources::PictureFile& picture : resources::Pictures) {
        const QString path = QString::fromUtf8(picture.path);
        QImage written(QStringLiteral(FORM1_DIR "/") + QFileInfo(path).completeBaseName() +
                       QStringLiteral(".png"));
        written.setDevicePixelRatio(1);  // as stored: Qt reads "@2x" into its name
        const QImage read = ui::ReadXpm(path);
        QVERIFY2(!read.isNull(), qPrintable(path));
        QCOMPARE(written.size(), QSize(picture.width, picture.height));
        QCOMPARE(written.convertToFormat(QImage::Format_ARGB32),
                 read.convertToFormat(QImage::Format_ARGB32));
    }
}

QTEST_MAIN(TestFormExport)
#include "tst_form_export.moc"

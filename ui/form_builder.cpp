#include "ui/form_builder.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QtCore/QHash>
#include <QtCore/QResource>
#include <QtGui/QFont>
#include <QtGui/QIcon>
#include <QtGui/QImage>
#include <QtGui/QPalette>
#include <QtGui/QPixmap>
#include <QtWidgets/QApplication>
#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QStyle>
#include <QtWidgets/QStyleFactory>

#include "ui/accessibility.h"
#include "ui/field_edit.h"
#include "ui/link_label.h"

namespace ui {
namespace {

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QWidget* CreateControl(const ControlDef& def, QWidget* parent)
{
    switch (def.kind) {
    case ControlKind::Label: return new QLabel(parent);
    case ControlKind::Link: return new LinkLabel(parent);
    case ControlKind::GroupBox: return new QGroupBox(Text(def.text), parent);
    case ControlKind::Picture: return new QLabel(parent);
    case ControlKind::Edit: return new FieldEdit(parent);
    case ControlKind::RadioButton: return new QRadioButton(Text(def.text), parent);
    case ControlKind::PushButton: return new QPushButton(Text(def.text), parent);
    }
    return nullptr;
}

void SetAccessibleTexts(QWidget& widget, const AccessibleDef& access)
{
    if (access.name)
        widget.setAccessibleName(Text(access.name));
    if (access.description)
        widget.setAccessibleDescription(Text(access.description));
}

void SetColours(QWidget& widget, const ControlDef& def)
{
    if (def.textColour == SystemColour && def.background == SystemColour)
        return;
    QPalette palette = widget.palette();
    if (def.textColour != SystemColour)
        palette.setColor(QPalette::WindowText, QColor(def.textColour));
    if (def.background != SystemColour)
        palette.setColor(QPalette::Window, QColor(def.background));
    widget.setPalette(palette);
    widget.setAutoFillBackground(def.flags & Opaque);
}

void SetUpLabel(QLabel& label, const ControlDef& def)
{
    label.setTextFormat(Qt::PlainText);
    label.setAlignment(((def.flags & Centred) ? Qt::AlignHCenter : Qt::AlignLeft) |
                       Qt::AlignTop);
    label.setText(Text(def.text));
    if (!(def.flags & FixedSize))
        FitToText(label);
}

void SetUpPicture(QLabel& picture, const ControlDef& def)
{
    const QPixmap pixmap = LoadPicture(Text(def.text), picture.devicePixelRatioF());
    picture.setPixmap(pixmap);
    if (!pixmap.isNull())
        picture.resize(pixmap.deviceIndependentSize().toSize());
}

// The C strings of an XPM file, in order; comments may sit between them.
std::vector<std::string_view> XpmStrings(const QByteArray& source)
{
    std::vector<std::string_view> strings;
    const std::string_view text(source.constData(), std::size_t(source.size()));
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "/*") == 0) {
            const std::size_t end = text.find("*/", i + 2);
            if (end == std::string_view::npos)
                return {};
            i = end + 1;
        } else if (text[i] == '"') {
            const std::size_t end = text.find('"', i + 1);
            if (end == std::string_view::npos)
                return {};
            strings.push_back(text.substr(i + 1, end - i - 1));
            i = end;
        }
    }
    return strings;
}

// The colour of an XPM colour line after its pixel character: the value of its "c" key,
// such as "#C0C0C0", "white" or "None" (transparent).
std::optional<QRgb> XpmColour(std::string_view keys)
{
    const QStringList words = QString::fromLatin1(keys.data(), qsizetype(keys.size()))
                                  .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const qsizetype key = words.indexOf(QStringLiteral("c"));
    if (key < 0 || key + 1 >= words.size())
        return std::nullopt;
    QStringList name;
    for (qsizetype i = key + 1; i < words.size(); ++i) {
        const QString& word = words[i];
        if (word == u"m" || word == u"g" || word == u"g4" || word == u"s")
            break;
        name.append(word);
    }
    const QString value = name.join(QLatin1Char(' '));
    if (value.compare(u"None", Qt::CaseInsensitive) == 0)
        return qRgba(0, 0, 0, 0);
    const QColor colour = QColor::fromString(value);
    if (!colour.isValid())
        return std::nullopt;
    return colour.rgba();
}

// Tab stops inside a group box follow the group box's own place in the window's order.
std::vector<QWidget*> TabChain(std::span<const ControlDef> controls,
                               const QHash<QString, QWidget*>& widgets)
{
    QHash<QString, int> windowOrder;
    for (const ControlDef& def : controls) {
        if (!def.parent && def.tabOrder != NoTabStop)
            windowOrder.insert(Text(def.name), def.tabOrder);
    }
    struct Stop {
        int windowPlace;
        int place;
        QWidget* widget;
    };
    std::vector<Stop> stops;
    for (const ControlDef& def : controls) {
        if (def.tabOrder == NoTabStop || def.kind == ControlKind::GroupBox)
            continue;
        QWidget* widget = widgets.value(Text(def.name));
        if (def.parent)
            stops.push_back({windowOrder.value(Text(def.parent)), def.tabOrder, widget});
        else
            stops.push_back({def.tabOrder, -1, widget});
    }
    std::sort(stops.begin(), stops.end(), [](const Stop& a, const Stop& b) {
        return a.windowPlace != b.windowPlace ? a.windowPlace < b.windowPlace
                                              : a.place < b.place;
    });
    std::vector<QWidget*> chain;
    for (const Stop& stop : stops)
        chain.push_back(stop.widget);
    return chain;
}

}  // namespace

QFont WindowFont(const FontDef& def, bool anyScript)
{
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
    // Two start-up costs the window does without: looking up fallback faces (its texts are
    // Latin, Cyrillic and digits, which the face covers) and the hinter's analysis of each
    // face, which changes little at these sizes with antialiased text.
    font.setStyleHint(QFont::SansSerif, anyScript ? QFont::PreferDefault : QFont::NoFontMerging);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setPixelSize(def.pixelSize > 0 ? def.pixelSize : 11);
    font.setBold(def.bold);
    font.setUnderline(def.underline);
    return font;
}

QIcon WindowIcon(const WindowDef& window)
{
    QIcon icon;
    for (const IconFile& file : window.iconFiles)
        icon.addFile(Text(file.path), QSize(file.size, file.size));
    return icon;
}

QImage ReadXpm(const QString& path)
{
    const QResource resource(path);
    if (!resource.isValid())
        return QImage();
    const QByteArray source = resource.uncompressedData();
    const std::vector<std::string_view> strings = XpmStrings(source);
    int width = 0, height = 0, colours = 0, charsPerPixel = 0;
    if (strings.empty() ||
        std::sscanf(std::string(strings.front()).c_str(), "%d %d %d %d", &width, &height,
                    &colours, &charsPerPixel) != 4 ||
        width <= 0 || height <= 0 || colours <= 0 ||
        std::size_t(1) + std::size_t(colours) + std::size_t(height) > strings.size())
        return QImage();
    if (charsPerPixel != 1)
        return QImage(path);
    if (colours > 256)
        return QImage();

    // One character per pixel: the character indexes a colour table directly.
    std::array<int, 256> index;
    index.fill(-1);
    QList<QRgb> table;
    for (int i = 0; i < colours; ++i) {
        const std::string_view line = strings[std::size_t(1 + i)];
        const std::optional<QRgb> colour = line.empty() ? std::nullopt : XpmColour(line.substr(1));
        if (!colour)
            return QImage();
        index[static_cast<unsigned char>(line.front())] = i;
        table.append(*colour);
    }
    QImage image(width, height, QImage::Format_Indexed8);
    image.setColorTable(table);
    for (int y = 0; y < height; ++y) {
        const std::string_view row = strings[std::size_t(1 + colours + y)];
        if (row.size() < std::size_t(width))
            return QImage();
        uchar* pixels = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const int colour = index[static_cast<unsigned char>(row[std::size_t(x)])];
            if (colour < 0)
                return QImage();
            pixels[x] = uchar(colour);
        }
    }
    return image;
}

void SetApplicationLook(const WindowDef& window)
{
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Windows")))
        QApplication::setStyle(style);
    QApplication::setFont(WindowFont(window.font));
}

QPixmap LoadPicture(const QString& path, qreal devicePixelRatio)
{
    if (devicePixelRatio > 1) {
        QString dense = path;
        dense.insert(dense.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
        QPixmap pixmap = QPixmap::fromImage(ReadXpm(dense));
        if (!pixmap.isNull()) {
            pixmap.setDevicePixelRatio(2);
            return pixmap;
        }
    }
    return QPixmap::fromImage(ReadXpm(path));
}

void FitToText(QLabel& label)
{
    label.resize(label.sizeHint());
}

void BuildForm(QWidget& window, const WindowDef& definition,
               std::span<const ControlDef> controls)
{
    window.setObjectName(Text(definition.name));
    window.setWindowTitle(Text(definition.caption));
    window.setFixedSize(definition.clientSize);
    window.setFont(WindowFont(definition.font));

    QHash<QString, QWidget*> widgets;
    QHash<QWidget*, QButtonGroup*> radioGroups;
    for (const ControlDef& def : controls) {
        QWidget* parent = def.parent ? widgets.value(Text(def.parent)) : &window;
        if (!parent)
            qFatal("The window definition places %s before its parent %s", def.name, def.parent);
        QWidget* widget = CreateControl(def, parent);
        // Before anything that could make a screen reader ask for the control.
        if (def.flags & Announced) {
            auto* label = qobject_cast<QLabel*>(widget);
            if (!label)
                qFatal("The window definition announces %s, which is no label", def.name);
            AnnounceWhenShown(*label);
        }
        widget->setObjectName(Text(def.name));
        widgets.insert(widget->objectName(), widget);
        widget->setGeometry(def.rect);
        if (def.font.pixelSize > 0)
            widget->setFont(WindowFont(def.font));
        SetColours(*widget, def);
        SetAccessibleTexts(*widget, def.access);

        switch (def.kind) {
        case ControlKind::Label:
        case ControlKind::Link:
            SetUpLabel(static_cast<QLabel&>(*widget), def);
            break;
        case ControlKind::Picture:
            SetUpPicture(static_cast<QLabel&>(*widget), def);
            break;
        case ControlKind::Edit:
            static_cast<FieldEdit*>(widget)->setProgramText(Text(def.text));
            break;
        case ControlKind::RadioButton: {
            // One exclusive group per parent: auto-exclusive buttons would also see the
            // buttons of a child group box as their siblings.
            QButtonGroup*& group = radioGroups[parent];
            if (!group)
                group = new QButtonGroup(parent);
            auto* radio = static_cast<QRadioButton*>(widget);
            group->addButton(radio);
            // Tab stops at the selected button of a pair only; the arrow keys move within it.
            QObject::connect(radio, &QAbstractButton::toggled, radio, [radio](bool selected) {
                radio->setFocusPolicy(selected ? Qt::StrongFocus : Qt::ClickFocus);
            });
            radio->setChecked(def.flags & Checked);
            radio->setFocusPolicy(radio->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
            break;
        }
        case ControlKind::PushButton:
            static_cast<QPushButton*>(widget)->setDefault(def.flags & DefaultButton);
            break;
        case ControlKind::GroupBox:
            break;
        }
        if (def.flags & Hidden)
            widget->hide();
    }

    const std::vector<QWidget*> chain = TabChain(controls, widgets);
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

}  // namespace ui

#include "ui/form_builder.h"

#include <algorithm>
#include <vector>

#include <QtCore/QHash>
#include <QtGui/QFont>
#include <QtGui/QIcon>
#include <QtGui/QPalette>
#include <QtGui/QPixmap>
#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>

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

QFont WindowFont(const FontDef& def)
{
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(def.pixelSize > 0 ? def.pixelSize : 11);
    font.setBold(def.bold);
    font.setUnderline(def.underline);
    return font;
}

QIcon WindowIcon(const WindowDef& window)
{
    QIcon icon;
    for (const char* file : window.iconFiles)
        icon.addFile(Text(file));
    return icon;
}

QPixmap LoadPicture(const QString& path, qreal devicePixelRatio)
{
    if (devicePixelRatio > 1) {
        QString dense = path;
        dense.insert(dense.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
        QPixmap pixmap(dense);
        if (!pixmap.isNull()) {
            pixmap.setDevicePixelRatio(2);
            return pixmap;
        }
    }
    return QPixmap(path);
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
    window.setWindowIcon(WindowIcon(definition));

    QHash<QString, QWidget*> widgets;
    QHash<QWidget*, QButtonGroup*> radioGroups;
    for (const ControlDef& def : controls) {
        QWidget* parent = def.parent ? widgets.value(Text(def.parent)) : &window;
        Q_ASSERT_X(parent, def.name, "parent defined later than its child");
        QWidget* widget = CreateControl(def, parent);
        widget->setObjectName(Text(def.name));
        widgets.insert(widget->objectName(), widget);
        widget->setGeometry(def.rect);
        if (def.font.pixelSize > 0)
            widget->setFont(WindowFont(def.font));
        SetColours(*widget, def);

        switch (def.kind) {
        case ControlKind::Label:
        case ControlKind::Link:
            SetUpLabel(static_cast<QLabel&>(*widget), def);
            break;
        case ControlKind::Picture:
            SetUpPicture(static_cast<QLabel&>(*widget), def);
            break;
        case ControlKind::Edit:
            static_cast<FieldEdit*>(widget)->setText(Text(def.text));
            break;
        case ControlKind::RadioButton: {
            // One exclusive group per parent: auto-exclusive buttons would also see the
            // buttons of a child group box as their siblings.
            QButtonGroup*& group = radioGroups[parent];
            if (!group)
                group = new QButtonGroup(parent);
            auto* radio = static_cast<QRadioButton*>(widget);
            group->addButton(radio);
            radio->setChecked(def.flags & Checked);
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

// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "ui/form_builder.h"

#include <QtCore/QHash>
#include <QtGui/QFont>
#include <QtGui/QPalette>
#include <QtGui/QPixmap>
#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>

#include "ui/accessibility.h"
#include "ui/field_edit.h"
#include "ui/link_label.h"
#include "ui/readable_colour.h"
#include "ui/window_look.h"
#include "ui/xpm_image.h"

namespace ui {
namespace {

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// A click anywhere in the button's rectangle selects it, not only on its circle or its text.
class UnitButton : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

QWidget* CreateControl(const ControlDef& def, QWidget* parent)
{
    switch (def.kind) {
    case ControlKind::Label: return new QLabel(parent);
    case ControlKind::Link: return new LinkLabel(parent);
    case ControlKind::GroupBox: return new QGroupBox(Text(def.text), parent);
    case ControlKind::Picture: return new QLabel(parent);
    case ControlKind::Edit: return new FieldEdit(parent);
    case ControlKind::RadioButton: return new UnitButton(Text(def.text), parent);
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

// A fixed text colour on a background of its own stays as defined; on the colour scheme's
// background (its parent's, which it is drawn on) it becomes a shade that stays readable there.
QColor TextColourOf(const ControlDef& def, const QWidget& widget)
{
    const QColor text(def.textColour);
    if (def.background != SystemColour || !widget.parentWidget())
        return text;
    return ReadableShade(text, widget.parentWidget()->palette().color(QPalette::Window));
}

void SetColours(QWidget& widget, const ControlDef& def)
{
    if (def.textColour == SystemColour && def.background == SystemColour)
        return;
    QPalette palette = widget.palette();
    if (def.textColour != SystemColour)
        palette.setColor(QPalette::WindowText, TextColourOf(def, widget));
    if (def.background != SystemColour)
        palette.setColor(QPalette::Window, QColor(def.background));
    widget.setPalette(palette);
    widget.setAutoFillBackground(def.flags & Opaque);
}

void SetUpLabel(QLabel& label, const ControlDef& def)
{
    label.setTextFormat(Qt::PlainText);
    label.setAlignment(((def.flags & Centred) ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
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

}  // namespace

void KeepFixedColoursReadable(QWidget& window, std::span<const ControlDef> controls)
{
    for (const ControlDef& def : controls) {
        if (def.textColour == SystemColour || def.background != SystemColour)
            continue;
        QWidget* widget = window.findChild<QWidget*>(Text(def.name));
        if (!widget)
            continue;
        QPalette palette = widget->palette();
        palette.setColor(QPalette::WindowText, TextColourOf(def, *widget));
        widget->setPalette(palette);
    }
}

void FitToText(QLabel& label)
{
    label.resize(label.sizeHint());
}

void BuildForm(QWidget& window, const WindowDef& definition, std::span<const ControlDef> controls)
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
        if (def.flags & Reviewable) {
            auto* label = qobject_cast<QLabel*>(widget);
            if (!label)
                qFatal("The window definition has %s reviewed, which is no label", def.name);
            ReviewWhenShown(*label);
        }
        if (def.kind == ControlKind::Edit)
            ReadFieldsWhole();
        widget->setObjectName(Text(def.name));
        widgets.insert(widget->objectName(), widget);
        widget->setGeometry(def.rect);
        if (def.font.pixelSize > 0)
            widget->setFont(WindowFont(def.font));
        SetColours(*widget, def);
        SetAccessibleTexts(*widget, def.access);

        switch (def.kind) {
        case ControlKind::Label:
        case ControlKind::Link: SetUpLabel(static_cast<QLabel&>(*widget), def); break;
        case ControlKind::Picture: SetUpPicture(static_cast<QLabel&>(*widget), def); break;
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
        case ControlKind::GroupBox: break;
        }
        if (def.flags & Hidden)
            widget->hide();
    }

    QWidget* previous = nullptr;
    for (const char* name : definition.tabOrder) {
        QWidget* next = widgets.value(Text(name));
        if (!next)
            qFatal("The window definition's tab order names %s, which it does not define", name);
        if (previous)
            QWidget::setTabOrder(previous, next);
        previous = next;
    }
}

}  // namespace ui

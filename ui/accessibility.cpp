// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "ui/accessibility.h"

#include <QtCore/QEvent>
#include <QtCore/QPointer>
#include <QtCore/QVariant>
#include <QtDBus/QDBusConnection>
#include <QtDBus/QDBusMessage>
#include <QtDBus/QDBusVariant>
#include <QtGui/QFontMetrics>
#include <QtWidgets/QAbstractItemView>
#include <QtWidgets/QAccessibleWidget>
#include <QtWidgets/QLabel>
#include <QtWidgets/QWidget>

#include "ui/field_edit.h"

namespace ui {
namespace {

constexpr const char* AnnouncedProperty = "announcedWhenShown";
constexpr const char* ReadWholeProperty = "readWhole";
constexpr const char* AnnouncementName = "screenReaderAnnouncement";

// Qt's own interface for a label reports a static text, which screen readers pass over when
// it appears.
class NoticeInterface : public QAccessibleWidget {
public:
    explicit NoticeInterface(QLabel* label)
        : QAccessibleWidget(label, QAccessible::Notification) { }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const QLabel*>(widget())->text();
        return QAccessibleWidget::text(kind);
    }
};

// An input field as Qt describes a line edit (editable text, its text as value, selection,
// caret, editing), except for the attribute run: one run of no attributes over the whole
// text, where Qt reports an empty run at the offset asked for.
class FieldInterface : public QAccessibleWidget,
                       public QAccessibleTextInterface,
                       public QAccessibleEditableTextInterface {
public:
    explicit FieldInterface(QLineEdit* field) : QAccessibleWidget(field, QAccessible::EditableText)
    {
    }

    QLineEdit* field() const { return static_cast<QLineEdit*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value && !field()->text().isEmpty())
            return field()->text();
        return QAccessibleWidget::text(kind);
    }

    void setText(QAccessible::Text kind, const QString& text) override
    {
        if (kind == QAccessible::Value)
            field()->setText(text);
        else
            QAccessibleWidget::setText(kind, text);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        if (field()->isReadOnly())
            state.readOnly = true;
        else
            state.editable = true;
        state.selectableText = true;
        return state;
    }

    // Text.
    QString attributes(int offset, int* startOffset, int* endOffset) const override
    {
        const int length = characterCount();
        if (offset < 0 || offset > length) {
            *startOffset = *endOffset = -1;
            return QString();
        }
        *startOffset = 0;
        *endOffset = length;
        return QString();
    }

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = 0;
        if (selectionIndex != 0 || !field()->hasSelectedText())
            return;
        *startOffset = field()->selectionStart();
        *endOffset = *startOffset + int(field()->selectedText().size());
    }
    int selectionCount() const override { return field()->hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override
    {
        setSelection(0, startOffset, endOffset);
    }
    void removeSelection(int selectionIndex) override
    {
        if (selectionIndex == 0)
            field()->deselect();
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override
    {
        if (selectionIndex == 0)
            field()->setSelection(startOffset, endOffset - startOffset);
    }
    int cursorPosition() const override { return field()->cursorPosition(); }
    void setCursorPosition(int position) override { field()->setCursorPosition(position); }
    QString text(int startOffset, int endOffset) const override
    {
        if (startOffset > endOffset)
            return QString();
        return field()->text().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(field()->text().size()); }
    // Measured from the start of the text with the field's font, as the field lays it out.
    QRect characterRect(int offset) const override
    {
        const QString text = field()->text();
        if (offset < 0 || offset >= text.size())
            return QRect();
        const QFontMetrics metrics(field()->font());
        constexpr int FrameMargin = 2;  // QLineEdit's horizontal margin inside its frame
        const QRect inside = field()->contentsRect();
        const int left = inside.left() + field()->textMargins().left() + FrameMargin +
                         metrics.horizontalAdvance(text.left(offset));
        const int top = inside.top() + (inside.height() - metrics.height()) / 2;
        const QRect local(left, top, metrics.horizontalAdvance(text.at(offset)), metrics.height());
        return QRect(field()->mapToGlobal(local.topLeft()), local.size());
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return field()->cursorPositionAt(field()->mapFromGlobal(point));
    }
    void scrollToSubstring(int startIndex, int endIndex) override
    {
        field()->setCursorPosition(endIndex);
        field()->setCursorPosition(startIndex);
    }

    // Editable text: as the program would set it, through the field's own change handling.
    void deleteText(int startOffset, int endOffset) override
    {
        field()->setText(field()->text().remove(startOffset, endOffset - startOffset));
    }
    void insertText(int offset, const QString& text) override
    {
        field()->setText(field()->text().insert(offset, text));
    }
    void replaceText(int startOffset, int endOffset, const QString& text) override
    {
        field()->setText(field()->text().replace(startOffset, endOffset - startOffset, text));
    }
};

// The window's spoken announcements: an accessible object with no widget behind it, so
// that announcing draws nothing and moves no focus. Its parent is the window, but the window
// does not list it among its children: it is said, not browsed.
class AnnouncementInterface : public QAccessibleInterface {
public:
    explicit AnnouncementInterface(QWidget* window) : window_(window) { }

    void turnShowing(const QString& text)
    {
        text_ = text;
        showing_ = true;
    }
    void turnHidden() { showing_ = false; }
    bool showing() const { return showing_; }

    bool isValid() const override { return !window_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return window_ ? window_->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override
    {
        return window_ ? QAccessible::queryAccessibleInterface(window_.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? text_ : QString();
    }
    void setText(QAccessible::Text, const QString&) override { }
    QRect rect() const override { return QRect(); }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible = !showing_;
        return state;
    }

private:
    QPointer<QWidget> window_;
    QString text_;
    bool showing_ = false;
};

// Keeps the window's announcement object registered for as long as the window lives.
class AnnouncementOwner : public QObject {
public:
    explicit AnnouncementOwner(QWidget& window)
        : QObject(&window), interface_(new AnnouncementInterface(&window))
    {
        setObjectName(QLatin1String(AnnouncementName));
        id_ = QAccessible::registerAccessibleInterface(interface_);
    }
    ~AnnouncementOwner() override { QAccessible::deleteAccessibleInterface(id_); }

    AnnouncementInterface& interface() { return *interface_; }

private:
    AnnouncementInterface* interface_;  // owned by Qt's registry once registered
    QAccessible::Id id_;
};

QAccessibleInterface* WindowFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("QLabel") && object->property(AnnouncedProperty).toBool())
        return new NoticeInterface(static_cast<QLabel*>(object));
    if (className == QLatin1String(FieldEdit::staticMetaObject.className()))
        return new FieldInterface(static_cast<FieldEdit*>(object));
    if (className == QLatin1String("QLineEdit") && object->property(ReadWholeProperty).toBool())
        return new FieldInterface(static_cast<QLineEdit*>(object));
    return nullptr;
}

void InstallFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(WindowFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void Notify(AnnouncementInterface& announcement, QAccessible::Event type)
{
    QAccessibleEvent event(&announcement, type);
    QAccessible::updateAccessibility(&event);
}

// Qt's AT-SPI bridge reports only the "showing" change when a widget appears or hides.
// Clients that cache states (libatspi, and so Orca) then keep a notice that was hidden when
// first read as showing but not visible, and flat review passes over it. The missing
// "visible" change goes out on the bridge's own connection to the accessibility bus (Qt
// names it "a11y"), from the path the bridge gives the label.
class VisibleReporter : public QObject {
public:
    explicit VisibleReporter(QLabel& notice) : QObject(&notice) { notice.installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if ((event->type() == QEvent::Show || event->type() == QEvent::Hide) &&
            QAccessible::isActive())
            report(*static_cast<QWidget*>(watched), event->type() == QEvent::Show);
        return false;
    }

private:
    static void report(QWidget& notice, bool visible)
    {
        QDBusConnection bus(QStringLiteral("a11y"));
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&notice);
        if (!bus.isConnected() || !iface)
            return;
        const QString path = QStringLiteral("/org/a11y/atspi/accessible/") +
                             QString::number(QAccessible::uniqueId(iface));
        QDBusMessage change = QDBusMessage::createSignal(
            path, QStringLiteral("org.a11y.atspi.Event.Object"), QStringLiteral("StateChanged"));
        change << QStringLiteral("visible") << int(visible) << 0
               << QVariant::fromValue(QDBusVariant(0)) << QVariantMap();
        bus.send(change);
    }
};

// Once the view's own focus has been reported: the current cell as the focus.
class CurrentCellReporter : public QObject {
public:
    explicit CurrentCellReporter(QAbstractItemView& view) : QObject(&view)
    {
        view.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn && QAccessible::isActive())
            QMetaObject::invokeMethod(this, &CurrentCellReporter::report, Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }

private:
    void report()
    {
        auto& view = *static_cast<QAbstractItemView*>(parent());
        const QModelIndex current = view.currentIndex();
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&view);
        if (!view.hasFocus() || !current.isValid() || !table || !table->tableInterface())
            return;
        QAccessibleInterface* cell =
            table->tableInterface()->cellAt(current.row(), current.column());
        if (!cell)
            return;
        QAccessibleEvent focus(&view, QAccessible::Focus);
        focus.setChild(table->indexOfChild(cell));
        QAccessible::updateAccessibility(&focus);
    }
};

}  // namespace

void AnnounceWhenShown(QLabel& label)
{
    InstallFactory();
    label.setProperty(AnnouncedProperty, true);
    new VisibleReporter(label);
}

void ReviewWhenShown(QLabel& label)
{
    new VisibleReporter(label);
}

void ReadFieldsWhole()
{
    InstallFactory();
}

void ReadWhole(QLineEdit& field)
{
    InstallFactory();
    field.setProperty(ReadWholeProperty, true);
}

void SayCurrentCellOnFocus(QAbstractItemView& view)
{
    new CurrentCellReporter(view);
}

void Announce(QWidget& window, const QString& text)
{
    if (!QAccessible::isActive())
        return;
    auto* owner = dynamic_cast<AnnouncementOwner*>(
        window.findChild<QObject*>(QLatin1String(AnnouncementName), Qt::FindDirectChildrenOnly));
    if (!owner)
        owner = new AnnouncementOwner(window);
    AnnouncementInterface& announcement = owner->interface();
    // A screen reader speaks a notification when it turns showing, so each announcement
    // starts from hidden.
    if (announcement.showing()) {
        announcement.turnHidden();
        Notify(announcement, QAccessible::ObjectHide);
    }
    announcement.turnShowing(text);
    Notify(announcement, QAccessible::ObjectShow);
}

}  // namespace ui

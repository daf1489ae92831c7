#include "ui/accessibility.h"

#include <QtCore/QVariant>
#include <QtWidgets/QAccessibleWidget>
#include <QtWidgets/QLabel>

namespace ui {
namespace {

constexpr const char* AnnouncedProperty = "announcedWhenShown";

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

QAccessibleInterface* NoticeFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("QLabel") && object->property(AnnouncedProperty).toBool())
        return new NoticeInterface(static_cast<QLabel*>(object));
    return nullptr;
}

}  // namespace

void AnnounceWhenShown(QLabel& label)
{
    static const bool installed = [] {
        QAccessible::installFactory(NoticeFactory);
        return true;
    }();
    Q_UNUSED(installed);
    label.setProperty(AnnouncedProperty, true);
}

}  // namespace ui

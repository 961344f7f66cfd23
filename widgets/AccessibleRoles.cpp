// SPDX-License-Identifier: MIT
#include "AccessibleRoles.h"

#include "CaptionFrame.h"
#include "ColourBox.h"
#include "RuleLine.h"

#include <QAccessibleWidget>
#include <QDialog>
#include <QMenu>
#include <algorithm>

namespace AccessibleRoles {

namespace {

// A container whose children are listed in reading order, decorations left out.
class ReadingOrder : public QAccessibleWidget
{
public:
    ReadingOrder(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    int childCount() const override { return static_cast<int>(Children().size()); }

    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> children = Children();
        return index >= 0 && index < children.size()
                   ? QAccessible::queryAccessibleInterface(children.at(index))
                   : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child == nullptr ? -1 : static_cast<int>(Children().indexOf(child->object()));
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name) {
            if (const auto* frame = qobject_cast<const QGroupBox*>(widget())) {
                return QString(frame->title()).remove(u'&');
            }
        }
        return QAccessibleWidget::text(kind);
    }

private:
    QList<QWidget*> Children() const
    {
        QList<QWidget*> children;
        for (QObject* object : widget()->children()) {
            auto* child = qobject_cast<QWidget*>(object);
            if (child != nullptr && !child->isWindow() && !child->isHidden() &&
                !qobject_cast<RuleLine*>(child) && !qobject_cast<QMenu*>(child)) {
                children << child;
            }
        }
        // Top to bottom; controls whose tops lie within a few pixels (a box
        // and the button beside it) stand in one row, read left to right.
        std::stable_sort(children.begin(), children.end(),
                         [](QWidget* a, QWidget* b) { return a->y() < b->y(); });
        for (qsizetype row = 0; row < children.size();) {
            qsizetype end = row + 1;
            while (end < children.size() && children[end]->y() - children[row]->y() <= 4) {
                ++end;
            }
            std::stable_sort(children.begin() + row, children.begin() + end,
                             [](QWidget* a, QWidget* b) { return a->x() < b->x(); });
            row = end;
        }
        return children;
    }
};

QAccessibleInterface* Factory(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr) {
        return nullptr;
    }
    if (className == QLatin1String("ColourBox")) {
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    }
    if (className == QLatin1String("CaptionFrame")) {
        return new ReadingOrder(widget, QAccessible::Grouping);
    }
    // The program's own windows are plain widgets; dialogs keep Qt's role.
    if (className == QLatin1String("QWidget") && widget->isWindow() &&
        !qobject_cast<QDialog*>(widget)) {
        return new ReadingOrder(widget, QAccessible::Window);
    }
    return nullptr;
}

} // namespace

void Install()
{
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    Q_UNUSED(installed)
}

} // namespace AccessibleRoles

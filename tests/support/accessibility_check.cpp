#include "accessibility_check.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QLabel>
#include <QTextDocument>
#include <QWidget>

namespace test {
namespace {

QString describe(const QAccessibleInterface* iface)
{
    const QObject* object = iface->object();
    QString name = object ? object->objectName() : QString();
    if (name.isEmpty())
        name = QStringLiteral("(unnamed)");
    return name + QStringLiteral(" [") + QLatin1String(object ? object->metaObject()->className() : "?") +
           QLatin1Char(']');
}

// A control is reached with Tab when it is shown in its window, takes the focus from the
// keyboard and does not hand its focus on to another control.
bool reachedWithTab(const QWidget* widget, const QWidget* window)
{
    return widget != window && widget->isVisibleTo(window) && (widget->focusPolicy() & Qt::TabFocus) &&
           !widget->focusProxy();
}

bool hasOwnName(QAccessibleInterface* iface, const QWidget* widget)
{
    if (!widget->accessibleName().trimmed().isEmpty())
        return true;
    // A label that names it (label->setBuddy(control)).
    for (const auto& [label, relation] : iface->relations(QAccessible::Label)) {
        if (label && !label->text(QAccessible::Name).trimmed().isEmpty())
            return true;
    }
    const QString name = iface->text(QAccessible::Name).trimmed();
    return !name.isEmpty() && name != iface->text(QAccessible::Value).trimmed();
}

void checkWindow(QAccessibleInterface* iface, const QWidget* window, QStringList& problems)
{
    const bool dialog = window->windowType() == Qt::Dialog;
    const QAccessible::Role expected = dialog ? QAccessible::Dialog : QAccessible::Window;
    if (iface->role() != expected)
        problems << describe(iface) + QStringLiteral(": window announced with role ") + QString::number(iface->role()) +
                        QStringLiteral(", expected ") + (dialog ? QStringLiteral("Dialog") : QStringLiteral("Window"));
    if (iface->text(QAccessible::Name).trimmed().isEmpty())
        problems << describe(iface) + QStringLiteral(": window without a name (title)");
}

void checkControl(QAccessibleInterface* iface, const QWidget* widget, QStringList& problems)
{
    if (!hasOwnName(iface, widget))
        problems << describe(iface) + QStringLiteral(": control reached with Tab has no name");
    switch (iface->role()) {
    case QAccessible::NoRole:
    case QAccessible::Client:
    case QAccessible::Pane:
    case QAccessible::Window:
        problems << describe(iface) + QStringLiteral(": control reached with Tab has the role ") +
                        QString::number(iface->role()) + QStringLiteral(" of a plain panel");
        break;
    default:
        break;
    }
}

// A text as read aloud: mnemonic marks and runs of blanks and line breaks do not count.
QString spoken(QString text)
{
    return text.remove(QLatin1Char('&')).simplified();
}

// A label is announced by what it shows: a text the program changes must not hide behind a
// fixed name.
void checkLabel(QAccessibleInterface* iface, const QLabel* label, QStringList& problems)
{
    QString shown = label->text();
    if (label->textFormat() == Qt::RichText || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(shown))) {
        QTextDocument document;
        document.setHtml(shown);
        shown = document.toPlainText();
    }
    const QString announced = iface->text(QAccessible::Name);
    if (spoken(announced) != spoken(shown))
        problems << describe(iface) + QStringLiteral(": label shows \"") + spoken(shown) +
                        QStringLiteral("\" but is announced as \"") + spoken(announced) + QStringLiteral("\"");
}

// A control given a name (by its label or its accessible name) is announced by it, whatever it
// holds: a list is not called by the item it shows.
void checkNamedControl(QAccessibleInterface* iface, const QWidget* widget, QStringList& problems)
{
    QString given = spoken(widget->accessibleName());
    if (given.isEmpty()) {
        const auto labels = widget->window()->findChildren<QLabel*>();
        for (const QLabel* label : labels) {
            if (label->buddy() == widget && given.isEmpty())
                given = spoken(label->text());
        }
    }
    if (given.isEmpty())
        return;
    const QString announced = spoken(iface->text(QAccessible::Name));
    if (announced != given)
        problems << describe(iface) + QStringLiteral(": named \"") + given + QStringLiteral("\" but announced as \"") +
                        announced + QStringLiteral("\"");
}

void walk(QAccessibleInterface* iface, const QWidget* window, QStringList& problems, QStringList& names)
{
    if (!iface || !iface->isValid())
        return;
    const QString name = iface->text(QAccessible::Name);
    if (!name.isEmpty())
        names << name;
    if (auto* widget = qobject_cast<QWidget*>(iface->object())) {
        if (widget != window && !widget->isVisibleTo(window))
            return; // hidden: neither read nor reached
        if (reachedWithTab(widget, window)) {
            checkControl(iface, widget, problems);
            checkNamedControl(iface, widget, problems);
        }
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            checkLabel(iface, label, problems);
    }
    for (int i = 0; i < iface->childCount(); ++i)
        walk(iface->child(i), window, problems, names);
}

struct Reading
{
    QStringList problems;
    QStringList names;
};

Reading read(QWidget* window)
{
    Reading r;
    if (!window) {
        r.problems << QStringLiteral("no window");
        return r;
    }
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(window);
    if (!iface) {
        r.problems << QStringLiteral("window has no accessible interface");
        return r;
    }
    checkWindow(iface, window, r.problems);
    walk(iface, window, r.problems, r.names);
    return r;
}

} // namespace

QStringList accessibilityProblems(QWidget* window)
{
    return read(window).problems;
}

QStringList accessibleNames(QWidget* window)
{
    return read(window).names;
}

::testing::AssertionResult isAccessible(QWidget* window)
{
    const QStringList problems = accessibilityProblems(window);
    if (problems.isEmpty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << (window ? window->objectName().toStdString() : std::string("null"))
                                         << " is not accessible:\n  "
                                         << problems.join(QStringLiteral("\n  ")).toStdString();
}

} // namespace test

#include "accessibility_check.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QLabel>
#include <QTextDocument>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace test {
namespace {

QString describe(const QAccessibleInterface* iface)
{
    const QObject* object = iface->object();
    QString name = object ? object->objectName() : QString();
    if (name.isEmpty())
        name = u"(unnamed)"_s;
    return name + u" ["_s + QLatin1String(object ? object->metaObject()->className() : "?") + u']';
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
        problems << describe(iface) + u": window announced with role "_s + QString::number(iface->role()) +
                        u", expected "_s + (dialog ? u"Dialog"_s : u"Window"_s);
    if (iface->text(QAccessible::Name).trimmed().isEmpty())
        problems << describe(iface) + u": window without a name (title)"_s;
}

void checkControl(QAccessibleInterface* iface, const QWidget* widget, QStringList& problems)
{
    if (!hasOwnName(iface, widget))
        problems << describe(iface) + u": control reached with Tab has no name"_s;
    switch (iface->role()) {
    case QAccessible::NoRole:
    case QAccessible::Client:
    case QAccessible::Pane:
    case QAccessible::Window:
        problems << describe(iface) + u": control reached with Tab has the role "_s + QString::number(iface->role()) +
                        u" of a plain panel"_s;
        break;
    default:
        break;
    }
}

// A text as read aloud: mnemonic marks and runs of blanks and line breaks do not count.
QString spoken(QString text)
{
    return text.remove(u'&').simplified();
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
        problems << describe(iface) + u": label shows \""_s + spoken(shown) + u"\" but is announced as \""_s +
                        spoken(announced) + u"\""_s;
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
        problems << describe(iface) + u": named \""_s + given + u"\" but announced as \""_s + announced + u"\""_s;
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
        r.problems << u"no window"_s;
        return r;
    }
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(window);
    if (!iface) {
        r.problems << u"window has no accessible interface"_s;
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
                                         << " is not accessible:\n  " << problems.join(u"\n  "_s).toStdString();
}

} // namespace test

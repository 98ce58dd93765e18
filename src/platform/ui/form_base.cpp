#include "form_base.h"

#include "accessible_combo.h"
#include "data_control.h"
#include "key_codes.h"
#include "screen_fit.h"
#include "text_box.h"
#include "window_place.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPointer>
#include <utility>

namespace ui {
namespace {

FormBase::ModalHandler& modalHandler()
{
    static FormBase::ModalHandler handler;
    return handler;
}

// Gives every key event that reaches the focused control of a form to that form first.
class KeyPreviewFilter : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
            return false;
        if (!watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        auto* form = qobject_cast<FormBase*>(widget->window());
        if (!form || !form->keyPreview())
            return false;
        // Only the first receiver: the focused control, or the form when nothing in it has the
        // focus. A key ignored by a control travels up to its parents; those are not previewed.
        QWidget* focus = form->focusWidget();
        if (focus ? widget != focus : widget != form)
            return false;
        return form->previewKey(static_cast<QKeyEvent*>(event));
    }
};

void installKeyPreview()
{
    static KeyPreviewFilter* filter = nullptr;
    if (!filter) {
        filter = new KeyPreviewFilter;
        filter->setParent(qApp);
        qApp->installEventFilter(filter);
    }
}

// A form that is a window of its own is announced as a window, not as a dialog: every form is
// a QDialog, whose accessible role would otherwise be Dialog.
QAccessibleInterface* formAccessible(const QString& key, QObject* object)
{
    auto* form = qobject_cast<FormBase*>(object);
    if (!form || form->isDialogForm() || key != QLatin1String(object->metaObject()->className()))
        return nullptr;
    return new QAccessibleWidget(form, QAccessible::Window);
}

void installFormAccessible()
{
    static bool installed = false;
    if (!installed) {
        installed = true;
        QAccessible::installFactory(formAccessible);
        installAccessibleCombos();
    }
}

} // namespace

FormBase::FormBase(QWidget* parent, Qt::WindowFlags flags) : QDialog(parent, flags)
{
    setSizeGripEnabled(false);
    installKeyPreview();
    installFormAccessible();
    keepPlaceWhenShownAgain(this);
}

FormBase::~FormBase()
{
    if (m_modalLoop)
        m_modalLoop->quit();
}

FormBase::ModalHandler FormBase::setModalHandler(ModalHandler handler)
{
    return std::exchange(modalHandler(), std::move(handler));
}

void FormBase::load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    Form_Load();
}

void FormBase::showModeless()
{
    load();
    show();
    raise();
    activateWindow();
}

void FormBase::showModal()
{
    load();
    if (modalHandler()) {
        QPointer<FormBase> self(this);
        show();
        modalHandler()(*this);
        if (self && isVisible()) {
            close();
            if (self && isVisible())
                hide(); // the form refused to close: a test must never be left with it open
        }
        return;
    }
    const Qt::WindowModality before = windowModality();
    if (!isVisible())
        setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
    QEventLoop loop;
    m_modalLoop = &loop;
    QPointer<FormBase> self(this);
    loop.exec(QEventLoop::DialogExec);
    if (self) {
        m_modalLoop = nullptr;
        setWindowModality(before);
    }
}

bool FormBase::unload()
{
    if (m_unloading)
        return true;
    m_unloading = true;
    bool cancelled = false;
    for (DataControl* data : findChildren<DataControl*>()) {
        if (data->hasCurrentRecord() && !data->validate(DataAction::Unload)) {
            cancelled = true;
            break;
        }
    }
    if (!cancelled) {
        cancelled = Form_Unload() == UnloadResult::Stay;
    }
    if (cancelled) {
        m_unloading = false;
        return false;
    }
    m_loaded = false;
    hide();
    m_unloading = false;
    emit unloaded();
    return true;
}

void FormBase::closeEvent(QCloseEvent* event)
{
    if (m_unloading || unload())
        event->accept();
    else
        event->ignore();
}

void FormBase::reject()
{
    if (isDialogForm())
        close();
}

void FormBase::keyPressEvent(QKeyEvent* event)
{
    // A window leaves Enter and Esc to its handlers; a dialog has the dialog keys.
    if (isDialogForm())
        QDialog::keyPressEvent(event);
    else
        QWidget::keyPressEvent(event);
}

void FormBase::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    keepOnScreen(this); // wherever it was put, the whole window is on the screen
    if (m_focusFrame)
        setAttribute(Qt::WA_KeyboardFocusChange);
}

void FormBase::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (m_modalLoop)
        m_modalLoop->quit();
}

QWidget* FormBase::control(const QString& name) const
{
    if (name.isEmpty())
        return nullptr;
    return findChild<QWidget*>(name);
}

QWidget* FormBase::activeControl() const
{
    QWidget* w = focusWidget();
    if (!w || w == this)
        return nullptr;
    // A control made of inner widgets (a text box's editor, a drop-down list's text part) counts
    // as the outer widget, which carries the name.
    for (QWidget* p = w; p && p != this; p = p->parentWidget()) {
        if (qobject_cast<TextBox*>(p) || qobject_cast<QComboBox*>(p))
            return p;
    }
    return w;
}

QString FormBase::activeControlName() const
{
    const QWidget* w = activeControl();
    return w ? w->objectName() : QString();
}

void FormBase::sendTab(bool backwards)
{
    QWidget* target = focusWidget() ? focusWidget() : this;
    const int key = backwards ? Qt::Key_Backtab : Qt::Key_Tab;
    const Qt::KeyboardModifiers modifiers = backwards ? Qt::ShiftModifier : Qt::NoModifier;
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QCoreApplication::sendEvent(target, &press);
    QWidget* after = focusWidget() ? focusWidget() : this;
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QCoreApplication::sendEvent(after, &release);
}

bool FormBase::previewKey(QKeyEvent* event)
{
    const int code = keyCode(*event);
    const int state = shiftState(event->modifiers());
    if (event->type() == QEvent::KeyPress) // a letter without a key code is previewed too
        return Form_KeyDown(code, state) == KeyResult::Consumed && code != 0;
    if (!event->isAutoRepeat())
        Form_KeyUp(code, state);
    return false;
}

void setInitialFocus(QWidget* control)
{
    if (!control)
        return;
    control->setFocus(Qt::TabFocusReason);
    QWidget* window = control->window();
    window->setAttribute(Qt::WA_KeyboardFocusChange);
    if (auto* form = qobject_cast<FormBase*>(window))
        form->m_focusFrame = true; // showing the window resets the attribute: set again then
}

} // namespace ui

#pragma once

#include <QDialog>
#include <functional>

class QEventLoop;
class QKeyEvent;

namespace ui {

// What a form's unload handler decided.
enum class UnloadResult
{
    Unload,
    Stay,
};

// What a form's key handler did with a pressed key.
enum class KeyResult
{
    Pass,     // the control with the focus gets it too
    Consumed, // the form has acted on it; the control never sees it
};

// The base of every form: a top-level window with the old forms' life cycle and key preview.
//
// Kind. A form is a QDialog. By default it is a plain window (Qt::Window): screen readers announce
// it as a window, and Enter and Esc mean only what its key handlers say. A form made with
// Qt::Dialog (a login, a message, a choice) is a true dialog: announced as a dialog, Esc closes it
// through unload() (as its close box does), Enter presses its default or focused button.
//
// Life cycle. load() runs Form_Load() once; showModeless() and showModal() load the form first
// when needed. hide() hides without unloading (the form keeps its state and its data controls
// stay open). unload() — also the window's close box — raises Validate(DataAction::Unload) on every
// data control of the form, then Form_Unload(); when neither keeps the form (UnloadResult::Stay), the form is hidden,
// marked not loaded (the next show runs Form_Load again) and unloaded() is emitted. The object
// itself is not deleted: its owner decides that.
//
// Key preview (on by default). Every key press and release that reaches the control having the
// focus in this form — or the form itself when no control of it has the focus — is first given
// to Form_KeyDown / Form_KeyUp with the old key code and shift state (key_codes.h). A key press the
// handler answers with KeyResult::Consumed never reaches the control. Auto-repeated releases are not
// previewed.
//
// Names. Controls are found by their objectName; activeControl() is the control that has the
// focus, a text box or drop-down list counting as one control with its inner editor.
class FormBase : public QDialog
{
    Q_OBJECT

public:
    // flags: Qt::Window (the default) for a form that is a window of its own, Qt::Dialog for a
    // dialog, with any window hints.
    explicit FormBase(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::Window);
    ~FormBase() override;

    void load();
    bool isLoaded() const { return m_loaded; }
    // Loads, shows, raises and activates the form; returns at once.
    void showModeless();
    // Loads and shows the form modally; returns when it is hidden or unloaded. While a modal
    // handler is installed (tests), the form is shown, the handler runs, and the form is closed
    // if the handler left it visible; no event loop runs.
    void showModal();
    bool isModalShown() const { return m_modalLoop != nullptr; }
    // Unloads the form (see above); returns false when Validate or Form_Unload cancelled.
    bool unload();
    // True for a form made as a dialog (window type Qt::Dialog).
    bool isDialogForm() const { return windowType() == Qt::Dialog; }

    // A dialog's Esc (and any reject) closes it as its close box does; a window ignores it.
    void reject() override;

    void setKeyPreview(bool on) { m_keyPreview = on; }
    bool keyPreview() const { return m_keyPreview; }

    // The control with objectName name anywhere in the form, nullptr when none.
    QWidget* control(const QString& name) const;
    template <typename T> T* control(const QString& name) const { return qobject_cast<T*>(control(name)); }
    // The control of this form that has (or last had) the focus, nullptr when none.
    QWidget* activeControl() const;
    QString activeControlName() const;

    // Sends a Tab keystroke to the focused control, moving the focus to the next control in tab
    // order (backwards with Shift+Tab).
    void sendTab(bool backwards = false);

    // Test seam: called instead of running a modal event loop (see showModal()). Returns the
    // previous handler; an empty one restores modal showing.
    using ModalHandler = std::function<void(FormBase& form)>;
    static ModalHandler setModalHandler(ModalHandler handler);

    // Used by the key preview filter.
    bool previewKey(QKeyEvent* event);

signals:
    void unloaded();

protected:
    virtual void Form_Load() {}
    // Runs when the form is about to unload (after its data controls' Validate): Stay keeps it
    // loaded and shown.
    virtual UnloadResult Form_Unload() { return UnloadResult::Unload; }
    // The form sees every key before its controls (key preview); Consumed keeps a pressed key
    // from the control that has the focus.
    virtual KeyResult Form_KeyDown(int keyCode, int shift)
    {
        Q_UNUSED(keyCode)
        Q_UNUSED(shift)
        return KeyResult::Pass;
    }
    virtual void Form_KeyUp(int keyCode, int shift)
    {
        Q_UNUSED(keyCode)
        Q_UNUSED(shift)
    }

    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    bool m_loaded = false;
    bool m_keyPreview = true;
    bool m_unloading = false;
    QEventLoop* m_modalLoop = nullptr;
    bool m_focusFrame = false; // setInitialFocus() asked for the focus frame

    friend void setInitialFocus(QWidget* control);
};

// The window flags of a dialog of fixed size: a title and a close box, no maximise button.
inline constexpr Qt::WindowFlags kFixedDialog =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// Gives control the focus as the keyboard would, so that it shows its focus frame at once (a
// style draws the frame only once the keyboard has moved the focus in that window).
void setInitialFocus(QWidget* control);

} // namespace ui

#pragma once

// The detail editor: the long text of the work-plan entry form's box txtndungct in a large text
// box Text1. Abbreviations expand as the user types; F4 empties the box. Closing it (cmdclose or
// the close box) copies a changed text back into the entry form's box and shows that form again,
// the focus on the control that had it when the editor opened.

#include "registers/program_context.h"

#include "platform/ui/form_base.h"

#include <QPointer>

class QPushButton;

namespace ui {
class TextBox;
}

namespace registers {

// The old form frmtxt.
class PlanDetailEditor : public ui::FormBase
{
    Q_OBJECT

public:
    explicit PlanDetailEditor(QWidget* parent = nullptr);

    // Shows target's text in Text1 and hides returnTo. A locked target (a plan being viewed) is
    // only shown: Text1 is locked too and nothing is copied back. Abbreviations expand from the
    // list of context (the visit of returnTo), until the editor closes.
    void open(ui::TextBox* target, ui::FormBase* returnTo, const ProgramContext& context);

    ui::TextBox* Text1 = nullptr;

protected:
    void Form_KeyUp(int keyCode, int shift) override;
    ui::UnloadResult Form_Unload() override;

private:
    QPushButton* cmdclose = nullptr;
    QPointer<ui::TextBox> m_target;
    QPointer<ui::FormBase> m_returnTo;
    QPointer<QWidget> m_returnFocus; // the control of returnTo that had the focus when the editor opened
    QString m_original;
    ProgramContext m_context;
};

} // namespace registers

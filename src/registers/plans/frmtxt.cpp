#include "frmtxt.h"

#include "registers/form_support.h"

#include "platform/ui/key_codes.h"
#include "platform/ui/text_box.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace registers {

PlanDetailEditor::PlanDetailEditor(QWidget* parent)
    : ui::FormBase(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint)
{
    setObjectName(QStringLiteral("frmtxt"));
    setWindowTitle(QStringLiteral("Nội dung chi tiết"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("&Nội dung chi tiết"), this);
    label->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(label);
    Text1 = new ui::TextBox(this, true);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setMinimumSize(pixels(9600), pixels(5400));
    label->setBuddy(Text1);
    layout->addWidget(Text1, 1);
    cmdclose = new QPushButton(QStringLiteral("&Kết thúc"), this);
    cmdclose->setObjectName(QStringLiteral("cmdclose"));
    cmdclose->setAutoDefault(false);
    connect(cmdclose, &QPushButton::clicked, this, &ui::FormBase::unload);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdclose);
    layout->addLayout(buttons);
    nameControlsFromLabels(this);
}

void PlanDetailEditor::open(ui::TextBox* target, ui::FormBase* returnTo, const ProgramContext& context)
{
    m_context = context;
    m_target = target;
    m_returnTo = returnTo;
    m_returnFocus = returnTo ? returnTo->activeControl() : nullptr;
    m_original = target ? target->text() : QString();
    // The same limit as the box the text goes back to: nothing typed here is cut on the way back.
    Text1->setMaxLength(target ? target->maxLength() : 0);
    Text1->setText(m_original);
    Text1->setLocked(!target || target->isLocked());
    Text1->setSelStart(0);
    if (returnTo)
        returnTo->hide();
    showModeless();
    Text1->setFocus();
}

void PlanDetailEditor::Form_KeyUp(int keyCode, int shift)
{
    Q_UNUSED(shift)
    QWidget* focus = activeControl();
    if (keyCode == ui::key::F4) {
        if (auto* box = qobject_cast<ui::TextBox*>(focus); box && !box->isLocked())
            box->setText(QString());
        return;
    }
    // Keys pressed on the button are not typing: they leave the text alone.
    if (focus == Text1)
        expandFrom(m_context, *Text1, keyCode, ReferenceList::Abbreviations, QStringLiteral("chudu"));
}

ui::UnloadResult PlanDetailEditor::Form_Unload()
{
    if (m_target && !m_target->isLocked() && Text1->text() != m_original)
        m_target->setText(Text1->text());
    m_target = nullptr;
    m_context = ProgramContext(); // nothing of the visit kept beyond it
    if (m_returnTo) {
        ui::FormBase* form = m_returnTo;
        m_returnTo = nullptr;
        form->showModeless();
        if (m_returnFocus)
            m_returnFocus->setFocus();
        m_returnFocus = nullptr;
    }
    return ui::UnloadResult::Unload;
}

} // namespace registers

// The register forms destroyed, as the program does at exit, while a data box holds the focus: the
// box reports losing it from its own destructor, after the form's part that handled it is gone.
// Only the sanitizer build sees a handler that still runs then (a use after free).
#include "all_registers_fixture.h"

#include <QPointer>

namespace {

using registers_test::AllRegistersTest;

TEST_F(AllRegistersTest, FormsDestroyedWhileABoxHasTheFocus)
{
    const struct
    {
        const char* command;
        app::DataFile file;
        const char* form;
        const char* button; // clicked on form to show the form destroyed, "" for form itself
        const char* shown;
    } cases[] = {{"cmdnapcvden", app::DataFile::Letters, "frmcvden", "", "frmcvden"},
                 {"cmdnapcvdi", app::DataFile::Letters, "frmcvdi", "", "frmcvdi"},
                 {"cmdnapkh", app::DataFile::Schedule, "frmcongviec", "", "frmcongviec"},
                 {"cmdxemkh", app::DataFile::Schedule, "frmgridcongviec", "", "frmgridcongviec"},
                 {"cmdnaplich", app::DataFile::Schedule, "frmlich", "", "frmlich"},
                 {"cmdnaplich", app::DataFile::Schedule, "frmlich", "cmdbang", "frmGridlich"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        ui::FormBase* opened = openBy<ui::FormBase>(c.command, c.file, c.form);
        if (*c.button)
            click(*opened, c.button);
        ui::FormBase* form = registers::form(QString::fromLatin1(c.shown));
        ASSERT_NE(form, nullptr);
        ASSERT_TRUE(form->isVisible());
        QPointer<ui::FormBase> alive(form);
        ui::TextBox* box = nullptr;
        for (ui::TextBox* b : form->findChildren<ui::TextBox*>()) {
            if (b->isVisible() && b->isEnabled() && b->editor()->focusPolicy() != Qt::NoFocus) {
                box = b;
                break;
            }
        }
        ASSERT_NE(box, nullptr);
        activate(form);
        box->setFocus();
        ASSERT_TRUE(box->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == box);
        registers::destroyForms();
        EXPECT_TRUE(alive.isNull());
    }
}

} // namespace

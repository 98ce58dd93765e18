#pragma once

// Destroys the register forms, as the program does at exit, while a data box of form holds the
// focus: the box reports losing it from its own destructor, after the form's part that handled
// it is gone. Only the sanitizer build sees a handler that still runs then (a use after free).
#include "platform/ui/form_base.h"
#include "platform/ui/text_box.h"
#include "registers/form_registry.h"

#include <QApplication>
#include <QPointer>
#include <gtest/gtest.h>

namespace registers_test {

inline void destroyWithFocusInBox(ui::FormBase* form)
{
    ASSERT_NE(form, nullptr);
    QPointer<ui::FormBase> alive(form);
    ui::TextBox* box = nullptr;
    for (ui::TextBox* b : form->findChildren<ui::TextBox*>()) {
        if (b->isVisible() && b->isEnabled() && b->editor()->focusPolicy() != Qt::NoFocus) {
            box = b;
            break;
        }
    }
    ASSERT_NE(box, nullptr) << form->objectName().toStdString();
    QApplication::setActiveWindow(form);
    box->setFocus();
    ASSERT_TRUE(box->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == box)
        << form->objectName().toStdString();
    registers::destroyForms();
    EXPECT_TRUE(alive.isNull());
}

} // namespace registers_test

#pragma once

// Printing by date from a letters list form in tests: the dialog DatePrintDialog is answered by the
// scripted responder, and the printed text comes back.

#include "../platform/report/pdf_text.h"
#include "scripted_responder.h"

#include "registers/letters/frmincv.h"
#include "registers/letters_list_form.h"
#include "ui_frmincv.h"

#include <QPushButton>
#include <gtest/gtest.h>

namespace registers_test {

// Clicks "In công văn theo &Ngày" on list; checks that the dialog proposes firstDate, prints up
// to lastDate and returns the text of the printed register.
inline QString printByDateFromList(test::ScriptedResponder& responder, registers::LettersListForm& list,
                                   const QString& firstDate, const QString& lastDate)
{
    QString text;
    responder.onModal(QStringLiteral("frmincv"), [&](ui::FormBase& form) {
        auto& dialog = dynamic_cast<registers::DatePrintDialog&>(form);
        EXPECT_EQ(dialog.ui().mngay1->text(), firstDate);
        dialog.ui().mngay2->setText(lastDate);
        dialog.ui().cmdOK->click();
        text = PdfText::read(dialog.CrystalReport1.lastResult().outputFile).all();
    });
    EXPECT_TRUE(list.controls().printByDate->isEnabled());
    list.controls().printByDate->click();
    return text;
}

} // namespace registers_test

#pragma once

// Printing by date from a letters list form in tests: the dialog DatePrintDialog is answered by the
// scripted responder, and the printed text comes back.

#include "../platform/report/pdf_text.h"
#include "scripted_responder.h"

#include "registers/letters/frmincv.h"

#include <QPushButton>
#include <gtest/gtest.h>

namespace registers_test {

// Clicks "In công văn theo &Ngày" on list; checks that the dialog proposes firstDate, prints up
// to lastDate and returns the text of the printed register.
inline QString printByDateFromList(test::ScriptedResponder& responder, ui::FormBase& list, const QString& firstDate,
                                   const QString& lastDate)
{
    QString text;
    responder.onModal(QStringLiteral("frmincv"), [&](ui::FormBase& dialog) {
        EXPECT_EQ(dialog.control<ui::TextBox>(QStringLiteral("mngay1"))->text(), firstDate);
        dialog.control<ui::TextBox>(QStringLiteral("mngay2"))->setText(lastDate);
        dialog.control<QPushButton>(QStringLiteral("cmdOK"))->click();
        text = PdfText::read(static_cast<registers::DatePrintDialog&>(dialog).CrystalReport1.lastResult().outputFile)
                   .all();
    });
    auto* button = list.control<QPushButton>(QStringLiteral("Cmdincvtheongay"));
    EXPECT_NE(button, nullptr);
    if (button) {
        EXPECT_TRUE(button->isEnabled());
        button->click();
    }
    return text;
}

} // namespace registers_test

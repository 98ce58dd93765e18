#pragma once

// A started program (template, data files, the empty users table letting anyone in as
// administrator) with the reference forms registered, a stand-in main window, and helpers that
// drive a form as an administrator does.

#include "../app/startup_fixture.h"
#include "accessibility_check.h"
#include "table_rows.h"

#include "app/core/module1.h"
#include "app/gui/form_commands.h"
#include "platform/db/recordset.h"
#include "platform/ui/form_base.h"
#include "platform/ui/text_box.h"
#include "reference/reference_forms.h"
#include "reference/reference_list_form.h"
#include "reference/reference_rules.h"
#include "ui_frmbophan.h"
#include "ui_frmloaitien.h"
#include "ui_frmtendonvi.h"

#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace reference_test {

class ReferenceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FakeStartupWindow window;
        ASSERT_EQ(home.start(window), app::StartupOutcome::Ready) << home.messageText();
        reference::registerReferenceForms();
        home.responder.clear();
    }
    void TearDown() override { app::unregisterFormOpeners(); }

    static void click(QPushButton* button)
    {
        ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString();
        button->click();
    }
    // Adds name with its abbreviation through a reference list form (units, correspondents,
    // letter types, abbreviations), through its typed boxes, and saves it.
    static reference::ReferenceListForm& addEntry(ui::FormBase& f, const QString& name, const QString& code)
    {
        auto& form = static_cast<reference::ReferenceListForm&>(f);
        click(form.controls().cmdAdd);
        form.mname->setText(name);
        form.mchutat->setText(code);
        click(form.controls().cmdUpdate);
        return form;
    }
    // A row written straight into a reference list's table, as an old file may hold it.
    static void addListRow(db::Database& db, const QString& table, const QString& nameColumn, const QString& text,
                           const QString& code)
    {
        db::Recordset rs = db.openRecordset(table);
        rs.addNew();
        rs.setValue(nameColumn, text);
        rs.setValue(u"chutat"_s, code);
        rs.setValue(u"matt"_s, reference::listSortKey(text));
        rs.update();
    }

    // Every value of column in a shared recordset, in its order.
    static QStringList column(db::Recordset rs, const QString& name)
    {
        QStringList result;
        if (rs.bof() && rs.eof())
            return result;
        for (rs.moveFirst(); !rs.eof(); rs.moveNext())
            result << rs.value(name).toString();
        return result;
    }

    ProgramFolder home;
    QWidget mainWindow;
};

// The four lists the one list form keeps, for its scenario and its keyboard tests.
struct ListCase
{
    const char* menu;
    const char* form;
    const char* table;
    const char* nameColumn;
    db::Database app::Module1::*database;
    db::Recordset app::Module1::*shared; // the recordset the entry forms complete from
    reference::ListConfig (*config)();
    const char* status;      // the first status text
    const char* nameCaption; // the name box as the empty-box message names it
    // An abbreviation the template already holds ("" when the list starts empty) and its text.
    const char* takenCode;
    const char* takenText;
};

inline const ListCase kLists[] = {
    {"mnunapdonvi", "frmdonvi", "donvi", "tendonvi", &app::Module1::scheduleReference, &app::Module1::units,
     &reference::unitsConfig, "Xem tên đơn vị", "tên đơn vị", "", ""},
    {"mnunapnoigui", "frmdonvi", "noigui", "tendonvi", &app::Module1::lettersReference, &app::Module1::correspondents,
     &reference::unitsConfig, "Nạp sửa danh sách các cơ quan thường xuyên trao đổi công văn", "tên đơn vị", "", ""},
    {"mnunaploaicv", "frmloaicv", "loaicv", "loai", &app::Module1::lettersReference, &app::Module1::letterTypes,
     &reference::letterTypesConfig, "Xem loại công văn", "loại công văn", "CV", "Công văn"},
    {"mnunapchutat", "frmchutat", "chutat", "chudu", &app::Module1::reference, &app::Module1::abbreviations,
     &reference::abbreviationsConfig, "Xem chữ tắt", "chữ đủ", "cv", "công văn"},
};

} // namespace reference_test

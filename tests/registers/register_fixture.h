#pragma once

// A started program (template, data files, login, working year 2026 with the clock at 5 January
// 2026) with a few correspondents and units in the reference lists, the incoming register's forms
// registered, a stand-in main window, and helpers that drive a form as a secretary does.

#include "../app/startup_fixture.h"
#include "table_rows.h"
#include "type_text.h"

#include "app/core/module1.h"
#include "app/core/reference_recordsets.h"
#include "app/gui/form_commands.h"
#include "common/sortkey.h"
#include "platform/db/recordset.h"
#include "platform/ui/data_control.h"
#include "platform/ui/form_base.h"
#include "platform/ui/text_box.h"
#include "registers/form_registry.h"
#include "registers/incoming/frmcvden.h"
#include "registers/incoming/incoming_forms.h"
#include "registers/register_opener.h"
#include "registers/register_session.h"
#include "ui_frmcvden.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace registers_test {

class RegisterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        home.setToday(QDate(2026, 1, 5));
        FakeStartupWindow window;
        ASSERT_EQ(home.start(window), app::StartupOutcome::Ready) << home.messageText();
        app::Module1& m = app::module1();
        for (const char* report : {"brcvden.rpt", "brcvdi.rpt"})
            copyData(report);
        for (const auto& [name, code] : {std::pair{u"Sở Nội vụ"_s, u"snv"_s}, std::pair{u"Sở Tài chính"_s, u"stc"_s},
                                         std::pair{u"Bộ Tư pháp"_s, u"btp"_s}})
            addReference(m.lettersReference, u"noigui"_s, u"tendonvi"_s, name, code);
        for (const auto& [name, code] :
             {std::pair{u"Phòng Hành chính"_s, u"phc"_s}, std::pair{u"Văn phòng Đảng uỷ"_s, u"vpdu"_s}})
            addReference(m.scheduleReference, u"donvi"_s, u"tendonvi"_s, name, code);
        app::openReferenceRecordsets(app::module1());
        registers::registerIncomingForms();
        registers::setMainWindow(&mainWindow);
        home.responder.clear();
    }

    void TearDown() override
    {
        qunsetenv("SELVARO_PRINT_TO");
        registers::destroyForms();
    }

    // Prints go to PDF files in pdfDir instead of the printer.
    void printToPdf() const { qputenv("SELVARO_PRINT_TO", pdfDir.path().toUtf8()); }
    // Copies the build's data file name (a report, say) into the data folder.
    void copyData(const char* name) const
    {
        QFile::copy(QStringLiteral(SELVARO_DATA_DIR "/") + QString::fromLatin1(name),
                    home.data(QString::fromLatin1(name)));
    }
    // Saves a picture of w into SELVARO_SHOTS_DIR, when it is set, to look at.
    static void shoot(QWidget* w, const QString& name)
    {
        if (const QString shots = qEnvironmentVariable("SELVARO_SHOTS_DIR"); !shots.isEmpty())
            w->grab().save(QDir(shots).filePath(name));
    }
    // The values of column in every record data shows, in its order.
    static QStringList shown(ui::DataControl* data, const QString& column)
    {
        QStringList values;
        db::Recordset rs = data->recordset().clone();
        for (rs.moveFirst(); !rs.eof(); rs.moveNext())
            values << rs.value(column).toString();
        return values;
    }
    // The incoming entry form opened on the working year, active.
    registers::IncomingEntryForm* openIncoming()
    {
        auto* f = registers::form<registers::IncomingEntryForm>(u"frmcvden"_s);
        f->open(app::module1().incomingTable);
        activate(f);
        return f;
    }
    // Fills the incoming letter's required boxes (sender, receiving unit, summary).
    static void fillIncoming(registers::IncomingEntryForm* f, const QString& summary)
    {
        f->ui().mnoigui->setText(u"Sở Nội vụ"_s);
        f->ui().mdv_nhan->setText(u"Phòng Hành chính"_s);
        f->ui().mtt_ndung->setText(summary);
    }

    static void addReference(db::Database& db, const QString& table, const QString& column, const QString& name,
                             const QString& code)
    {
        db::Recordset rs = db.openRecordset(table);
        rs.addNew();
        rs.setValue(column, name);
        rs.setValue(u"chutat"_s, code);
        rs.setValue(u"matt"_s, common::sortKey(name, false));
        rs.update();
    }

    // Types text at the end of box (it gets the focus first), key by key.
    static void type(ui::TextBox* box, const QString& text)
    {
        box->setFocus();
        box->setSelStart(box->text().size());
        test::typeText(box->editor(), text);
    }
    // Presses a key where the focus is in form.
    static void key(ui::FormBase& form, Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &form;
        test::pressKey(target, k, modifiers);
    }
    static void click(ui::FormBase& form, const char* button)
    {
        auto* b = form.control<QPushButton>(QString::fromLatin1(button));
        ASSERT_NE(b, nullptr) << button;
        ASSERT_TRUE(b->isEnabled()) << button;
        b->click();
    }
    static void activate(QWidget* w) { QApplication::setActiveWindow(w); }
    static bool enabled(ui::FormBase* f, const char* button)
    {
        return f->control<QPushButton>(QString::fromLatin1(button))->isEnabled();
    }
    static QString caption(ui::FormBase* f, const char* button)
    {
        return f->control<QPushButton>(QString::fromLatin1(button))->text();
    }
    // Leaves box for next after text was typed into it (the leave rules run).
    static void leave(ui::FormBase* f, const QString& box, const QString& text, const QString& next)
    {
        auto* b = f->control<ui::TextBox>(box);
        b->setFocus();
        b->setText(text);
        f->control<QWidget>(next)->setFocus();
    }
    static void login(const QString& name, const QString& rights)
    {
        app::module1().userFullName = name;
        app::module1().userRights = rights;
    }

    // The request a main window's button hands to its form.
    static app::FormRequest request(const QString& command, app::DataFile file = app::DataFile::Schedule)
    {
        app::FormRequest r;
        r.command = command;
        r.dataFile = file;
        return r;
    }
    // Runs the main window's button command on file, as the main window does, and returns the
    // form named form, active.
    template <typename T> T* openBy(const char* command, app::DataFile file, const char* form)
    {
        EXPECT_TRUE(app::openForm(request(QString::fromLatin1(command), file), &mainWindow)) << command;
        auto* f = registers::form<T>(QString::fromLatin1(form));
        activate(f);
        return f;
    }

    // Column values of every letter of the year table, in id order, joined by "|".
    QStringList rows(const QString& columns) const
    {
        return test::tableRows(app::module1().letters, app::module1().incomingTable, columns);
    }

    ProgramFolder home;
    QWidget mainWindow;
    QTemporaryDir pdfDir;
};

} // namespace registers_test

namespace registers_test {

// A letter put straight into a year table, as the entry form saves it.
struct Letter
{
    int stt;
    QString ngDen; // dd/mm/yyyy
    QString noigui;
    QString summary;
    QString chonin = QString();
};

inline void addLetters(const QString& table, const QList<Letter>& letters)
{
    app::Module1& m = app::module1();
    db::Recordset rs = m.letters.openRecordset(table);
    for (const Letter& l : letters) {
        rs.addNew();
        rs.setValue(u"stt"_s, l.stt);
        rs.setValue(u"ng_den"_s, l.ngDen);
        rs.setValue(u"ng_denchuan"_s, l.ngDen.mid(6, 4) + l.ngDen.mid(3, 2) + l.ngDen.left(2));
        rs.setValue(u"noigui"_s, l.noigui);
        rs.setValue(u"dv_nhan"_s, u"Phòng Hành chính"_s);
        rs.setValue(u"tt_ndung"_s, l.summary);
        rs.setValue(u"chonin"_s, l.chonin);
        rs.update();
    }
}

} // namespace registers_test

// The data control's contracts: the order of its events, what writing copies, its errors.
#include "letter_file.h"

#include "scripted_responder.h"

#include "platform/db/db_error.h"
#include "platform/ui/check_box.h"
#include "platform/ui/data_control.h"
#include "platform/ui/form_base.h"
#include "platform/ui/text_box.h"

#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

namespace {

using uitest::LetterFile;

int actionNumber(ui::DataAction action)
{
    return static_cast<int>(action);
}

class DataControlTest : public ::testing::Test
{
protected:
    explicit DataControlTest(int rows = 5) : file(rows)
    {
        data.setDatabase(file.db());
        data.setRecordSource(LetterFile::table());
        noigui.bind(&data, u"noigui"_s);
        stt.bind(&data, u"stt"_s);
        daxuli.bind(&data, u"da_xuli"_s);
        data.setValidateHandler([this](ui::DataAction action, bool changed) {
            log << u"validate:%1:%2"_s.arg(actionNumber(action)).arg(changed ? 1 : 0);
            return onValidate ? onValidate(action, changed) : ui::ValidateResult::Save;
        });
        QObject::connect(&data, &ui::DataControl::Reposition,
                         [this] { log << u"reposition:%1"_s.arg(data.recordset().absolutePosition()); });
        data.setErrorHandler([this](int number, const QString& text) {
            log << u"error:%1"_s.arg(number);
            errors << text;
            return errorAnswer;
        });
    }

    int position() const { return data.recordset().absolutePosition(); }

    test::ScriptedResponder responder;
    LetterFile file;
    ui::DataControl data;
    ui::TextBox noigui;
    ui::TextBox stt;
    ui::CheckBox daxuli;
    QStringList log;
    QStringList errors;
    std::function<ui::ValidateResult(ui::DataAction, bool)> onValidate;
    ui::ErrorResponse errorAnswer = ui::ErrorResponse::Handled;
};

TEST_F(DataControlTest, RefreshShowsTheFirstRecordAndRaisesReposition)
{
    ASSERT_TRUE(data.refresh());
    EXPECT_EQ(log, QStringList({u"reposition:0"_s})); // nothing to leave yet
    EXPECT_EQ(std::tuple(noigui.text(), stt.text(), daxuli.isChecked(), noigui.dataChanged()),
              std::tuple(LetterFile::noigui(1), u"1"_s, false, false));
}

struct MoveCase
{
    const char* name;
    std::function<bool(ui::DataControl&)> operation;
    ui::DataAction action;
    int positionAfter; // -1: no Reposition expected
};

class DataControlMoveTest : public DataControlTest, public ::testing::WithParamInterface<MoveCase>
{
};

TEST_P(DataControlMoveTest, ValidateComesBeforeAndRepositionAfter)
{
    const MoveCase c = GetParam();
    ASSERT_TRUE(data.refresh());
    ASSERT_TRUE(data.moveTo(2));
    log.clear();
    EXPECT_TRUE(c.operation(data));
    QStringList expected{u"validate:%1:0"_s.arg(actionNumber(c.action))};
    if (c.positionAfter >= 0)
        expected << u"reposition:%1"_s.arg(c.positionAfter);
    EXPECT_EQ(log, expected);
    if (c.positionAfter >= 0) {
        EXPECT_EQ(noigui.text(), LetterFile::noigui(c.positionAfter + 1));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Operations, DataControlMoveTest,
    ::testing::Values(
        MoveCase{"MoveFirst", [](ui::DataControl& d) { return d.moveFirst(); }, ui::DataAction::MoveFirst, 0},
        MoveCase{"MovePrevious", [](ui::DataControl& d) { return d.movePrevious(); }, ui::DataAction::MovePrevious, 1},
        MoveCase{"MoveNext", [](ui::DataControl& d) { return d.moveNext(); }, ui::DataAction::MoveNext, 3},
        MoveCase{"MoveLast", [](ui::DataControl& d) { return d.moveLast(); }, ui::DataAction::MoveLast, 4},
        MoveCase{"MoveTo", [](ui::DataControl& d) { return d.moveTo(0); }, ui::DataAction::Bookmark, 0},
        MoveCase{"FindFirst", [](ui::DataControl& d) { return d.findFirst(u"stt = 4"_s); }, ui::DataAction::Find, 3},
        MoveCase{"FindWithoutMatchStays", [](ui::DataControl& d) { return d.findFirst(u"noigui = 'Bộ Ngoại giao'"_s); },
                 ui::DataAction::Find, -1},
        MoveCase{"Refresh", [](ui::DataControl& d) { return d.refresh(); }, ui::DataAction::Close, 0},
        MoveCase{"AddNew", [](ui::DataControl& d) { return d.addNew(); }, ui::DataAction::AddNew, -1},
        MoveCase{"Delete", [](ui::DataControl& d) { return d.deleteRecord(); }, ui::DataAction::Delete, -1}),
    [](const ::testing::TestParamInfo<MoveCase>& info) { return std::string(info.param.name); });

// Moving past either end stays on the first or last record; Validate answering Cancel stops a move.
TEST_F(DataControlTest, MovesStopAtTheEndsAndWhenValidateCancels)
{
    ASSERT_TRUE(data.refresh());
    EXPECT_TRUE(data.movePrevious());
    EXPECT_EQ(position(), 0);
    onValidate = [](ui::DataAction, bool) { return ui::ValidateResult::Cancel; };
    log.clear();
    EXPECT_FALSE(data.moveNext());
    EXPECT_EQ(position(), 0);
    EXPECT_EQ(log, QStringList({u"validate:3:0"_s}));
    onValidate = nullptr;
    ASSERT_TRUE(data.moveLast());
    EXPECT_TRUE(data.moveNext());
    EXPECT_EQ(position(), 4);
    EXPECT_EQ(noigui.text(), LetterFile::noigui(5));
}

// Leaving a record writes the changed boxes, unless Validate answers DontSave or the form cleared
// the changed flags; updateRecord writes them in place.
TEST_F(DataControlTest, ChangedValuesAreWrittenWhenLeavingTheRecordOrUpdating)
{
    ASSERT_TRUE(data.refresh());
    noigui.setText(u"Sở Giáo dục và Đào tạo"_s);
    log.clear();
    ASSERT_TRUE(data.moveNext());
    EXPECT_EQ(log.first(), u"validate:3:1"_s);
    EXPECT_EQ(file.stored(1, u"noigui"_s).toString(), u"Sở Giáo dục và Đào tạo"_s);
    noigui.setText(u"Sở Y tế"_s);
    onValidate = [](ui::DataAction, bool) { return ui::ValidateResult::DontSave; };
    ASSERT_TRUE(data.moveNext());
    EXPECT_EQ(file.stored(2, u"noigui"_s).toString(), LetterFile::noigui(2));
    ASSERT_TRUE(data.movePrevious());
    EXPECT_EQ(noigui.text(), LetterFile::noigui(2));
    onValidate = nullptr;
    noigui.setText(u"Sở Y tế"_s);
    noigui.setDataChanged(false);
    ASSERT_TRUE(data.moveNext());
    EXPECT_EQ(file.stored(2, u"noigui"_s).toString(), LetterFile::noigui(2));

    // updateRecord writes only the changed controls (a sender changed by another user stays), a
    // check box its yes/no field.
    ASSERT_TRUE(data.moveFirst());
    file.db().execute(u"UPDATE cvden2024 SET noigui = 'Văn phòng Chính phủ' WHERE stt = 1"_s);
    stt.setText(u" 10"_s);
    daxuli.setChecked(true);
    EXPECT_TRUE(daxuli.dataChanged());
    ASSERT_TRUE(data.updateRecord());
    // Stored sender and flag, then the sender shown again after the write and the changed flag.
    EXPECT_EQ(std::tuple(file.stored(10, u"noigui"_s).toString(), file.stored(10, u"da_xuli"_s).toBool(), noigui.text(),
                         stt.dataChanged()),
              std::tuple(u"Văn phòng Chính phủ"_s, true, u"Văn phòng Chính phủ"_s, false));
    ASSERT_TRUE(data.moveTo(1));
    EXPECT_TRUE(daxuli.isChecked()); // letter 2 was handled already
    daxuli.setChecked(false);
    ASSERT_TRUE(data.updateRecord());
    EXPECT_FALSE(file.stored(2, u"da_xuli"_s).toBool());
}

// addNew shows an empty record; cancelUpdate the current one again; leaving an addition writes it
// when something was typed and drops it when not.
TEST_F(DataControlTest, AddNewShowsAnEmptyRecordWrittenOnlyWhenTyped)
{
    ASSERT_TRUE(data.refresh());
    ASSERT_TRUE(data.moveTo(3));
    ASSERT_TRUE(data.addNew());
    EXPECT_EQ(std::pair(noigui.text(), stt.text()), std::pair(QString(), QString()));
    EXPECT_TRUE(data.hasCurrentRecord());
    noigui.setText(u"Bộ Công an"_s);
    ASSERT_TRUE(data.cancelUpdate());
    EXPECT_EQ(noigui.text(), LetterFile::noigui(4));
    EXPECT_FALSE(noigui.dataChanged());
    ASSERT_TRUE(data.addNew());
    ASSERT_TRUE(data.moveFirst());
    EXPECT_EQ(file.count(), 5);
    EXPECT_EQ(data.recordset().editMode(), db::EditMode::None);
    ASSERT_TRUE(data.addNew());
    stt.setText(u"6"_s);
    noigui.setText(u"Bộ Công an"_s);
    ASSERT_TRUE(data.moveLast());
    EXPECT_EQ(std::tuple(file.count(), file.stored(6, u"noigui"_s).toString(), noigui.text()),
              std::tuple(6, u"Bộ Công an"_s, u"Bộ Công an"_s));
}

// By name: a missing file is an error; the file opens with the connect string.
TEST_F(DataControlTest, OpensTheFileByNameWithTheConnectString)
{
    ui::DataControl byName;
    byName.setDatabaseName(file.path() + u".missing"_s);
    byName.setConnectString(u";pwd=vorkelmadu"_s);
    byName.setRecordSource(u"select * from cvden2024 where stt > 3 order by stt desc"_s);
    int number = 0;
    byName.setErrorHandler([&number](int n, const QString&) {
        number = n;
        return ui::ErrorResponse::Handled;
    });
    EXPECT_FALSE(byName.refresh());
    EXPECT_EQ(number, db::errc::FileNotFound);
    byName.setDatabaseName(file.path());
    ui::TextBox box;
    box.bind(&byName, u"noigui"_s);
    ASSERT_TRUE(byName.refresh());
    EXPECT_EQ(byName.recordset().recordCount(), 2);
    EXPECT_EQ(box.text(), LetterFile::noigui(5));
}

// Writing after a delete, without a current record, fails; an emptied table has none until an
// addition is written.
TEST_F(DataControlTest, NoCurrentRecordAfterADeleteOrInAnEmptyTableUntilAnAdditionIsWritten)
{
    ASSERT_TRUE(data.refresh());
    ASSERT_TRUE(data.deleteRecord());
    EXPECT_FALSE(data.hasCurrentRecord());
    noigui.setText(u"Bộ Công an"_s);
    log.clear();
    EXPECT_FALSE(data.updateRecord());
    EXPECT_EQ(log, QStringList({u"error:%1"_s.arg(db::errc::NoCurrentRecord)}));
    EXPECT_EQ(file.count(), 4);

    file.db().execute(u"DELETE * FROM cvden2024"_s);
    ASSERT_TRUE(data.refresh());
    EXPECT_FALSE(data.hasCurrentRecord());
    EXPECT_EQ(noigui.text(), QString());
    EXPECT_TRUE(data.moveNext());
    EXPECT_TRUE(data.movePrevious());
    ASSERT_TRUE(data.addNew());
    stt.setText(u"1"_s);
    noigui.setText(u"Tỉnh ủy"_s);
    ASSERT_TRUE(data.updateRecord());
    EXPECT_EQ(file.count(), 1);
    ASSERT_TRUE(data.setBookmark(data.recordset().lastModified()));
    EXPECT_EQ(noigui.text(), u"Tỉnh ủy"_s);
}

TEST_F(DataControlTest, SetRecordsetWorksOnTheCallersRecordset)
{
    ASSERT_TRUE(data.refresh());
    db::Recordset rs = file.db().openRecordset(u"select * from cvden2024 where stt = 3"_s, db::RecordsetType::Snapshot);
    log.clear();
    ASSERT_TRUE(data.setRecordset(rs));
    EXPECT_EQ(log, QStringList({u"validate:%1:0"_s.arg(actionNumber(ui::DataAction::Close)), u"reposition:0"_s}));
    EXPECT_EQ(noigui.text(), LetterFile::noigui(3));
    // A snapshot cannot be written: the engine's refusal comes back as an Error.
    noigui.setText(u"Bộ Quốc phòng"_s);
    EXPECT_FALSE(data.updateRecord());
    EXPECT_EQ(log.last(), u"error:%1"_s.arg(db::errc::NotUpdatable));
}

// form_base.h: "unload() ... raises Validate(DataAction::Unload) on every data control of the form";
// a data control that cancels keeps the form loaded.
TEST_F(DataControlTest, UnloadOfItsFormValidatesFirstAndCanBeCancelled)
{
    ui::FormBase form;
    auto* own = new ui::DataControl(&form);
    own->setDatabase(file.db());
    own->setRecordSource(LetterFile::table());
    auto* box = new ui::TextBox(&form);
    box->bind(own, u"noigui"_s);
    int validated = 0;
    ui::ValidateResult answer = ui::ValidateResult::Cancel;
    own->setValidateHandler([&](ui::DataAction action, bool changed) {
        EXPECT_EQ(action, ui::DataAction::Unload);
        EXPECT_TRUE(changed);
        ++validated;
        return answer;
    });
    form.load();
    ASSERT_TRUE(own->refresh());
    box->setText(u"Sở Xây dựng"_s);
    EXPECT_FALSE(form.unload());
    EXPECT_TRUE(form.isLoaded());
    answer = ui::ValidateResult::Save;
    EXPECT_TRUE(form.unload());
    EXPECT_FALSE(form.isLoaded());
    EXPECT_EQ(validated, 2);
    EXPECT_EQ(file.stored(1, u"noigui"_s).toString(), u"Sở Xây dựng"_s);
}

// A box bound to a field the record source lacks raises an Error naming it, shows nothing and
// stays out of the way of the other boxes.
TEST_F(DataControlTest, BoxOnAnUnknownFieldIsAnErrorAndTheOthersGoOn)
{
    ASSERT_TRUE(data.refresh());
    log.clear();
    ui::TextBox wrong;
    wrong.bind(&data, u"so_cv_cu"_s);
    ASSERT_EQ(log, QStringList({u"error:%1"_s.arg(db::errc::ItemNotFound)}));
    EXPECT_TRUE(errors.first().contains(u"so_cv_cu"_s)) << qPrintable(errors.first());
    EXPECT_EQ(wrong.text(), QString());
    noigui.setText(u"Sở Y tế"_s);
    wrong.setText(u"không ghi được"_s);
    EXPECT_TRUE(data.updateRecord());
    EXPECT_EQ(file.stored(1, u"noigui"_s).toString(), u"Sở Y tế"_s);
}

// A write the file refuses (text in a number field, a duplicate key, also while leaving the
// record) raises an Error, keeps the typed values and the position, and writes nothing; corrected,
// the same write goes through.
TEST_F(DataControlTest, RefusedWriteKeepsTheTypedValuesAndThePosition)
{
    file.db().execute(u"CREATE UNIQUE INDEX so_dk ON cvden2024 (stt)"_s);
    ASSERT_TRUE(data.refresh());
    ASSERT_TRUE(data.moveTo(3));
    stt.setText(u"năm"_s);
    EXPECT_FALSE(data.updateRecord());
    EXPECT_EQ(log.last(), u"error:3421"_s);
    EXPECT_EQ(stt.text(), u"năm"_s);
    stt.setText(u" 1"_s); // already used
    EXPECT_FALSE(data.moveFirst());
    EXPECT_EQ(std::tuple(position(), stt.text(), stt.dataChanged()), std::tuple(3, u" 1"_s, true));
    EXPECT_EQ(file.stored(4, u"noigui"_s).toString(), LetterFile::noigui(4));
    ASSERT_TRUE(data.cancelUpdate());

    ASSERT_TRUE(data.addNew());
    stt.setText(u" 2"_s); // already used
    noigui.setText(u"Công an tỉnh"_s);
    EXPECT_FALSE(data.updateRecord());
    EXPECT_EQ(noigui.text(), u"Công an tỉnh"_s);
    EXPECT_EQ(file.count(), 5);
    stt.setText(u" 6"_s);
    EXPECT_TRUE(data.updateRecord());
    EXPECT_EQ(file.count(), 6);
    EXPECT_EQ(file.stored(6, u"noigui"_s).toString(), u"Công an tỉnh"_s);
    EXPECT_EQ(file.stored(4, u"noigui"_s).toString(), LetterFile::noigui(4));
}

// A record source that fails (none, an unknown table) raises an Error and leaves the control on
// the rows it had; the message box shows the error unless the handler continues.
TEST_F(DataControlTest, FailingRecordSourceLeavesTheControlAsItWas)
{
    data.setRecordSource(QString());
    EXPECT_FALSE(data.refresh());
    EXPECT_EQ(log, QStringList({u"error:%1"_s.arg(db::errc::TableNotFound)}));
    EXPECT_FALSE(data.hasRecordset());
    data.setRecordSource(LetterFile::table());
    ASSERT_TRUE(data.refresh());
    ASSERT_TRUE(data.moveTo(2));
    data.setRecordSource(u"select * from cvden1999"_s);
    EXPECT_FALSE(data.refresh());
    EXPECT_TRUE(errors.last().contains(u"cvden1999"_s)) << qPrintable(errors.last());
    EXPECT_TRUE(responder.messageBoxes().isEmpty()); // the handler answered Continue
    EXPECT_EQ(std::tuple(position(), data.recordset().recordCount(), noigui.text()),
              std::tuple(2, 5, LetterFile::noigui(3)));
    errorAnswer = ui::ErrorResponse::Display;
    EXPECT_FALSE(data.refresh());
    ASSERT_EQ(responder.messageBoxes().size(), 1);
    EXPECT_TRUE(responder.messageBoxes().first().contains(u"cvden1999"_s));
}

} // namespace

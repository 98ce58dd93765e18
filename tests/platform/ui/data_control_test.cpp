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
        noigui.bind(&data, QStringLiteral("noigui"));
        stt.bind(&data, QStringLiteral("stt"));
        daxuli.bind(&data, QStringLiteral("da_xuli"));
        data.setValidateHandler([this](ui::DataAction action, bool changed) {
            log << QStringLiteral("validate:%1:%2").arg(actionNumber(action)).arg(changed ? 1 : 0);
            return onValidate ? onValidate(action, changed) : ui::ValidateResult::Save;
        });
        QObject::connect(&data, &ui::DataControl::Reposition,
                         [this] { log << QStringLiteral("reposition:%1").arg(data.recordset().absolutePosition()); });
        data.setErrorHandler([this](int number, const QString& text) {
            log << QStringLiteral("error:%1").arg(number);
            errors << text;
            return ui::ErrorResponse::Handled;
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
};

TEST_F(DataControlTest, RefreshShowsTheFirstRecordAndRaisesReposition)
{
    ASSERT_TRUE(data.refresh());
    EXPECT_EQ(log, QStringList({QStringLiteral("reposition:0")})); // nothing to leave yet
    EXPECT_EQ(noigui.text(), LetterFile::noigui(1));
    EXPECT_EQ(stt.text(), QStringLiteral("1"));
    EXPECT_FALSE(daxuli.isChecked());
    EXPECT_FALSE(noigui.dataChanged());
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
    QStringList expected{QStringLiteral("validate:%1:0").arg(actionNumber(c.action))};
    if (c.positionAfter >= 0)
        expected << QStringLiteral("reposition:%1").arg(c.positionAfter);
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
        MoveCase{"FindFirst", [](ui::DataControl& d) { return d.findFirst(QStringLiteral("stt = 4")); },
                 ui::DataAction::Find, 3},
        MoveCase{"FindWithoutMatchStays",
                 [](ui::DataControl& d) { return d.findFirst(QStringLiteral("noigui = 'Bộ Ngoại giao'")); },
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
    EXPECT_EQ(log, QStringList({QStringLiteral("validate:3:0")}));
    onValidate = nullptr;
    ASSERT_TRUE(data.moveLast());
    EXPECT_TRUE(data.moveNext());
    EXPECT_EQ(position(), 4);
    EXPECT_EQ(noigui.text(), LetterFile::noigui(5));
}

// Leaving a record writes the changed boxes, unless Validate answers DontSave or the form cleared
// the changed flags.
TEST_F(DataControlTest, ChangedValuesAreWrittenWhenLeavingTheRecord)
{
    ASSERT_TRUE(data.refresh());
    noigui.setText(QStringLiteral("Sở Giáo dục và Đào tạo"));
    log.clear();
    ASSERT_TRUE(data.moveNext());
    EXPECT_EQ(log.first(), QStringLiteral("validate:3:1"));
    EXPECT_EQ(file.stored(1, QStringLiteral("noigui")).toString(), QStringLiteral("Sở Giáo dục và Đào tạo"));
    noigui.setText(QStringLiteral("Sở Y tế"));
    onValidate = [](ui::DataAction, bool) { return ui::ValidateResult::DontSave; };
    ASSERT_TRUE(data.moveNext());
    EXPECT_EQ(file.stored(2, QStringLiteral("noigui")).toString(), LetterFile::noigui(2));
    ASSERT_TRUE(data.movePrevious());
    EXPECT_EQ(noigui.text(), LetterFile::noigui(2));
    onValidate = nullptr;
    noigui.setText(QStringLiteral("Sở Y tế"));
    noigui.setDataChanged(false);
    ASSERT_TRUE(data.moveNext());
    EXPECT_EQ(file.stored(2, QStringLiteral("noigui")).toString(), LetterFile::noigui(2));
}

// updateRecord writes only the changed controls (a sender changed by another user stays), a
// check box its yes/no field.
TEST_F(DataControlTest, UpdateRecordWritesOnlyTheChangedControls)
{
    ASSERT_TRUE(data.refresh());
    file.db().execute(QStringLiteral("UPDATE cvden2024 SET noigui = 'Văn phòng Chính phủ' WHERE stt = 1"));
    stt.setText(QStringLiteral(" 10"));
    daxuli.setChecked(true);
    EXPECT_TRUE(daxuli.dataChanged());
    ASSERT_TRUE(data.updateRecord());
    EXPECT_EQ(file.stored(10, QStringLiteral("noigui")).toString(), QStringLiteral("Văn phòng Chính phủ"));
    EXPECT_TRUE(file.stored(10, QStringLiteral("da_xuli")).toBool());
    EXPECT_EQ(noigui.text(), QStringLiteral("Văn phòng Chính phủ")); // shown again after the write
    EXPECT_FALSE(stt.dataChanged());
    ASSERT_TRUE(data.moveTo(1));
    EXPECT_TRUE(daxuli.isChecked()); // letter 2 was handled already
    daxuli.setChecked(false);
    ASSERT_TRUE(data.updateRecord());
    EXPECT_FALSE(file.stored(2, QStringLiteral("da_xuli")).toBool());
}

// addNew shows an empty record; cancelUpdate the current one again; leaving an addition writes it
// when something was typed and drops it when not.
TEST_F(DataControlTest, AddNewShowsAnEmptyRecordWrittenOnlyWhenTyped)
{
    ASSERT_TRUE(data.refresh());
    ASSERT_TRUE(data.moveTo(3));
    ASSERT_TRUE(data.addNew());
    EXPECT_EQ(noigui.text(), QString());
    EXPECT_EQ(stt.text(), QString());
    EXPECT_TRUE(data.hasCurrentRecord());
    noigui.setText(QStringLiteral("Bộ Công an"));
    ASSERT_TRUE(data.cancelUpdate());
    EXPECT_EQ(noigui.text(), LetterFile::noigui(4));
    EXPECT_FALSE(noigui.dataChanged());
    ASSERT_TRUE(data.addNew());
    ASSERT_TRUE(data.moveFirst());
    EXPECT_EQ(file.count(), 5);
    EXPECT_EQ(data.recordset().editMode(), db::EditMode::None);
    ASSERT_TRUE(data.addNew());
    stt.setText(QStringLiteral("6"));
    noigui.setText(QStringLiteral("Bộ Công an"));
    ASSERT_TRUE(data.moveLast());
    EXPECT_EQ(file.count(), 6);
    EXPECT_EQ(file.stored(6, QStringLiteral("noigui")).toString(), QStringLiteral("Bộ Công an"));
    EXPECT_EQ(noigui.text(), QStringLiteral("Bộ Công an"));
}

TEST_F(DataControlTest, WritingWithoutACurrentRecordFails)
{
    ASSERT_TRUE(data.refresh());
    ASSERT_TRUE(data.deleteRecord());
    EXPECT_FALSE(data.hasCurrentRecord());
    noigui.setText(QStringLiteral("Bộ Công an"));
    log.clear();
    EXPECT_FALSE(data.updateRecord());
    EXPECT_EQ(log, QStringList({QStringLiteral("error:%1").arg(db::errc::NoCurrentRecord)}));
    EXPECT_EQ(file.count(), 4);
}

TEST_F(DataControlTest, DataErrorIsShownInTheMessageBoxUnlessTheHandlerContinues)
{
    ui::DataControl plain;
    plain.setDatabase(file.db());
    plain.setRecordSource(QStringLiteral("select * from khongco"));
    int number = 0;
    plain.setErrorHandler([&number](int n, const QString&) {
        number = n;
        return ui::ErrorResponse::Display;
    });
    EXPECT_FALSE(plain.refresh());
    EXPECT_NE(number, 0);
    ASSERT_EQ(responder.messageBoxes().size(), 1);
    EXPECT_TRUE(responder.messageBoxes().first().contains(QStringLiteral("khongco")));
}

// By name: a missing file is an error; the file opens with the connect string.
TEST_F(DataControlTest, OpensTheFileByNameWithTheConnectString)
{
    ui::DataControl byName;
    byName.setDatabaseName(file.path() + QStringLiteral(".missing"));
    byName.setConnectString(QStringLiteral(";pwd=vorkelmadu"));
    byName.setRecordSource(QStringLiteral("select * from cvden2024 where stt > 3 order by stt desc"));
    int number = 0;
    byName.setErrorHandler([&number](int n, const QString&) {
        number = n;
        return ui::ErrorResponse::Handled;
    });
    EXPECT_FALSE(byName.refresh());
    EXPECT_EQ(number, db::errc::FileNotFound);
    byName.setDatabaseName(file.path());
    ui::TextBox box;
    box.bind(&byName, QStringLiteral("noigui"));
    ASSERT_TRUE(byName.refresh());
    EXPECT_EQ(byName.recordset().recordCount(), 2);
    EXPECT_EQ(box.text(), LetterFile::noigui(5));
}

TEST_F(DataControlTest, EmptyTableHasNoCurrentRecordUntilAnAdditionIsWritten)
{
    file.db().execute(QStringLiteral("DELETE * FROM cvden2024"));
    ASSERT_TRUE(data.refresh());
    EXPECT_FALSE(data.hasCurrentRecord());
    EXPECT_EQ(noigui.text(), QString());
    EXPECT_TRUE(data.moveNext());
    EXPECT_TRUE(data.movePrevious());
    ASSERT_TRUE(data.addNew());
    stt.setText(QStringLiteral("1"));
    noigui.setText(QStringLiteral("Tỉnh ủy"));
    ASSERT_TRUE(data.updateRecord());
    EXPECT_EQ(file.count(), 1);
    ASSERT_TRUE(data.setBookmark(data.recordset().lastModified()));
    EXPECT_EQ(noigui.text(), QStringLiteral("Tỉnh ủy"));
}

TEST_F(DataControlTest, SetRecordsetWorksOnTheCallersRecordset)
{
    ASSERT_TRUE(data.refresh());
    db::Recordset rs =
        file.db().openRecordset(QStringLiteral("select * from cvden2024 where stt = 3"), db::RecordsetType::Snapshot);
    log.clear();
    ASSERT_TRUE(data.setRecordset(rs));
    EXPECT_EQ(log, QStringList({QStringLiteral("validate:%1:0").arg(actionNumber(ui::DataAction::Close)),
                                QStringLiteral("reposition:0")}));
    EXPECT_EQ(noigui.text(), LetterFile::noigui(3));
    // A snapshot cannot be written: the engine's refusal comes back as an Error.
    noigui.setText(QStringLiteral("Bộ Quốc phòng"));
    EXPECT_FALSE(data.updateRecord());
    EXPECT_EQ(log.last(), QStringLiteral("error:%1").arg(db::errc::NotUpdatable));
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
    box->bind(own, QStringLiteral("noigui"));
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
    box->setText(QStringLiteral("Sở Xây dựng"));
    EXPECT_FALSE(form.unload());
    EXPECT_TRUE(form.isLoaded());
    answer = ui::ValidateResult::Save;
    EXPECT_TRUE(form.unload());
    EXPECT_FALSE(form.isLoaded());
    EXPECT_EQ(validated, 2);
    EXPECT_EQ(file.stored(1, QStringLiteral("noigui")).toString(), QStringLiteral("Sở Xây dựng"));
}

// A box bound to a field the record source lacks raises an Error naming it, shows nothing and
// stays out of the way of the other boxes.
TEST_F(DataControlTest, BoxOnAnUnknownFieldIsAnErrorAndTheOthersGoOn)
{
    ASSERT_TRUE(data.refresh());
    log.clear();
    ui::TextBox wrong;
    wrong.bind(&data, QStringLiteral("so_cv_cu"));
    ASSERT_EQ(log, QStringList({QStringLiteral("error:%1").arg(db::errc::ItemNotFound)}));
    EXPECT_TRUE(errors.first().contains(QStringLiteral("so_cv_cu"))) << qPrintable(errors.first());
    EXPECT_EQ(wrong.text(), QString());
    noigui.setText(QStringLiteral("Sở Y tế"));
    wrong.setText(QStringLiteral("không ghi được"));
    EXPECT_TRUE(data.updateRecord());
    EXPECT_EQ(file.stored(1, QStringLiteral("noigui")).toString(), QStringLiteral("Sở Y tế"));
}

// A write the file refuses (text in a number field, a duplicate key, also while leaving the
// record) raises an Error, keeps the typed values and the position, and writes nothing; corrected,
// the same write goes through.
TEST_F(DataControlTest, RefusedWriteKeepsTheTypedValuesAndThePosition)
{
    file.db().execute(QStringLiteral("CREATE UNIQUE INDEX so_dk ON cvden2024 (stt)"));
    ASSERT_TRUE(data.refresh());
    ASSERT_TRUE(data.moveTo(3));
    stt.setText(QStringLiteral("năm"));
    EXPECT_FALSE(data.updateRecord());
    EXPECT_EQ(log.last(), QStringLiteral("error:3421"));
    EXPECT_EQ(stt.text(), QStringLiteral("năm"));
    stt.setText(QStringLiteral(" 1")); // already used
    EXPECT_FALSE(data.moveFirst());
    EXPECT_EQ(position(), 3);
    EXPECT_EQ(stt.text(), QStringLiteral(" 1"));
    EXPECT_TRUE(stt.dataChanged());
    EXPECT_EQ(file.stored(4, QStringLiteral("noigui")).toString(), LetterFile::noigui(4));
    ASSERT_TRUE(data.cancelUpdate());

    ASSERT_TRUE(data.addNew());
    stt.setText(QStringLiteral(" 2")); // already used
    noigui.setText(QStringLiteral("Công an tỉnh"));
    EXPECT_FALSE(data.updateRecord());
    EXPECT_EQ(noigui.text(), QStringLiteral("Công an tỉnh"));
    EXPECT_EQ(file.count(), 5);
    stt.setText(QStringLiteral(" 6"));
    EXPECT_TRUE(data.updateRecord());
    EXPECT_EQ(file.count(), 6);
    EXPECT_EQ(file.stored(6, QStringLiteral("noigui")).toString(), QStringLiteral("Công an tỉnh"));
    EXPECT_EQ(file.stored(4, QStringLiteral("noigui")).toString(), LetterFile::noigui(4));
}

// A record source that fails (none, an unknown table) raises an Error and leaves the control on
// the rows it had.
TEST_F(DataControlTest, FailingRecordSourceLeavesTheControlAsItWas)
{
    data.setRecordSource(QString());
    EXPECT_FALSE(data.refresh());
    EXPECT_EQ(log, QStringList({QStringLiteral("error:%1").arg(db::errc::TableNotFound)}));
    EXPECT_FALSE(data.hasRecordset());
    data.setRecordSource(LetterFile::table());
    ASSERT_TRUE(data.refresh());
    ASSERT_TRUE(data.moveTo(2));
    data.setRecordSource(QStringLiteral("select * from cvden1999"));
    EXPECT_FALSE(data.refresh());
    EXPECT_TRUE(errors.last().contains(QStringLiteral("cvden1999"))) << qPrintable(errors.last());
    EXPECT_TRUE(responder.messageBoxes().isEmpty()); // the handler answered Continue
    EXPECT_EQ(position(), 2);
    EXPECT_EQ(data.recordset().recordCount(), 5);
    EXPECT_EQ(noigui.text(), LetterFile::noigui(3));
}

} // namespace

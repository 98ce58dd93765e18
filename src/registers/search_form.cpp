#include "search_form.h"

#include "form_registry.h"
#include "letters_list_form.h"
#include "register_data.h"
#include "register_opener.h"

#include "app/core/messenger.h"
#include "app/core/run_time_error.h"
#include "common/abbreviation.h"
#include "common/criteria.h"
#include "common/date_field.h"
#include "common/dates.h"
#include "documents/text_indexer.h"
#include "documents/words_search.h"
#include "platform/db/db_error.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/key_codes.h"
#include "platform/ui/msg_box.h"
#include "platform/ui/silence.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>

namespace registers {
namespace {

const QString kReversed = QStringLiteral("Không đặt thời điểm cuối trước thời điểm đầu!");

} // namespace

void leaveSearchDate(ui::TextBox& box, const ui::TextBox* from, const QString& invalidMessage)
{
    if (box.text().trimmed().isEmpty())
        return;
    const QString parsed = common::parseDate(box.text());
    if (parsed.isEmpty()) {
        app::tell(invalidMessage);
        box.setText(QString());
        box.setFocus();
        return;
    }
    if (from) {
        const QString start = common::parseDate(from->text());
        if (!start.isEmpty() && common::normaliseDate(parsed) < common::normaliseDate(start)) {
            ui::msgBox(QStringLiteral("Không đặt trước thời điểm bắt đầu :") + from->text() + QStringLiteral("\r\n") +
                           QStringLiteral("Cần nạp lại con số thời gian này!"),
                       ui::msgbox::Exclamation);
            box.setFocus();
            return;
        }
    }
    box.setText(parsed);
}

QString searchGuideTail()
{
    return QChar(13) +
           QStringLiteral(
               " Cách dùng các dấu:      Dấu phảy : a,b (có a hoặc b)        Dấu + : a+b (phải có cả a và b) ") +
           QChar(13) +
           QStringLiteral(
               " Dấu chấm than : !a (không có a)        Dấu trừ (cho ô số) :  10-45 (các số từ 10 đến 45) ") +
           QChar(13) + QStringLiteral(" Các dấu >,< (cho ô số) : >3 (lớn hơn 3)  <15 (nhỏ hơn 15)");
}

SearchForm::~SearchForm()
{
    ui::silenceControls(this);
}

SearchForm::SearchForm(QWidget* parent) : ui::FormBase(parent)
{
    m_picks = new PickGrids(this);
}

void SearchForm::attachControls(SearchConfig config)
{
    m_config = std::move(config);
    const SearchControls& c = m_config.controls;
    c.years->setEditable(false); // only the years the file holds: the name of a table is never typed
    for (const SearchPick& p : m_config.picks)
        m_picks->add(p.pick);
    QList<ui::TextBox*> boxes = m_config.clearBoxes;
    if (m_config.channelBox)
        boxes << m_config.channelBox;
    for (ui::TextBox* b : std::as_const(boxes))
        connect(b, &ui::TextBox::LostFocus, this, [this, b] { boxLostFocus(b); });
    connect(c.search, &QPushButton::clicked, this, &SearchForm::Cmdtracuu_Click);
    connect(c.clear, &QPushButton::clicked, this, &SearchForm::cmdxoa_Click);
    connect(c.close, &QPushButton::clicked, this, &SearchForm::cmdclose_Click);
    if (m_config.readingProgress) {
        m_config.readingProgress->setAccessibleDescription(QStringLiteral("Tiến độ đọc nội dung tệp đính kèm"));
        if (documents::TextIndexer* reader = documents::programIndexer())
            connect(reader, &documents::TextIndexer::progressChanged, this, &SearchForm::showReadingProgress);
    }
    nameControlsFromLabels(this);
}

void SearchForm::showReadingProgress()
{
    if (!m_config.readingProgress)
        return;
    const documents::TextIndexer* reader = documents::programIndexer();
    const QString text = reader ? reader->progressText() : QString();
    m_config.readingProgress->setText(text);
    m_config.readingProgress->setVisible(!text.isEmpty());
}

void SearchForm::Form_Load()
{
    fillYears();
    // A label breaks lines at "\n".
    m_config.controls.guide->setText(QString(m_config.guide).replace(QChar(13), QChar(10)));
    // Documents of another letters file, or attached by another machine, join the reading.
    if (m_config.wordsBox) {
        if (documents::TextIndexer* reader = documents::programIndexer())
            reader->queueFrom(session().database());
    }
    showReadingProgress();
}

// The years whose table the letters file holds, the working year chosen (or the year chosen before,
// while the file still holds it).
void SearchForm::fillYears()
{
    QComboBox* list = m_config.controls.years;
    const ProgramContext& m = session().context();
    const QString chosen = isVisible() ? list->currentText() : m.workingYear;
    const QStringList years = tableYears(session().database(), m_config.tablePrefix);
    list->clear();
    list->addItems(years);
    list->setCurrentIndex(years.contains(chosen) ? years.indexOf(chosen) : years.indexOf(m.workingYear));
}

void SearchForm::openWithValueLists(const QStringList& lookups)
{
    load();
    fillYears();
    for (int i = 0; i < m_config.picks.size(); ++i) {
        const SearchPick& p = m_config.picks.at(i);
        if (i < lookups.size())
            m_picks->setSource(p.pick.grid, session().database(), lookups.at(i),
                               {{p.listColumns.value(0).first, p.column}});
        else
            showReferenceList(p);
    }
    m_hasLists = true;
    showModeless();
}

QStringList SearchForm::yearValueLists() const
{
    const QString table = session().yearTable();
    QStringList lists;
    for (const SearchPick& p : m_config.picks)
        lists << QStringLiteral("select distinct ") + p.column + QStringLiteral(" from ") + table +
                     QStringLiteral(" where ") + p.column + QStringLiteral("<>''");
    return lists;
}

void SearchForm::openFromEntry()
{
    load();
    fillYears();
    if (!m_hasLists) {
        // The main window never gave value lists: the reference lists serve instead.
        for (const SearchPick& p : m_config.picks)
            showReferenceList(p);
        m_hasLists = true;
    }
    showModeless();
}

void SearchForm::showReferenceList(const SearchPick& p)
{
    const ProgramContext& m = session().context();
    const db::Database& db = p.list == ReferenceList::Units ? m.scheduleReference : m.lettersReference;
    m_picks->setSource(p.pick.grid, db, p.listSql, p.listColumns);
}

void SearchForm::refuse(const QString& message, QWidget* focus)
{
    refuseSearch(message, focus);
}

void SearchForm::open()
{
    openFromEntry();
    m_config.numberBox->setFocus();
}

void SearchForm::Cmdtracuu_Click()
{
    try {
        try {
            search();
        } catch (const db::DbError& e) {
            if (!m_config.engineErrorsTold)
                throw;
            refuse(e.description(), nullptr); // the form stays as it was, ready for another try
        }
    } catch (const std::exception& e) {
        app::recordRunTimeError(e);
        ui::setDefaultPointer();
        app::tell(QStringLiteral("Gặp lỗi khi đang tra cứu ! "));
    }
}

CriteriaCondition criteriaCondition(const SearchConfig& config)
{
    CriteriaCondition r;
    QString status;
    common::appendNumberCriterion(config.numberBox->text(), config.numberColumn, r.condition, r.count, status);
    if (status == common::kStatusSai) {
        r.refusedBox = config.numberBox;
        return r;
    }
    const auto texts = [&](const QList<QPair<ui::TextBox*, QString>>& boxes) {
        for (const auto& [box, column] : boxes) {
            if (!common::appendTextCriterion(box->text(), column, r.condition, r.count)) {
                r.refusedBox = box;
                return false;
            }
        }
        return true;
    };
    if (!texts(config.leadingTextBoxes))
        return r;
    for (const SearchDateRange& range : config.ranges)
        common::appendDateRange(range.from->text(), range.to->text(), range.column, r.condition, r.count);
    texts(config.textBoxes);
    return r;
}

bool SearchForm::search()
{
    const QString year = m_config.controls.years->currentText().trimmed();
    // A year whose table the file no longer holds (another file was chosen meanwhile) is not searched.
    if (year.isEmpty() || !tableYears(session().database(), m_config.tablePrefix).contains(year)) {
        fillYears();
        refuse(QStringLiteral("Cần chọn năm để tra cứu trước !"), m_config.controls.years);
        return false;
    }
    const QString table = m_config.tablePrefix + year;
    // Dates typed and not yet left are checked as leaving would check them.
    for (const SearchDateRange& r : m_config.ranges) {
        if (!recheckDateBox(*r.from, r.badDate) || !recheckDateBox(*r.to, r.badDate))
            return false;
    }
    for (const SearchDateRange& r : m_config.ranges) {
        const QString from = common::parseDate(r.from->text());
        const QString to = common::parseDate(r.to->text());
        if (!r.searchMessage.isEmpty() && !from.isEmpty() && !to.isEmpty() &&
            common::normaliseDate(from) > common::normaliseDate(to)) {
            refuse(kReversed + QStringLiteral("\r\n") + r.searchMessage, r.from);
            return false;
        }
    }
    ui::setHourglass();
    CriteriaCondition c = criteriaCondition(m_config);
    if (c.refusedBox) {
        refuse(common::invalidCriterionMessage(c.refusedBox->text()), c.refusedBox);
        return false;
    }
    appendOwnCriteria(c.condition, c.count);
    if (const QString words = searchedWords(); !words.isEmpty()) {
        if (c.count > 0)
            c.condition += QStringLiteral(" and ");
        c.condition += documents::wordsCondition(session().database(), table, words);
        ++c.count;
    }
    const bool shown = showHits(table, c.condition);
    ui::setDefaultPointer();
    return shown;
}

void SearchForm::appendOwnCriteria(QString&, qint16&) const {}

QString SearchForm::searchedWords() const
{
    return m_config.wordsBox ? m_config.wordsBox->text().trimmed() : QString();
}

bool SearchForm::showHits(const QString& table, const QString& condition)
{
    session().setLastSearch({table, condition});
    // Marks belong to the last search; a file that may only be read keeps its marks.
    if (isWritable(session().database(), table))
        session().database().execute(QStringLiteral("UPDATE ") + table +
                                     QStringLiteral(" SET chonin = '' where [chonin]= 'X' ;"));
    if (!openList(table, condition))
        return false;
    hide();
    return true;
}

bool SearchForm::openList(const QString& table, const QString& condition)
{
    const QString statement = condition.isEmpty()
                                  ? QStringLiteral("SELECT * FROM ") + table
                                  : QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" WHERE ") + condition;
    if (auto* list = dynamic_cast<LettersListForm*>(form(m_config.listForm))) {
        list->setSession(sharedSession());
        list->setSearchedWords(searchedWords());
        list->open(table, statement, true);
    }
    return true;
}

void SearchForm::cmdxoa_Click()
{
    for (ui::TextBox* b : std::as_const(m_config.clearBoxes))
        b->setText(QString());
    clearOwnCriteria();
    if (m_config.clearFocus)
        m_config.clearFocus->setFocus();
}

void SearchForm::cmdclose_Click()
{
    if (m_config.unloadsOnClose) {
        unload();
        return;
    }
    session().finished(FormRole::Search);
    hide();
}

ui::UnloadResult SearchForm::Form_Unload()
{
    if (m_config.unloadsOnClose) {
        ui::setDefaultPointer();
        session().finished(FormRole::Search);
    }
    return ui::UnloadResult::Unload;
}

SessionPtr SearchForm::makeOwnSession() const
{
    return programSession(m_config.which, Start::Search);
}

void SearchForm::joined(RegisterSession& session)
{
    session.setReturn(FormRole::Search, this, [this](long long) {
        showModeless();
        if (m_config.returnFocus)
            m_config.returnFocus->setFocus();
    });
}

void SearchForm::boxLostFocus(ui::TextBox* b)
{
    if (!isVisible())
        return;
    if (b == m_config.numberBox) {
        if (!m_config.numberCheckedOnLeave)
            return;
        QString condition, status;
        qint16 count = 0;
        common::appendNumberCriterion(b->text(), m_config.numberColumn, condition, count, status);
        if (status == common::kStatusSai)
            refuse(common::invalidCriterionMessage(b->text()), b);
        return;
    }
    for (const SearchDateRange& r : m_config.ranges) {
        if (b != r.from && b != r.to)
            continue;
        if (r.leaveFirstLine.isEmpty()) {
            leaveSearchDate(*b, b == r.to ? r.from : nullptr, b == r.to ? r.badDate : r.badFromDate);
            return;
        }
        if (b->text().trimmed().isEmpty())
            return;
        const QString parsed = common::parseDate(b->text());
        if (parsed.isEmpty()) {
            app::tell(b == r.to ? r.badDate : r.badFromDate);
            b->setText(QString());
            b->setFocus();
            return;
        }
        if (b == r.to) {
            const QString from = common::parseDate(r.from->text());
            if (!from.isEmpty() && common::normaliseDate(from) > common::normaliseDate(parsed)) {
                refuse(r.leaveFirstLine + QStringLiteral("\r\n") + QStringLiteral("Cần nạp lại con số thời gian này!"),
                       b);
                return;
            }
        }
        if (b->text() != parsed)
            b->setText(parsed);
        return;
    }
    for (const AbbreviationRule& rule : m_config.abbreviations) {
        if (rule.box == b && !rule.leaveColumn.isEmpty())
            expandFrom(session().context(), *b, common::expandkey::LeaveField, rule.list, rule.leaveColumn);
    }
}

void SearchForm::Form_KeyUp(int keyCode, int shift)
{
    auto* b = qobject_cast<ui::TextBox*>(activeControl());
    switch (keyCode) {
    case ui::key::Escape:
        if (ui::TextBox* gridBox = m_picks->visibleBox())
            gridBox->setFocus();
        return;
    case ui::key::F4:
        if (b)
            b->setText(QString());
        return;
    case ui::key::F5:
        if (!b)
            return;
        if (b == m_config.channelBox) {
            b->setText(b->text() == QStringLiteral("Công đoàn") ? QStringLiteral("Đảng,NN")
                                                                : QStringLiteral("Công đoàn"));
            return;
        }
        if (m_picks->showFor(b))
            return;
        for (const SearchDateRange& r : m_config.ranges) {
            if (m_config.stepsDates && (b == r.from || b == r.to)) {
                const QString stepped = common::stepDateField(b->text(), shift == ui::shift::Shift ? -1 : 1);
                if (!stepped.isEmpty())
                    b->setText(stepped);
            }
        }
        return;
    default:
        break;
    }
    for (const AbbreviationRule& rule : m_config.abbreviations) {
        if (b && rule.box == b && !rule.keyColumn.isEmpty()) {
            expandFrom(session().context(), *b, keyCode, rule.list, rule.keyColumn);
            return;
        }
    }
}

void SearchForm::closeEvent(QCloseEvent* event)
{
    if (m_config.unloadsOnClose) {
        ui::FormBase::closeEvent(event);
        return;
    }
    event->ignore(); // hidden, not unloaded, as by "Kết thúc"
    cmdclose_Click();
}

} // namespace registers

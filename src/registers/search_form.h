#pragma once

// The search form of every register (letters, work plans, schedule): one box per searchable column,
// each taking a criterion of the criteria language; "&Tra cứu" joins the non-blank boxes into one
// condition on the chosen year's table, remembers it as its visit's last search and shows the hits
// in the register's list form. A register's search gives its boxes in a SearchConfig and overrides
// what it does differently (its own criteria, how the hits are shown). The form has no modes; its
// boxes keep their criteria until "&Xoá ĐKiện".

#include "form_support.h"
#include "pick_grids.h"
#include "register_session.h"

#include "platform/ui/form_base.h"
#include "platform/ui/text_box.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace registers {

struct SearchDateRange
{
    ui::TextBox* from = nullptr; // mng_den1
    ui::TextBox* to = nullptr;   // mng_den2
    QString column;              // "[ng_denchuan]"
    QString searchMessage;       // said by "&Tra cứu" for a reversed range (after the common first line); "" no check
    QString leaveFirstLine;      // first line said when the to box is left before the from date; "" for the
                                 // exclamation box of leaveSearchDate
    // Told for a text that is not a date: leaving the to box, or either box when searching; leaving the from box.
    QString badDate = QStringLiteral("Bạn cần nạp lại ngày tháng năm cho đúng!");
    QString badFromDate = QStringLiteral("Bạn cần nạp lại ngày tháng năm cho đúng!");
};

// A pick grid of the search form: from the main window it shows the distinct values of its
// column in the year table; reached otherwise it shows a reference list.
struct SearchPick
{
    PickList pick;
    QString column;     // "dv_nhan": the column of the main window's value list
    ReferenceList list; // the reference list shown otherwise
    QString listSql;    // "select * from donvi order by matt"
    QList<GridColumn> listColumns;
};

// Leaving a date box of the work-plan and schedule searches (nothing for a blank box): a text that
// is not a date is told with invalidMessage, emptied and refocused; a to date before the date in
// its from box (when given) is warned with an exclamation and refocused, keeping its text;
// otherwise the box shows the parsed date.
void leaveSearchDate(ui::TextBox& box, const ui::TextBox* from, const QString& invalidMessage);

// The lines of the search forms' guide after the first: how the signs of a criterion combine.
QString searchGuideTail();

// The controls every search form has under the same names.
struct SearchControls
{
    QComboBox* years = nullptr; // Combonamlamviec
    QLabel* guide = nullptr;    // Label1
    QPushButton* search = nullptr;
    QPushButton* clear = nullptr;
    QPushButton* close = nullptr;
};

template <class Ui> SearchControls searchControls(const Ui& ui)
{
    return {ui.Combonamlamviec, ui.Label1, ui.cmdtracuu, ui.cmdxoa, ui.cmdclose};
}

struct SearchConfig
{
    SearchControls controls;
    QString tablePrefix;              // "cvden"
    ui::TextBox* numberBox = nullptr; // mstt
    QString numberColumn = QStringLiteral("[stt]");
    bool numberCheckedOnLeave = true;
    QList<QPair<ui::TextBox*, QString>> leadingTextBoxes; // box, column: appended before the date ranges
    QList<SearchDateRange> ranges;
    QList<QPair<ui::TextBox*, QString>> textBoxes; // box, column, in the order they are appended
    QList<ui::TextBox*> clearBoxes;                // emptied by "&Xoá ĐKiện"
    QWidget* clearFocus = nullptr;                 // focused afterwards (none leaves the focus)
    QList<AbbreviationRule> abbreviations;
    QList<SearchPick> picks;
    ui::TextBox* channelBox = nullptr; // F5 toggles "Đảng,NN" / "Công đoàn" here (none for none)
    bool stepsDates = true;            // F5 and Shift+F5 step the day of a date box
    QString guide;                     // the guide label's text ("\r" breaks a line)
    QString listForm;                  // "frmgridcvden"
    Register which = Register::Incoming;
    QWidget* returnFocus = nullptr; // focused when the form comes back from its list
    // "&Kết thúc" and the close box unload the form (the next opening loads it afresh) instead of
    // hiding it.
    bool unloadsOnClose = false;
    bool engineErrorsTold = false; // an engine error of a search is told in its own words
    // The letters' box of the words inside their attached documents (mnoidung; none for none): its
    // words select the letters a document of which holds them all, joined to the other criteria.
    ui::TextBox* wordsBox = nullptr;
    QLabel* readingProgress = nullptr; // lbldocnoidung: how far the reading of the documents is
};

// The condition a search config's boxes give: the number box, the leading text boxes, the date
// ranges, the text boxes, in this order. refusedBox is the first box whose criterion is not valid
// (the condition is then not to be run).
struct CriteriaCondition
{
    QString condition;
    qint16 count = 0;
    ui::TextBox* refusedBox = nullptr;
};
CriteriaCondition criteriaCondition(const SearchConfig& config);

class SearchForm : public ui::FormBase, public SessionMember
{
    Q_OBJECT

public:
    explicit SearchForm(QWidget* parent = nullptr);
    ~SearchForm() override;

    // From the main window: the pick grids show the value lists (SELECT statements on the
    // letters file, in the order of the config's picks).
    void openWithValueLists(const QStringList& lookups);
    // The value lists of the year table: for each pick, the distinct values its column holds.
    QStringList yearValueLists() const;
    // From the entry form: shows the form; grids never given value lists show the reference lists.
    void openFromEntry();
    // Shows the form as openFromEntry does, the cursor in the number box.
    void open() override;

    PickGrids* pickGrids() const { return m_picks; }
    QComboBox* yearList() const { return m_config.controls.years; }
    const SearchConfig& config() const { return m_config; }

    void Cmdtracuu_Click();
    void cmdxoa_Click();
    void cmdclose_Click();

protected:
    // Called by the form once its layout is made: wires the controls config names.
    void attachControls(SearchConfig config);
    void Form_Load() override;
    ui::UnloadResult Form_Unload() override;
    // The close box (and Alt+F4) does what "Kết thúc" does: the form the user came from comes back.
    void closeEvent(QCloseEvent* event) override;
    void Form_KeyUp(int keyCode, int shift) override;
    SessionPtr makeOwnSession() const override;
    void joined(RegisterSession& session) override;
    // Criteria of the register's own beyond the boxes (check boxes), appended after them.
    virtual void appendOwnCriteria(QString& condition, qint16& count) const;
    // Empties the register's own criteria after the boxes ("&Xoá ĐKiện").
    virtual void clearOwnCriteria() {}
    // Shows the hits of condition (blank: every record) on table. By default: remembers the search,
    // clears the table's print marks and opens the list (openList), hiding the form when it did.
    virtual bool showHits(const QString& table, const QString& condition);
    // Opens the list form on the hits; the default opens the letters list.
    virtual bool openList(const QString& table, const QString& condition);
    // The words of the words box ("" without one), trimmed.
    QString searchedWords() const;
    SearchConfig m_config;

private:
    void fillYears();
    void boxLostFocus(ui::TextBox* box);
    void refuse(const QString& message, QWidget* focus);
    void showReferenceList(const SearchPick& pick);
    bool search();
    void showReadingProgress();

    PickGrids* m_picks;
    bool m_hasLists = false;
};

} // namespace registers

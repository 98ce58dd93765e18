#include "letter_register.h"

#include "registers/entry_form.h"
#include "registers/list_form.h"
#include "registers/search_form.h"

#include "frmincv.h"

#include "app/form_commands.h"
#include "app/module1.h"

namespace registers {

void registerLetterRegister(const LetterRegister& r)
{
    registerDatePrintDialog();
    addForm(r.entryForm, r.makeEntry);
    addForm(r.listForm, r.makeList);
    addForm(r.searchForm, r.makeSearch);

    app::registerFormOpener(r.entryButton, [r](const app::FormRequest&, QWidget* main) {
        setMainWindow(main);
        form<EntryForm>(r.entryForm)->open(app::module1().*r.yearTable);
    });
    // The main window has set trangthai to "xembangcv" and cleared the marks of the year.
    app::registerFormOpener(r.listButton, [r](const app::FormRequest&, QWidget* main) {
        setMainWindow(main);
        const QString table = app::module1().*r.yearTable;
        form<ListForm>(r.listForm)->open(table, table, false);
    });
    app::registerFormOpener(r.searchButton, [r](const app::FormRequest& request, QWidget* main) {
        setMainWindow(main);
        form<SearchForm>(r.searchForm)->openWithValueLists(request.lookups);
    });
}

} // namespace registers

#pragma once

// Small pieces every register form uses: names for the accessibility tree, the reference lists
// abbreviations expand from, and the bridge between a form's text box and the shared text
// procedures.

#include "program_context.h"

#include "common/text_box.h"
#include "platform/db/recordset.h"
#include "platform/ui/label_names.h"
#include "platform/ui/text_box.h"

#include <QString>

class QWidget;

namespace ui {
class DataControl;
class FormBase;
} // namespace ui

namespace registers {

// The toolkit's naming of controls from their labels, as the forms of this folder call it.
using ui::nameControlsFromLabels;
using ui::setAccessibleCaption;

// The reference lists of the program (ProgramContext) that a box completes from.
enum class ReferenceList
{
    Abbreviations,  // abbreviations, "chudu"
    Units,          // units
    Correspondents, // correspondents
    LetterTypes,    // letterTypes
};
db::Recordset referenceList(const ProgramContext& context, ReferenceList list);

// A box that expands abbreviations or completes names from a reference list.
struct AbbreviationRule
{
    ui::TextBox* box = nullptr;
    ReferenceList list;
    QString keyColumn;   // column used on key release; "" for none
    QString leaveColumn; // column used when the box is left; "" for none
};

// A form's text box seen by the shared text procedures (abbreviation expansion).
class TextBoxAdapter : public common::TextBox
{
public:
    explicit TextBoxAdapter(ui::TextBox& box) : m_box(box) {}
    QString text() const override { return m_box.text(); }
    void setText(const QString& text) override { m_box.setText(text); }
    int cursorPosition() const override { return m_box.selStart(); }
    void setCursorPosition(int position) override { m_box.setSelStart(position); }
    bool isMultiLine() const override { return m_box.isMultiLine(); }

private:
    ui::TextBox& m_box;
};

// Runs abbreviation expansion on box for key from list's column (the context's list); a list that
// cannot be searched changes nothing (the error is recorded as the last run-time error).
void expandFrom(const ProgramContext& context, ui::TextBox& box, int key, ReferenceList list, const QString& column);

// Moves data to the record a position box names ("12" or "12/40", counted from 1). False, without
// moving, when the text names no other record of the recordset.
bool moveToTypedPosition(ui::DataControl& data, const QString& typed);

// A search that cannot run: the pointer back to normal, message told, the focus on focus (when
// given) so that the user corrects the criterion there.
void refuseSearch(const QString& message, QWidget* focus = nullptr);

// The date rule once more for a date box the user may not have left (a save or a search started by
// a click or a shortcut): a blank box passes; a text that is not a date is told with message, the
// box emptied and focused, and false returned; a date is completed ("dd/mm/yyyy") in the box.
bool recheckDateBox(ui::TextBox& box, const QString& message);

// A multi-line text box for Designer forms (the summary boxes).
class MultiLineTextBox : public ui::TextBox
{
    Q_OBJECT
public:
    explicit MultiLineTextBox(QWidget* parent = nullptr) : ui::TextBox(parent, true) {}
};

// Twips (the old forms' unit) to pixels: 15 twips to a pixel.
inline int pixels(int twips)
{
    return twips / 15;
}

} // namespace registers

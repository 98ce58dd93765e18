#pragma once

// The outgoing-letter entry form: registers the letters the organisation sends in cvdi + year,
// numbered separately for each letter type, corrects them, pages through them and starts the
// search and the print by date.

#include "registers/entry_form.h"

#include "platform/ui/data_combo.h"

#include <memory>

namespace Ui {
class frmcvdi;
}

namespace registers {

// The old form frmcvdi.
class OutgoingEntryForm : public EntryForm
{
    Q_OBJECT

public:
    explicit OutgoingEntryForm(QWidget* parent = nullptr);
    ~OutgoingEntryForm() override;

    // The generated layout, for reaching the controls typed (tests).
    const Ui::frmcvdi& ui() const { return *m_ui; }

    ui::DataControl* Dataloai = nullptr;
    ui::DataCombo* comboLoai() const;

    // Proposes the register number for a letter of type (adding or editing only).
    void numberByType(const QString& type);

protected:
    void fillNewRecord() override;
    bool functionKey5(QWidget* box, int shift) override;
    void editStarted() override;
    bool numberTypedByHand() const override;
    QString numberScope(const db::Recordset& rs) const override;

    void DBComboloai_Click(int area) override;

private:
    void mloai_LostFocus();

    std::unique_ptr<Ui::frmcvdi> m_ui;
    QString m_typeOnFocus; // mloai's text when it received the focus
    QString m_startType;   // the type and number the edited letter had when editing started
    QString m_startNumber;
    int m_proposed = 0; // the number the numbering gave, 0 when none
};

// The outgoing register's configuration of the entry form.
EntryConfig outgoingEntryConfig(const Ui::frmcvdi& ui);

} // namespace registers

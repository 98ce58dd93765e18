#pragma once

// The incoming-letter entry form: registers each letter that arrives in cvden + year, corrects
// letters, pages through them and starts the search and the print by date.

#include "letter_inbox.h"

#include "registers/entry_form.h"

#include "platform/ui/data_combo.h"

#include <memory>

namespace Ui {
class frmcvden;
}

namespace registers {

// The old form frmcvden.
class IncomingEntryForm : public EntryForm
{
    Q_OBJECT

public:
    explicit IncomingEntryForm(QWidget* parent = nullptr);
    ~IncomingEntryForm() override;

    // The generated layout, for reaching the controls typed (tests).
    const Ui::frmcvden& ui() const { return *m_ui; }

    // Starts a new letter from the inbox file path (letter_inbox.h).
    bool takeIn(const QString& path);

    ui::DataControl* Dataloai = nullptr;
    ui::DataCombo* comboLoai() const;

protected:
    void fillNewRecord() override;
    bool functionKey5(QWidget* box, int shift) override;
    void tableChosen() override;
    bool saveConfirmed() override;

    void DBComboloai_Click(int area) override;

private:
    TakeInBoxes inboxBoxes() const;
    void cmdcvtraloi_Click();

    std::unique_ptr<Ui::frmcvden> m_ui;
};

// The incoming register's configuration of the entry form.
EntryConfig incomingEntryConfig(const Ui::frmcvden& ui);

} // namespace registers

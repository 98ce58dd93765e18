#include "data_file_choice_dialog.h"

#include "ui_frmchondulieu.h"

#include "file_dialog.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/label_names.h"

#include <QDir>
#include <QKeyEvent>

namespace datafiles {

DataFileChoiceDialog::DataFileChoiceDialog(DataFileRole role, ChoiceHooks hooks, QWidget* parent)
    : ui::FormBase(parent, ui::kFixedDialog), m_ui(std::make_unique<Ui::frmchondulieu>()), m_role(role),
      m_hooks(std::move(hooks))
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("frmchondulieu"));
    ui::nameControlsFromLabels(this); // each box is named by its label, as a screen reader reads it
    m_ui->List1->installEventFilter(this);
    connect(m_ui->cmdchon, &QPushButton::clicked, this, &DataFileChoiceDialog::cmdchon_Click);
    connect(m_ui->cmdchapnhan, &QPushButton::clicked, this, &DataFileChoiceDialog::cmdchapnhan_Click);
    connect(m_ui->cmdhuychon, &QPushButton::clicked, this, &DataFileChoiceDialog::cmdhuychon_Click);
    connect(m_ui->List1, &QListWidget::itemDoubleClicked, this, &DataFileChoiceDialog::List1_DblClick);
    connect(m_ui->filechon, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_ui->cmdchapnhan->setEnabled(!text.trimmed().isEmpty()); });
}

DataFileChoiceDialog::~DataFileChoiceDialog() = default;

void DataFileChoiceDialog::run(const QString& lenhchon, const ChoiceHooks& hooks, QWidget* parent)
{
    const std::optional<DataFileRole> role = roleOfCommand(lenhchon);
    if (!role)
        return;
    DataFileChoiceDialog form(*role, hooks, parent);
    form.showModal();
}

void DataFileChoiceDialog::Form_Load()
{
    const QString title = roleTitle(m_role);
    m_ui->lbltieude->setText(title);
    setWindowTitle(title);
    m_ui->filedangdung->setText(fileInUse(m_role));
    m_ui->List1->clear();
    m_ui->List1->addItems(offeredFiles(m_role));
    if (m_ui->List1->count() > 0)
        m_ui->List1->setCurrentRow(0);
    m_ui->filechon->clear();
    m_ui->cmdchapnhan->setEnabled(false);
    m_ui->cmdchon->setEnabled(!offersDataSets(m_role)); // a file would split the office's data
    ui::setInitialFocus(m_ui->List1);
}

void DataFileChoiceDialog::List1_DblClick()
{
    if (QListWidgetItem* item = m_ui->List1->currentItem())
        m_ui->filechon->setText(item->text());
}

void DataFileChoiceDialog::cmdchon_Click()
{
    const QString chosen = fileChooser(this)(browseRequest(m_role));
    if (!chosen.isEmpty()) // cancelled: everything stays
        m_ui->filechon->setText(QDir::toNativeSeparators(chosen));
}

void DataFileChoiceDialog::cmdchapnhan_Click()
{
    QString filechon = m_ui->filechon->text();
    ChoiceOutcome outcome;
    {
        ui::HourglassPointer hourglass;
        outcome = acceptChosenFile(m_role, filechon, m_hooks);
    }
    m_ui->filechon->setText(filechon);
    if (outcome == ChoiceOutcome::Switched)
        unload();
    else
        m_ui->filechon->setFocus();
}

void DataFileChoiceDialog::cmdhuychon_Click()
{
    unload();
}

// Enter on a file of the list chooses it, as a double-click does.
bool DataFileChoiceDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->List1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            List1_DblClick();
            m_ui->filechon->setFocus();
            return true;
        }
    }
    return ui::FormBase::eventFilter(watched, event);
}

} // namespace datafiles

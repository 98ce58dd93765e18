#include "form_registry.h"

#include "common/dates.h"
#include "date_print.h"
#include "platform/ui/form_base.h"

#include <QHash>
#include <QPointer>
#include <QWidget>

namespace registers {
namespace {

struct Registry
{
    QHash<QString, FormFactory> factories;
    QHash<QString, QPointer<ui::FormBase>> instances;
    QPointer<QWidget> mainWindow;
};

Registry& registry()
{
    static Registry r;
    return r;
}

} // namespace

void addForm(const QString& name, FormFactory factory)
{
    registry().factories.insert(name.toLower(), std::move(factory));
}

ui::FormBase* form(const QString& name)
{
    Registry& r = registry();
    const QString key = name.toLower();
    if (ui::FormBase* f = r.instances.value(key))
        return f;
    const FormFactory factory = r.factories.value(key);
    if (!factory)
        return nullptr;
    ui::FormBase* f = factory();
    r.instances.insert(key, f);
    return f;
}

ui::FormBase* existingForm(const QString& name)
{
    return registry().instances.value(name.toLower());
}

void destroyForms()
{
    const auto instances = registry().instances;
    registry().instances.clear();
    for (const QPointer<ui::FormBase>& f : instances)
        delete f.data();
}

void setMainWindow(QWidget* window)
{
    registry().mainWindow = window;
}

QWidget* mainWindow()
{
    return registry().mainWindow;
}

void showMainWindow()
{
    if (QWidget* w = registry().mainWindow)
        w->show();
}

ui::FormBase* datePrintDialog(const QString& caller, std::shared_ptr<RegisterSession> visit, const QString& letterDate)
{
    if (ui::FormBase* old = existingForm(QStringLiteral("frmincv")); old && old->isLoaded())
        old->unload();
    ui::FormBase* dialog = form(QStringLiteral("frmincv"));
    auto* told = dynamic_cast<DatePrintCaller*>(dialog);
    if (!told)
        return nullptr;
    told->setCaller(caller, std::move(visit));
    dialog->load();
    told->proposeFirstDate(common::parseDate(letterDate));
    return dialog;
}

} // namespace registers

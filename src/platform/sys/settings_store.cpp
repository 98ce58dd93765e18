#include "settings_store.h"

#include <QSettings>

namespace sys {
namespace {
const QString kSection = QStringLiteral("Settings");

QString keyPath(const QString& key)
{
    return kSection + QLatin1Char('/') + key;
}
} // namespace

SettingsStore::SettingsStore(const QString& application)
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Selvaro"),
                                             application))
{}

SettingsStore::SettingsStore(std::unique_ptr<QSettings> settings) : m_settings(std::move(settings)) {}

SettingsStore SettingsStore::onFile(const QString& path)
{
    return SettingsStore(std::make_unique<QSettings>(path, QSettings::IniFormat));
}

SettingsStore::SettingsStore(SettingsStore&&) noexcept = default;
SettingsStore& SettingsStore::operator=(SettingsStore&&) noexcept = default;
SettingsStore::~SettingsStore() = default;

QVariant SettingsStore::value(const QString& key, const QVariant& fallback) const
{
    return m_settings->value(keyPath(key), fallback);
}

int SettingsStore::intValue(const QString& key, int fallback) const
{
    bool ok = false;
    const int number = m_settings->value(keyPath(key)).toString().trimmed().toInt(&ok);
    return ok ? number : fallback;
}

bool SettingsStore::contains(const QString& key) const
{
    return m_settings->contains(keyPath(key));
}

void SettingsStore::setValue(const QString& key, const QVariant& value)
{
    m_settings->setValue(keyPath(key), value);
}

void SettingsStore::remove(const QString& key)
{
    m_settings->remove(keyPath(key));
}

bool SettingsStore::sync()
{
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

QString SettingsStore::fileName() const
{
    return m_settings->fileName();
}

SettingsStore FolderSetting::store() const
{
    return m_settingsFile.isEmpty() ? SettingsStore() : SettingsStore::onFile(m_settingsFile);
}

QString FolderSetting::folder() const
{
    return store().value(m_key).toString();
}

void FolderSetting::setFolder(const QString& folder)
{
    SettingsStore s = store();
    if (folder.isEmpty())
        s.remove(m_key);
    else
        s.setValue(m_key, folder);
    s.sync();
}

} // namespace sys

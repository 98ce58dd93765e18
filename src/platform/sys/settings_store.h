#pragma once

#include <QString>
#include <QVariant>
#include <memory>
#include <utility>

class QSettings;

namespace sys {

// The per-application settings store: named values kept between runs in the section "Settings",
// like the old platform's per-application registry keys. The default store lives in the user's
// configuration folder under the organisation and application names; a store on an explicit INI
// file serves tests and tools. Values written are visible to a new store on the same file after
// sync() (and at the latest when the writing store is destroyed).
class SettingsStore
{
public:
    // The user's store for application (organisation "Selvaro").
    explicit SettingsStore(const QString& application = QStringLiteral("Selvaro"));
    // A store kept in the INI file at path.
    static SettingsStore onFile(const QString& path);

    SettingsStore(SettingsStore&&) noexcept;
    SettingsStore& operator=(SettingsStore&&) noexcept;
    ~SettingsStore();

    // The value of key, or fallback when the key was never written.
    QVariant value(const QString& key, const QVariant& fallback = QVariant()) const;
    // The value of key read as a whole number; fallback when absent or not a number.
    int intValue(const QString& key, int fallback) const;
    bool contains(const QString& key) const;
    void setValue(const QString& key, const QVariant& value);
    void remove(const QString& key);
    // Writes pending changes; false when the store cannot be written.
    bool sync();
    QString fileName() const;

private:
    explicit SettingsStore(std::unique_ptr<QSettings> settings);
    std::unique_ptr<QSettings> m_settings;
};

// One folder named in the settings store under a key (the scanner inbox, the published week):
// "" when none is named. Tests point it at a settings file of their own.
class FolderSetting
{
public:
    explicit FolderSetting(QString key) : m_key(std::move(key)) {}
    QString folder() const;
    // Names folder, or forgets the setting when folder is "".
    void setFolder(const QString& folder);
    // The INI file the setting is kept in from now on; "" for the user's store.
    void useSettingsFile(const QString& path) { m_settingsFile = path; }

private:
    SettingsStore store() const;
    QString m_key;
    QString m_settingsFile;
};

} // namespace sys

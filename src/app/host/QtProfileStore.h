#pragma once

#include <memory>
#include <string>

#include <QSettings>
#include <QString>

#include "platform/ProfileStore.h"

namespace lingomat {

// The settings in the user's own store: an INI file under the config folder on Linux, the
// registry on Windows.
class QtProfileStore : public ProfileStore {
public:
    QtProfileStore();
    // A store in the given INI file, for tests and portable installations.
    explicit QtProfileStore(const QString& iniFile);

    std::int64_t GetInt(const std::string& section, const std::string& name,
                        std::int64_t defaultValue) const override;
    std::string GetString(const std::string& section, const std::string& name,
                          const std::string& defaultValue) const override;
    void WriteInt(const std::string& section, const std::string& name, std::int64_t value) override;
    void WriteString(const std::string& section, const std::string& name,
                     const std::string& value) override;

    // Writes what is pending to disk; false when the file cannot be written.
    bool Sync() override;

    // The key under which a section's value lives. Sections are player names, which may hold
    // anything; every byte outside [A-Za-z0-9 _-] is percent-encoded, so no name can contain
    // a group separator or spell another section. The value name is lowercased, since the
    // game reads and writes its names in differing case.
    static QString Key(const std::string& section, const std::string& name);

private:
    std::unique_ptr<QSettings> settings;
};

} // namespace lingomat

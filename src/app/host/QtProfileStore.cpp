#include "host/QtProfileStore.h"

#include <QLatin1String>

#include "support/Cp1252.h"

namespace lingomat {

namespace {

const QString kOrganisation = QStringLiteral("Lingomat");
// Two blanks after the dash: the name under which every earlier version kept its settings.
const QString kApplication = QStringLiteral("Lingomat -  Das Vokabelspiel");

QString Escaped(const std::string& text) {
    static const char* const hex = "0123456789ABCDEF";
    QString escaped;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                           (byte >= '0' && byte <= '9') || byte == ' ' || byte == '_' ||
                           byte == '-';
        if (plain) {
            escaped.append(QLatin1Char(c));
        } else {
            escaped.append(QLatin1Char('%'));
            escaped.append(QLatin1Char(hex[byte >> 4]));
            escaped.append(QLatin1Char(hex[byte & 0x0F]));
        }
    }
    return escaped;
}

} // namespace

QtProfileStore::QtProfileStore()
#ifdef Q_OS_WIN
    : settings(std::make_unique<QSettings>(kOrganisation, kApplication))
#else
    : settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                           kOrganisation, kApplication))
#endif
{
}

QtProfileStore::QtProfileStore(const QString& iniFile)
    : settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

QString QtProfileStore::Key(const std::string& section, const std::string& name) {
    // A lone "%" cannot come out of the encoding, so the empty name gets a section of its own
    // instead of landing among the top-level values.
    const QString group = section.empty() ? QStringLiteral("%") : Escaped(section);
    return group + QLatin1Char('/') + Escaped(ProfileValueKey(name));
}

std::int64_t QtProfileStore::GetInt(const std::string& section, const std::string& name,
                                    std::int64_t defaultValue) const {
    const QString key = Key(section, name);
    if (!settings->contains(key)) {
        return defaultValue;
    }
    bool ok = false;
    const qlonglong value = settings->value(key).toString().trimmed().toLongLong(&ok);
    // Text that is no number reads as 0, as the registry's integer reader does.
    return ok ? value : 0;
}

std::string QtProfileStore::GetString(const std::string& section, const std::string& name,
                                      const std::string& defaultValue) const {
    const QString key = Key(section, name);
    if (!settings->contains(key)) {
        return defaultValue;
    }
    return FromQString(settings->value(key).toString());
}

void QtProfileStore::WriteInt(const std::string& section, const std::string& name,
                              std::int64_t value) {
    settings->setValue(Key(section, name), QString::number(value));
}

void QtProfileStore::WriteString(const std::string& section, const std::string& name,
                                 const std::string& value) {
    settings->setValue(Key(section, name), ToQString(value));
}

bool QtProfileStore::Sync() {
    settings->sync();
    return settings->status() == QSettings::NoError;
}

} // namespace lingomat

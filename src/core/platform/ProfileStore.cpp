#include "platform/ProfileStore.h"

#include <charconv>

namespace lingomat {

std::string ProfileValueKey(std::string name) {
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return name;
}

std::int64_t MemoryProfileStore::GetInt(const std::string& section, const std::string& name,
                                        std::int64_t defaultValue) const {
    if (!Contains(section, name)) {
        return defaultValue;
    }
    const std::string& text = sections.at(section).at(ProfileValueKey(name));
    std::int64_t value = 0;
    // Text that is no number reads as 0, as the registry's integer reader does.
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string MemoryProfileStore::GetString(const std::string& section, const std::string& name,
                                          const std::string& defaultValue) const {
    return Contains(section, name) ? sections.at(section).at(ProfileValueKey(name)) : defaultValue;
}

void MemoryProfileStore::WriteInt(const std::string& section, const std::string& name,
                                  std::int64_t value) {
    sections[section][ProfileValueKey(name)] = std::to_string(value);
}

void MemoryProfileStore::WriteString(const std::string& section, const std::string& name,
                                     const std::string& value) {
    sections[section][ProfileValueKey(name)] = value;
}

bool MemoryProfileStore::Contains(const std::string& section, const std::string& name) const {
    const auto found = sections.find(section);
    return found != sections.end() && found->second.count(ProfileValueKey(name)) != 0;
}

} // namespace lingomat

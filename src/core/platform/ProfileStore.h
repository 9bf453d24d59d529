#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace lingomat {

// A value name as every store keys it: ASCII capitals lowered, so that names differing only in
// case meet.
std::string ProfileValueKey(std::string name);

// Per-user settings: sections of named integer and string values. Value names are compared
// without regard to letter case, so "right" and "Right" name the same value.
class ProfileStore {
public:
    virtual ~ProfileStore() = default;
    virtual std::int64_t GetInt(const std::string& section, const std::string& name,
                                std::int64_t defaultValue) const = 0;
    virtual std::string GetString(const std::string& section, const std::string& name,
                                  const std::string& defaultValue) const = 0;
    virtual void WriteInt(const std::string& section, const std::string& name,
                          std::int64_t value) = 0;
    virtual void WriteString(const std::string& section, const std::string& name,
                             const std::string& value) = 0;
    // Makes what was written last; false when the store cannot be written.
    virtual bool Sync() { return true; }
};

// Settings held in memory, for tests and for runs without a settings file.
class MemoryProfileStore : public ProfileStore {
public:
    std::int64_t GetInt(const std::string& section, const std::string& name,
                        std::int64_t defaultValue) const override;
    std::string GetString(const std::string& section, const std::string& name,
                          const std::string& defaultValue) const override;
    void WriteInt(const std::string& section, const std::string& name, std::int64_t value) override;
    void WriteString(const std::string& section, const std::string& name,
                     const std::string& value) override;

    bool Contains(const std::string& section, const std::string& name) const;

private:
    // Keyed by section, then by the lowercased value name; integers are kept as their text.
    std::map<std::string, std::map<std::string, std::string>> sections;
};

} // namespace lingomat

#pragma once
// The registry stand-in: values under HKEY_CURRENT_USER.
#include <QString>
#include <memory>
#include <optional>

namespace platform {

class Registry {
public:
    virtual ~Registry() = default;
    // key is the sub-key below HKEY_CURRENT_USER, as "Software\\K"; a key
    // that does not exist yet is created. False when the value could not be
    // stored (or the name is empty).
    virtual bool setValue(const QString &key, const QString &name, const QString &value) = 0;
    virtual std::optional<QString> value(const QString &key, const QString &name) const = 0;
};

// The name a value is kept under: "HKEY_CURRENT_USER/<key>/<name>", the
// key's parts split at either separator.
QString valuePath(const QString &key, const QString &name);

// The real one: a QSettings INI file at $XDG_CONFIG_HOME/w7practice/registry.ini
// (~/.config when unset); HKEY_CURRENT_USER\Software\K\N is stored under the
// key HKEY_CURRENT_USER/Software/K/N.
std::unique_ptr<Registry> makeIniRegistry();
// The same kept in another INI file (tests).
std::unique_ptr<Registry> makeIniRegistry(const QString &file);
// Where makeIniRegistry() keeps its file, from the environment as it is now.
QString iniRegistryFile();
// The registry every caller uses; the INI one unless a test installs another.
Registry &registry();
void setRegistry(std::unique_ptr<Registry> r);

} // namespace platform

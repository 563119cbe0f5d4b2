#include "platform/registry.h"

#include "platform/file_read.h"

#include <QDir>
#include <QSettings>

namespace platform {

QString valuePath(const QString &key, const QString &name) {
    QStringList parts{QStringLiteral("HKEY_CURRENT_USER")};
    QString k = key;
    k.replace(u'\\', u'/');
    parts += k.split(u'/', Qt::SkipEmptyParts);
    parts += name;
    return parts.join(u'/');
}

namespace {

// QSettings opens the file itself, to read it also before a write: a pipe
// or a device there would hold or flood it. It is looked at first.
bool usable(const QString &file) {
    const ReadFault fault = fileFault(file, readlimit::kSettings);
    return fault == ReadFault::None || fault == ReadFault::Missing;
}

class IniRegistry : public Registry {
public:
    explicit IniRegistry(QString file) : file_(std::move(file)) {}

    bool setValue(const QString &key, const QString &name, const QString &value) override {
        if (name.isEmpty() || !usable(file_)) return false;
        QSettings settings(file_, QSettings::IniFormat);
        settings.setValue(valuePath(key, name), value);
        settings.sync();
        return settings.status() == QSettings::NoError;
    }

    std::optional<QString> value(const QString &key, const QString &name) const override {
        if (name.isEmpty() || !usable(file_)) return std::nullopt;
        QSettings settings(file_, QSettings::IniFormat);
        const QString k = valuePath(key, name);
        if (!settings.contains(k)) return std::nullopt;
        return settings.value(k).toString();
    }

private:
    QString file_;
};

std::unique_ptr<Registry> &installed() {
    static std::unique_ptr<Registry> r;
    return r;
}

} // namespace

QString iniRegistryFile() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/w7practice/registry.ini");
}

std::unique_ptr<Registry> makeIniRegistry() {
    return makeIniRegistry(iniRegistryFile());
}

std::unique_ptr<Registry> makeIniRegistry(const QString &file) {
    return std::make_unique<IniRegistry>(file);
}

Registry &registry() {
    auto &r = installed();
    if (!r) r = makeIniRegistry();
    return *r;
}

void setRegistry(std::unique_ptr<Registry> r) {
    installed() = std::move(r);
}

} // namespace platform

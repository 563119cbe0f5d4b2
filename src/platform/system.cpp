#include "platform/system.h"

#include "platform/instance_lock.h"
#include "platform/paths.h"
#include "platform/text.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QUrl>

#include <map>
#include <optional>

#include <sys/utsname.h>

namespace platform {

// ---- operating-system version -------------------------------------------

QString osVersionFromRelease(const QString &release) {
    static const QRegularExpression re(QStringLiteral("^(\\d+)\\.(\\d+)"));
    const auto m = re.match(release.trimmed());
    if (!m.hasMatch()) return QStringLiteral("Unknown");
    // Through numbers, so "06.01" reads as "6.1".
    bool okMajor = false, okMinor = false;
    const qulonglong major = m.captured(1).toULongLong(&okMajor);
    const qulonglong minor = m.captured(2).toULongLong(&okMinor);
    if (!okMajor || !okMinor) return QStringLiteral("Unknown");
    return QStringLiteral("%1.%2").arg(major).arg(minor);
}

QString osVersion() {
    struct utsname u {};
    if (uname(&u) != 0) return QStringLiteral("Unknown");
    return osVersionFromRelease(QString::fromLocal8Bit(u.release));
}

// ---- shell ---------------------------------------------------------------

QUrl shellTarget(const QString &fileFolderOrUrl) {
    const QString s = trimBlanks(fileFolderOrUrl);
    if (s.isEmpty()) return {};
    // A scheme of two or more letters; "C:" is a drive, not a scheme.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(s).hasMatch()) return QUrl(s, QUrl::TolerantMode);
    const QString local = resolvePath(s);
    if (!QFileInfo::exists(local) && s.startsWith(QStringLiteral("www."), Qt::CaseInsensitive))
        return QUrl(QStringLiteral("http://") + s, QUrl::TolerantMode);
    return QUrl::fromLocalFile(QFileInfo(local).absoluteFilePath());
}

namespace {

class DesktopShell : public Shell {
public:
    bool open(const QString &fileFolderOrUrl) override {
        const QUrl url = shellTarget(fileFolderOrUrl);
        if (!url.isValid()) return false;
        if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())) return false;
        return QDesktopServices::openUrl(url);
    }

    bool startProcess(const QString &program, const QStringList &args) override {
        const QString path = resolvePath(program);
        if (path.isEmpty()) return false;
        return QProcess::startDetached(path, args);
    }
};

// ---- single instance -----------------------------------------------------

class LockFileSingleInstance : public SingleInstance {
public:
    explicit LockFileSingleInstance(QString folder) : folder_(std::move(folder)) {}

    bool acquire(const QString &name, const QString &installationFolder) override {
        if (held_ && name_ == name && installation_ == installationFolder) return true;
        release();
        const QString file = lockFileName(name);
        InstanceLock user, installation;
        if (user.take(folder_, file, true) == LockOutcome::OtherCopy) return false;
        // The user's lock goes again with `user` when the installation is
        // another copy's.
        if (!installationFolder.isEmpty() &&
            installation.take(installationFolder, file, false) == LockOutcome::OtherCopy)
            return false;
        for (const InstanceLock *l : {&user, &installation})
            if (!l->fault().isEmpty()) faults_ << l->fault();
        user_ = std::move(user);
        installation_ = installationFolder;
        installationLock_ = std::move(installation);
        name_ = name;
        // A lock that could not be made is tried again on the next call.
        held_ = user_.held() && (installationFolder.isEmpty() || installationLock_.held());
        return true;
    }

    void release() override {
        installationLock_.release();
        user_.release();
        held_ = false;
        name_.clear();
        installation_.clear();
        faults_.clear();
    }

    QStringList faults() const override { return faults_; }

private:
    QString folder_;
    QString name_, installation_;
    bool held_ = false;
    InstanceLock user_, installationLock_;
    QStringList faults_;
};

// ---- keyboard layouts ----------------------------------------------------

// The same handle for the same layout in every run.
uintptr_t layoutHandle(const QString &id) {
    uint32_t h = 2166136261u;
    for (char ch : id.toUtf8()) {
        h ^= static_cast<unsigned char>(ch);
        h *= 16777619u;
    }
    return h ? h : 1;
}

std::vector<KeyboardLayout> localeLayout() {
    return {{layoutHandle(QStringLiteral("locale:") + QLocale::system().name()), QString()}};
}

// Runs a small command; its standard output, or nullopt when it did not
// start or did not end well.
std::optional<QString> commandOutput(const QString &program, const QStringList &args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForStarted(2000) || !p.waitForFinished(3000)) {
        p.kill();
        p.waitForFinished(1000);
        return std::nullopt;
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) return std::nullopt;
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

QString fcitx5ProfilePath() {
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty()) config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/fcitx5/profile");
}

class DesktopKeyboardLayouts : public KeyboardLayouts {
public:
    std::vector<KeyboardLayout> list() override {
        load();
        return layouts_;
    }

    bool activate(uintptr_t handle) override {
        load();
        for (size_t i = 0; i < layouts_.size(); ++i) {
            if (layouts_[i].handle != handle) continue;
            active_ = handle;
            // The framework switches; a failure leaves the desktop as it was.
            if (framework_ == Framework::Fcitx5)
                commandOutput(QStringLiteral("fcitx5-remote"), {QStringLiteral("-s"), ids_[i]});
            else if (framework_ == Framework::IBus)
                commandOutput(QStringLiteral("ibus"), {QStringLiteral("engine"), ids_[i]});
            return true;
        }
        return false;
    }

    uintptr_t active() override {
        load();
        if (active_) return active_;
        return layouts_.empty() ? 0 : layouts_.front().handle;
    }

private:
    enum class Framework { None, Fcitx5, IBus };

    void take(Framework f, const std::vector<InputSource> &sources) {
        framework_ = f;
        layouts_ = layoutsOf(sources);
        for (const auto &src : sources) ids_ << src.id;
    }

    void load() {
        if (loaded_) return;
        loaded_ = true;
        if (commandOutput(QStringLiteral("fcitx5-remote"), {})) {
            if (const auto profile = readFileBytes(fcitx5ProfilePath(), readlimit::kSettings)) {
                const auto sources = parseFcitx5Profile(QString::fromUtf8(*profile));
                if (!sources.empty()) return take(Framework::Fcitx5, sources);
            }
        }
        if (commandOutput(QStringLiteral("ibus"), {QStringLiteral("engine")})) {
            const auto preload = commandOutput(
                QStringLiteral("gsettings"), {QStringLiteral("get"), QStringLiteral("org.freedesktop.ibus.general"),
                                              QStringLiteral("preload-engines")});
            const auto engines = commandOutput(QStringLiteral("ibus"), {QStringLiteral("list-engine")});
            const auto sources = parseIbusEngines(preload.value_or(QString()), engines.value_or(QString()));
            if (!sources.empty()) return take(Framework::IBus, sources);
        }
        if (const auto query = commandOutput(QStringLiteral("setxkbmap"), {QStringLiteral("-query")}))
            layouts_ = parseXkbQuery(*query);
        if (layouts_.empty()) layouts_ = localeLayout();
    }

    bool loaded_ = false;
    Framework framework_ = Framework::None;
    std::vector<KeyboardLayout> layouts_;
    QStringList ids_;
    uintptr_t active_ = 0;
};

std::unique_ptr<Shell> &installedShell() {
    static std::unique_ptr<Shell> s;
    return s;
}

std::unique_ptr<SingleInstance> &installedSingleInstance() {
    static std::unique_ptr<SingleInstance> s;
    return s;
}

std::unique_ptr<KeyboardLayouts> &installedKeyboardLayouts() {
    static std::unique_ptr<KeyboardLayouts> k;
    return k;
}

} // namespace

std::vector<KeyboardLayout> parseXkbQuery(const QString &output) {
    QStringList layouts, variants;
    for (const QString &line : output.split(u'\n')) {
        const qsizetype colon = line.indexOf(u':');
        if (colon < 0) continue;
        const QString key = line.left(colon).trimmed();
        const QStringList values = line.mid(colon + 1).trimmed().split(u',');
        if (key == u"layout")
            layouts = values;
        else if (key == u"variant")
            variants = values;
    }
    std::vector<KeyboardLayout> result;
    for (qsizetype i = 0; i < layouts.size(); ++i) {
        const QString layout = layouts[i].trimmed();
        if (layout.isEmpty()) continue;
        const QString variant = i < variants.size() ? variants[i].trimmed() : QString();
        result.push_back({layoutHandle(QStringLiteral("xkb:") + layout + u':' + variant), QString()});
    }
    return result;
}

std::vector<InputSource> parseFcitx5Profile(const QString &profile) {
    // Sections "[Groups/0/Items/N]" with a line "Name=...", N in order.
    static const QRegularExpression item(QStringLiteral("^\\[Groups/0/Items/(\\d+)\\]$"));
    std::map<int, QString> items;
    int current = -1;
    for (const QString &raw : profile.split(u'\n')) {
        const QString line = raw.trimmed();
        if (line.startsWith(u'[')) {
            const auto m = item.match(line);
            current = m.hasMatch() ? m.captured(1).toInt() : -1;
        } else if (current >= 0 && line.startsWith(QStringLiteral("Name="))) {
            items[current] = line.mid(5).trimmed();
        }
    }
    std::vector<InputSource> out;
    for (const auto &[n, id] : items) {
        if (id.isEmpty()) continue;
        const bool layout = id.startsWith(QStringLiteral("keyboard-"));
        out.push_back({id, layout ? QString() : id});
    }
    return out;
}

std::vector<InputSource> parseIbusEngines(const QString &preload, const QString &engineList) {
    // "  libpinyin - Intelligent Pinyin" lines give the long names.
    QHash<QString, QString> longNames;
    for (const QString &line : engineList.split(u'\n')) {
        const qsizetype dash = line.indexOf(QStringLiteral(" - "));
        if (!line.startsWith(u' ') || dash < 0) continue;
        longNames.insert(line.left(dash).trimmed(), line.mid(dash + 3).trimmed());
    }
    static const QRegularExpression quoted(QStringLiteral("'([^']*)'"));
    std::vector<InputSource> out;
    for (auto it = quoted.globalMatch(preload); it.hasNext();) {
        const QString id = it.next().captured(1).trimmed();
        if (id.isEmpty()) continue;
        const bool layout = id.startsWith(QStringLiteral("xkb:"));
        out.push_back({id, layout ? QString() : longNames.value(id, id)});
    }
    return out;
}

std::vector<KeyboardLayout> layoutsOf(const std::vector<InputSource> &sources) {
    std::vector<KeyboardLayout> out;
    for (const auto &src : sources) out.push_back({layoutHandle(src.id), src.description});
    return out;
}

std::unique_ptr<Shell> makeDesktopShell() {
    return std::make_unique<DesktopShell>();
}

std::unique_ptr<SingleInstance> makeLockFileSingleInstance(const QString &folder) {
    return std::make_unique<LockFileSingleInstance>(folder.isEmpty() ? userLockFolder() : folder);
}

QString lockFileName(const QString &name) {
    QString safe;
    for (QChar ch : name) safe += ch.isLetterOrNumber() || ch == u'-' || ch == u'_' ? ch : u'_';
    if (safe.isEmpty()) safe = QStringLiteral("w7practice");
    return safe + QStringLiteral(".lock");
}

std::unique_ptr<KeyboardLayouts> makeSystemKeyboardLayouts() {
    return std::make_unique<DesktopKeyboardLayouts>();
}

Shell &shell() {
    auto &s = installedShell();
    if (!s) s = makeDesktopShell();
    return *s;
}

void setShell(std::unique_ptr<Shell> s) {
    installedShell() = std::move(s);
}

SingleInstance &singleInstance() {
    auto &s = installedSingleInstance();
    if (!s) s = makeLockFileSingleInstance();
    return *s;
}

void setSingleInstance(std::unique_ptr<SingleInstance> s) {
    installedSingleInstance() = std::move(s);
}

KeyboardLayouts &keyboardLayouts() {
    auto &k = installedKeyboardLayouts();
    if (!k) k = makeSystemKeyboardLayouts();
    return *k;
}

void setKeyboardLayouts(std::unique_ptr<KeyboardLayouts> k) {
    installedKeyboardLayouts() = std::move(k);
}

} // namespace platform

#include "platform/system.h"

#include "platform/paths.h"
#include "platform/text.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

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

QString lockName(const QString &name) {
    QString safe;
    for (QChar ch : name) safe += ch.isLetterOrNumber() || ch == u'-' || ch == u'_' ? ch : u'_';
    if (safe.isEmpty()) safe = QStringLiteral("w7practice");
    return safe + QStringLiteral(".lock");
}

QString defaultLockFolder() {
    QString base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (base.isEmpty()) base = QDir::tempPath();
    return base + QStringLiteral("/w7practice");
}

class LockFileSingleInstance : public SingleInstance {
public:
    explicit LockFileSingleInstance(QString folder) : folder_(std::move(folder)) {}

    bool acquire(const QString &name) override {
        const QString path = folder_ + u'/' + lockName(name);
        if (lock_ && path_ == path) return true;
        release();
        if (!QDir().mkpath(folder_)) return false;
        auto lock = std::make_unique<QLockFile>(path);
        // A copy that runs for hours still holds its lock; only a lock whose
        // process is gone counts as left behind.
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0)) return false;
        lock_ = std::move(lock);
        path_ = path;
        return true;
    }

    void release() override {
        if (lock_) lock_->unlock();
        lock_.reset();
        path_.clear();
    }

private:
    QString folder_;
    QString path_;
    std::unique_ptr<QLockFile> lock_;
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

QString layoutName(const QString &layout, const QString &variant) {
    static const QHash<QString, QString> names{
        {QStringLiteral("us"), QStringLiteral("英语（美国）")},
        {QStringLiteral("cn"), QStringLiteral("中文（简体） - 美式键盘")},
        {QStringLiteral("tw"), QStringLiteral("中文（繁体） - 美式键盘")},
        {QStringLiteral("gb"), QStringLiteral("英语（英国）")},
        {QStringLiteral("de"), QStringLiteral("德语（德国）")},
        {QStringLiteral("fr"), QStringLiteral("法语（法国）")},
        {QStringLiteral("jp"), QStringLiteral("日语（日本）")},
        {QStringLiteral("kr"), QStringLiteral("朝鲜语（韩国）")},
        {QStringLiteral("ru"), QStringLiteral("俄语（俄罗斯）")},
    };
    QString name = names.value(layout, layout);
    if (!variant.isEmpty()) name += QStringLiteral(" (") + variant + u')';
    return name;
}

std::vector<KeyboardLayout> localeLayout() {
    const QLocale loc = QLocale::system();
    QString name = loc.nativeLanguageName();
    if (!name.isEmpty() && !loc.nativeTerritoryName().isEmpty())
        name += QStringLiteral("（") + loc.nativeTerritoryName() + QStringLiteral("）");
    if (name.isEmpty()) name = loc.name();
    return {{layoutHandle(QStringLiteral("locale:") + loc.name()), name}};
}

class XkbKeyboardLayouts : public KeyboardLayouts {
public:
    std::vector<KeyboardLayout> list() override {
        load();
        return layouts_;
    }

    bool activate(uintptr_t handle) override {
        load();
        for (const auto &l : layouts_) {
            if (l.handle == handle) {
                active_ = handle;
                return true;
            }
        }
        return false;
    }

    uintptr_t active() override {
        load();
        if (active_) return active_;
        return layouts_.empty() ? 0 : layouts_.front().handle;
    }

private:
    void load() {
        if (loaded_) return;
        loaded_ = true;
        QProcess query;
        query.start(QStringLiteral("setxkbmap"), {QStringLiteral("-query")});
        if (query.waitForStarted(2000) && query.waitForFinished(3000) &&
            query.exitStatus() == QProcess::NormalExit && query.exitCode() == 0)
            layouts_ = parseXkbQuery(QString::fromLocal8Bit(query.readAllStandardOutput()));
        if (layouts_.empty()) layouts_ = localeLayout();
    }

    bool loaded_ = false;
    std::vector<KeyboardLayout> layouts_;
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
        result.push_back({layoutHandle(QStringLiteral("xkb:") + layout + u':' + variant),
                          layoutName(layout, variant)});
    }
    return result;
}

std::unique_ptr<Shell> makeDesktopShell() {
    return std::make_unique<DesktopShell>();
}

std::unique_ptr<SingleInstance> makeLockFileSingleInstance(const QString &folder) {
    return std::make_unique<LockFileSingleInstance>(folder.isEmpty() ? defaultLockFolder()
                                                                     : folder);
}

std::unique_ptr<KeyboardLayouts> makeSystemKeyboardLayouts() {
    return std::make_unique<XkbKeyboardLayouts>();
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

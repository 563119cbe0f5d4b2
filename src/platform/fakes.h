#pragma once
// Stand-ins for the operating system's services, for tests: they keep
// everything in memory and record what the program asked of them.
#include "platform/http.h"
#include "platform/registry.h"
#include "platform/system.h"

#include <QHash>
#include <QMap>
#include <functional>
#include <utility>

namespace platform {

class FakeRegistry : public Registry {
public:
    bool setValue(const QString &key, const QString &name, const QString &value) override;
    std::optional<QString> value(const QString &key, const QString &name) const override;

    // Every value, under valuePath(key, name) as the INI one keeps them.
    QMap<QString, QString> values;
    // When true every write is refused.
    bool failWrites = false;
};

class FakeHttp : public Http {
public:
    HttpReply get(const QString &url, int timeoutMs, qint64 maxBytes = kAnySize) override;
    bool download(const QString &url, const QString &file, int timeoutMs,
                  qint64 maxBytes = kAnySize) override;

    // Canned replies by exact URL; any other URL gets defaultReply.
    void reply(const QString &url, const QByteArray &body, int status = 200);
    void replyTimeout(const QString &url);
    QHash<QString, HttpReply> replies;
    HttpReply defaultReply{HttpReply::Outcome::Failed, 0, {}, QStringLiteral("no such host")};

    // Files served to download() by exact URL; other URLs fail and leave the file as it was.
    QHash<QString, QByteArray> files;

    // Every URL asked for, in order, by get and download alike.
    QStringList requested;
    // (url, file) of every download asked for.
    QList<std::pair<QString, QString>> downloads;
    // Called with the URL before a get or download returns: a test can let
    // other things happen "while the program waits" (advance a clock, ...).
    std::function<void(const QString &url)> whileWaiting;
};

class FakeShell : public Shell {
public:
    bool open(const QString &fileFolderOrUrl) override;
    bool startProcess(const QString &program, const QStringList &args) override;

    QStringList opened;
    QList<std::pair<QString, QStringList>> started;
    bool result = true; // what open and startProcess answer
};

class FakeSingleInstance : public SingleInstance {
public:
    bool acquire(const QString &name, const QString &installationFolder) override;
    void release() override;
    QStringList faults() const override { return lockFaults; }

    bool otherCopyRuns = false; // acquire fails while true
    QStringList lockFaults;     // what faults answers
    bool held = false;
    QString name;               // the name last acquired
    QString installationFolder; // and its installation folder
    int releases = 0;
};

class FakeKeyboardLayouts : public KeyboardLayouts {
public:
    FakeKeyboardLayouts() = default;
    explicit FakeKeyboardLayouts(std::vector<KeyboardLayout> l) : layouts(std::move(l)) {}

    std::vector<KeyboardLayout> list() override { return layouts; }
    bool activate(uintptr_t handle) override;
    uintptr_t active() override;

    std::vector<KeyboardLayout> layouts;
    std::vector<uintptr_t> activations; // every handle asked for, also refused ones
    uintptr_t activeHandle = 0;
};

} // namespace platform

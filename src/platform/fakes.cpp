#include "platform/fakes.h"

#include "platform/atomic_files.h"

namespace platform {

bool FakeRegistry::setValue(const QString &key, const QString &name, const QString &value) {
    if (failWrites || name.isEmpty()) return false;
    values.insert(valuePath(key, name), value);
    return true;
}

std::optional<QString> FakeRegistry::value(const QString &key, const QString &name) const {
    const auto it = values.find(valuePath(key, name));
    if (it == values.end()) return std::nullopt;
    return *it;
}

void FakeHttp::reply(const QString &url, const QByteArray &body, int status) {
    HttpReply r;
    r.status = status;
    if (status >= 200 && status < 300) {
        r.outcome = HttpReply::Outcome::Ok;
        r.body = body;
    } else {
        r.outcome = HttpReply::Outcome::Failed;
        r.error = QStringLiteral("HTTP status %1").arg(status);
    }
    replies.insert(url, r);
}

void FakeHttp::replyTimeout(const QString &url) {
    replies.insert(url, HttpReply{HttpReply::Outcome::Timeout, 0, {}, QStringLiteral("timeout")});
}

HttpReply FakeHttp::get(const QString &url, int, qint64 maxBytes) {
    requested.append(url);
    if (whileWaiting) whileWaiting(url);
    HttpReply r = replies.value(url, defaultReply);
    if (r.outcome == HttpReply::Outcome::Ok && maxBytes >= 0 && r.body.size() > maxBytes) {
        r.outcome = HttpReply::Outcome::TooLong;
        r.body.clear();
    }
    return r;
}

bool FakeHttp::download(const QString &url, const QString &file, int, qint64 maxBytes) {
    requested.append(url);
    downloads.append({url, file});
    if (whileWaiting) whileWaiting(url);
    const auto it = files.constFind(url);
    if (it == files.constEnd()) return false;
    if (maxBytes >= 0 && it->size() > maxBytes) return false;
    return replaceFile(file, *it);
}

bool FakeShell::open(const QString &fileFolderOrUrl) {
    opened.append(fileFolderOrUrl);
    return result;
}

bool FakeShell::startProcess(const QString &program, const QStringList &args) {
    started.append({program, args});
    return result;
}

bool FakeSingleInstance::acquire(const QString &n, const QString &folder) {
    name = n;
    installationFolder = folder;
    held = !otherCopyRuns;
    return held;
}

void FakeSingleInstance::release() {
    held = false;
    ++releases;
}

bool FakeKeyboardLayouts::activate(uintptr_t handle) {
    activations.push_back(handle);
    for (const auto &l : layouts) {
        if (l.handle == handle) {
            activeHandle = handle;
            return true;
        }
    }
    return false;
}

uintptr_t FakeKeyboardLayouts::active() {
    if (activeHandle) return activeHandle;
    return layouts.empty() ? 0 : layouts.front().handle;
}

} // namespace platform

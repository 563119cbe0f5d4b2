#include "program_copy.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <filesystem>

#include <grp.h>
#include <unistd.h>

namespace testsupport {

QString builtSampleFolder() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/sample");
}

ProgramCopy::ProgramCopy() {
    const QString sample = builtSampleFolder();
    if (!QFileInfo(sample + QStringLiteral("/w7practice")).isExecutable()) {
        error_ = QStringLiteral("build the target w7practice first");
        return;
    }
    if (!tmp_.isValid()) {
        error_ = QStringLiteral("no temporary folder: ") + tmp_.errorString();
        return;
    }
    std::error_code e;
    std::filesystem::copy(sample.toStdString(), program().toStdString(),
                          std::filesystem::copy_options::recursive, e);
    if (e) {
        error_ = QString::fromStdString(e.message());
        return;
    }
    // Qt refuses a runtime folder that others may enter.
    if (!QDir().mkpath(runtime()) ||
        !QFile::setPermissions(runtime(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        error_ = QStringLiteral("no runtime folder ") + runtime();
}

void ProgramCopy::prepare(QProcess &p,
                          const std::vector<std::pair<QString, QString>> &entries) const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), root() + QStringLiteral("/config"));
    for (const auto &[name, value] : entries) env.insert(name, value);
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(program());
}

bool chownTree(const QString &root, unsigned id) {
    bool ok = ::lchown(QFile::encodeName(root).constData(), id, id) == 0;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) ok &= ::lchown(QFile::encodeName(it.next()).constData(), id, id) == 0;
    return ok;
}

bool becomeNobody() {
    return ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
}

void startAsNobody(QProcess &p) {
    p.setChildProcessModifier([] {
        if (!becomeNobody()) ::_exit(111);
    });
}

} // namespace testsupport

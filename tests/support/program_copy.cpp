#include "program_copy.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <filesystem>

namespace testsupport {

ProgramCopy::ProgramCopy() {
    const QString sample = QCoreApplication::applicationDirPath() + QStringLiteral("/sample");
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

} // namespace testsupport

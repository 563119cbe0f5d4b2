#pragma once
// The rest of what the program asks of the operating system.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

// Opening a file, folder or web link with the desktop's handler.
class Shell {
public:
    virtual ~Shell() = default;
    virtual bool open(const QString &fileFolderOrUrl) = 0;
    // Starts a separate program without waiting for it.
    virtual bool startProcess(const QString &program, const QStringList &args) = 0;
};

// One copy of the program per user: a lock that a crashed copy does not leave stuck.
class SingleInstance {
public:
    virtual ~SingleInstance() = default;
    // True when this process now holds the lock (no other copy runs).
    virtual bool acquire(const QString &name) = 0;
    virtual void release() = 0;
};

struct KeyboardLayout {
    uintptr_t handle = 0;
    QString name;   // description shown in the input-method menu
};

class KeyboardLayouts {
public:
    virtual ~KeyboardLayouts() = default;
    virtual std::vector<KeyboardLayout> list() = 0;
    virtual bool activate(uintptr_t handle) = 0;
    virtual uintptr_t active() = 0;
};

// "6.1" style: the running kernel's major and minor number, or "Unknown".
QString osVersion();

Shell &shell();
void setShell(std::unique_ptr<Shell> s);
SingleInstance &singleInstance();
void setSingleInstance(std::unique_ptr<SingleInstance> s);
KeyboardLayouts &keyboardLayouts();
void setKeyboardLayouts(std::unique_ptr<KeyboardLayouts> k);

} // namespace platform

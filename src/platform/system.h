#pragma once
// The rest of what the program asks of the operating system.
#include <QString>
#include <QStringList>
#include <QUrl>
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

// One copy of the program per user and per installation: locks that a
// crashed copy does not leave stuck.
class SingleInstance {
public:
    virtual ~SingleInstance() = default;
    // False when another copy runs: one of this user's (the lock of name in
    // the user's folder) or one on the same installation, whoever started it
    // (the lock file of name in installationFolder, unless that is empty;
    // a missing folder is made).
    // Otherwise true, and this process holds every lock it could make. A lock
    // that cannot be made (a folder that cannot be written, a full disk, a
    // lock file this user may not open) shows no other copy: it is left
    // out, and faults says why, for the caller to tell.
    virtual bool acquire(const QString &name, const QString &installationFolder) = 0;
    virtual void release() = 0;
    // One line per lock the last acquire could not make: its path and why.
    virtual QStringList faults() const = 0;
};

// A keyboard layout or an input method of the desktop. Input methods carry
// their description (name); plain keyboard layouts carry none.
struct KeyboardLayout {
    uintptr_t handle = 0;
    QString name; // description of an input method; empty for a keyboard layout
};

class KeyboardLayouts {
public:
    virtual ~KeyboardLayouts() = default;
    virtual std::vector<KeyboardLayout> list() = 0;
    // False for a handle that is not in the list (nothing changes).
    virtual bool activate(uintptr_t handle) = 0;
    // The last activated layout, else the first of the list (0 when none).
    virtual uintptr_t active() = 0;
};

// The real ones. The shell opens with QDesktopServices and starts programs
// detached. The single-instance locks are the operating system's locks on
// files (instance_lock.h), one in a per-user folder (userLockFolder, by
// default), one in the installation folder given to acquire: a copy runs
// while its process holds them, whatever the files hold. Keyboard layouts:
// when fcitx5 runs, the items of its first input method group (fcitx5's profile),
// switched with fcitx5-remote; else when IBus runs, its preloaded engines,
// switched with `ibus engine`; else the X keyboard layouts of `setxkbmap
// -query` (one entry for the current locale when that fails), for which
// activate only records the choice: a program cannot switch the layout of
// the whole desktop.
std::unique_ptr<Shell> makeDesktopShell();
std::unique_ptr<SingleInstance> makeLockFileSingleInstance(const QString &folder = {});
std::unique_ptr<KeyboardLayouts> makeSystemKeyboardLayouts();
// The file a lock of name makes in its folder: "<name>.lock", every
// character but letters, digits, "-" and "_" as "_".
QString lockFileName(const QString &name);

// What open() hands to the desktop: a link with a scheme as it is, "www."
// names as web links, anything else as a local file or folder (through
// resolvePath). Invalid for an empty text.
QUrl shellTarget(const QString &fileFolderOrUrl);
// The layouts of `setxkbmap -query` output, with handles that stay the same
// from run to run.
std::vector<KeyboardLayout> parseXkbQuery(const QString &output);

// An input source as an input-method framework names it: its id (what
// switches to it) and its description (empty for a keyboard layout).
struct InputSource {
    QString id;
    QString description;
    bool operator==(const InputSource &) const = default;
};
// The items of the first group of an fcitx5 profile, in order; the
// "keyboard-..." items are keyboard layouts.
std::vector<InputSource> parseFcitx5Profile(const QString &profile);
// IBus's preloaded engines (`gsettings get org.freedesktop.ibus.general
// preload-engines`), described by the long names of `ibus list-engine`;
// the "xkb:..." engines are keyboard layouts.
std::vector<InputSource> parseIbusEngines(const QString &preload, const QString &engineList);
// The layouts of a list of sources, each handle derived from its id.
std::vector<KeyboardLayout> layoutsOf(const std::vector<InputSource> &sources);

// "6.1" style: the running kernel's major and minor number, or "Unknown".
QString osVersion();
// The same from a kernel release text such as "6.1.0-18-amd64".
QString osVersionFromRelease(const QString &release);

Shell &shell();
void setShell(std::unique_ptr<Shell> s);
SingleInstance &singleInstance();
void setSingleInstance(std::unique_ptr<SingleInstance> s);
KeyboardLayouts &keyboardLayouts();
void setKeyboardLayouts(std::unique_ptr<KeyboardLayouts> k);

} // namespace platform

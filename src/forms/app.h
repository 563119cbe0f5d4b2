#pragma once
// Application-wide set-up and services of the layer.
#include "error.h"

#include <QString>
#include <functional>

namespace forms {

// Call once after creating the QApplication: installs the Chinese font
// substitutions ("宋体" -> AR PL UMing CN, other Chinese names and the
// default -> WenQuanYi Zen Hei) and the event routing, and has every block
// of kLargeBlockBytes or more (a decoded picture) mapped on its own, so
// that freeing it gives it back to the system. Safe to call twice.
void initApplication();
constexpr int kLargeBlockBytes = 1024 * 1024;

// The application title (used by message boxes without a title).
QString appTitle();
void setAppTitle(const QString &title);

// An error that escaped an event handler (nobody trapped it). The default
// prints it with qWarning; tests may record it. The handler's event is
// then over; the program goes on.
using UnhandledErrorHook = std::function<void(const Error &)>;
void setUnhandledErrorHook(UnhandledErrorHook hook);
void reportUnhandled(const Error &e);

// Number of event handlers of the layer now running (deferred deletion waits
// for 0).
int handlerDepth();

} // namespace forms

#pragma once
// Services every window uses: the registry value of the first run, an HTTP
// fetch with a time limit, the error report with its run log, and the
// error trap convention that feeds them.
#include "forms/error.h"

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <functional>

namespace startup {

// Error numbers and texts of the run-time errors this program reports.
namespace err {
constexpr int32_t InvalidCall = forms::errInvalidCall;   // a value outside what a call accepts
constexpr int32_t Overflow = forms::errOverflow;         // a number too large for its variable
constexpr int32_t OutOfRange = forms::errSubscript;      // an index outside a table
constexpr int32_t FileNotFound = forms::errFileNotFound; // a file that is not there
constexpr int32_t PathAccess = forms::errFileAccess;     // a file that cannot be written
constexpr int32_t HttpFailed = -2147012867;              // no connection to the server
QString text(int32_t number);
} // namespace err

// The error trap: records tag, number and text in the shared error fields
// and reports them with ModZCB::SubmitError. The caller then goes on with
// its next statement.
void trapError(const QString &tag, int32_t number, const QString &text);
void trapError(const QString &tag, int32_t number);
// The handler of a forms::Trap that reports this way:
//   forms::Trap trap(QStringLiteral("fengmaincsh"), startup::reportingHandler());
forms::Trap::Handler reportingHandler();

// Local time, replaceable by tests so that time stamps are known.
QDateTime localNow();
void setLocalNowForTests(std::function<QDateTime()> now); // empty: the real clock

// The error endpoint's base address ("http://host:port"), read from the
// installation's configuration file in the program folder; empty when no
// host is configured, in which case reports are only logged.
QString errorEndpointHost();
// The "Host" key of a group of that file, written the same way ("http://"
// added when no scheme is given, no trailing "/"); empty when not set.
QString configuredHost(const QString &group);
constexpr const char *kInstallConfigFile = "w7practice.ini";
// The name of the program's single-instance locks: the user's own, and the
// installation's lock file in ksdata (platform::lockFileName of it).
constexpr const char *kInstanceLockName = "w7practice";

} // namespace startup

namespace ModZCB {

// Registry roots; the stand-in holds HKEY_CURRENT_USER only.
constexpr long HKEY_CURRENT_USER = static_cast<long>(0x80000001u);

// Value kinds.
constexpr int REG_SZ = 1;
constexpr int REG_EXPAND_SZ = 2;
constexpr int REG_BINARY = 3;
constexpr int REG_DWORD = 4;

// Writes one value; returns 0 on success, otherwise a system result code.
// Text kinds store as many GBK bytes as the text has characters, cut on a
// character boundary; byteCount receives that length. REG_DWORD and
// REG_BINARY write value as a 32-bit integer and store it back into value.
long SetRegValue(long root, const QString &subKey, const QString &valueName, int kind,
                 QVariant &value, long &byteCount);

// GET with a time limit in whole seconds (the wait ends once more than
// that many second boundaries have passed). Returns the body decoded as
// GBK and trimmed of blanks; "error-timeout，网络状况不好，请重试！" when no
// reply came in time; a text beginning with "error" when the reply's status
// is not 2xx; the empty text when the request failed (reported with the
// tag "getHtmlStr").
QString getHtmlStr(const QString &url, int seconds);
// How long getHtmlStr waits, in milliseconds, when the request goes out
// msIntoSecond milliseconds after a whole second.
int waitLimitMs(int msIntoSecond, int seconds);
extern const QString kTimeoutText;

// Sends the error report (when an endpoint is configured) and appends an
// entry to the run log (when RunLogPath is set). Never raises, never shows.
void SubmitError(const QString &tag, int32_t number, const QString &text, const QString &extra);

// The address of a report: endpoint host, path and query, every value
// percent-encoded as UTF-8.
QString errorReportUrl(const QString &host, const QString &tag, int32_t number, const QString &text,
                       const QString &extra);

// Appends an empty line, the local time and the trimmed text to the file at
// path (created when missing; its folder is not created).
void iWriteLog(const QString &path, const QString &text);

} // namespace ModZCB

#include "error.h"

#include <new>
#include <stdexcept>

namespace forms {

QString errorText(int number) {
    switch (number) {
    case 5:
        return QStringLiteral("Invalid procedure call or argument");
    case 6:
        return QStringLiteral("Overflow");
    case 7:
        return QStringLiteral("Out of memory");
    case 9:
        return QStringLiteral("Subscript out of range");
    case 11:
        return QStringLiteral("Division by zero");
    case 13:
        return QStringLiteral("Type mismatch");
    case 52:
        return QStringLiteral("Bad file name or number");
    case 53:
        return QStringLiteral("File not found");
    case 75:
        return QStringLiteral("Path/File access error");
    case 76:
        return QStringLiteral("Path not found");
    case 91:
        return QStringLiteral("Object variable or With block variable not set");
    case 340:
        return QStringLiteral("Control array element doesn't exist");
    case 360:
        return QStringLiteral("Object already loaded");
    case 362:
        return QStringLiteral("Can't unload controls created at design time");
    case 380:
        return QStringLiteral("Invalid property value");
    case 384:
        return QStringLiteral("A form can't be moved or sized while minimized or maximized");
    case 401:
        return QStringLiteral("Can't show non-modal form when modal form is displayed");
    case 424:
        return QStringLiteral("Object required");
    case 481:
        return QStringLiteral("Invalid picture");
    default:
        return QStringLiteral("Application-defined or object-defined error");
    }
}

Error::Error(int number, const QString &description)
    : number_(number), description_(description.isEmpty() ? errorText(number) : description),
      what_(QStringLiteral("%1: %2").arg(number).arg(description_).toStdString()) {}

void raise(int number, const QString &description) {
    throw Error(number, description);
}

Error toError(std::exception_ptr e) {
    try {
        std::rethrow_exception(e);
    } catch (const Error &x) {
        return x;
    } catch (const std::bad_alloc &) {
        return Error(errOutOfMemory);
    } catch (const std::out_of_range &x) {
        return Error(errSubscript, QString::fromLocal8Bit(x.what()));
    } catch (const std::exception &x) {
        return Error(errInvalidCall, QString::fromLocal8Bit(x.what()));
    } catch (...) {
        return Error(errInvalidCall);
    }
}

} // namespace forms

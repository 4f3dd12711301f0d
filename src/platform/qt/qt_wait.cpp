#include "platform/qt/qt_wait.h"

#include <QCoreApplication>

namespace platform::qt {

void KeepWindowsPainted() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

}  // namespace platform::qt

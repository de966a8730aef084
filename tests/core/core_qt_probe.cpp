// Built only by the test core_refuses_qt_headers, which expects it NOT to
// compile: the core library gets no Qt include path, so a core source that
// reaches for a Qt header fails to build instead of quietly linking the GUI.
#include "platform/Trim.h"

#include <QString>

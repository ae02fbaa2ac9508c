#include "version.h"

QString version::text() {
    return text(VANTARO_VERSION_MAJOR, VANTARO_VERSION_MINOR, VANTARO_VERSION_REVISION);
}

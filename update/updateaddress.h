#pragma once
// Where the update check fetches the version file and the package from.

#include <QString>

// The update server's base address, always ending in '/': PELLMOOR_UPDATE_URL when it is set
// (a private server, or a test's server on 127.0.0.1), otherwise the built-in address.
QString UpdateBaseUrl();

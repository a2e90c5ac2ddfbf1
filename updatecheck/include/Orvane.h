#pragma once

#include "OrvaneGlobal.h"

#include <QString>

/**
 * @brief The update-check client's process-wide object.
 *
 * Holds what every query sends (product id, version, device id) and the application's
 * configuration folder. Reach it through gInstance(); hand it the application's identity once
 * with OrvaneInitApp(); ask for the newest version with checkVersionUpdate().
 * All calls belong on the application's GUI thread.
 */
class Orvane
{
public:
    /// All fields empty until OrvaneInitApp() runs.
    Orvane() = default;

    /**
     * @brief The process-wide object, created on the first call.
     * @return Never null; the same pointer on every call. Owned by the library, never freed.
     */
    ORVANE_EXPORT static Orvane* gInstance();

    /**
     * @brief Stores the application's identity and derives the device id from it.
     * @param productId  the product's number at the update service
     * @param version    the running version
     * @param configDir  the application's configuration folder
     *
     * A later call overwrites the stored values.
     */
    ORVANE_EXPORT void OrvaneInitApp(QString productId, QString version, QString configDir);

    /**
     * @brief Asks the update-information service for the newest version; blocks for at most
     *        about 3 seconds while a nested event loop runs.
     *
     * The service is the built-in address unless the settings file "Docquill.ini" in the
     * configuration folder names an http or https address without a query under
     * [Update] ServiceAddress; it is read at every call.
     * @param code         always written: the HTTP status when it is not 200 (0 when no answer
     *                     came in time), 0 for a reply that is not JSON, else the service's code
     * @param version      set from the reply only with code 400, otherwise left as it is
     * @param downloadUrl  set from the reply only with code 400, otherwise left as it is
     * @return true for the service codes 201 (running version is the newest) and 400 (a newer
     *         version exists); false otherwise.
     */
    ORVANE_EXPORT bool checkVersionUpdate(int& code, QString& version, QString& downloadUrl);

    /**
     * @brief The address of the update-information service that the next check asks, without
     *        its query: the settings' service, the built-in one, or the test origin's.
     *
     * The application opens a download link of a reply only on this service's host.
     */
    ORVANE_EXPORT QString serviceAddress() const;

    /**
     * @brief Test seam: sends the queries to another scheme, host and port, such as
     *        "http://127.0.0.1:8080"; the path and the query stay as they are.
     *        An empty origin restores the built-in service.
     */
    ORVANE_EXPORT static void setServiceOriginForTesting(QString const& origin);

private:
    QString m_deviceId;
    QString m_version;
    QString m_productId;
    QString m_configDir;
};

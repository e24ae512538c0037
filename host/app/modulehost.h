#pragma once

#include <memory>

#include <QObject>
#include <QString>
#include <QWidget>

namespace services {
class HostSession;
class IControlHost;
}  // namespace services

namespace app {

// Brings the RS501 component into the process: registers the host's own
// classes with the component runtime, working on the given session (the
// controls through controlHost, which must outlive them), loads libRS501.so,
// creates its Pantalla and hands out the calendar screen.
class ModuleHost {
public:
    // The component library beside the executable or in the installed
    // library folder, unless RS501_MODULE names one.
    static QString modulePath();

    // Throws core::Error with the reason when any step fails.
    ModuleHost(services::HostSession& session, services::IControlHost& controlHost, const QString& path = modulePath());
    ~ModuleHost();

    // The calendar screen with its Padre set to owner.
    QWidget* calendarScreen(QObject* owner);

private:
    std::unique_ptr<QObject> pantalla_;
};

}  // namespace app

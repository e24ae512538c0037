#pragma once

#include <QProcess>
#include <QStringList>

namespace testsupport {

struct Outcome {
    int code;  // -1: it did not end by itself within a minute
    QString out, err;
};

// The real executable with its data under home and no display: the window,
// when there is one, goes offscreen.
inline Outcome runExecutable(const QStringList& arguments, const QString& home) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"RS501_DB", "RS501_USER", "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
    env.insert("XDG_DATA_HOME", home);
    if (arguments.value(0) != "admin") env.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(env);
    process.start(RS501_EXECUTABLE, arguments);
    if (!process.waitForFinished(60000)) process.kill();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

}  // namespace testsupport

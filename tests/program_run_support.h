// Starting the program as a test does: one child process with a known environment (the language
// given, no display unless asked, no locale overrides from the caller's shell), waited for with a
// time limit so that an unexpected question fails the test instead of hanging it.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <string>
#include <utility>
#include <vector>

namespace lumora::test {

struct ProgramRun {
    int status = -1;  // the exit status; -1 when the program did not end by itself
    std::string out, err;
};

struct ProgramStart {
    QString program = LUMORA_BINARY;
    QString lang = "ru_RU.UTF-8";
    QString folder;                                // the working folder; the test's own when empty
    bool display = false;                          // keep the caller's display (QT_QPA_PLATFORM, DISPLAY)
    std::vector<std::pair<QString, QString>> env;  // set after the above
    int timeoutMs = 60000;
};

inline QProcessEnvironment programEnvironment(const ProgramStart &how) {
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("LANG", how.lang);
    for (const char *name : {"LC_ALL", "LC_NUMERIC", "LANGUAGE"}) env.remove(name);
    if (!how.display)
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
    env.insert("L", how.program);
    for (const auto &[name, value] : how.env) env.insert(name, value);
    return env;
}

// Prepares `p` to start as `how` says (for tests that talk to the running program).
inline void prepareProgram(QProcess &p, const ProgramStart &how) {
    p.setProcessEnvironment(programEnvironment(how));
    if (!how.folder.isEmpty()) p.setWorkingDirectory(how.folder);
}

inline ProgramRun finish(QProcess &p, const ProgramStart &how) {
    if (!p.waitForFinished(how.timeoutMs)) {
        p.kill();
        p.waitForFinished(5000);
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            p.readAllStandardOutput().toStdString(), p.readAllStandardError().toStdString()};
}

inline ProgramRun runProgram(const QStringList &args, const ProgramStart &how = {}) {
    QProcess p;
    prepareProgram(p, how);
    p.start(how.program, args);
    return finish(p, how);
}

// A shell line with $L the program (for limits, links, raw bytes and signals).
inline ProgramRun runShell(const QString &line, const ProgramStart &how = {}) {
    QProcess p;
    prepareProgram(p, how);
    p.start("/bin/sh", {"-c", line});
    return finish(p, how);
}

}  // namespace lumora::test

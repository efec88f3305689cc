// What lumora.com prints into a console reads there as the same text it writes into a file, Russian
// letters included, whatever the console's code page: the console's screen buffer is read back.
// It needs a console of its own (a Wine started from a terminal gives one; scripts/test-windows runs
// it so); without one it is skipped.
// clang-format off: windows.h first, the other Windows headers build on it.
#include <windows.h>
// clang-format on

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <string>

namespace {

bool haveConsole() {
    HANDLE out = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD mode = 0;
    const bool console = out != INVALID_HANDLE_VALUE && GetConsoleMode(out, &mode);
    if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
    return console;
}

QString consoleTwin() {
    QString exe = QStringLiteral(LUMORA_BINARY);
    return QDir::toNativeSeparators(exe.chopped(4) + QStringLiteral(".com"));
}

// Runs lumora.com with `arguments`, its standard output and error both into `handle` (inherited).
void run(const QStringList &arguments, HANDLE handle) {
    std::wstring line = L"\"" + consoleTwin().toStdWString() + L"\"";
    for (const QString &argument : arguments) line += L" \"" + argument.toStdWString() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = INVALID_HANDLE_VALUE;
    startup.hStdOutput = startup.hStdError = handle;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                               &started));
    CloseHandle(started.hThread);
    const DWORD waited = WaitForSingleObject(started.hProcess, 60000);
    if (waited != WAIT_OBJECT_0) TerminateProcess(started.hProcess, 1);
    CloseHandle(started.hProcess);
    ASSERT_EQ(waited, WAIT_OBJECT_0) << "lumora.com did not end";
}

SECURITY_ATTRIBUTES inherited() { return {static_cast<DWORD>(sizeof(SECURITY_ATTRIBUTES)), nullptr, TRUE}; }

// The text without its blanks, tabs and line ends: a console turns a tab into blanks and wraps a long
// line, the letters stay as they are.
QString letters(QString text) { return text.remove(QRegularExpression(QStringLiteral("\\s"))); }

QString intoFile(const QStringList &arguments, const QString &path) {
    SECURITY_ATTRIBUTES sa = inherited();
    HANDLE file = CreateFileW(path.toStdWString().c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE);
    run(arguments, file);
    CloseHandle(file);
    QFile read(path);
    EXPECT_TRUE(read.open(QIODevice::ReadOnly));
    return QString::fromUtf8(read.readAll());
}

// What the console's screen shows after lumora.com has written into it.
QString intoConsole(const QStringList &arguments) {
    SECURITY_ATTRIBUTES sa = inherited();
    HANDLE screen =
        CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa,
                                  CONSOLE_TEXTMODE_BUFFER, nullptr);
    EXPECT_NE(screen, INVALID_HANDLE_VALUE);
    run(arguments, screen);
    CONSOLE_SCREEN_BUFFER_INFO info{};
    EXPECT_TRUE(GetConsoleScreenBufferInfo(screen, &info));
    QString shown;
    for (SHORT y = 0; y <= info.dwCursorPosition.Y; ++y) {
        std::wstring row(static_cast<size_t>(info.dwSize.X), L' ');
        DWORD read = 0;
        ReadConsoleOutputCharacterW(screen, row.data(), info.dwSize.X, COORD{0, y}, &read);
        shown += QString::fromStdWString(row.substr(0, read)) + QLatin1Char('\n');
    }
    CloseHandle(screen);
    return shown;
}

}  // namespace

TEST(ConsoleTwin, RussianTextReachesTheConsoleAsItReachesAFile) {
    if (!haveConsole()) GTEST_SKIP() << "no console here (scripts/test-windows runs this one in a terminal)";
    // The code page of a Russian cmd: its letters are not UTF-8's.
    const UINT codePage = GetConsoleOutputCP();
    SetConsoleOutputCP(866);
    QTemporaryDir dir;
    const QString tally = dir.filePath(QStringLiteral("пересчёт.txt"));
    QFile file(tally);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    for (int row = 0; row < 93; ++row) file.write(row == 21 ? "5\r\n" : "0\r\n");
    file.close();
    const QString native = QDir::toNativeSeparators(tally);
    const QStringList cases[] = {
        {"--report", native, "--length", "6,00", "--decimals", "2"},  // the report, on standard output
        {"--report", native + "-нет", "--length", "6,00"},            // a file it cannot read: standard error
        {"--report", native, "--length", "7,77"},                     // a wrong option: standard error
    };
    for (const QStringList &arguments : cases) {
        const QString written = intoFile(arguments, dir.filePath(QStringLiteral("out.txt")));
        EXPECT_TRUE(written.contains(QRegularExpression(QStringLiteral("[А-Яа-яЁё]"))))
            << written.toStdString();
        EXPECT_EQ(letters(intoConsole(arguments)).toStdString(), letters(written).toStdString())
            << arguments.join(' ').toStdString();
    }
    SetConsoleOutputCP(codePage);
}

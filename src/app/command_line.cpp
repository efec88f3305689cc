#include "app/command_line.h"

#include <QCommandLineParser>

#include "app/report.h"

namespace lumora {

namespace {

const char kWindowUsage[] =
    "Использование: lumora [ФАЙЛ]\n"
    "\n"
    "Люмора считает объем круглых лесоматериалов по ГОСТ 2708-75. Без параметров открывается окно\n"
    "с пустым пересчётом; ФАЙЛ (пересчёт, сохранённый программой) открывается в нём так же, как\n"
    "командой «Открыть»: при длине и округлении, с которыми он сохранён, а файл прежних версий,\n"
    "где их нет, — при длине 6,00 м. Следующую машину начинайте с «Файл» → «Новый» (Ctrl+N):\n"
    "пустой пересчёт без файла, так что «Сохранить» не запишет его поверх прежнего.\n"
    "  -h, --help        эта справка\n"
    "  -v, --version     версия программы\n"
    "\n"
    "Пакетный отчёт (без окна):\n";

}  // namespace

QString programVersion() {
    return QStringLiteral("%1.%2.0.%3")
        .arg(LUMORA_VERSION_MAJOR)
        .arg(LUMORA_VERSION_MINOR)
        .arg(LUMORA_VERSION_REVISION);
}

WindowCommandLine parseWindowCommandLine(const QStringList &arguments) {
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument(QStringLiteral("file"), QString(), QStringLiteral("[ФАЙЛ]"));
    // "-hv" is two options, as usual; "--" ends the options, so that a file may start with "-".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);

    WindowCommandLine result;
    auto fail = [&result](const QString &why) {
        result.action = WindowCommandLine::Action::Fail;
        result.text = QStringLiteral("lumora: %1\nСправка: lumora --help\n").arg(why);
        return result;
    };
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (unknown.isEmpty()) return fail(QStringLiteral("неверная командная строка"));
        const QString &name = unknown.first();
        return fail(QStringLiteral("неизвестный параметр «%1%2»")
                        .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name));
    }
    if (parser.isSet(help)) {
        result.action = WindowCommandLine::Action::PrintAndExit;
        result.text = QString::fromUtf8(kWindowUsage) + QString::fromUtf8(reportUsage());
        return result;
    }
    if (parser.isSet(version)) {
        result.action = WindowCommandLine::Action::PrintAndExit;
        result.text = QStringLiteral("lumora %1\n").arg(programVersion());
        return result;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return fail(QStringLiteral("можно открыть только один файл, а указано %1").arg(files.size()));
    if (!files.isEmpty()) {
        if (files.first().isEmpty()) return fail(QStringLiteral("пустое имя файла"));
        result.file = files.first();
    }
    return result;
}

}  // namespace lumora

// The batch statement of many tally files, timed as a user runs it: the program started with
// `--statement` and 500 saved tallies (mixed lengths, roundings and counts), from start to exit.
// Prints the median of several runs: the lines only, with the workbook, with the printed statement.
//
//   build/bench/statement_bench [runs] [files]
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "documents/core/tally_file.h"

using namespace lumora;

namespace {

double medianMillis(int runs, const QString &program, const QStringList &args) {
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        QProcess p;
        QElapsedTimer timer;
        timer.start();
        p.start(program, args);
        p.waitForFinished(-1);
        t.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        if (p.exitCode() != 0) {
            std::fprintf(stderr, "%s\n", p.readAllStandardError().constData());
            return -1;
        }
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

}  // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");  // the figures below with a point, whatever the desktop
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const int count = argc > 2 ? std::max(1, std::atoi(argv[2])) : 500;
    const QString program = QCoreApplication::applicationDirPath() + "/../lumora";
    // LUMORA_BENCH_FILES=folder keeps the tally files there, to profile one run by hand.
    QTemporaryDir temporary;
    const QDir dir(qEnvironmentVariableIsSet("LUMORA_BENCH_FILES")
                       ? qEnvironmentVariable("LUMORA_BENCH_FILES")
                       : temporary.path());
    QStringList args{"--statement"};
    const int lengths[] = {40, 64, 28, 90, 11};  // entries of the length list: 4,00 6,00 3,00 ...
    for (int k = 0; k < count; ++k) {
        TallyCounts counts;
        for (int i = 0; i < kRowCount; ++i)
            if (tableCell(lengths[k % 5], i + 1) != 0 && (i + k) % 3 == 0)
                counts[static_cast<size_t>(i)] = std::to_string(1 + (i * k) % 40);
        TallySettings settings;
        settings.length = lengths[k % 5];
        settings.rounded = k % 4 != 3;
        settings.decimals = 1 + k % 3;
        const QString path = dir.filePath(QStringLiteral("лот-%1.txt").arg(k + 1));
        std::ofstream(path.toStdString(), std::ios::binary) << writeTally(counts, settings);
        args << path;
    }
    std::printf("statement of %d tally files, median of %d runs of the program:\n", count, runs);
    std::printf("  lines only        %8.1f ms\n", medianMillis(runs, program, args));
    std::printf("  with --xlsx       %8.1f ms\n",
                medianMillis(runs, program, args + QStringList{"--xlsx", dir.filePath("day.xlsx")}));
    std::printf("  with --pdf        %8.1f ms\n",
                medianMillis(runs, program, args + QStringList{"--pdf", dir.filePath("day.pdf")}));
    return 0;
}

#include "documents/backend/statement_documents.h"

#include <QFileInfo>
#include <QSet>
#include <QString>
#include <algorithm>

#include "documents/backend/workbook.h"
#include "documents/core/export_cells.h"
#include "documents/core/statement_cells.h"
#include "documents/core/statement_layout.h"

namespace lumora {

namespace {

// Excel's limit, counted as it counts: in UTF-16 units.
constexpr int kSheetNameLimit = 31;

// At most `limit` UTF-16 units, never half of a surrogate pair.
QString cut(QString name, int limit) {
    if (name.size() <= limit) return name;
    name.truncate(limit);
    if (name.at(name.size() - 1).isHighSurrogate()) name.chop(1);
    return name;
}

QString usableSheetName(const std::string &fileName) {
    QFileInfo file(QString::fromStdString(fileName));
    QString name = file.suffix().compare(QStringLiteral("txt"), Qt::CaseInsensitive) == 0
                       ? file.completeBaseName()
                       : file.fileName();
    for (QChar &c : name)
        if (QStringLiteral("[]:*?/\\").contains(c) || c.unicode() < 0x20) c = QLatin1Char('_');
    // A sheet name may neither begin nor end with an apostrophe.
    while (name.startsWith(QLatin1Char('\''))) name.remove(0, 1);
    while (name.endsWith(QLatin1Char('\''))) name.chop(1);
    name = cut(name.trimmed(), kSheetNameLimit).trimmed();
    return name.isEmpty() ? QStringLiteral("Пересчёт") : name;
}

}  // namespace

std::vector<std::string> statementSheetNames(const std::vector<std::string> &fileNames) {
    // Excel compares sheet names without regard to case; "History" is its own.
    QSet<QString> taken{QString::fromUtf8(kSummarySheetName).toCaseFolded(), QStringLiteral("history")};
    std::vector<std::string> names;
    for (const std::string &fileName : fileNames) {
        const QString base = usableSheetName(fileName);
        QString name = base;
        for (int n = 2; taken.contains(name.toCaseFolded()); ++n) {
            const QString suffix = QStringLiteral(" (%1)").arg(n);
            name = cut(base, kSheetNameLimit - static_cast<int>(suffix.size())) + suffix;
        }
        taken.insert(name.toCaseFolded());
        names.push_back(name.toStdString());
    }
    return names;
}

std::optional<std::string> writeStatementWorkbook(const Statement &statement, const std::string &title,
                                                  const std::string &date, const NumberFormat &fmt,
                                                  StagedFile &workbook) {
    std::vector<WorkbookSheet> sheets{
        WorkbookSheet(kSummarySheetName, statementSummaryCells(statement, title, date))};
    std::vector<std::string> fileNames;
    // The file names are read whole, the group labels too; the heads fit the other columns.
    qsizetype widest = QString::fromUtf8(thicknessGroupLabel(ThicknessGroup::Medium)).size();
    for (const StatementTally &t : statement.tallies) {
        // A title is no file name: its slashes are not folders.
        std::string sheetName = t.name;
        if (!t.texts.title.empty())
            for (char &c : sheetName)
                if (c == '/' || c == '\\') c = '_';
        fileNames.push_back(sheetName);
        widest = std::max(widest, QString::fromStdString(t.name).size());
    }
    sheets[0].columnWidths = {
        {1, static_cast<double>(std::min<qsizetype>(widest, 80) + 2)}, {2, 10}, {4, 12}, {5, 12}, {6, 12}};
    const std::vector<std::string> names = statementSheetNames(fileNames);
    for (size_t k = 0; k < statement.tallies.size(); ++k)
        if (auto error = addTallySheet(sheets, names[k], statement.tallies[k].texts, fmt,
                                       statement.tallies[k].texts.title, date))
            return "Файл «" + statement.tallies[k].path + "»: " + *error;
    return writeWorkbook(sheets, workbook);
}

}  // namespace lumora

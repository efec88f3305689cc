#include "app/report_statement.h"

#include <optional>

#include "app/batch_outputs.h"
#include "app/report.h"
#include "documents/backend/file_store.h"
#include "documents/backend/statement_documents.h"
#include "documents/backend/workbook.h"
#include "documents/core/statement.h"
#include "documents/core/statement_layout.h"
#include "print/statement_print.h"

namespace lumora {

namespace {

const char kUsage[] =
    "       lumora --statement ФАЙЛ... [--xlsx ВЫХОД] [--pdf ВЫХОД] [--title ЗАГОЛОВОК]\n"
    "\n"
    "Сводная ведомость нескольких пересчётов, каждого при его длине и округлении: по строке на файл\n"
    "(файл, длина, количество, объем, средние диаметры по количеству и по объему), итог со средними\n"
    "диаметрами всей ведомости и группы по толщине; один и тот же файл дважды указывать нельзя:\n"
    "  --statement ФАЙЛ...  файлы пересчётов (в каждом должна быть длина)\n"
    "  --xlsx ВЫХОД         записать книгу: лист «Сводка», затем по листу на пересчёт\n"
    "  --pdf ВЫХОД          напечатать ведомость в PDF-файл ВЫХОД (A4): сводка, затем листы пересчётов\n"
    "  --title ЗАГОЛОВОК    заголовок ведомости для --xlsx и --pdf\n";

struct Options {
    std::vector<std::string> files;
    std::optional<std::string> xlsx, pdf, title;
    bool help = false;
};

std::optional<Options> parse(const std::vector<std::string> &args, std::string &error) {
    Options o;
    bool statement = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--statement") {
            statement = true;
            // The files run up to the next option.
            while (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) o.files.push_back(args[++i]);
        } else if (a == "--xlsx" || a == "--pdf" || a == "--title") {
            if (i + 1 >= args.size() || args[i + 1].rfind("--", 0) == 0) {
                error = "после " + a + " нужно значение";
                return std::nullopt;
            }
            auto &slot = a == "--xlsx" ? o.xlsx : a == "--pdf" ? o.pdf : o.title;
            if (slot) {
                error = a + " указан дважды";
                return std::nullopt;
            }
            slot = args[++i];
        } else {
            error = "неизвестный параметр «" + a + "» для --statement";
            return std::nullopt;
        }
    }
    if (o.help) return o;
    if (!statement || o.files.empty()) {
        error = "не указаны файлы пересчётов (--statement ФАЙЛ...)";
        return std::nullopt;
    }
    if (o.title && !o.xlsx && !o.pdf) {
        error = "--title задаёт заголовок ведомости и нужен только вместе с --xlsx или --pdf";
        return std::nullopt;
    }
    return o;
}

// The tallies and the documents, with the options that name them.
std::optional<std::string> refuseNames(const Options &o) {
    std::vector<BatchName> inputs, outputs;
    for (const std::string &file : o.files) inputs.push_back({"--statement", file});
    if (o.xlsx) outputs.push_back({"--xlsx", *o.xlsx});
    if (o.pdf) outputs.push_back({"--pdf", *o.pdf});
    return refuseBatchNames(inputs, outputs);
}

}  // namespace

bool wantsStatement(const std::vector<std::string> &args) {
    for (const auto &a : args) {
        if (a == "--") return false;
        if (a == "--statement") return true;
    }
    return false;
}

const char *statementUsage() { return kUsage; }

int runStatement(const std::vector<std::string> &args, const NumberFormat &fmt, std::ostream &out,
                 std::ostream &err) {
    int status = 0;
    const auto options = beginBatch(args, parse, refuseNames, reportUsage, out, err, status);
    if (!options) return status;
    DiskFiles disk;
    std::vector<StatementTally> tallies;
    tallies.reserve(options->files.size());
    for (const std::string &file : options->files) {
        StatementLoad load = loadStatementTally(disk, file, fmt);
        if (!load.tally) {
            err << load.error << "\n";
            return 1;
        }
        tallies.push_back(std::move(*load.tally));
    }
    const Statement statement = makeStatement(std::move(tallies), fmt);

    // As the report's documents: all of them are put in place, or none.
    const std::string title = options->title.value_or(kDefaultStatementTitle);
    const std::string date = sheetDate(), bookDate = workbookDate();
    std::vector<BatchOutput> outputs;
    if (options->xlsx)
        outputs.push_back({*options->xlsx, [&](StagedFile &f) {
                               return writeStatementWorkbook(statement, title, bookDate, fmt, f);
                           }});
    if (options->pdf)
        outputs.push_back({*options->pdf, [&](StagedFile &f) {
                               return printStatementToPdf(statement, title, date, fmt, f);
                           }});
    if (writeBatchOutputs(outputs, err) != 0) return 1;
    for (const std::string &line : statementLines(statement, fmt)) out << line << "\n";
    return 0;
}

}  // namespace lumora

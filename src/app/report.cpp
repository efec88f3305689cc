#include "app/report.h"

#include <QByteArray>
#include <algorithm>
#include <optional>
#include <utility>

#include "app/batch_outputs.h"
#include "app/report_statement.h"
#include "documents/backend/file_store.h"
#include "documents/backend/workbook.h"
#include "documents/core/tally_commands.h"
#include "documents/core/tally_texts.h"
#include "documents/core/thickness_groups.h"
#include "print/sheet_painter.h"
#include "tally/form.h"

namespace lumora {

namespace {

const char *kUsage =
    "Использование: lumora --report ФАЙЛ [--length ДЛИНА] [--decimals N | --no-rounding]\n"
    "                      [--xlsx ВЫХОД] [--pdf ВЫХОД [--title ЗАГОЛОВОК]] [--save ВЫХОД] [--groups]\n"
    "\n"
    "Считает сохранённый пересчёт при длине и округлении, с которыми он сохранён, и печатает то,\n"
    "что показало бы окно программы:\n"
    "  --report ФАЙЛ     файл пересчёта\n"
    "  --length ДЛИНА    длина сортимента, как в списке длин: 6,00 или 6.00; нужна, когда длины нет\n"
    "                    в файле (файл прежних версий), а когда есть — должна с ней совпадать\n"
    "  --decimals N      округлять результаты до N знаков (1, 2 или 3)\n"
    "  --no-rounding     не округлять результаты\n"
    "                    (без этих двух — как в файле, а в файле прежних версий — %ОКРУГЛЕНИЕ%)\n"
    "  --xlsx ВЫХОД      записать книгу экспорта в файл ВЫХОД\n"
    "  --pdf ВЫХОД       напечатать лист пересчёта в PDF-файл ВЫХОД (A4)\n"
    "  --title ЗАГОЛОВОК заголовок листа для --pdf (без него — название пересчёта из файла)\n"
    "  --save ВЫХОД      сохранить пересчёт в файл ВЫХОД, как команда «Сохранить»\n"
    "  --groups          добавить группы по толщине: мелкие, средние, крупные (и в --xlsx, --pdf)\n"
    "Средние диаметры (строка «Ср.диам.») — взвешенные средние арифметические диаметров ступеней:\n"
    "по количеству — сумма (диаметр × количество) / общее количество, по объему — сумма\n"
    "(диаметр × объем ступени) / общий объем, по числам, которые показывает окно.\n"
    "  --help            эта справка\n";

struct Options {
    std::string file;
    std::string length;
    std::optional<int> decimals;
    bool noRounding = false;
    bool help = false;
    bool groups = false;
    std::optional<std::string> xlsx, pdf, title, save;
};

// Parses the command line; on a mistake returns a one-line Russian message in `error`.
std::optional<Options> parse(const std::vector<std::string> &args, std::string &error) {
    Options o;
    bool haveFile = false, haveLength = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        // A value that starts with "--" is the next option: the value itself is missing.
        auto value = [&](const char *name) -> std::optional<std::string> {
            if (i + 1 >= args.size() || args[i + 1].rfind("--", 0) == 0) {
                error = std::string("после ") + name + " нужно значение";
                return std::nullopt;
            }
            return args[++i];
        };
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--report") {
            auto v = value("--report");
            if (!v) return std::nullopt;
            o.file = *v;
            haveFile = true;
        } else if (a == "--length") {
            auto v = value("--length");
            if (!v) return std::nullopt;
            o.length = *v;
            haveLength = true;
        } else if (a == "--decimals") {
            auto v = value("--decimals");
            if (!v) return std::nullopt;
            if (*v != "1" && *v != "2" && *v != "3") {
                error = "число знаков после запятой должно быть 1, 2 или 3, а не «" + *v + "»";
                return std::nullopt;
            }
            o.decimals = std::stoi(*v);
        } else if (a == "--xlsx" || a == "--pdf" || a == "--title" || a == "--save") {
            auto v = value(a.c_str());
            if (!v) return std::nullopt;
            (a == "--xlsx" ? o.xlsx : a == "--pdf" ? o.pdf : a == "--title" ? o.title : o.save) = *v;
        } else if (a == "--groups") {
            o.groups = true;
        } else if (a == "--no-rounding") {
            o.noRounding = true;
        } else {
            error = "неизвестный параметр «" + a + "»";
            return std::nullopt;
        }
    }
    if (o.help) return o;
    if (o.decimals && o.noRounding) {
        error = "--decimals и --no-rounding нельзя указывать вместе";
        return std::nullopt;
    }
    if (o.title && !o.pdf) {
        error = "--title задаёт заголовок листа и нужен только вместе с --pdf";
        return std::nullopt;
    }
    if (!haveFile) {
        error = "не указан файл пересчёта (--report ФАЙЛ)";
        return std::nullopt;
    }
    if (!haveLength) o.length.clear();
    return o;
}

// The list entry for a length typed with either decimal separator; 0 when it is not in the list.
int findLength(const Form &form, std::string length, char sep) {
    for (char &c : length)
        if (c == '.' || c == ',') c = sep;
    const auto &entries = form.listEntries();
    for (size_t k = 1; k < entries.size(); ++k)
        if (entries[k] == length) return static_cast<int>(k);
    return 0;
}

// The Open command's dialogs, answered from the command line: the file is the one named, and a
// message (the file was refused) goes to standard error.
class ReportDialogs : public DocumentDialogs {
public:
    ReportDialogs(std::string file, std::ostream &err) : file_(std::move(file)), err_(err) {}
    std::optional<std::string> openFileName(const std::string &, const std::string &) override {
        return file_;
    }
    std::optional<std::string> saveFileName(const std::string &, const std::string &) override {
        return file_;
    }
    void message(const std::string &text) override {
        err_ << text << "\n";
        failed = true;
    }
    bool question(const std::string &) override { return false; }
    std::optional<std::string> inputText(const std::string &, const std::string &,
                                         const std::string &d) override {
        return d;
    }
    bool failed = false;

private:
    std::string file_;
    std::ostream &err_;
};

// The tally file as it was read once: the checks and the load see the same bytes.
class ReadFile : public FileStore {
public:
    explicit ReadFile(std::string bytes) : bytes_(std::move(bytes)) {}
    FileRead read(const std::string &, size_t) override { return {true, bytes_, {}}; }
    std::optional<std::string> writeAtomically(const std::string &, const std::string &) override {
        return std::string("запись не предусмотрена");
    }

private:
    std::string bytes_;
};

// The length and rounding of the report: the options', else the file's (lines 94 and 95); options
// that contradict the file are refused rather than silently preferred. Returns the error or nullopt.
std::optional<std::string> chooseSettings(const Options &o, const std::optional<TallySettings> &file,
                                          const Form &form, char sep, TallySettings &chosen) {
    if (!o.length.empty()) {
        chosen.length = findLength(form, o.length, sep);
        if (chosen.length == 0) return "длины «" + o.length + "» нет в списке длин (0,50 … 15,00)";
        if (file && file->length != chosen.length)
            return "в файле пересчёта длина " + lengthText(file->length, sep) + ", а указана --length " +
                   o.length + "; уберите --length или укажите ту же длину";
    } else if (file) {
        chosen.length = file->length;
    } else {
        return std::string("не указана длина сортимента (--length ДЛИНА), а в файле пересчёта её нет");
    }
    if (o.noRounding || o.decimals) {
        chosen.rounded = !o.noRounding;
        chosen.decimals = o.decimals.value_or(2);
        if (file &&
            (file->rounded != chosen.rounded || (chosen.rounded && file->decimals != chosen.decimals)))
            return std::string(
                "округление в файле пересчёта другое, чем указано в --decimals или "
                "--no-rounding; уберите этот параметр или укажите то же округление");
    } else if (file) {
        chosen.rounded = file->rounded;
        chosen.decimals = file->decimals;
    }
    return std::nullopt;
}

// The tally and the documents, with the options that name them.
std::optional<std::string> refuseNames(const Options &o) {
    std::vector<BatchName> outputs;
    if (o.xlsx) outputs.push_back({"--xlsx", *o.xlsx});
    if (o.pdf) outputs.push_back({"--pdf", *o.pdf});
    if (o.save) outputs.push_back({"--save", *o.save});
    return refuseBatchNames({{"--report", o.file}}, outputs);
}

}  // namespace

bool reportNeedsFonts(const std::vector<std::string> &args) {
    for (const auto &a : args)
        if (a == "--pdf") return true;
    return false;
}

bool wantsReport(const std::vector<std::string> &args) {
    for (const auto &a : args) {
        if (a == "--") return false;  // what follows is a file name
        for (const char *option : {"--report", "--length", "--decimals", "--no-rounding", "--xlsx", "--pdf",
                                   "--title", "--save", "--groups", "--statement"})
            if (a == option) return true;
    }
    return false;
}

namespace {

// What an old tally (no lines 94 and 95) is rounded to without options: the window's rounding at start,
// which the report takes from a started form, as below.
std::string startRoundingWords() {
    Form form{NumberFormat{}};
    form.startUp();
    if (!form.rounded()) return "без округления";
    const char *const places[] = {"до десятых", "до сотых", "до тысячных"};
    return places[std::clamp<int>(form.decimals(), 1, 3) - 1];
}

std::string usageText() {
    std::string text = kUsage;
    const std::string mark = "%ОКРУГЛЕНИЕ%";
    text.replace(text.find(mark), mark.size(), startRoundingWords());
    return text + statementUsage();
}

}  // namespace

// The program's help lists --help once, with -h, ahead of this.
std::string reportUsage() {
    std::string text = usageText();
    const size_t help = text.find("  --help ");
    return help == std::string::npos ? text : text.erase(help, text.find('\n', help) + 1 - help);
}

void writeReport(const Form &form, std::ostream &out) {
    out << "Длина\t" << form.listText() << "\n";
    for (int i = 1; i <= kRowCount; ++i) {
        const GridRow &r = form.row(i);
        if (r.count.empty()) continue;
        out << r.d << "\t" << r.count << "\t" << r.vm3 << "\t" << r.vd << "\n";
    }
    out << "Итого\t" << form.Text13() << "\t" << form.Text4() << "\n";
    out << "Ср.диам.\t" << form.Text1() << "\t" << form.Text2() << "\n";
    // The counted steps whose unit volume is an estimate, not the standard's.
    const auto estimated = estimatedCountedSteps(tallyTexts(form));
    if (!estimated.empty()) {
        out << "Оценка\t";
        for (size_t k = 0; k < estimated.size(); ++k) out << (k ? " " : "") << estimated[k];
        out << "\n";
    }
}

void writeGroups(const Form &form, std::ostream &out) {
    if (auto groups = thicknessGroups(tallyTexts(form), form.numberFormat()))
        for (const GroupLine &g : groupLines(*groups, form.numberFormat()))
            out << g.label << "\t" << g.logs << "\t" << g.volume << "\n";
}

int runReport(const std::vector<std::string> &args, const NumberFormat &fmt, std::ostream &out,
              std::ostream &err) {
    if (wantsStatement(args)) return runStatement(args, fmt, out, err);
    int status = 0;
    const auto options = beginBatch(args, parse, refuseNames, usageText, out, err, status);
    if (!options) return status;
    Form form(fmt);
    form.startUp();
    if (!options->length.empty() && findLength(form, options->length, fmt.decimalSeparator) == 0) {
        err << "lumora: длины «" << options->length << "» нет в списке длин (0,50 … 15,00)\n";
        return 2;
    }
    DiskFiles disk;
    FileRead file = disk.read(options->file, kMaxTallyFileBytes);
    if (!file.ok) {
        err << file.error << "\n";
        return 1;
    }
    const TallyReadResult tally = readTally(file.bytes);
    if (!tally.ok) {
        err << tally.error << "\n";
        return 1;
    }
    TallySettings chosen{form.selectedListIndex, form.rounded(), form.decimals()};
    if (auto refused = chooseSettings(*options, tally.settings, form, fmt.decimalSeparator, chosen)) {
        err << "lumora: " << *refused << "\n";
        return 2;
    }
    selectTallySettings(form, chosen);
    ReportDialogs dialogs(options->file, err);
    ReadFile files(std::move(file.bytes));
    // A file with counts the length cannot show is refused whole, as the window's Open refuses it.
    if (!openTally(form, dialogs, files, OpenInto::FreshForm)) return 1;
    form.groupsOnSheet = options->groups;
    // The documents first: all of them are put in place, or none.
    std::vector<BatchOutput> outputs;
    if (options->xlsx)
        outputs.push_back({*options->xlsx, [&form](StagedFile &f) { return writeExportWorkbook(form, f); }});
    // The sheet's title: the one given, else the tally's own, else the blank form of one.
    const std::string title =
        options->title.value_or(form.tallyTitle.empty() ? std::string(kDefaultSheetTitle) : form.tallyTitle);
    if (options->pdf)
        outputs.push_back(
            {*options->pdf, [&form, &title](StagedFile &f) { return printSheetToPdf(form, f, title); }});
    if (options->save)
        outputs.push_back({*options->save, [&form](StagedFile &f) {
                               return f.write(QByteArray::fromStdString(tallyFileBytes(form)));
                           }});
    if (writeBatchOutputs(outputs, err) != 0) return 1;
    writeReport(form, out);
    if (options->groups) writeGroups(form, out);
    return 0;
}

}  // namespace lumora

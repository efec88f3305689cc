#include "documents/core/statement.h"

#include <utility>

#include "tally/form.h"

namespace lumora {

namespace {

// The Open command's dialogs, answered for one named file: the first refusal is kept.
class NamedFile : public DocumentDialogs {
public:
    explicit NamedFile(std::string path) : path_(std::move(path)) {}
    std::optional<std::string> openFileName(const std::string &, const std::string &) override {
        return path_;
    }
    std::optional<std::string> saveFileName(const std::string &, const std::string &) override {
        return std::nullopt;
    }
    void message(const std::string &text) override {
        if (refusal.empty()) refusal = text;
    }
    bool question(const std::string &) override { return false; }
    std::optional<std::string> inputText(const std::string &, const std::string &,
                                         const std::string &) override {
        return std::nullopt;
    }
    std::string refusal;

private:
    std::string path_;
};

// The bytes already read: Open checks and loads exactly what was looked at here.
class ReadBytes : public FileStore {
public:
    explicit ReadBytes(std::string bytes) : bytes_(std::move(bytes)) {}
    FileRead read(const std::string &, size_t) override { return {true, std::move(bytes_), {}}; }
    std::optional<std::string> writeAtomically(const std::string &, const std::string &) override {
        return std::string("запись не предусмотрена");
    }

private:
    std::string bytes_;
};

StatementLoad refused(const std::string &path, const std::string &why) {
    StatementLoad r;
    // The reader's and Open's own messages do not always say which file they mean.
    r.error = why.find(path) == std::string::npos ? "Файл «" + path + "»: " + why : why;
    return r;
}

}  // namespace

std::string fileNameOf(const std::string &path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

StatementLoad loadStatementTally(FileStore &files, const std::string &path, const NumberFormat &fmt,
                                 bool groupsOnSheet) {
    FileRead file = files.read(path, kMaxTallyFileBytes);
    if (!file.ok) return refused(path, file.error);
    const TallyReadResult check = readTally(file.bytes);
    if (!check.ok) return refused(path, check.error);
    if (!check.settings)
        return refused(path,
                       "в файле нет длины сортимента (файл прежних версий), и в сводную ведомость его "
                       "поставить нельзя. Откройте его, выберите длину и сохраните снова.");

    Form form(fmt);
    form.startUp();
    NamedFile dialogs(path);
    ReadBytes bytes(std::move(file.bytes));
    if (!openTally(form, dialogs, bytes, OpenInto::FreshForm)) return refused(path, dialogs.refusal);
    form.groupsOnSheet = groupsOnSheet;

    StatementTally t;
    t.path = path;
    t.texts = tallyTexts(form);
    // The tally is known by its title, by its file when it has none.
    t.name = t.texts.title.empty() ? fileNameOf(path) : t.texts.title;
    t.places = form.rounded() ? form.decimals() : kUnroundedPlaces;
    auto groups = thicknessGroups(t.texts, fmt);
    auto logs = scaledNumber(form.Text13(), 0, fmt);
    auto volume = scaledNumber(form.Text4(), 4, fmt);
    if (!groups || !logs || !volume)
        return refused(path, "итоги пересчёта — «" + form.Text13() + "», «" + form.Text4() + "» — не числа.");
    t.groups = *groups;
    t.logs = *logs;
    t.volume = *volume;
    t.diameterCount = form.sumDiameterCount;
    t.diameterVolume = form.sumDiameterVolume;
    StatementLoad r;
    r.tally = std::move(t);
    return r;
}

namespace {

std::string meanText(int64_t numerator, int64_t denominator, int places, const NumberFormat &fmt) {
    if (denominator == 0) return "0";
    auto text = places >= kUnroundedPlaces ? quotient0_0xx(numerator, denominator, fmt)
                                           : quotientText(numerator, denominator, places, fmt);
    return text.value_or("0");
}

}  // namespace

Statement makeStatement(std::vector<StatementTally> tallies, const NumberFormat &fmt) {
    Statement s;
    s.tallies = std::move(tallies);
    for (const StatementTally &t : s.tallies) {
        s.logs += t.logs;
        s.volume += t.volume;
        s.groups += t.groups;
        if (t.places > s.places) s.places = t.places;
        s.diameterCount += t.diameterCount;
        s.diameterVolume += t.diameterVolume;
    }
    s.fmt = fmt;
    s.meanByCount = meanText(s.diameterCount, s.logs, s.places, fmt);
    s.meanByVolume = meanText(s.diameterVolume, s.volume, s.places, fmt);
    return s;
}

std::string volumeText(int64_t volume, const NumberFormat &fmt) { return decimalText(volume, 4, fmt); }

std::vector<std::string> statementLines(const Statement &s, const NumberFormat &fmt) {
    std::vector<std::string> lines;
    for (const StatementTally &t : s.tallies)
        lines.push_back(t.name + "\t" + t.texts.length + "\t" + t.texts.Text13 + "\t" + t.texts.Text4 + "\t" +
                        t.texts.Text1 + "\t" + t.texts.Text2);
    lines.push_back("Итого\t\t" + decimalText(s.logs, 0, fmt) + "\t" + volumeText(s.volume, fmt) + "\t" +
                    s.meanByCount + "\t" + s.meanByVolume);
    for (const GroupLine &g : groupLines(s.groups, fmt))
        lines.push_back(g.label + "\t\t" + g.logs + "\t" + g.volume);
    return lines;
}

}  // namespace lumora

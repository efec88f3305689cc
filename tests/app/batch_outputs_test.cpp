// The rules for the files a batch is given and the documents it writes, one table run against both
// batches (--report and --statement): what is refused before anything is written (status 2), what
// fails with its own reason (status 1), and a signal that ends the batch only once all is put back.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "file_bytes_support.h"
#include "program_run_support.h"

namespace {

using lumora::test::contents;
using lumora::test::ProgramRun;
using lumora::test::put;

class BatchOutputs : public ::testing::Test {
protected:
    void SetUp() override {
        QByteArray tally;
        for (int i = 1; i <= 93; ++i) tally += (i == 22 ? "5" : "0") + QByteArray("\r\n");
        put(dir.filePath("t.txt"), tally + "6.00\r\n2\r\n");
        put(dir.filePath("u.txt"), tally + "4.00\r\n2\r\n");
        for (const char *name : {"old.xlsx", "old.pdf"}) put(dir.filePath(name), "old " + QByteArray(name));
        ASSERT_TRUE(QDir(dir.path()).mkdir("real"));
        ASSERT_TRUE(QFile::link("real", dir.filePath("lnk")));
        ASSERT_TRUE(QFile::link("tgt.pdf", dir.filePath("dl")));
        ASSERT_TRUE(QFile::link("old.pdf", dir.filePath("ln")));
    }
    // Every name in the folder and below, hidden ones too, with the contents of the old documents.
    QStringList state() const {
        QStringList all;
        for (const QString &folder : {QString("."), QString("real")})
            for (const QString &name :
                 QDir(dir.filePath(folder))
                     .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot))
                all << folder + "/" + name;
        all << contents(dir.filePath("old.xlsx")) << contents(dir.filePath("old.pdf"));
        return all;
    }
    ProgramRun shell(const QString &line) {
        lumora::test::ProgramStart how;
        how.folder = dir.path();
        return lumora::test::runShell(line, how);
    }
    QTemporaryDir dir;
};

// Both batches, each on the tallies it is given.
const char *const kBatches[] = {"$L --report t.txt", "$L --statement t.txt u.txt"};

TEST_F(BatchOutputs, BothBatchesRefuseTheSameNamesAndFailWithTheFailingOutputsOwnReason) {
    const struct Case {
        const char *rule;
        const char *line;  // after the batch's own start
        int status;
        const char *said;  // a piece of the message
    } cases[] = {
        {"one file through a dangling link", "--xlsx dl --pdf tgt.pdf", 2, "дважды"},
        {"one file through a linked folder", "--xlsx lnk/x.out --pdf real/x.out", 2, "дважды"},
        {"one file through a link", "--xlsx ln --pdf old.pdf", 2, "дважды"},
        {"one file twice", "--xlsx old.xlsx --pdf ./old.xlsx", 2, "дважды"},
        {"an empty name", "--xlsx ''", 2, "пустое"},
        {"an output over an input", "--xlsx old.xlsx --pdf ./t.txt", 2, "это файл пересчёта «t.txt»"},
        {"an output over an input through a link", "--xlsx lnk/../t.txt", 2, "это файл пересчёта"},
        {"a name that is not UTF-8", "--pdf \"$(printf 'c\\376d.pdf')\"", 2, "UTF-8"},
        {"a missing folder", "--xlsx old.xlsx --pdf no/such/x.pdf", 1, "папка не найдена"},
        {"no scratch folder for the workbook", "--pdf old.pdf --xlsx old.xlsx", 1, "нет временной папки"},
    };
    const QStringList before = state();
    for (const char *batch : kBatches) {
        for (const Case &c : cases) {
            const QString scratch = QString(c.said) == "нет временной папки" ? "TMPDIR=/proc " : "";
            const ProgramRun r = shell(scratch + batch + " " + c.line);
            EXPECT_EQ(r.status, c.status) << batch << ": " << c.rule << "\n" << r.err;
            EXPECT_NE(r.err.find(c.said), std::string::npos) << batch << ": " << c.rule << "\n" << r.err;
            EXPECT_EQ(r.out, "") << batch << ": " << c.rule;
            EXPECT_EQ(state(), before) << batch << ": " << c.rule;
        }
        // And what they may do, they do: both documents through the links, the old ones replaced.
        const ProgramRun r = shell(QString(batch) + " --xlsx lnk/x.xlsx --pdf ln");
        EXPECT_EQ(r.status, 0) << batch << r.err;
        EXPECT_TRUE(contents(dir.filePath("real/x.xlsx")).startsWith("PK")) << batch;
        EXPECT_TRUE(contents(dir.filePath("old.pdf")).startsWith("%PDF-")) << batch;
        put(dir.filePath("old.pdf"), "old old.pdf");
        QFile::remove(dir.filePath("real/x.xlsx"));
    }
}

TEST_F(BatchOutputs, TheSameTallyTwiceInAStatementIsABadCommandLine) {
    for (const char *line : {"$L --statement t.txt t.txt", "$L --statement t.txt u.txt ./t.txt",
                             "$L --statement t.txt lnk/../t.txt --xlsx new.xlsx"}) {
        const ProgramRun r = shell(line);
        EXPECT_EQ(r.status, 2) << line << "\n" << r.out;
        EXPECT_NE(r.err.find("указан дважды"), std::string::npos) << line << "\n" << r.err;
        EXPECT_FALSE(QFile::exists(dir.filePath("new.xlsx")));
    }
}

// A signal while the documents are written or put in place: the batch puts back what it replaced,
// removes its temporaries, says so, and then ends by that signal.
TEST_F(BatchOutputs, ASignalMidwayLeavesEveryFileAsItWasInBothBatches) {
    const QStringList before = state();
    for (const char *batch : kBatches) {
        // The signal comes once the workbook's temporary is there, while the PDF is painted.
        const ProgramRun r = shell(QString(batch) +
                                   " --xlsx old.xlsx --pdf old.pdf & pid=$!;"
                                   " until ls -A | grep -q '^\\.old\\.xlsx\\.' || ! kill -0 $pid; do :; done;"
                                   " kill -TERM $pid; wait $pid");
        EXPECT_EQ(r.status, 128 + 15) << batch << "\n" << r.err;
        EXPECT_NE(r.err.find("прерван: ни один файл не изменён."), std::string::npos) << batch << r.err;
        EXPECT_EQ(state(), before) << batch;
    }
}

}  // namespace

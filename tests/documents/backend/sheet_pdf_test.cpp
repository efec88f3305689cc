// The printed sheet as a PDF on A4: every text lands at its position in twips (read back with
// pdftotext -bbox, within 1 point), in a Times-metric serif.
#include <gtest/gtest.h>

#include <QFile>
#include <QFontInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "documents/backend/workbook.h"
#include "documents/core/tally_texts.h"
#include "print/sheet_painter.h"
#include "tally/form_test_support.h"

namespace lumora {
namespace {

using test::kComma;

struct Word {
    QString text;
    double x, y;
};

std::vector<Word> pdfWords(const QString &pdf) {
    QProcess p;
    p.start("pdftotext", {"-bbox", pdf, "-"});
    p.waitForFinished(-1);
    std::vector<Word> words;
    QRegularExpression re("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>([^<]*)</word>");
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    for (auto it = re.globalMatch(html); it.hasNext();) {
        auto m = it.next();
        QString text = m.captured(3);
        text.replace("&amp;", "&").replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"");
        words.push_back({text, m.captured(1).toDouble(), m.captured(2).toDouble()});
    }
    return words;
}

TEST(SheetPdf, AFullTallyPrintsEveryTextAtItsTwipPositionInBothColumns) {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "poppler-utils missing";
    Form f(kComma);
    f.startUp();
    for (int i = 1; i <= kRowCount; ++i) f.setCountText(1000 + i, std::to_string(i % 7 + 1));
    QTemporaryDir dir;
    const QString path = dir.filePath("sheet.pdf");
    const std::string title = "Кв. 12, выд. 3, дел. 4";
    ASSERT_EQ(printSheetToPdf(f, path, title), std::nullopt);

    // The same layout, measured on the same kind of printer.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    prepareSheetPrinter(printer);
    SheetInputs in;
    in.texts = tallyTexts(f);
    in.title = title;
    in.date = sheetDate();
    in.pageWidth = 595.2756 * 20;
    in.pageHeight = 841.8898 * 20;
    const TextWidthFn width = sheetTextWidth(&printer);
    SheetLayout layout = layoutSheet(in, kComma, width);
    ASSERT_TRUE(layout.ok);
    ASSERT_GT(layout.items.size(), 93u * 3);

    const std::vector<Word> words = pdfWords(path);
    ASSERT_GT(words.size(), 93u * 3);
    int continuation = 0;
    for (const SheetItem &item : layout.items) {
        // The first word of the item, after any leading blank.
        const QString text = QString::fromStdString(item.text);
        const size_t lead = item.text.find_first_not_of(' ');
        const QString first = text.trimmed().split(' ').first();
        const double x = (item.x + width(item.text.substr(0, lead), item.sizePt, item.bold)) / 20;
        const double y = item.y / 20;
        bool found = false;
        for (const Word &w : words)
            if (w.text == first && std::abs(w.x - x) <= 1 && std::abs(w.y - y) <= 1) found = true;
        EXPECT_TRUE(found) << item.text << " at " << x << ", " << y << " pt";
        if (item.x > 3500) ++continuation;
    }
    EXPECT_GT(continuation, 10);  // the table went on in the second column
}

TEST(SheetPdf, TheSheetFontIsATimesMetricSerif) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString family = QFontInfo(sheetFont(8, false)).family();
    if (!QFile::exists("/usr/share/fonts/truetype/liberation2/LiberationSerif-Regular.ttf"))
        GTEST_SKIP() << "fonts-liberation2 missing";
    EXPECT_EQ(family.toStdString(), "Liberation Serif");
}

TEST(SheetPdf, ABadTextWritesNoPdfAndKeepsAnOldOne) {
    Form f(kComma);
    f.startUp();
    f.setText13("много");
    QTemporaryDir dir;
    const QString path = dir.filePath("sheet.pdf");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    auto error = printSheetToPdf(f, path, "");
    ASSERT_TRUE(error);
    EXPECT_EQ(*error, "Лист не напечатан: общее количество — «много» — не число.");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old");
}

}  // namespace
}  // namespace lumora

// Libraries that print numbers with the C library's printf (libxlsxwriter writes every cell value
// and column width that way) follow the process locale, and a Qt application sets that locale from
// the environment: under a Russian desktop "1.65" becomes "1,65" in the workbook's XML, which no
// spreadsheet reads as a number. While a ClassicNumbers object lives, the C library reads and writes
// numbers on the calling thread in the "C" locale; other threads and the user's texts are untouched.
#pragma once

namespace lumora {

class ClassicNumbers {
public:
    ClassicNumbers();
    ~ClassicNumbers();
    ClassicNumbers(const ClassicNumbers &) = delete;
    ClassicNumbers &operator=(const ClassicNumbers &) = delete;

private:
    void *saved_ = nullptr;  // what the thread used before: a locale_t, or the Windows thread setting
    void *classic_ = nullptr;
};

}  // namespace lumora

// A stream buffer over a C library stream (stdout, stderr), for the program's text: the report's
// output goes through the C library's streams, not through <iostream>, whose standard streams would
// otherwise be set up at every start of the window too.
#pragma once

#include <cstdio>
#include <ostream>
#include <streambuf>

namespace lumora::platform {

class StdioBuffer : public std::streambuf {
public:
    explicit StdioBuffer(std::FILE *file) : file_(file) {}

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        return std::fputc(c, file_) == EOF ? traits_type::eof() : c;
    }
    std::streamsize xsputn(const char *s, std::streamsize n) override {
        return static_cast<std::streamsize>(std::fwrite(s, 1, static_cast<size_t>(n), file_));
    }
    int sync() override { return std::fflush(file_) == 0 ? 0 : -1; }

    std::FILE *file_;
};

// Standard output and standard error over buffers of type `Buffer`, both made at the first use of
// either.
template <class Buffer>
struct StandardStreams {
    Buffer outBuffer{stdout}, errBuffer{stderr};
    std::ostream out{&outBuffer}, err{&errBuffer};
};

template <class Buffer>
StandardStreams<Buffer> &standardStreams() {
    static StandardStreams<Buffer> streams;
    return streams;
}

}  // namespace lumora::platform

// What the two batches (--report and --statement) share about the files they are given and the
// documents they write: the names they refuse before anything is written, and the writing itself,
// all documents or none, with a signal meanwhile ending the batch only once everything is put back.
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace lumora {

class StagedFile;

// A file named on the command line, with the option that named it.
struct BatchName {
    std::string option;
    std::string name;
};

// Refuses, with a one-line Russian message (a usage error): an empty name, a name that is not UTF-8
// (it would be written under another), the same input twice, an output over an input and two
// outputs on one file, whatever links (dangling ones and linked folders included) lead to it.
std::optional<std::string> refuseBatchNames(const std::vector<BatchName> &inputs,
                                            const std::vector<BatchName> &outputs);

// How both batches begin: a bad command line (`badLine`, its message) or a refused name is a usage
// error, told on `err` with status 2; --help prints `usage`. Returns the status to end with, or
// nullopt to go on.
std::optional<int> startBatch(const std::optional<std::string> &badLine, bool help,
                              const std::function<std::string()> &usage,
                              const std::function<std::optional<std::string>()> &refuseNames,
                              std::ostream &out, std::ostream &err);

// The same beginning from the arguments: `parse(args, error)` reads them into the batch's options,
// `refuse(options)` checks their file names. The options to go on with, or nullopt with the status to
// end with in `status`.
template <class Parse, class Refuse>
auto beginBatch(const std::vector<std::string> &args, Parse parse, Refuse refuse,
                const std::function<std::string()> &usage, std::ostream &out, std::ostream &err, int &status)
    -> decltype(parse(args, std::declval<std::string &>())) {
    std::string error;
    auto options = parse(args, error);
    const auto refuseOptions = [&options, &refuse] { return refuse(*options); };
    if (auto ended = startBatch(options ? std::nullopt : std::optional(error), options && options->help,
                                usage, refuseOptions, out, err)) {
        status = *ended;
        return std::nullopt;
    }
    return options;
}

// One document of a batch: its file and what writes its contents into the staged temporary.
struct BatchOutput {
    std::string name;
    std::function<std::optional<std::string>(StagedFile &)> write;
};

// Writes every document to a temporary beside its target and puts them all in place together;
// when one cannot be written, its own message goes to `err` and none appears or changes. A signal
// meanwhile (Ctrl+C, SIGTERM) stops the batch the same way, and only then ends the program.
// Returns the exit status: 0 written, 1 not.
int writeBatchOutputs(const std::vector<BatchOutput> &outputs, std::ostream &err);

}  // namespace lumora

// What the document's file commands run through: the user's dialogs, with a file named beforehand
// (at start, by the desktop, in the recent files) answering the open dialog and every name made
// absolute and canonical; and the files, keeping the bytes the command read or wrote so that the
// document records what the file holds.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "editing/document.h"

namespace lumora {

// The absolute, canonical spelling of a file's name: links and "." and ".." resolved as far as the
// file (or, for a file still to be made, its folder) exists. "" stays "".
std::string canonicalFileName(const std::string &name);

class Document::Dialogs : public DocumentDialogs {
public:
    DocumentQuestions *inner = nullptr;
    std::optional<std::string> namedFile;

    std::optional<std::string> openFileName(const std::string &title, const std::string &filter) override {
        if (namedFile) return std::exchange(namedFile, std::nullopt);
        return canonical(inner->openFileName(title, filter));
    }
    std::optional<std::string> saveFileName(const std::string &title, const std::string &filter) override {
        return canonical(inner->saveFileName(title, filter));
    }
    void message(const std::string &text) override { inner->message(text); }
    bool question(const std::string &text) override { return inner->question(text); }
    std::optional<std::string> inputText(const std::string &prompt, const std::string &title,
                                         const std::string &defaultText) override {
        return inner->inputText(prompt, title, defaultText);
    }

private:
    static std::optional<std::string> canonical(const std::optional<std::string> &name) {
        if (!name) return name;
        return canonicalFileName(*name);
    }
};

class Document::Files : public FileStore {
public:
    FileStore *inner = nullptr;
    std::optional<std::string> bytes;  // what the command last read or wrote
    bool written = false;

    void reset() {
        bytes.reset();
        written = false;
    }
    FileRead read(const std::string &name, size_t maxBytes) override {
        FileRead file = inner->read(name, maxBytes);
        if (file.ok) bytes = file.bytes;
        return file;
    }
    std::optional<std::string> writeAtomically(const std::string &name, const std::string &data) override {
        auto error = inner->writeAtomically(name, data);
        if (!error) {
            written = true;
            bytes = data;
        }
        return error;
    }
};

}  // namespace lumora

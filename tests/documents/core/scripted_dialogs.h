// Dialogs that answer from a script and record what they were asked, and files kept in memory.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "documents/core/tally_commands.h"

namespace lumora::test {

struct ScriptedDialogs : DocumentDialogs {
    struct Shown {
        std::string kind, title, filter;
    };
    std::vector<Shown> shown;                        // file dialogs and input boxes, in order
    std::deque<std::optional<std::string>> answers;  // file names / input texts; nullopt = Cancel
    std::deque<bool> questionAnswers;
    std::vector<std::string> messages, questions;

    std::optional<std::string> next() {
        if (answers.empty()) return std::nullopt;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<std::string> openFileName(const std::string &title, const std::string &filter) override {
        shown.push_back({"open", title, filter});
        return next();
    }
    std::optional<std::string> saveFileName(const std::string &title, const std::string &filter) override {
        shown.push_back({"save", title, filter});
        return next();
    }
    void message(const std::string &text) override { messages.push_back(text); }
    bool question(const std::string &text) override {
        questions.push_back(text);
        if (questionAnswers.empty()) return false;
        bool a = questionAnswers.front();
        questionAnswers.pop_front();
        return a;
    }
    std::optional<std::string> inputText(const std::string &prompt, const std::string &title,
                                         const std::string &defaultText) override {
        shown.push_back({"input", title, prompt + "|" + defaultText});
        return next();
    }
};

struct MemoryFiles : FileStore {
    std::map<std::string, std::string> files;
    std::optional<std::string> failWrites;  // when set, every write fails with this message
    int writes = 0;
    // Told of every read that found the file and of every write, before the write is done.
    std::function<void(const std::string &, const std::string &)> onRead, onWrite;
    // Names in this folder are kept by their names in it, as a test spells them ("a.txt").
    std::string root;

    std::string key(const std::string &name) const {
        if (!root.empty() && name.size() > root.size() && name.compare(0, root.size(), root) == 0 &&
            name[root.size()] == '/')
            return name.substr(root.size() + 1);
        return name;
    }

    FileRead read(const std::string &name, size_t maxBytes) override {
        FileRead r;
        auto it = files.find(key(name));
        if (it == files.end()) {
            r.error = "Файл не найден.";
            return r;
        }
        r.ok = true;
        r.bytes = it->second.substr(0, maxBytes + 1);
        if (onRead) onRead(name, r.bytes);
        return r;
    }
    std::optional<std::string> writeAtomically(const std::string &name, const std::string &bytes) override {
        ++writes;
        if (failWrites) return failWrites;
        if (onWrite) onWrite(name, bytes);
        files[key(name)] = bytes;
        return std::nullopt;
    }
};

}  // namespace lumora::test

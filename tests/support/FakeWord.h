#pragma once
// A document engine for the Word walk of the text model: hands out its
// sentences (or words) one by one and records the commands it receives.
#include "Automation.h"
#include "Errors.h"

#include <QString>
#include <QVariant>

#include <vector>

class FakeWord : public IAutomationObject {
public:
    std::vector<QString> sentences;
    std::vector<QString>* log;
    size_t pos = 0;
    bool failSelection = false;
    explicit FakeWord(std::vector<QString> s, std::vector<QString>* l) : sentences(std::move(s)), log(l) {}
    QVariant Call(const QString& cmd, const QVariantList&) override
    {
        log->push_back(cmd);
        if (cmd == "AtEndOfDocument")
            return pos >= sentences.size() ? -1 : 0;
        if (cmd == "Selection") {
            if (failSelection)
                throw EOleError("selection failed");
            return sentences[pos];
        }
        if (cmd == "SentRight" || cmd == "WordRight")
            ++pos;
        return {};
    }
};
